#include "gdi_objects.h"

#include <cstring>

namespace orlivane {

BufferedDc::BufferedDc(HDC target, const RECT& area) : target_(target), area_(area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    dc_ = CreateCompatibleDC(target);
    bitmap_.Reset(CreateCompatibleBitmap(target, width, height));
    if (!dc_ || !bitmap_) {
        if (dc_) DeleteDC(dc_);
        dc_ = nullptr;
        return;
    }
    previous_ = SelectObject(dc_, bitmap_.get());
    SetViewportOrgEx(dc_, -area.left, -area.top, nullptr);
}

BufferedDc::~BufferedDc() {
    if (!dc_) return;
    SetViewportOrgEx(dc_, 0, 0, nullptr);
    BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, dc_,
           0, 0, SRCCOPY);
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
}

GdiBitmap CreatePremultipliedBitmap(const Bitmap& pixels) {
    if (pixels.width <= 0 || pixels.height <= 0) return GdiBitmap();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) return GdiBitmap(bitmap);
    std::memcpy(bits, pixels.pixels.data(), pixels.pixels.size() * sizeof(pixels.pixels[0]));
    return GdiBitmap(bitmap);
}

void DrawPremultipliedBitmap(HDC dc, const GdiBitmap& bitmap, int x, int y, int size) {
    if (!bitmap) return;
    HDC source = CreateCompatibleDC(dc);
    if (!source) return;
    const HGDIOBJ previous = SelectObject(source, bitmap.get());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc, x, y, size, size, source, 0, 0, size, size, blend);
    SelectObject(source, previous);
    DeleteDC(source);
}

}  // namespace orlivane
