// Covers: trays, enabling and the preview pictures.
#include "ui/covers.h"

namespace {

enum CoverControl : uint32_t {
    kFront = 32410, kFrontLabel = 32411, kFrontTray = 32412, kFrontPicture = 32414,
    kBack = 32415, kBackLabel = 32416, kBackTray = 32417, kBackPicture = 32419,
};
constexpr int kCoverTrayPurpose = 3;

ControlState* Find(PageState& page, uint32_t id) {
    for (int i = 0; i < page.controlCount; i++)
        if (page.control[i].id == id) return &page.control[i];
    return nullptr;
}

void ShowPicture(PageState& page, uint32_t id, uint16_t picture) {
    if (ControlState* c = Find(page, id)) {
        c->itemCount = picture ? 1 : 0;
        c->item[0] = PageItem{picture, 0, kItemString};
    }
}

}  // namespace

uint16_t CoverPreviewPicture(const PrivateSettings& p, int front) {
    // The tray of the cover drawn: the front's with a booklet.
    uint16_t tray = front || p.bookletBinding ? p.tray_FrontCover : p.tray_BackCover;
    int standard = tray == 257 || tray == 261;
    if (p.bookletBinding) {
        if (p.booklet == 1 || p.booklet == 2) return standard ? 12153 : 12154;
        if (p.booklet == 3) return standard ? 12155 : 12156;
        return 0;
    }
    uint32_t b = p.bindingSide, o = p.outputTray, f = p.faceUpDown_OutputTray;
    static const uint16_t kRows[4][4] = {
        {11724, 12158, 11727, 12160},  // side or top binding, face down on a finisher tray
        {11728, 12155, 11729, 12156},  // side or top binding otherwise
        {11722, 12157, 11725, 12159},
        {11723, 12153, 11726, 12154},
    };
    int row;
    if (b >= 2 && o >= 2 && f == 2) row = 0;
    else if (b >= 2) row = 1;
    else if ((b == 0 && o >= 2 && f == 2) || (b == 1 && (o <= 1 || f != 2))) row = 2;
    else row = 3;
    return kRows[row][(standard ? 0 : 2) + (front ? 0 : 1)];
}

void StoreCoverDialog(PrivateSettings& p) {
    if (p.bookletBinding == 1 || p.bookletBinding == 2) p.backCover = 0;
}

void CoverDialogRules(const PageInput& in, PageState& page) {
    const PrinterSession& s = *in.session;
    const PrivateSettings& p = s.dm.priv;
    if (ControlState* c = Find(page, kFrontTray)) FillTrayList(*c, s.env, kCoverTrayPurpose, p.tray_FrontCover);
    if (ControlState* c = Find(page, kBackTray)) FillTrayList(*c, s.env, kCoverTrayPurpose, p.tray_BackCover);
    int bound = p.bookletBinding == 1 || p.bookletBinding == 2;
    if (ControlState* c = Find(page, kBack)) {
        if (bound) c->enabled = 0, c->checked = 0;
    }
    int front = p.frontCover != 0, back = p.backCover != 0 && !bound;
    for (uint32_t id : {kFrontLabel, kFrontTray, kFrontPicture})
        if (ControlState* c = Find(page, id)) c->enabled = c->enabled && front;
    for (uint32_t id : {kBackLabel, kBackTray, kBackPicture})
        if (ControlState* c = Find(page, id)) c->enabled = c->enabled && back;
    ShowPicture(page, kFrontPicture, CoverPictureResource(CoverPreviewPicture(p, 1)));
    ShowPicture(page, kBackPicture, CoverPictureResource(CoverPreviewPicture(p, 0)));
}
