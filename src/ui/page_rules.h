// Small pieces the pages' own rules share: finding a control's state,
// hiding and greying it, the words of an option or a paper, and naming a
// feature that a question would switch off.
#pragma once
#include <cstdint>

#include "ui/page_model.h"

ControlState* FindControl(PageState& page, uint32_t id);
void SetControlVisible(PageState& page, uint32_t id, int visible);
inline void HideControl(PageState& page, uint32_t id) { SetControlVisible(page, id, 0); }

// A button, spin or edit is usable only while what it belongs to (owner) is
// and condition holds; what the engine said of the control itself is replaced.
void EnableWith(PageState& page, uint32_t id, uint32_t owner, int condition);
// Greys a control unless condition holds; the engine's own greying stays.
void EnableWhile(PageState& page, uint32_t id, int condition);

// The string id of the words a list shows for value, 0 when it has none
// (or list is null).
uint32_t OptionName(const char* list, uint32_t value);
// The words of a media type; the general "paper type" for one not built in.
uint32_t MediaName(uint32_t paperType);

// The paper's display name from the printer's list into a page text
// (kPageTextChars); empty when the list lacks it.
void PaperText(const PrinterSession& s, uint32_t paper, char16_t* out);

// The summary every tab shows: the original's and the printed paper's names
// and the zoom.
void SummaryTexts(PageState& page, const PrinterSession& s, uint32_t originalId, uint32_t outputId, uint32_t zoomId);

// The paper type the printer uses: its default for "not specified".
uint32_t EffectivePaperType(const PrinterSession& s, uint32_t paperType);
// Plain, recycled and thin paper.
inline int PlainPaper(uint32_t paperType) { return paperType == 258 || paperType == 259 || paperType == 263; }

// Names a feature that is on in a question; a Yes writes yesValue into it.
// The option's own words name it when list has them, nameId otherwise.
void CancelIfOn(PageQuestion& q, const PrinterSession& s, uint32_t control, uint32_t yesValue, uint32_t nameId,
                const char* list = nullptr);
