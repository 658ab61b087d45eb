// The working copy a sub-dialog edits: its own session and facts, copied back
// part by part on commit.
#include <cstdlib>
#include <cstring>

#include "ui/page_model.h"

namespace {

// The copy and its session in one block, so that discarding is one free.
struct CopyBlock {
    WorkingCopy handle;
    PageInput input;
    PrinterSession session;
};

}  // namespace

WorkingCopy* OpenWorkingCopy(PageInput* sheet) {
    if (!sheet || !sheet->session) return nullptr;
    CopyBlock* b = static_cast<CopyBlock*>(std::malloc(sizeof(CopyBlock)));
    if (!b) return nullptr;
    std::memcpy(&b->session, sheet->session, sizeof(PrinterSession));
    b->input = *sheet;
    b->input.session = &b->session;
    b->handle = WorkingCopy{sheet, &b->input};
    return &b->handle;
}

PageInput* CloseWorkingCopy(WorkingCopy* copy, int commit) {
    if (!copy) return nullptr;
    CopyBlock* b = reinterpret_cast<CopyBlock*>(copy);
    PageInput* sheet = copy->sheet;
    if (commit) {
        PrinterSession& to = *sheet->session;
        const PrinterSession& from = b->session;
        std::memcpy(&to.dm.pub, &from.dm.pub, sizeof to.dm.pub);
        std::memcpy(&to.dm.priv, &from.dm.priv, kPrivateFieldBytes);
        std::memcpy(&to.env, &from.env, sizeof to.env);
        to.dm.priv.trailingMagic = from.dm.priv.trailingMagic;
    }
    std::free(b);
    return sheet;
}
