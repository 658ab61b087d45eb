// The mail-making dialog's state: the insert sizes each envelope form takes,
// the two-sided choices with and without one-sided, and the pictures.
#pragma once
#include <cstdint>

#include "base/session.h"
#include "ui/page_model.h"

// The insert sizes of a form that the paper list has: form 1 A4 and B5,
// form 2 A4, form 3 Legal and Letter. The size combo is usable only with two.
int MailMakingInsertSizes(const PrinterEnvironment& env, uint8_t form, uint16_t* sizes);
// The forms offered: all three where the model has a local area, else form 1.
int MailMakingFormCount(int localArea);
// The envelope's two-sided choices: with one-sided (none) only while inserts
// are chosen.
int MailMakingEnvelopeDuplex(int insert, const IdTableRow** rows);
// The insert box: clearing it turns a one-sided envelope two-sided (long edge).
void ChooseMailMakingInsert(PrivateSettings& p, int insert);
// A form change: the insert size becomes the new form's first.
void ChooseMailMakingForm(PrivateSettings& p, const PrinterEnvironment& env, uint8_t form);
// The envelope picture (32911) and the insert picture (32918).
uint16_t MailMakingEnvelopePicture(uint8_t form);
uint16_t MailMakingInsertPicture(const PrivateSettings& p);

constexpr uint16_t kMailMakingDialog = 32900;
// Run last in the refresh of 32900: the lists by form and insert, the insert
// controls only with inserts, the pictures.
void MailMakingRules(const PageInput& in, PageState& page);
// The dialog asks nothing; the insert box and a form change bring their writes.
int MailMakingQuestion(const PageInput& in, uint32_t control, uint32_t value, PageQuestion* question);
void MailMakingFollows(PageInput& in, uint32_t control, uint32_t value);
