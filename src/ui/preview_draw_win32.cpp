// The pictures are BMP files in the resource module; they are copied into a
// DIB section of their own so that drawing never touches the resource bytes.
#include "ui/preview_draw_win32.h"

#include <cstring>

#include "diagnostics/log.h"
#include "ui/preview_conditions.h"

namespace {

int Stride(int width, int bits) { return ((bits * width + 31) / 32) * 4; }

HBITMAP NewDib(int width, int height, int bits, void** pixels) {
    BITMAPINFO bi;
    std::memset(&bi, 0, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = static_cast<WORD>(bits);
    bi.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, pixels, nullptr, 0);
}

}  // namespace

HBITMAP LoadResImage(HMODULE module, uint16_t id) {
    HRSRC r = module && id ? FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(256)) : nullptr;
    HGLOBAL g = r ? LoadResource(module, r) : nullptr;
    const BYTE* data = g ? static_cast<const BYTE*>(LockResource(g)) : nullptr;
    DWORD size = r ? SizeofResource(module, r) : 0;
    if (!data || size < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) || data[0] != 'B' || data[1] != 'M')
        return nullptr;
    BITMAPINFOHEADER h;
    std::memcpy(&h, data + sizeof(BITMAPFILEHEADER), sizeof h);
    DWORD offBits;
    std::memcpy(&offBits, data + 10, 4);
    int bits = h.biBitCount;
    int width = h.biWidth, height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    if ((bits != 24 && bits != 32) || h.biCompression != BI_RGB || width <= 0 || height <= 0 || width > 4096 ||
        height > 4096)
        return nullptr;
    int stride = Stride(width, bits);
    if (offBits > size || static_cast<uint64_t>(size - offBits) < static_cast<uint64_t>(stride) * height)
        return nullptr;
    void* pixels = nullptr;
    HBITMAP dib = NewDib(width, height, bits, &pixels);
    if (!dib) return nullptr;
    for (int y = 0; y < height; y++) {
        int from = h.biHeight < 0 ? y : height - 1 - y;  // BMP files are bottom-up unless the height is negative
        std::memcpy(static_cast<BYTE*>(pixels) + y * stride, data + offBits + from * stride, stride);
    }
    return dib;
}

int DrawBitmapTransparent(HDC dc, HBITMAP picture, int x, int y, int width, int height) {
    DIBSECTION ds;
    if (!picture || GetObjectW(picture, sizeof ds, &ds) != sizeof ds) {
        DrvLog(nullptr, "draw bmp is failed. code=%d\n", static_cast<int>(GetLastError()));
        return 0;
    }
    int bits = ds.dsBm.bmBitsPixel;
    if (bits == 24) {
        HDC src = CreateCompatibleDC(dc), mask = CreateCompatibleDC(dc);
        HBITMAP monochrome = CreateBitmap(width, height, 1, 1, nullptr);
        HGDIOBJ oldSrc = SelectObject(src, picture), oldMask = SelectObject(mask, monochrome);
        SetBkColor(src, RGB(255, 0, 0));
        BitBlt(mask, 0, 0, width, height, src, 0, 0, SRCCOPY);  // key pixels become 1
        SetBkColor(src, RGB(255, 255, 255));
        SetTextColor(src, RGB(0, 0, 0));
        BitBlt(src, 0, 0, width, height, mask, 0, 0, 0x00220326);  // DSna: key pixels of the picture to black
        COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255)), oldText = SetTextColor(dc, RGB(0, 0, 0));
        BitBlt(dc, x, y, width, height, mask, 0, 0, SRCAND);
        BitBlt(dc, x, y, width, height, src, 0, 0, SRCPAINT);
        SetBkColor(dc, oldBk);
        SetTextColor(dc, oldText);
        SelectObject(mask, oldMask);
        SelectObject(src, oldSrc);
        DeleteObject(monochrome);
        DeleteDC(mask);
        DeleteDC(src);
        return 1;
    }
    if (bits != 32) return 0;
    void* target = nullptr;
    HBITMAP copy = NewDib(width, height, 32, &target);
    if (!copy) return 0;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, copy);
    BitBlt(mem, 0, 0, width, height, dc, x, y, SRCCOPY);
    GdiFlush();
    const BYTE* srcRow = static_cast<const BYTE*>(ds.dsBm.bmBits);
    int w = width < ds.dsBm.bmWidth ? width : ds.dsBm.bmWidth;
    int h = height < ds.dsBm.bmHeight ? height : ds.dsBm.bmHeight;
    for (int row = 0; row < h; row++) {
        const BYTE* s = srcRow + row * ds.dsBm.bmWidthBytes;
        BYTE* t = static_cast<BYTE*>(target) + row * width * 4;
        for (int col = 0; col < w; col++, s += 4, t += 4) {
            int a = s[3];
            if (a == 0) continue;
            for (int c = 0; c < 3; c++) {
                double v = a == 255 ? s[c] : s[c] * a / 255.0 + t[c] * (1 - a / 255.0) + 0.5;
                t[c] = static_cast<BYTE>(v < 0 ? 0 : v > 255 ? 255 : v);
            }
        }
    }
    BitBlt(dc, x, y, width, height, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteObject(copy);
    DeleteDC(mem);
    return 1;
}

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
