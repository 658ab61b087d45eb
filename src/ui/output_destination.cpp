// The output destinations of a saved job and the output tray's face-up
// question; the window side is output_destination_win32.
#include "ui/output_destination.h"

namespace {

const char16_t kTopFolder[] = u"KELO_IJ";
const char16_t kFolderPrefix[] = u"KELO_USB_FOLDER_";

enum OutputModeControl : uint32_t {
    kDriveLabel = 31910, kDriveList = 31911, kUsbFolderLabel = 31912, kUsbFolderList = 31913,
    kFolderLabel = 31914, kFolderList = 31915,
};

// The face-up question's words and what it switches off. Continuous output
// is named by its own name (the collate name would mislead).
constexpr uint32_t kFaceUpName = 20187, kBlankCutName = 20314, kContinuousName = 20071;
constexpr uint32_t kFaceUpControl = 32811, kBlankCutControl = 30729, kContinuousControl = 30535;

int Append(char16_t* out, int at, int room, const char16_t* text) {
    for (int k = 0; text[k]; k++) {
        if (at >= room - 1) return -1;
        out[at++] = text[k];
    }
    out[at] = 0;
    return at;
}

// The dialog fills its lists itself (drives are the system's): the model
// only says which are shown.
void SetVisible(PageState& page, uint32_t id, int visible) {
    for (int i = 0; i < page.controlCount; i++)
        if (page.control[i].id == id) page.control[i].visible = visible, page.control[i].enabled = 1;
}

}  // namespace

int DriveNumberOfLetter(char16_t letter) {
    if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - 32);
    return letter >= u'A' && letter <= u'Z' ? letter - 64 : 0;
}

int IsUsbFileSystem(const char16_t* fileSystem) {
    static const char16_t* const kAccepted[] = {u"FAT", u"FAT32", u"exFAT"};
    for (const char16_t* name : kAccepted) {
        int k = 0;
        while (fileSystem && name[k] && fileSystem[k] == name[k]) k++;
        if (fileSystem && !name[k] && !fileSystem[k]) return 1;
    }
    return 0;
}

int IsFloppyRoot(const char16_t* root) {
    int n = root ? DriveNumberOfLetter(root[0]) : 0;
    return (n == 1 || n == 2) && root[1] == u':';
}

int UsbFolderName(int n, char16_t* out) {
    if (n < 1 || n > kUsbFolderCount) return 0;
    int at = Append(out, 0, kUsbFolderNameChars, kFolderPrefix);
    out[at++] = static_cast<char16_t>(u'0' + n / 10);
    out[at++] = static_cast<char16_t>(u'0' + n % 10);
    out[at] = 0;
    return 1;
}

int UsbFolderPath(const char16_t* root, int n, char16_t* out, int room) {
    int at = Append(out, 0, room, root);
    if (at >= 0) at = Append(out, at, room, kTopFolder);
    if (at < 0) return 0;
    if (n == 0) return 1;
    char16_t name[kUsbFolderNameChars];
    if (!UsbFolderName(n, name)) return 0;
    at = Append(out, at, room, u"\\");
    if (at >= 0) at = Append(out, at, room, name);
    return at >= 0;
}

void LoadOutputModeForm(const PrinterSession& s, const UsbDriveEntry* drives, int driveCount, OutputModeForm& f) {
    const PrivateSettings& p = s.dm.priv;
    f = OutputModeForm{};
    f.mode = p.outputMode;
    f.selectedFolder = f.selectedDrive = -1;
    if (f.mode == 1 || f.mode == 2) {
        for (int i = 0; i < kStorageFolderCount; i++) {
            if (!s.env.storageFolderSelectable[i]) continue;
            if (p.destinationFolder_ToSave == i + 1) f.selectedFolder = f.folderCount;
            f.folder[f.folderCount++] = static_cast<uint8_t>(i + 1);
        }
        if (s.env.storageState == 1) {
            if (p.destinationFolder_ToSave == 0) f.selectedFolder = f.folderCount;
            f.folder[f.folderCount++] = 0;
        }
        if (f.selectedFolder < 0 && f.folderCount) f.selectedFolder = 0;
    }
    if (f.mode == 3) {
        for (int i = 0; drives && i < driveCount && f.driveCount < kUsbDriveRoom; i++) {
            if (drives[i].number == p.driveOfUSB_ToSave) f.selectedDrive = f.driveCount;
            f.drive[f.driveCount++] = drives[i];
        }
        if (f.selectedDrive < 0 && f.driveCount) f.selectedDrive = 0;
        int folder = p.destinationFolderOfUSB_ToSave;
        f.selectedUsbFolder = folder >= 1 && folder <= kUsbFolderCount ? folder - 1 : 0;
    }
}

void StoreOutputModeForm(const OutputModeForm& f, PrivateSettings& p) {
    if (f.mode == 1 || f.mode == 2) {
        if (f.selectedFolder >= 0 && f.selectedFolder < f.folderCount)
            p.destinationFolder_ToSave = f.folder[f.selectedFolder];
    }
    if (f.mode == 3) {
        if (f.selectedDrive >= 0 && f.selectedDrive < f.driveCount) p.driveOfUSB_ToSave = f.drive[f.selectedDrive].number;
        if (f.selectedUsbFolder >= 0 && f.selectedUsbFolder < kUsbFolderCount)
            p.destinationFolderOfUSB_ToSave = static_cast<uint8_t>(f.selectedUsbFolder + 1);
    }
}

void OutputModeRules(const PageInput& in, PageState& page) {
    uint32_t mode = in.session->dm.priv.outputMode;
    int folders = mode == 1 || mode == 2, usb = mode == 3;
    for (uint32_t id : {kFolderLabel, kFolderList}) SetVisible(page, id, folders);
    for (uint32_t id : {kDriveLabel, kDriveList, kUsbFolderLabel, kUsbFolderList}) SetVisible(page, id, usb);
}

int OutputModeSavesFile(uint32_t outputMode) { return outputMode == 4 || outputMode == 5; }

int CheckUsbDestination(const PrivateSettings& p, const UsbDriveQuery& q) {
    char16_t root[kDrivePathChars] = {};
    if (!q.findRoot(q.context, p.driveOfUSB_ToSave, root) || !q.isUsbVolume(q.context, root)) {
        q.warn(q.context, kUsbDriveMissingText);
        return 0;
    }
    int folder = p.destinationFolderOfUSB_ToSave;
    if (q.folderExists(q.context, root, folder)) return 1;
    if (!q.askOk(q.context, kUsbFolderCreateText)) return 0;
    if (q.createFolder(q.context, root, folder)) return 1;
    q.warn(q.context, kUsbFolderFailedText);
    return 0;
}

int FaceUpQuestion(const PrivateSettings& p, PageQuestion* question) {
    PageQuestion q;
    StartPageQuestion(q, kFaceUpControl, 1, kFaceUpName);
    if (p.blankPaperCutDown) AddQuestionCancel(q, kBlankCutControl, 0, kBlankCutName);
    if (p.continuousOutput) AddQuestionCancel(q, kContinuousControl, 0, kContinuousName);
    if (!FinishPageQuestion(q)) return 0;
    if (question) *question = q;
    return 1;
}

void ChooseFaceUp(PrivateSettings& p, int answer) {
    if (answer == 1) p.blankPaperCutDown = p.continuousOutput = 0;
    p.faceUpDown_OutputTray = answer == 0 ? 2 : 1;
}
