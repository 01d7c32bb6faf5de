// A small anti-aliased rasteriser for the launcher's artwork.
//
// Shapes are described by signed distance functions (negative inside, in design units) over a
// square design space, 64 units wide by default, that is scaled to the target pixel size. Each
// pixel's coverage comes from one distance evaluation at its centre: for a straight edge this is
// the exact area covered, so edges stay one pixel wide at every size. Because a distance also
// bounds how far the next edge can be, a row is walked in jumps over the parts that are wholly
// inside or outside, and the cost of a shape follows its outline rather than its area.
//
// The distance functions handed to Fill, Erase and SetClip must never overstate the distance to
// the outline (exact distances, and their min/max combinations, qualify).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace orlivane::art {

struct Vec2 {
    float x = 0;
    float y = 0;
};

constexpr Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
constexpr Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
constexpr Vec2 operator*(Vec2 a, float k) { return {a.x * k, a.y * k}; }
constexpr float Dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
constexpr float Cross(Vec2 a, Vec2 b) { return a.x * b.y - a.y * b.x; }
inline float Length(Vec2 a) { return std::sqrt(Dot(a, a)); }
// Rotates by `radians` (clockwise on screen, since y grows downwards).
inline Vec2 Rotate(Vec2 a, float radians) {
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    return {a.x * c - a.y * s, a.x * s + a.y * c};
}

// An axis-aligned box in design units.
struct Box {
    float x0 = 0;
    float y0 = 0;
    float x1 = 0;
    float y1 = 0;
    constexpr Box Inflated(float by) const { return {x0 - by, y0 - by, x1 + by, y1 + by}; }
};

// A colour with straight (not premultiplied) alpha, channels 0..1.
struct Color {
    float r = 0;
    float g = 0;
    float b = 0;
    float a = 1;
    // From 0xRRGGBB.
    static constexpr Color Hex(std::uint32_t rgb, float alpha = 1) {
        return {static_cast<float>((rgb >> 16) & 0xFF) / 255.0f,
                static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
                static_cast<float>(rgb & 0xFF) / 255.0f, alpha};
    }
    // Mixes towards white (amount > 0) or black (amount < 0).
    constexpr Color Shaded(float amount) const {
        const float t = amount < 0 ? -amount : amount;
        const float target = amount < 0 ? 0.0f : 1.0f;
        return {r + (target - r) * t, g + (target - g) * t, b + (target - b) * t, a};
    }
    constexpr Color WithAlpha(float alpha) const { return {r, g, b, alpha}; }
};

// A flat colour or a vertical linear gradient between two design-space rows.
struct Paint {
    Color top;
    Color bottom;
    float y_top = 0;
    float y_bottom = 1;

    static constexpr Paint Solid(Color c) { return {c, c, 0, 1}; }
    static constexpr Paint Vertical(Color top, Color bottom, float y_top, float y_bottom) {
        return {top, bottom, y_top, y_bottom};
    }
};

// Premultiplied colour used while compositing.
struct Premul {
    float r = 0;
    float g = 0;
    float b = 0;
    float a = 0;
};

// Between drawing operations the canvas keeps premultiplied 0xAARRGGBB pixels.
inline Premul Unpack(std::uint32_t p) {
    constexpr float k = 1.0f / 255.0f;
    return {static_cast<float>((p >> 16) & 0xFF) * k, static_cast<float>((p >> 8) & 0xFF) * k,
            static_cast<float>(p & 0xFF) * k, static_cast<float>(p >> 24) * k};
}

inline std::uint32_t Pack(const Premul& c) {
    const auto byte = [](float v) {
        return static_cast<std::uint32_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f);
    };
    const std::uint32_t a = byte(c.a);
    // Rounding must not lift a colour channel above its alpha.
    return (a << 24) | (std::min(byte(c.r), a) << 16) | (std::min(byte(c.g), a) << 8) |
           std::min(byte(c.b), a);
}

// Signed distance functions, in design units, negative inside.
namespace sdf {

inline float Circle(Vec2 p, Vec2 centre, float radius) { return Length(p - centre) - radius; }

// A ring whose band runs from radius - width/2 to radius + width/2.
inline float Ring(Vec2 p, Vec2 centre, float radius, float width) {
    return std::abs(Length(p - centre) - radius) - width * 0.5f;
}

inline float RoundRect(Vec2 p, Box box, float radius) {
    const float hx = (box.x1 - box.x0) * 0.5f;
    const float hy = (box.y1 - box.y0) * 0.5f;
    const float r = std::clamp(radius, 0.0f, std::min(hx, hy));
    const float qx = std::abs(p.x - (box.x0 + hx)) - hx + r;
    const float qy = std::abs(p.y - (box.y0 + hy)) - hy + r;
    const float outside = std::sqrt(std::max(qx, 0.0f) * std::max(qx, 0.0f) +
                                    std::max(qy, 0.0f) * std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - r;
}

inline float Segment(Vec2 p, Vec2 a, Vec2 b) {
    const Vec2 ab = b - a;
    const Vec2 ap = p - a;
    const float len2 = Dot(ab, ab);
    const float t = len2 > 0 ? std::clamp(Dot(ap, ab) / len2, 0.0f, 1.0f) : 0.0f;
    return Length(ap - ab * t);
}

// A thick line with round ends.
inline float Capsule(Vec2 p, Vec2 a, Vec2 b, float width) {
    return Segment(p, a, b) - width * 0.5f;
}

// A simple polygon (convex or concave, either orientation), inside by the non-zero winding rule.
// The distance is to the nearest edge, so edges must not cross one another.
inline float Polygon(Vec2 p, std::span<const Vec2> v) {
    if (v.size() < 3) return 1e9f;
    float best = 1e18f;
    int winding = 0;
    for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
        const Vec2 e = v[i] - v[j];
        const Vec2 w = p - v[j];
        const float len2 = Dot(e, e);
        const float t = len2 > 0 ? std::clamp(Dot(w, e) / len2, 0.0f, 1.0f) : 0.0f;
        const Vec2 b = w - e * t;
        best = std::min(best, Dot(b, b));
        if (v[j].y <= p.y) {
            if (v[i].y > p.y && Cross(e, w) > 0) ++winding;
        } else if (v[i].y <= p.y && Cross(e, w) < 0) {
            --winding;
        }
    }
    const float d = std::sqrt(best);
    return winding != 0 ? -d : d;
}

// A band of a ring, `radius` ± width/2, between two angles with flat radial ends. Angles are in
// radians, measured clockwise on screen from the +x axis; the sweep from `from` to `to` goes
// clockwise and must be less than a full turn.
inline float RingSector(Vec2 p, Vec2 centre, float radius, float width, float from, float to) {
    constexpr float kTwoPi = 6.28318530718f;
    float sweep = std::fmod(to - from, kTwoPi);
    if (sweep < 0) sweep += kTwoPi;
    const float half = sweep * 0.5f;
    // Turn the point so that the sector is symmetric about +y.
    const float mid = from + half;
    Vec2 q = Rotate(p - centre, 1.57079632679f - mid);
    q.x = std::abs(q.x);
    // Rotate so the radial end lies along +y, then measure as a flat-ended band.
    const Vec2 n{std::sin(half), std::cos(half)};
    const Vec2 k{n.y * q.x - n.x * q.y, n.x * q.x + n.y * q.y};
    const float ring = std::abs(Length(q) - radius) - width * 0.5f;
    const float along = std::max(0.0f, std::abs(radius - k.y) - width * 0.5f);
    const float end = std::sqrt(k.x * k.x + along * along) * (k.x < 0 ? -1.0f : 1.0f);
    return std::max(ring, end);
}

inline float Union(float a, float b) { return std::min(a, b); }
inline float Intersect(float a, float b) { return std::max(a, b); }
inline float Subtract(float a, float b) { return std::max(a, -b); }

}  // namespace sdf

class VectorCanvas {
  public:
    // A square canvas of `size_px` pixels (clamped to 0..4096) covering `design_size` units.
    explicit VectorCanvas(int size_px, float design_size = 64.0f);

    int SizePx() const { return size_; }
    // Pixels per design unit.
    float Scale() const { return scale_; }
    // One pixel, in design units.
    float Px() const { return 1.0f / scale_; }
    // The design coordinate nearest to `v` that falls on a pixel boundary.
    float Snap(float v) const { return std::round(v * scale_) / scale_; }
    // A stroke width of `width` design units, but never thinner than `min_px` pixels.
    float Stroke(float width, float min_px = 1.0f) const {
        return std::max(width, min_px / scale_);
    }

    // Paints the shape `distance` (inside `bounds`) with `paint`, source-over.
    template <class Distance>
    void Fill(const Box& bounds, const Paint& paint, Distance&& distance) {
        Raster(
            bounds, distance, [this, &paint](int y) { return RowColor(paint, y); },
            [](std::uint32_t& pixel, const Premul& src, std::uint32_t packed, float cover) {
                if (cover >= 1.0f && src.a >= 1.0f) {
                    pixel = packed;
                    return;
                }
                const Premul dst = Unpack(pixel);
                const float keep = 1.0f - src.a * cover;
                pixel = Pack({src.r * cover + dst.r * keep, src.g * cover + dst.g * keep,
                              src.b * cover + dst.b * keep, src.a * cover + dst.a * keep});
            });
    }

    // Removes what lies under the shape (destination-out), scaled by `strength`.
    template <class Distance>
    void Erase(const Box& bounds, Distance&& distance, float strength = 1.0f) {
        Raster(
            bounds, distance,
            [strength](int) {
                return Premul{0, 0, 0, strength};
            },
            [](std::uint32_t& pixel, const Premul& src, std::uint32_t, float cover) {
                const Premul dst = Unpack(pixel);
                const float keep = 1.0f - src.a * cover;
                pixel = Pack({dst.r * keep, dst.g * keep, dst.b * keep, dst.a * keep});
            });
    }

    // Restricts later drawing to the shape until ClearClip(); a new clip replaces the old one.
    template <class Distance>
    void SetClip(const Box& bounds, Distance&& distance) {
        std::vector<float> mask(pixels_.size(), 0.0f);
        clip_.clear();
        Raster(
            bounds, distance,
            [](int) {
                return Premul{1, 1, 1, 1};
            },
            [&mask, this](std::uint32_t& pixel, const Premul&, std::uint32_t, float cover) {
                mask[static_cast<std::size_t>(&pixel - pixels_.data())] = cover;
            });
        clip_.swap(mask);
    }
    void ClearClip() { clip_.clear(); }

    // Conveniences over Fill.
    void FillCircle(Vec2 centre, float radius, const Paint& paint);
    void FillRing(Vec2 centre, float radius, float width, const Paint& paint);
    void FillRoundRect(const Box& box, float radius, const Paint& paint);
    void StrokeRoundRect(const Box& box, float radius, float width, const Paint& paint);
    void FillCapsule(Vec2 a, Vec2 b, float width, const Paint& paint);
    void FillPolygon(std::span<const Vec2> points, const Paint& paint);
    void FillRingSector(Vec2 centre, float radius, float width, float from, float to,
                        const Paint& paint);

    // Premultiplied 0xAARRGGBB, top-down rows.
    const std::vector<std::uint32_t>& Argb() const { return pixels_; }
    std::vector<std::uint32_t> ToArgb() const { return pixels_; }
    // Hands the pixels over, leaving the canvas empty.
    std::vector<std::uint32_t> TakeArgb() {
        size_ = 0;
        clip_.clear();
        return std::move(pixels_);
    }

  private:
    Premul RowColor(const Paint& paint, int y) const;

    template <class Distance, class Source, class Blend>
    void Raster(const Box& bounds, Distance& distance, Source&& source, Blend&& blend) {
        if (size_ == 0) return;
        // Design box to pixel range, one pixel wider for the anti-aliased fringe.
        const auto lo = [this](float v) {
            return static_cast<int>(
                std::clamp(std::floor(v * scale_) - 1.0f, 0.0f, static_cast<float>(size_)));
        };
        const auto hi = [this](float v) {
            return static_cast<int>(
                std::clamp(std::ceil(v * scale_) + 1.0f, 0.0f, static_cast<float>(size_)));
        };
        const int px0 = lo(bounds.x0);
        const int py0 = lo(bounds.y0);
        const int px1 = hi(bounds.x1);
        const int py1 = hi(bounds.y1);
        const float inv = 1.0f / scale_;
        const bool clipped = !clip_.empty();
        for (int y = py0; y < py1; ++y) {
            const Premul src = source(y);
            const std::uint32_t packed = Pack(src);
            const float fy = (static_cast<float>(y) + 0.5f) * inv;
            const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(size_);
            int x = px0;
            while (x < px1) {
                const float d = distance(Vec2{(static_cast<float>(x) + 0.5f) * inv, fy}) * scale_;
                if (d >= 0.5f) {
                    // Outside: the next pixels up to this distance are outside too.
                    x += 1 + static_cast<int>(std::min(d - 0.5f, 1e6f));
                    continue;
                }
                if (!(d < 0.5f)) {  // not a number: leave the pixel alone
                    ++x;
                    continue;
                }
                int run = 1;
                float cover = 0.5f - d;
                if (cover >= 1.0f) {
                    // Inside: so are the next pixels up to this depth.
                    cover = 1.0f;
                    run = 1 + static_cast<int>(std::min(-d - 0.5f, 1e6f));
                }
                const int end = std::min(px1, x + run);
                for (; x < end; ++x) {
                    const std::size_t i = row + static_cast<std::size_t>(x);
                    const float c = clipped ? cover * clip_[i] : cover;
                    if (c > 0) blend(pixels_[i], src, packed, c);
                }
            }
        }
    }

    int size_ = 0;
    float scale_ = 1;
    std::vector<std::uint32_t> pixels_;
    std::vector<float> clip_;
};

}  // namespace orlivane::art
