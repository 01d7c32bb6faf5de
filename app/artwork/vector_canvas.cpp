#include "vector_canvas.h"

namespace orlivane::art {

namespace {

constexpr int kMaxSizePx = 4096;

Premul Premultiply(const Color& c) {
    const float a = std::clamp(c.a, 0.0f, 1.0f);
    return {std::clamp(c.r, 0.0f, 1.0f) * a, std::clamp(c.g, 0.0f, 1.0f) * a,
            std::clamp(c.b, 0.0f, 1.0f) * a, a};
}

}  // namespace

VectorCanvas::VectorCanvas(int size_px, float design_size)
    : size_(std::clamp(size_px, 0, kMaxSizePx)),
      scale_(design_size > 0 ? static_cast<float>(std::max(size_, 1)) / design_size : 1.0f),
      pixels_(static_cast<std::size_t>(size_) * static_cast<std::size_t>(size_), 0u) {}

Premul VectorCanvas::RowColor(const Paint& paint, int y) const {
    const Premul top = Premultiply(paint.top);
    const Premul bottom = Premultiply(paint.bottom);
    const float span = paint.y_bottom - paint.y_top;
    const float fy = (static_cast<float>(y) + 0.5f) / scale_;
    const float t = span != 0 ? std::clamp((fy - paint.y_top) / span, 0.0f, 1.0f) : 0.0f;
    return {top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t,
            top.b + (bottom.b - top.b) * t, top.a + (bottom.a - top.a) * t};
}

void VectorCanvas::FillCircle(Vec2 centre, float radius, const Paint& paint) {
    const Box bounds{centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius};
    Fill(bounds, paint, [=](Vec2 p) { return sdf::Circle(p, centre, radius); });
}

void VectorCanvas::FillRing(Vec2 centre, float radius, float width, const Paint& paint) {
    const float outer = radius + width * 0.5f;
    const Box bounds{centre.x - outer, centre.y - outer, centre.x + outer, centre.y + outer};
    Fill(bounds, paint, [=](Vec2 p) { return sdf::Ring(p, centre, radius, width); });
}

void VectorCanvas::FillRoundRect(const Box& box, float radius, const Paint& paint) {
    Fill(box, paint, [&](Vec2 p) { return sdf::RoundRect(p, box, radius); });
}

void VectorCanvas::StrokeRoundRect(const Box& box, float radius, float width, const Paint& paint) {
    // The stroke lies inside the box, so that the outline keeps to the box given.
    const float half = width * 0.5f;
    const Box mid = box.Inflated(-half);
    const float r = std::max(radius - half, 0.0f);
    Fill(box, paint, [&](Vec2 p) { return std::abs(sdf::RoundRect(p, mid, r)) - half; });
}

void VectorCanvas::FillCapsule(Vec2 a, Vec2 b, float width, const Paint& paint) {
    const float half = width * 0.5f;
    const Box bounds{std::min(a.x, b.x) - half, std::min(a.y, b.y) - half,
                     std::max(a.x, b.x) + half, std::max(a.y, b.y) + half};
    Fill(bounds, paint, [=](Vec2 p) { return sdf::Capsule(p, a, b, width); });
}

void VectorCanvas::FillPolygon(std::span<const Vec2> points, const Paint& paint) {
    if (points.size() < 3) return;
    Box bounds{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const Vec2& v : points) {
        bounds.x0 = std::min(bounds.x0, v.x);
        bounds.y0 = std::min(bounds.y0, v.y);
        bounds.x1 = std::max(bounds.x1, v.x);
        bounds.y1 = std::max(bounds.y1, v.y);
    }
    Fill(bounds, paint, [points](Vec2 p) { return sdf::Polygon(p, points); });
}

void VectorCanvas::FillRingSector(Vec2 centre, float radius, float width, float from, float to,
                                  const Paint& paint) {
    const float outer = radius + width * 0.5f;
    const Box bounds{centre.x - outer, centre.y - outer, centre.x + outer, centre.y + outer};
    Fill(bounds, paint,
         [=](Vec2 p) { return sdf::RingSector(p, centre, radius, width, from, to); });
}

}  // namespace orlivane::art
