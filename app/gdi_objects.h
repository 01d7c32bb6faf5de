// Owners for GDI objects and the drawing helpers the window's controls share.
#pragma once

#include <windows.h>

#include <utility>

#include "artwork.h"

namespace orlivane {

template <typename Handle>
class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    ~GdiObject() { Reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(Handle handle = nullptr) {
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

using GdiBitmap = GdiObject<HBITMAP>;
using GdiBrush = GdiObject<HBRUSH>;
using GdiPen = GdiObject<HPEN>;
using GdiFont = GdiObject<HFONT>;

// Selects an object into a DC for the scope and puts the previous one back.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Draws into an off-screen bitmap and copies it to the target when it goes out of scope,
// so a repaint never flickers.
class BufferedDc {
  public:
    BufferedDc(HDC target, const RECT& area);
    ~BufferedDc();
    BufferedDc(const BufferedDc&) = delete;
    BufferedDc& operator=(const BufferedDc&) = delete;
    HDC get() const { return dc_ ? dc_ : target_; }

  private:
    HDC target_;
    RECT area_;
    HDC dc_ = nullptr;
    GdiBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
};

// A 32-bit top-down DIB section holding the bitmap's premultiplied pixels.
GdiBitmap CreatePremultipliedBitmap(const Bitmap& pixels);

// Composites a premultiplied bitmap of `size` x `size` pixels at (x, y), unscaled.
void DrawPremultipliedBitmap(HDC dc, const GdiBitmap& bitmap, int x, int y, int size);

}  // namespace orlivane
