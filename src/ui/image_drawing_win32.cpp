#include "ui/image_drawing_win32.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstring>

#include "diagnostics/log.h"
#include "ui/pixel_blend.h"

namespace {

ULONG_PTR g_gdiplusToken = 0;

// The picture's bytes as a stream over a movable global block that the
// stream owns.
IStream* ResourceStream(HMODULE module, uint16_t id) {
    HRSRC r = module && id ? FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(256)) : nullptr;
    DWORD size = r ? SizeofResource(module, r) : 0;
    HGLOBAL loaded = size ? LoadResource(module, r) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    void* target = copy ? GlobalLock(copy) : nullptr;
    if (!target) {
        if (copy) GlobalFree(copy);
        return nullptr;
    }
    std::memcpy(target, bytes, size);
    GlobalUnlock(copy);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
        GlobalFree(copy);
        return nullptr;
    }
    return stream;
}

HBITMAP CreateTopDownDib(int width, int height, int bits, void** pixels) {
    BITMAPINFO bi;
    std::memset(&bi, 0, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = static_cast<WORD>(bits);
    bi.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, pixels, nullptr, 0);
}

int ReadHeader(HBITMAP picture, BITMAP* bm) {
    if (picture && GetObjectW(picture, sizeof *bm, bm) == sizeof *bm) return 1;
    DrvLog(nullptr, "draw bmp is failed. code=%d\n", static_cast<int>(GetLastError()));
    return 0;
}

// 24 bits: a mask of the key pixels takes the target where the picture is
// transparent.
int DrawKeyed(HDC dc, HBITMAP picture, int x, int y, int width, int height) {
    HDC source = CreateCompatibleDC(dc);
    HDC maskDc = CreateCompatibleDC(dc);
    HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
    int ok = source && maskDc && mask;
    if (ok) {
        HGDIOBJ oldSource = SelectObject(source, picture);
        HGDIOBJ oldMask = SelectObject(maskDc, mask);
        // Key pixels become 1 in the mask.
        SetBkColor(source, RGB(255, 0, 0));
        BitBlt(maskDc, 0, 0, width, height, source, 0, 0, SRCCOPY);
        // Key pixels of the picture to black: the mask's 1 maps to black.
        SetBkColor(source, RGB(0, 0, 0));
        SetTextColor(source, RGB(255, 255, 255));
        BitBlt(source, 0, 0, width, height, maskDc, 0, 0, SRCAND);
        // Opaque pixels of the target to black, then the picture over them.
        COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
        COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
        BitBlt(dc, x, y, width, height, maskDc, 0, 0, SRCAND);
        BitBlt(dc, x, y, width, height, source, 0, 0, SRCPAINT);
        SetBkColor(dc, oldBk);
        SetTextColor(dc, oldText);
        SelectObject(maskDc, oldMask);
        SelectObject(source, oldSource);
    }
    if (mask) DeleteObject(mask);
    if (maskDc) DeleteDC(maskDc);
    if (source) DeleteDC(source);
    return ok;
}

// 32 bits: the target rectangle read out, mixed with the picture pixel by
// pixel and written back.
int DrawMixed(HDC dc, HBITMAP picture, int x, int y, int width, int height, int greyed) {
    void* targetBits = nullptr;
    HBITMAP target = CreateTopDownDib(width, height, 32, &targetBits);
    HDC targetDc = target ? CreateCompatibleDC(dc) : nullptr;
    BITMAP bm;
    GetObjectW(picture, sizeof bm, &bm);
    // The whole picture, top-down; the part drawn is its top-left corner.
    size_t pictureBytes = static_cast<size_t>(bm.bmWidth) * bm.bmHeight * 4;
    uint8_t* whole = static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), 0, pictureBytes));
    uint8_t* source = static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), 0, static_cast<SIZE_T>(width) * height * 4));
    int ok = 0;
    if (targetDc && whole && source) {
        HGDIOBJ old = SelectObject(targetDc, target);
        BitBlt(targetDc, 0, 0, width, height, dc, x, y, SRCCOPY);
        GdiFlush();
        BITMAPINFO bi;
        std::memset(&bi, 0, sizeof bi);
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = bm.bmWidth;
        bi.bmiHeader.biHeight = -bm.bmHeight;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        ok = GetDIBits(targetDc, picture, 0, static_cast<UINT>(bm.bmHeight), whole, &bi, DIB_RGB_COLORS) == bm.bmHeight;
        for (int r = 0; ok && r < height; ++r)
            std::memcpy(source + static_cast<size_t>(r) * width * 4, whole + static_cast<size_t>(r) * bm.bmWidth * 4,
                        static_cast<size_t>(width) * 4);
        if (ok) {
            uint8_t* t = static_cast<uint8_t*>(targetBits);
            if (greyed) GreyPixels(t, source, width * height);
            else BlendPixels(t, source, width * height);
            BitBlt(dc, x, y, width, height, targetDc, 0, 0, SRCCOPY);
        }
        SelectObject(targetDc, old);
    }
    if (source) HeapFree(GetProcessHeap(), 0, source);
    if (whole) HeapFree(GetProcessHeap(), 0, whole);
    if (targetDc) DeleteDC(targetDc);
    if (target) DeleteObject(target);
    return ok;
}

int DrawPicture(HDC dc, HBITMAP picture, int x, int y, int width, int height, int greyed) {
    BITMAP bm;
    if (!dc || !ReadHeader(picture, &bm)) return 0;
    if (width > bm.bmWidth) width = bm.bmWidth;
    if (height > bm.bmHeight) height = bm.bmHeight;
    if (width <= 0 || height <= 0) return 0;
    if (bm.bmBitsPixel == 24) return DrawKeyed(dc, picture, x, y, width, height);
    if (bm.bmBitsPixel == 32) return DrawMixed(dc, picture, x, y, width, height, greyed);
    return 0;
}

}  // namespace

void StartImaging(int start) {
    if (start != 1 || g_gdiplusToken) return;
    Gdiplus::GdiplusStartupInput input;  // version 1, no background thread suppression
    if (Gdiplus::GdiplusStartup(&g_gdiplusToken, &input, nullptr) != Gdiplus::Ok) {
        g_gdiplusToken = 0;
        DrvLog(nullptr, "%hs\n", "imaging: GDI+ did not start");
    }
}

HBITMAP LoadResImage(HMODULE module, uint16_t id) {
    StartImaging(1);  // a picture asked for before the sheet started imaging
    IStream* stream = ResourceStream(module, id);
    if (!stream) return nullptr;
    Gdiplus::GpBitmap* image = nullptr;
    Gdiplus::GpStatus status = Gdiplus::DllExports::GdipCreateBitmapFromStream(stream, &image);
    stream->Release();
    if (status != Gdiplus::Ok || !image) return nullptr;
    Gdiplus::PixelFormat format = 0;
    UINT width = 0, height = 0;
    Gdiplus::DllExports::GdipGetImagePixelFormat(image, &format);
    Gdiplus::DllExports::GdipGetImageWidth(image, &width);
    Gdiplus::DllExports::GdipGetImageHeight(image, &height);
    int bits = format == PixelFormat24bppRGB ? 24 : format == PixelFormat32bppARGB ? 32 : 0;
    HBITMAP dib = nullptr;
    void* pixels = nullptr;
    if (bits && width && height && width <= 4096 && height <= 4096)
        dib = CreateTopDownDib(static_cast<int>(width), static_cast<int>(height), bits, &pixels);
    if (dib) {
        Gdiplus::GpRect rect(0, 0, static_cast<INT>(width), static_cast<INT>(height));
        Gdiplus::BitmapData data;
        std::memset(&data, 0, sizeof data);
        if (Gdiplus::DllExports::GdipBitmapLockBits(image, &rect, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite,
                                                    format, &data) == Gdiplus::Ok) {
            uint32_t stride = DibStride(static_cast<uint32_t>(bits), width);
            uint32_t copy = static_cast<uint32_t>(data.Stride < 0 ? -data.Stride : data.Stride);
            if (copy > stride) copy = stride;
            for (UINT r = 0; r < height; ++r)
                std::memcpy(static_cast<uint8_t*>(pixels) + static_cast<size_t>(r) * stride,
                            static_cast<const uint8_t*>(data.Scan0) + static_cast<ptrdiff_t>(r) * data.Stride, copy);
            Gdiplus::DllExports::GdipBitmapUnlockBits(image, &data);
        } else {
            DeleteObject(dib);
            dib = nullptr;
        }
    }
    Gdiplus::DllExports::GdipDisposeImage(image);
    return dib;
}

int DrawBitmapTransparent(HDC dc, HBITMAP picture, int x, int y, int width, int height) {
    return DrawPicture(dc, picture, x, y, width, height, 0);
}

int DrawBitmapGreyed(HDC dc, HBITMAP picture) { return DrawPicture(dc, picture, 6, 13, 136, 136, 1); }

int PictureSize(HBITMAP picture, SIZE* size) {
    BITMAP bm;
    if (!picture || GetObjectW(picture, sizeof bm, &bm) != sizeof bm) return 0;
    size->cx = bm.bmWidth;
    size->cy = bm.bmHeight;
    return 1;
}

void DrawResImageStatic(HMODULE module, const DRAWITEMSTRUCT* item, uint16_t id) {
    if (!item) return;
    HBITMAP picture = LoadResImage(module, id);
    SIZE size;
    if (!picture || !PictureSize(picture, &size)) {
        if (picture) DeleteObject(picture);
        return;
    }
    DrawBitmapTransparent(item->hDC, picture, item->rcItem.left, item->rcItem.top, size.cx, size.cy);
    DeleteObject(picture);
    if (item->rcItem.right - item->rcItem.left != size.cx || item->rcItem.bottom - item->rcItem.top != size.cy)
        SetWindowPos(item->hwndItem, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DrawSeparator(const DRAWITEMSTRUCT* item) {
    if (!item) return;
    const RECT& r = item->rcItem;
    HPEN dark = CreatePen(PS_SOLID, 1, RGB(192, 192, 192));
    HPEN light = CreatePen(PS_SOLID, 1, RGB(243, 243, 243));
    if (dark && light) {
        HGDIOBJ old = SelectObject(item->hDC, dark);
        MoveToEx(item->hDC, r.left, r.top, nullptr);
        LineTo(item->hDC, r.right, r.top);
        SelectObject(item->hDC, light);
        MoveToEx(item->hDC, r.left, r.top + 1, nullptr);
        LineTo(item->hDC, r.right, r.top + 1);
        SelectObject(item->hDC, old);
    }
    if (dark) DeleteObject(dark);
    if (light) DeleteObject(light);
    if (r.bottom - r.top != 2)
        SetWindowPos(item->hwndItem, nullptr, 0, 0, r.right - r.left, 2, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
