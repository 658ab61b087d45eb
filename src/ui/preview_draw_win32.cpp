// The preview panel: the layers' pictures, loaded and drawn as every other
// picture of the pages is, stacked on one off-screen bitmap.
#include "ui/preview_draw_win32.h"

#include "ui/image_drawing_win32.h"
#include "ui/preview_conditions.h"

void DrawPreview(HMODULE module, const DRAWITEMSTRUCT* item, const uint32_t* images, int count, int kind) {
    const PreviewLayout lay = PreviewLayoutOf(kind);
    RECT rc = item->rcItem;
    if (rc.right - rc.left != lay.width || rc.bottom - rc.top != lay.height) {
        // The panel has one size per kind; the new size repaints it.
        SetWindowPos(item->hwndItem, nullptr, 0, 0, lay.width, lay.height, SWP_NOMOVE | SWP_NOZORDER |
                                                                                 SWP_NOACTIVATE);
        InvalidateRect(item->hwndItem, nullptr, FALSE);
    }
    HDC mem = CreateCompatibleDC(item->hDC);
    HBITMAP panel = CreateCompatibleBitmap(item->hDC, lay.width, lay.height);
    if (!mem || !panel) {
        if (panel) DeleteObject(panel);
        if (mem) DeleteDC(mem);
        return;
    }
    HGDIOBJ old = SelectObject(mem, panel);
    RECT all = {0, 0, lay.width, lay.height};
    HBRUSH fill = CreateSolidBrush(RGB(204, 204, 204)), frame = CreateSolidBrush(RGB(200, 200, 200));
    FillRect(mem, &all, fill);
    FrameRect(mem, &all, frame);
    DeleteObject(fill);
    DeleteObject(frame);
    for (int i = 0; i < count; i++) {
        HBITMAP picture = LoadResImage(module, static_cast<uint16_t>(images[i]));
        if (!picture) continue;  // the other layers still show
        DrawBitmapTransparent(mem, picture, lay.left, lay.top, lay.layoutW, lay.layoutH);
        DeleteObject(picture);
    }
    BitBlt(item->hDC, rc.left, rc.top, lay.width, lay.height, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteObject(panel);
    DeleteDC(mem);
}
