// Output destinations: the output-mode dialog's lists and what OK keeps, the
// USB check at apply over a table of drive states, and the output tray's
// face-up question with each answer.
#include <gtest/gtest.h>

#include <string>

#include "ui/output_destination.h"
#include "ui/page_changes.h"
#include "ui/sub_dialog_model.h"  // the dialog's template

namespace {

std::u16string Path(const char16_t* root, int n) {
    char16_t out[64] = {};
    return UsbFolderPath(root, n, out, 64) ? std::u16string(out) : u"(none)";
}

TEST(OutputDestination, DriveNamesAndFolderPaths) {
    const struct {
        const char16_t* name;
        int usb;
    } systems[] = {{u"exFAT", 1}, {u"NTFS", 0}, {u"fat32", 0}, {u"FAT3", 0}, {u"", 0}};
    for (const auto& f : systems) EXPECT_EQ(f.usb, IsUsbFileSystem(f.name)) << std::string(f.name, f.name + 5);
    EXPECT_EQ(1, IsFloppyRoot(u"b:\\"));
    EXPECT_EQ(0, IsFloppyRoot(u"E:\\"));
    EXPECT_EQ(u"E:\\KELO_IJ", Path(u"E:\\", 0));
    EXPECT_EQ(u"E:\\KELO_IJ\\KELO_USB_FOLDER_10", Path(u"E:\\", 10));
    EXPECT_EQ(u"(none)", Path(u"E:\\", 11));
    char16_t tight[12];
    EXPECT_EQ(0, UsbFolderPath(u"E:\\", 1, tight, 12));  // cut paths are refused, not written half
}

UsbDriveEntry DriveEntry(uint8_t number) {
    UsbDriveEntry e{};
    e.number = number;
    e.root[0] = static_cast<char16_t>(u'A' + number - 1);
    e.root[1] = u':';
    e.root[2] = u'\\';
    return e;
}

// What the dialog offers and selects for the stored choice, and what OK keeps.
TEST(OutputDestination, DialogListsAndOk) {
    const struct Row {
        const char* what;
        uint8_t mode, folder, state, drive, usbFolder;
        int driveCount;
        int items, selected;  // folders (modes 1, 2) or drives (mode 3)
        uint8_t folderAfter, driveAfter, usbFolderAfter;  // after OK with the selection unchanged
    } rows[] = {
        {"folder 5 stored", 1, 5, 0, 0, 0, 0, 2, 1, 5, 0, 0},
        {"default folder with storage state", 2, 0, 1, 0, 0, 0, 3, 2, 0, 0, 0},
        {"folder not selectable: first", 1, 7, 0, 0, 0, 0, 2, 0, 2, 0, 0},
        {"drive G: stored", 3, 0, 0, 7, 4, 2, 2, 1, 0, 7, 4},
        {"drive gone: first drive", 3, 0, 0, 3, 0, 2, 2, 0, 0, 5, 1},
        {"no drive: setting kept", 3, 0, 0, 3, 10, 0, 0, -1, 0, 3, 10},
    };
    const UsbDriveEntry drives[] = {DriveEntry(5), DriveEntry(7)};
    auto s = ZeroSession();
    s->env.storageFolderSelectable[1] = s->env.storageFolderSelectable[4] = 1;  // folders 2 and 5
    auto form = std::make_unique<OutputModeForm>();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        PrivateSettings& p = s->dm.priv;
        p.outputMode = r.mode;
        p.destinationFolder_ToSave = r.folder;
        p.driveOfUSB_ToSave = r.drive;
        p.destinationFolderOfUSB_ToSave = r.usbFolder;
        s->env.storageState = r.state;
        LoadOutputModeForm(*s, drives, r.driveCount, *form);
        EXPECT_EQ(r.items, r.mode == 3 ? form->driveCount : form->folderCount);
        EXPECT_EQ(r.selected, r.mode == 3 ? form->selectedDrive : form->selectedFolder);
        StoreOutputModeForm(*form, p);
        EXPECT_EQ(r.folderAfter, p.destinationFolder_ToSave);
        EXPECT_EQ(r.driveAfter, p.driveOfUSB_ToSave);
        EXPECT_EQ(r.usbFolderAfter, p.destinationFolderOfUSB_ToSave);

        auto page = Refreshed(kOutputModeDialog, *s);
        std::string shown;
        for (int i = 0; i < page->controlCount; i++)
            if (page->control[i].visible && page->control[i].id != 31916) shown += std::to_string(page->control[i].id) + " ";
        EXPECT_EQ(r.mode == 3 ? "31910 31911 31912 31913 " : r.mode ? "31914 31915 " : "", shown);
    }
}

// The system as a table row: what each step of the check finds.
struct DriveState {
    int root, usb, exists, agree, creates;
    std::vector<uint32_t> said;
    int asked = 0, created = 0;
};
UsbDriveQuery QueryOf(DriveState& d) {
    return UsbDriveQuery{
        &d,
        [](void* c, int number, char16_t* root) {
            root[0] = static_cast<char16_t>(u'A' + number - 1), root[1] = u':', root[2] = u'\\', root[3] = 0;
            return static_cast<DriveState*>(c)->root;
        },
        [](void* c, const char16_t*) { return static_cast<DriveState*>(c)->usb; },
        [](void* c, const char16_t*, int) { return static_cast<DriveState*>(c)->exists; },
        [](void* c, const char16_t*, int n) {
            static_cast<DriveState*>(c)->created = n;
            return static_cast<DriveState*>(c)->creates;
        },
        [](void* c, uint32_t id) {
            static_cast<DriveState*>(c)->asked = static_cast<int>(id);
            return static_cast<DriveState*>(c)->agree;
        },
        [](void* c, uint32_t id) { static_cast<DriveState*>(c)->said.push_back(id); },
    };
}

TEST(OutputDestination, UsbCheckAtApply) {
    const struct Row {
        const char* what;
        DriveState drive;
        int ready, asked, created;
        std::vector<uint32_t> said;
    } rows[] = {
        {"drive gone", {0, 1, 1, 1, 1, {}}, 0, 0, 0, {20473}},
        {"NTFS stick", {1, 0, 1, 1, 1, {}}, 0, 0, 0, {20473}},
        {"folder there", {1, 1, 1, 0, 0, {}}, 1, 0, 0, {}},
        {"folder missing, user cancels", {1, 1, 0, 0, 1, {}}, 0, 20474, 0, {}},
        {"folder missing, created", {1, 1, 0, 1, 1, {}}, 1, 20474, 3, {}},
        {"folder cannot be made", {1, 1, 0, 1, 0, {}}, 0, 20474, 3, {20475}},
    };
    PrivateSettings p{};
    p.outputMode = 3;
    p.driveOfUSB_ToSave = 5;
    p.destinationFolderOfUSB_ToSave = 3;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        DriveState d = r.drive;
        EXPECT_EQ(r.ready, CheckUsbDestination(p, QueryOf(d)));
        EXPECT_EQ(r.asked, d.asked);
        EXPECT_EQ(r.created, d.created);
        EXPECT_EQ(r.said, d.said);
    }
}

TEST(OutputDestination, FaceUpQuestionAndAnswers) {
    // One part a line: face-up, ": on", "on now", what is on, "after", "None".
    const struct Row {
        uint8_t blank, continuous;
        int answer;  // 1 yes, 0 no, -1 closed otherwise
        std::vector<uint32_t> parts;
        uint8_t face, blankAfter, continuousAfter;
    } rows[] = {
        {0, 0, -1, {}, 1, 0, 0},
        {1, 0, 1, {20187, 20032, 20177, 20314, 20178, 20024}, 1, 0, 0},
        {1, 1, 0, {20187, 20032, 20177, 20314, 20071, 20178, 20024}, 2, 1, 1},
        {0, 1, -1, {20187, 20032, 20177, 20071, 20178, 20024}, 1, 0, 1},
    };
    for (const Row& r : rows) {
        PrivateSettings p{};
        p.faceUpDown_OutputTray = 2;
        p.blankPaperCutDown = r.blank;
        p.continuousOutput = r.continuous;
        PageQuestion q{};
        int asks = FaceUpQuestion(p, &q);
        EXPECT_EQ(!r.parts.empty(), asks != 0);
        EXPECT_EQ(r.parts, std::vector<uint32_t>(q.part, q.part + (asks ? q.partCount : 0)));
        ChooseFaceUp(p, r.answer);
        EXPECT_EQ(r.face, p.faceUpDown_OutputTray);
        EXPECT_EQ(r.blankAfter, p.blankPaperCutDown);
        EXPECT_EQ(r.continuousAfter, p.continuousOutput);
    }
}

}  // namespace
