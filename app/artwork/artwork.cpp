#include "artwork.h"

#include <array>

#include "vector_canvas.h"

namespace orlivane {

namespace {

using art::Box;
using art::Color;
using art::Paint;
using art::Vec2;
using art::VectorCanvas;
namespace sdf = art::sdf;

constexpr int kMaxSizePx = 4096;
constexpr float kPi = 3.14159265359f;

// The shared visual language, in 64-unit design space: a 4-unit transparent margin, one tile
// corner radius, one letter weight, one detail weight, and the same light top-to-bottom shading.
constexpr float kMargin = 4.0f;
constexpr float kTileRadius = 11.0f;
constexpr float kLetterWeight = 6.5f;
constexpr float kDetailWeight = 2.6f;
constexpr Color kWhite = Color::Hex(0xFFFFFF);

Paint Shaded(Color base, float y_top, float y_bottom) {
    return Paint::Vertical(base.Shaded(0.14f), base.Shaded(-0.10f), y_top, y_bottom);
}

// The tile behind the lettered images, its edges on pixel boundaries so that they stay crisp.
Box TileBox(const VectorCanvas& c) {
    const float lo = c.Snap(kMargin);
    const float hi = c.Snap(64.0f - kMargin);
    return {lo, lo, hi, hi};
}

void DrawTile(VectorCanvas& c, const Paint& paint) {
    c.FillRoundRect(TileBox(c), kTileRadius, paint);
}

// A shape made of thick strokes cut flat at the top and bottom of a band of rows, the way the
// strokes of a bold letter end.
template <std::size_t N>
void FillStrokedLetter(VectorCanvas& c, const std::array<std::array<Vec2, 2>, N>& strokes,
                       float top, float bottom, float weight, const Paint& paint) {
    // Lengthen each stroke past the band so the flat cut falls across its full width.
    std::array<std::array<Vec2, 2>, N> long_strokes{};
    for (std::size_t i = 0; i < N; ++i) {
        const Vec2 a = strokes[i][0];
        const Vec2 b = strokes[i][1];
        const Vec2 dir = (b - a) * (1.0f / art::Length(b - a));
        long_strokes[i] = {a - dir * weight, b + dir * weight};
    }
    const float mid = (top + bottom) * 0.5f;
    const float half = (bottom - top) * 0.5f;
    float x0 = 1e9f;
    float x1 = -1e9f;
    for (const auto& s : long_strokes) {
        x0 = std::min({x0, s[0].x, s[1].x});
        x1 = std::max({x1, s[0].x, s[1].x});
    }
    const Box bounds{x0 - weight, top, x1 + weight, bottom};
    c.Fill(bounds, paint, [&](Vec2 p) {
        float d = 1e9f;
        for (const auto& s : long_strokes) d = std::min(d, sdf::Capsule(p, s[0], s[1], weight));
        return sdf::Intersect(d, std::abs(p.y - mid) - half);
    });
}

// ---- Letters, drawn inside a box of the given height centred on `centre`.

void DrawLetterO(VectorCanvas& c, Vec2 centre, float height, const Paint& paint) {
    const float w = c.Stroke(kLetterWeight, 1.5f);
    const float half_h = height * 0.5f;
    const float half_w = height * 0.40f;
    const Box mid{centre.x - half_w + w * 0.5f, centre.y - half_h + w * 0.5f,
                  centre.x + half_w - w * 0.5f, centre.y + half_h - w * 0.5f};
    const float r = (mid.x1 - mid.x0) * 0.5f;
    const Box bounds{centre.x - half_w, centre.y - half_h, centre.x + half_w, centre.y + half_h};
    c.Fill(bounds, paint, [&](Vec2 p) { return std::abs(sdf::RoundRect(p, mid, r)) - w * 0.5f; });
}

void DrawLetterW(VectorCanvas& c, Vec2 centre, float height, const Paint& paint) {
    const float w = c.Stroke(kLetterWeight * 0.9f, 1.5f);
    const float half_w = height * 0.56f;
    const float top = centre.y - height * 0.5f;
    const float bottom = centre.y + height * 0.5f;
    const float a0 = centre.x - half_w + w * 0.55f;
    const float a4 = centre.x + half_w - w * 0.55f;
    const float a2 = centre.x;
    const float b1 = (a0 + a2) * 0.5f;
    const float b3 = (a2 + a4) * 0.5f;
    const float inner_top = top + height * 0.12f;
    const std::array<std::array<Vec2, 2>, 4> strokes{{
        {Vec2{a0, top}, Vec2{b1, bottom}},
        {Vec2{b1, bottom}, Vec2{a2, inner_top}},
        {Vec2{a2, inner_top}, Vec2{b3, bottom}},
        {Vec2{b3, bottom}, Vec2{a4, top}},
    }};
    FillStrokedLetter(c, strokes, top, bottom, w, paint);
}

void DrawLetterX(VectorCanvas& c, Vec2 centre, float height, const Paint& paint) {
    const float w = c.Stroke(kLetterWeight, 1.5f);
    const float half_w = height * 0.40f;
    const float top = centre.y - height * 0.5f;
    const float bottom = centre.y + height * 0.5f;
    const float inset = w * 0.45f;
    const std::array<std::array<Vec2, 2>, 2> strokes{{
        {Vec2{centre.x - half_w + inset, top}, Vec2{centre.x + half_w - inset, bottom}},
        {Vec2{centre.x + half_w - inset, top}, Vec2{centre.x - half_w + inset, bottom}},
    }};
    FillStrokedLetter(c, strokes, top, bottom, w, paint);
}

// ---- The small object that goes with each lettered tile, in the tile's lower right.

constexpr Box kBadge{34.0f, 35.0f, 55.0f, 54.0f};

// A ring of the tile's own colour around the object, so that it stands apart from the letter.
void DrawBadgeHalo(VectorCanvas& c, const Box& box, float radius, const Paint& tile) {
    const float halo = c.Stroke(2.4f);
    c.FillRoundRect(box.Inflated(halo), radius + halo, tile);
}

void DrawEnvelope(VectorCanvas& c, const Paint& tile, Color ink) {
    const Box box{kBadge.x0, kBadge.y0 + 2.0f, kBadge.x1, kBadge.y1 - 1.0f};
    DrawBadgeHalo(c, box, 2.5f, tile);
    c.FillRoundRect(box, 2.5f, Paint::Solid(kWhite));
    const float w = c.Stroke(kDetailWeight);
    const float inset = 3.5f;
    const Vec2 left{box.x0 + inset, box.y0 + inset};
    const Vec2 right{box.x1 - inset, box.y0 + inset};
    const Vec2 fold{(box.x0 + box.x1) * 0.5f, box.y0 + (box.y1 - box.y0) * 0.58f};
    const Box bounds{left.x - w, left.y - w, right.x + w, fold.y + w};
    c.Fill(bounds, Paint::Solid(ink), [&](Vec2 p) {
        return sdf::Union(sdf::Capsule(p, left, fold, w), sdf::Capsule(p, fold, right, w));
    });
}

void DrawPage(VectorCanvas& c, const Paint& tile, Color ink) {
    const Box box{kBadge.x0 + 2.5f, kBadge.y0 - 2.0f, kBadge.x1 - 2.5f, kBadge.y1};
    const float fold = 5.5f;
    const std::array<Vec2, 5> page{{{box.x0, box.y0},
                                    {box.x1 - fold, box.y0},
                                    {box.x1, box.y0 + fold},
                                    {box.x1, box.y1},
                                    {box.x0, box.y1}}};
    DrawBadgeHalo(c, box, 1.5f, tile);
    c.Fill(box, Paint::Solid(kWhite), [&](Vec2 p) { return sdf::Polygon(p, page) - 1.0f; });
    const std::array<Vec2, 3> corner{
        {{box.x1 - fold, box.y0}, {box.x1 - fold, box.y0 + fold}, {box.x1, box.y0 + fold}}};
    c.FillPolygon(corner, Paint::Solid(ink.Shaded(0.55f)));
    const float w = c.Stroke(kDetailWeight);
    const float x0 = box.x0 + 3.5f;
    const float x1 = box.x1 - 3.5f;
    const float gap = (box.y1 - box.y0 - 3.5f - (box.y0 + fold + 2.5f - box.y0)) / 2.0f;
    for (int i = 0; i < 3; ++i) {
        const float y = box.y0 + fold + 2.5f + gap * static_cast<float>(i);
        const float end = i == 2 ? x0 + (x1 - x0) * 0.6f : x1;
        c.FillCapsule({x0, y}, {end, y}, w, Paint::Solid(ink));
    }
}

void DrawSheet(VectorCanvas& c, const Paint& tile, Color ink) {
    const Box box{kBadge.x0, kBadge.y0 + 1.0f, kBadge.x1, kBadge.y1};
    DrawBadgeHalo(c, box, 2.5f, tile);
    c.FillRoundRect(box, 2.5f, Paint::Solid(kWhite));
    const float w = c.Stroke(kDetailWeight * 0.8f);
    const float cw = (box.x1 - box.x0) / 3.0f;
    const float ch = (box.y1 - box.y0) / 3.0f;
    const Paint line = Paint::Solid(ink);
    for (int i = 1; i < 3; ++i) {
        const float x = box.x0 + cw * static_cast<float>(i);
        const float y = box.y0 + ch * static_cast<float>(i);
        c.FillRoundRect({x - w * 0.5f, box.y0, x + w * 0.5f, box.y1}, 0, line);
        c.FillRoundRect({box.x0, y - w * 0.5f, box.x1, y + w * 0.5f}, 0, line);
    }
}

// ---- The images.

// Below this size the small object would be a smudge: the letter stands alone, larger.
constexpr int kLetterOnlyBelowPx = 28;

struct LetterPlace {
    Vec2 centre;
    float height;
    bool with_object;
};

LetterPlace PlaceLetter(const VectorCanvas& c) {
    if (c.SizePx() < kLetterOnlyBelowPx) return {{32.0f, 32.0f}, 32.0f, false};
    return {{23.0f, 27.5f}, 27.0f, true};
}

void DrawOutlook(VectorCanvas& c) {
    const Color blue = Color::Hex(0x1282D6);
    const Paint tile = Shaded(blue, kMargin, 64.0f - kMargin);
    DrawTile(c, tile);
    const LetterPlace place = PlaceLetter(c);
    DrawLetterO(c, place.centre, place.height, Paint::Solid(kWhite));
    if (place.with_object) DrawEnvelope(c, tile, blue);
}

void DrawWord(VectorCanvas& c) {
    const Color blue = Color::Hex(0x2B5FC8);
    const Paint tile = Shaded(blue, kMargin, 64.0f - kMargin);
    DrawTile(c, tile);
    const LetterPlace place = PlaceLetter(c);
    const float nudge = place.with_object ? 1.0f : 0.0f;
    DrawLetterW(c, {place.centre.x + nudge, place.centre.y}, place.height - nudge,
                Paint::Solid(kWhite));
    if (place.with_object) DrawPage(c, tile, blue);
}

void DrawExcel(VectorCanvas& c) {
    const Color green = Color::Hex(0x1E9150);
    const Paint tile = Shaded(green, kMargin, 64.0f - kMargin);
    DrawTile(c, tile);
    const LetterPlace place = PlaceLetter(c);
    DrawLetterX(c, place.centre, place.height, Paint::Solid(kWhite));
    if (place.with_object) DrawSheet(c, tile, green);
}

// A band that tapers to a point at both ends: the part of one circle outside another.
// `thick` is the direction (radians) from the centre to the middle of the band, `spread` the
// angle from there to each point, `thickness` the band's width at its middle.
void DrawLune(VectorCanvas& c, Vec2 centre, float radius, float thick, float spread,
              float thickness, const Paint& paint) {
    const float t = thickness;
    const float room = 2.0f * radius * (1.0f - std::cos(spread)) - 2.0f * t;
    if (room <= 0) return;
    const float offset = t * (2.0f * radius - t) / room;
    const Vec2 dir{std::cos(thick), std::sin(thick)};
    const Vec2 cutter = centre - dir * offset;
    const float cutter_radius = radius + offset - t;
    const Box bounds{centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius};
    c.Fill(bounds, paint, [=](Vec2 p) {
        return sdf::Subtract(sdf::Circle(p, centre, radius), sdf::Circle(p, cutter, cutter_radius));
    });
}

void DrawTressik(VectorCanvas& c) {
    // Two nested sweeps opening towards the upper left: a long blue one and a shorter green one
    // inside its curve.
    constexpr float kDeg = kPi / 180.0f;
    const Vec2 centre{27.3f, 22.3f};
    DrawLune(c, centre, 31.0f, 56.0f * kDeg, 78.0f * kDeg, 12.5f,
             Shaded(Color::Hex(0x1D6FE0), 20.0f, 56.0f));
    DrawLune(c, centre, 15.5f, 56.0f * kDeg, 72.0f * kDeg, 8.5f,
             Shaded(Color::Hex(0x2BB168), 20.0f, 44.0f));
}

void DrawSettings(VectorCanvas& c) {
    constexpr int kTeeth = 8;
    constexpr float kSector = 2.0f * kPi / kTeeth;
    const Vec2 centre{32.0f, 32.0f};
    const float body = 19.5f;
    const float tip = 27.5f;
    const float round = 1.2f;
    // One tooth pointing along +x, shrunk by the corner rounding that is added back below.
    const std::array<Vec2, 4> tooth{{{body - 3.0f, -5.6f + round},
                                     {tip - round, -3.7f + round},
                                     {tip - round, 3.7f - round},
                                     {body - 3.0f, 5.6f - round}}};
    const float hole = 8.0f;
    const Box bounds{centre.x - tip, centre.y - tip, centre.x + tip, centre.y + tip};
    c.Fill(bounds, Shaded(Color::Hex(0x767E8A), centre.y - tip, centre.y + tip), [&](Vec2 p) {
        const Vec2 q = p - centre;
        const float r = art::Length(q);
        // Fold the plane onto the sector of the nearest tooth.
        float angle = std::atan2(q.y, q.x);
        angle -= std::round(angle / kSector) * kSector;
        const Vec2 f{r * std::cos(angle), r * std::sin(angle)};
        const float teeth = sdf::Polygon(f, tooth) - round;
        const float wheel = sdf::Union(r - body, teeth);
        return sdf::Subtract(wheel, r - hole);
    });
}

void DrawChrome(VectorCanvas& c) {
    const Vec2 centre{32.0f, 32.0f};
    const float outer = 28.0f;
    const float inner = 14.0f;
    const float gap = c.Stroke(2.2f, 0.75f);
    // Three bands with even gaps between them: each sector is drawn a half gap wider all round
    // and then shrunk by that half gap.
    const float mid = (outer + inner) * 0.5f;
    const float width = outer - inner + gap;
    const auto segment = [&](float from_deg, float to_deg, Color colour) {
        const float from = from_deg * kPi / 180.0f;
        const float to = to_deg * kPi / 180.0f;
        const Box bounds{centre.x - outer, centre.y - outer, centre.x + outer, centre.y + outer};
        c.Fill(bounds, Shaded(colour, centre.y - outer, centre.y + outer), [=](Vec2 p) {
            return sdf::RingSector(p, centre, mid, width, from, to) + gap * 0.5f;
        });
    };
    segment(210.0f, 330.0f, Color::Hex(0xE8453C));  // top
    segment(330.0f, 90.0f, Color::Hex(0xF5B82E));   // lower right
    segment(90.0f, 210.0f, Color::Hex(0x2EA55A));   // lower left
    c.FillCircle(centre, inner - gap, Paint::Solid(kWhite));
    c.FillCircle(centre, inner - gap - c.Stroke(2.0f, 0.75f),
                 Shaded(Color::Hex(0x2F78E4), centre.y - inner, centre.y + inner));
}

void DrawExplorer(VectorCanvas& c) {
    const float x0 = c.Snap(6.0f);
    const float x1 = c.Snap(58.0f);
    const float top = c.Snap(9.0f);
    const float bottom = c.Snap(55.0f);
    const float radius = 4.0f;
    // The back of the folder with its tab.
    const Box back{x0, top + 5.0f, x1, bottom};
    const Box tab{x0, top, x0 + 21.0f, top + 12.0f};
    c.Fill({x0, top, x1, bottom}, Paint::Solid(Color::Hex(0xE0A020)), [&](Vec2 p) {
        return sdf::Union(sdf::RoundRect(p, back, radius), sdf::RoundRect(p, tab, radius));
    });
    // The front, with a blue band across its upper edge.
    const Box front{x0, c.Snap(top + 11.0f), x1, bottom};
    const auto front_shape = [&](Vec2 p) { return sdf::RoundRect(p, front, radius); };
    c.Fill(front, Shaded(Color::Hex(0xFFC93C), front.y0, front.y1), front_shape);
    c.SetClip(front, front_shape);
    const float band = c.Snap(front.y0 + 7.0f);
    c.FillRoundRect({x0, front.y0, x1, band}, 0, Shaded(Color::Hex(0x2D74DA), front.y0, band));
    c.ClearClip();
}

void DrawLogOff(VectorCanvas& c) {
    const Vec2 centre{32.0f, 32.0f};
    const float radius = 28.0f;
    c.FillCircle(centre, radius,
                 Shaded(Color::Hex(0xEC5526), centre.y - radius, centre.y + radius));
    const float arm = 9.5f;
    const float w = c.Stroke(kLetterWeight, 1.5f);
    const Vec2 a{centre.x - arm, centre.y - arm};
    const Vec2 b{centre.x + arm, centre.y + arm};
    const Vec2 d{centre.x + arm, centre.y - arm};
    const Vec2 e{centre.x - arm, centre.y + arm};
    c.Fill({a.x - w, a.y - w, b.x + w, b.y + w}, Paint::Solid(kWhite),
           [&](Vec2 p) { return sdf::Union(sdf::Capsule(p, a, b, w), sdf::Capsule(p, d, e, w)); });
}

void DrawAppIcon(VectorCanvas& c) {
    // A blue-to-teal tile, a window outline, and an arrow leaving it towards the upper right.
    const float lo = c.Snap(2.0f);
    const float hi = c.Snap(62.0f);
    const Paint tile = Paint::Vertical(Color::Hex(0x2F7DEB), Color::Hex(0x13A89E), lo, hi);
    c.FillRoundRect({lo, lo, hi, hi}, kTileRadius + 1.0f, tile);

    const bool small = c.SizePx() <= 24;
    const float w = small ? c.Stroke(5.0f, 1.0f) : c.Stroke(4.2f);
    const Paint white = Paint::Solid(kWhite);
    const Box window{c.Snap(12.0f), c.Snap(20.0f), c.Snap(44.0f), c.Snap(52.0f)};
    c.StrokeRoundRect(window, 4.0f, w, white);
    c.FillRoundRect({window.x0, window.y0, window.x1, c.Snap(window.y0 + 8.5f)}, 0, white);

    // The arrow, with a gap of tile colour where it crosses the window's edge.
    const Vec2 from{28.0f, 36.0f};
    const Vec2 to{50.0f, 14.0f};
    const float head = 11.0f;
    const float aw = small ? c.Stroke(6.0f, 1.0f) : c.Stroke(5.0f);
    const Vec2 shaft_end = to + Vec2{-head * 0.45f, head * 0.45f};
    const std::array<Vec2, 3> tip{{to, {to.x - head, to.y}, {to.x, to.y + head}}};
    const auto arrow = [&](Vec2 p) {
        return sdf::Union(sdf::Capsule(p, from, shaft_end, aw), sdf::Polygon(p, tip));
    };
    const Box bounds{from.x - aw, to.y - aw, to.x + aw, from.y + aw};
    const float halo = c.Stroke(3.0f);
    c.Fill(bounds.Inflated(halo), tile, [&](Vec2 p) { return arrow(p) - halo; });
    c.Fill(bounds, white, arrow);
}

Bitmap Finish(VectorCanvas& c) {
    Bitmap bitmap;
    bitmap.width = c.SizePx();
    bitmap.height = c.SizePx();
    bitmap.pixels = c.TakeArgb();
    return bitmap;
}

}  // namespace

Bitmap RenderArtwork(ArtworkImage image, int size_px) {
    if (size_px <= 0 || size_px > kMaxSizePx) return {};
    VectorCanvas canvas(size_px);
    switch (image) {
        case ArtworkImage::Tressik:
            DrawTressik(canvas);
            break;
        case ArtworkImage::Outlook:
            DrawOutlook(canvas);
            break;
        case ArtworkImage::Word:
            DrawWord(canvas);
            break;
        case ArtworkImage::Excel:
            DrawExcel(canvas);
            break;
        case ArtworkImage::Settings:
            DrawSettings(canvas);
            break;
        case ArtworkImage::Chrome:
            DrawChrome(canvas);
            break;
        case ArtworkImage::Explorer:
            DrawExplorer(canvas);
            break;
        case ArtworkImage::LogOff:
            DrawLogOff(canvas);
            break;
        default:
            return {};
    }
    return Finish(canvas);
}

Bitmap RenderAppIcon(int size_px) {
    if (size_px <= 0 || size_px > kMaxSizePx) return {};
    VectorCanvas canvas(size_px);
    DrawAppIcon(canvas);
    return Finish(canvas);
}

}  // namespace orlivane
