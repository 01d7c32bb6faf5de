#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "artwork.h"
#include "vector_canvas.h"

namespace {

using orlivane::ArtworkImage;
using orlivane::Bitmap;
using orlivane::art::Box;
using orlivane::art::Color;
using orlivane::art::Paint;
using orlivane::art::Vec2;
using orlivane::art::VectorCanvas;
namespace sdf = orlivane::art::sdf;

constexpr float kPi = 3.14159265359f;
constexpr int kSizes[] = {16, 20, 24, 32, 48, 64, 80, 96, 112, 128, 144, 160, 256};

unsigned Alpha(std::uint32_t p) { return p >> 24; }

std::uint32_t At(const Bitmap& b, int x, int y) {
    return b.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(b.width) +
                    static_cast<std::size_t>(x)];
}

std::uint32_t At(const std::vector<std::uint32_t>& px, int size, int x, int y) {
    return px[static_cast<std::size_t>(y * size + x)];
}

double AlphaSum(const std::vector<std::uint32_t>& px) {
    double sum = 0;
    for (std::uint32_t p : px) sum += Alpha(p) / 255.0;
    return sum;
}

std::string Name(int image) {
    static const char* const kNames[] = {"Tressik",  "Outlook", "Word",     "Excel",
                                         "Settings", "Chrome",  "Explorer", "LogOff"};
    return image < orlivane::kArtworkCount ? kNames[image] : "AppIcon";
}

// Image `index` in ArtworkImage order; kArtworkCount stands for the program icon.
Bitmap Render(int index, int size) {
    return index < orlivane::kArtworkCount
               ? orlivane::RenderArtwork(static_cast<ArtworkImage>(index), size)
               : orlivane::RenderAppIcon(size);
}

// Hue (degrees) and saturation of an opaque pixel's colour.
struct Hsv {
    float hue;
    float saturation;
};

Hsv ToHsv(std::uint32_t p) {
    const float r = static_cast<float>((p >> 16) & 0xFF) / 255.0f;
    const float g = static_cast<float>((p >> 8) & 0xFF) / 255.0f;
    const float b = static_cast<float>(p & 0xFF) / 255.0f;
    const float hi = std::max({r, g, b});
    const float lo = std::min({r, g, b});
    const float delta = hi - lo;
    float hue = 0;
    if (delta > 0) {
        if (hi == r) {
            hue = 60.0f * std::fmod((g - b) / delta + 6.0f, 6.0f);
        } else if (hi == g) {
            hue = 60.0f * ((b - r) / delta + 2.0f);
        } else {
            hue = 60.0f * ((r - g) / delta + 4.0f);
        }
    }
    return {hue, hi > 0 ? delta / hi : 0.0f};
}

// Share of the opaque, coloured pixels whose hue falls in [lo, hi].
float HueShare(const Bitmap& b, float lo, float hi) {
    int coloured = 0;
    int matching = 0;
    for (std::uint32_t p : b.pixels) {
        if (Alpha(p) != 255) continue;
        const Hsv c = ToHsv(p);
        if (c.saturation < 0.35f) continue;
        ++coloured;
        if (c.hue >= lo && c.hue <= hi) ++matching;
    }
    return coloured ? static_cast<float>(matching) / static_cast<float>(coloured) : 0.0f;
}

// ---------------------------------------------------------------------------------------------
// The rasteriser.

TEST(VectorCanvas, PixelAlignedEdgesAreExactAndHalfPixelEdgesHalfCovered) {
    VectorCanvas c(64);
    c.FillRoundRect({16, 16, 48, 48}, 0, Paint::Solid(Color::Hex(0xFFFFFF)));
    c.FillRoundRect({8.5f, 0, 12, 64}, 0, Paint::Solid(Color::Hex(0xFFFFFF)));
    const std::vector<std::uint32_t> px = c.ToArgb();
    for (int y = 0; y < 64; ++y) {
        for (int x = 13; x < 64; ++x) {
            const bool inside = x >= 16 && x < 48 && y >= 16 && y < 48;
            ASSERT_EQ(Alpha(At(px, 64, x, y)), inside ? 255u : 0u) << x << "," << y;
        }
    }
    EXPECT_EQ(Alpha(At(px, 64, 7, 30)), 0u);
    EXPECT_NEAR(Alpha(At(px, 64, 8, 30)), 128.0, 1.0);
    EXPECT_EQ(Alpha(At(px, 64, 9, 30)), 255u);
}

TEST(VectorCanvas, CoverageAddsUpToTheShapeArea) {
    struct Case {
        const char* name;
        double area;  // in pixels, on a 128 px canvas where one design unit is two pixels
        void (*draw)(VectorCanvas&);
    };
    static constexpr Paint kWhite = Paint::Solid(Color::Hex(0xFFFFFF));
    const Case cases[] = {
        {"circle", kPi * 20 * 20 * 4,
         [](VectorCanvas& c) {
             c.FillCircle({31.3f, 32.7f}, 20, kWhite);
         }},
        {"ring", kPi * (24.0 * 24 - 16 * 16) * 4,
         [](VectorCanvas& c) {
             c.FillRing({32, 32}, 20, 8, kWhite);
         }},
        {"capsule", (30.0 * 6 + kPi * 9) * 4,
         [](VectorCanvas& c) {
             c.FillCapsule({12, 14}, {36, 32}, 6, kWhite);
         }},
        {"rounded rectangle", (40.0 * 30 - (4 - kPi) * 36) * 4,
         [](VectorCanvas& c) {
             c.FillRoundRect({10.2f, 12, 50.2f, 42}, 6, kWhite);
         }},
        // A quarter turn of a 10..30 band, crossing the +x axis where the angle wraps.
        {"ring sector", kPi / 4 * (30.0 * 30 - 10 * 10) * 4,
         [](VectorCanvas& c) {
             c.FillRingSector({32, 32}, 20, 20, 7 * kPi / 4, kPi / 4, kWhite);
         }},
    };
    for (const Case& k : cases) {
        VectorCanvas c(128);
        k.draw(c);
        EXPECT_NEAR(AlphaSum(c.ToArgb()), k.area, k.area * 0.003) << k.name;
    }
}

TEST(VectorCanvas, ConcavePolygonInEitherOrientation) {
    // An L: the notch at the upper right must stay empty.
    std::array<Vec2, 6> l{{{8, 8}, {24, 8}, {24, 40}, {56, 40}, {56, 56}, {8, 56}}};
    const double area = (16.0 * 48 + 32 * 16) * 4;
    for (int pass = 0; pass < 2; ++pass) {
        VectorCanvas c(128);
        c.FillPolygon(l, Paint::Solid(Color::Hex(0x000000)));
        const std::vector<std::uint32_t> px = c.ToArgb();
        EXPECT_NEAR(AlphaSum(px), area, 1.0) << "pass " << pass;
        EXPECT_EQ(Alpha(At(px, 128, 80, 40)), 0u);     // in the notch
        EXPECT_EQ(Alpha(At(px, 128, 30, 100)), 255u);  // in the foot
        std::reverse(l.begin(), l.end());
    }
}

TEST(VectorCanvas, RunSkippingMatchesPixelByPixelEvaluation) {
    // Fill walks rows in jumps; every pixel must still get the coverage of its own distance.
    const auto shape = [](Vec2 p) {
        return sdf::Union(sdf::Subtract(sdf::Circle(p, {30, 30}, 22), sdf::Circle(p, {36, 26}, 9)),
                          sdf::Capsule(p, {4, 60}, {60, 50}, 3));
    };
    for (int size : {17, 64, 150}) {
        VectorCanvas c(size);
        int calls = 0;
        c.Fill({0, 0, 64, 64}, Paint::Solid(Color::Hex(0xFFFFFF)), [&](Vec2 p) {
            ++calls;
            return shape(p);
        });
        const std::vector<std::uint32_t> px = c.ToArgb();
        const float scale = static_cast<float>(size) / 64.0f;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const Vec2 p{(static_cast<float>(x) + 0.5f) / scale,
                             (static_cast<float>(y) + 0.5f) / scale};
                const float cover = std::clamp(0.5f - shape(p) * scale, 0.0f, 1.0f);
                ASSERT_NEAR(Alpha(At(px, size, x, y)), cover * 255.0f, 1.0)
                    << "size " << size << " at " << x << "," << y;
            }
        }
        if (size == 150) {
            EXPECT_LT(calls, size * size / 3);
        }
    }
}

TEST(VectorCanvas, GradientClipAndErase) {
    VectorCanvas c(64);
    c.FillRoundRect({0, 0, 64, 64}, 0,
                    Paint::Vertical(Color::Hex(0xFF0000), Color::Hex(0x0000FF), 0, 64));
    std::vector<std::uint32_t> px = c.ToArgb();
    EXPECT_GT((At(px, 64, 5, 0) >> 16) & 0xFF, 250u);
    EXPECT_LT(At(px, 64, 5, 0) & 0xFF, 5u);
    EXPECT_GT(At(px, 64, 5, 63) & 0xFF, 250u);

    // Green inside a circle only, then a hole through everything.
    const Box all{0, 0, 64, 64};
    c.SetClip(all, [](Vec2 p) { return sdf::Circle(p, {32, 32}, 10); });
    c.FillRoundRect(all, 0, Paint::Solid(Color::Hex(0x00FF00)));
    c.ClearClip();
    c.Erase(all, [](Vec2 p) { return sdf::Circle(p, {32, 32}, 3); });
    px = c.ToArgb();
    EXPECT_EQ(At(px, 64, 32, 25), 0xFF00FF00u);       // inside the clip
    EXPECT_EQ((At(px, 64, 32, 15) >> 8) & 0xFF, 0u);  // outside it: untouched
    EXPECT_EQ(At(px, 64, 32, 32), 0u);                // erased
}

// ---------------------------------------------------------------------------------------------
// The images.

TEST(Artwork, EveryImageHasTheSizeAskedForAMarginAndABody) {
    for (int index = 0; index <= orlivane::kArtworkCount; ++index) {
        for (int size : kSizes) {
            SCOPED_TRACE(Name(index) + " at " + std::to_string(size));
            const Bitmap b = Render(index, size);
            ASSERT_EQ(b.width, size);
            ASSERT_EQ(b.height, size);
            ASSERT_EQ(b.pixels.size(), static_cast<std::size_t>(size * size));
            for (const auto& [x, y] :
                 {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}}) {
                EXPECT_EQ(Alpha(At(b, x, y)), 0u) << "corner " << x << "," << y;
            }
            int opaque = 0;
            for (std::uint32_t p : b.pixels) opaque += Alpha(p) == 255;
            // The swoosh is open line work; everything else is a solid emblem.
            const int least = index == static_cast<int>(ArtworkImage::Tressik) ? 10 : 5;
            EXPECT_GT(opaque * least, size * size);
            // Nothing fills the whole square.
            EXPECT_LT(opaque, size * size * 9 / 10);
        }
    }
}

TEST(Artwork, EachImageShowsTheColourOfItsSubject) {
    struct Case {
        int index;
        float hue_lo;
        float hue_hi;
        float share;
    };
    const Case cases[] = {
        {static_cast<int>(ArtworkImage::Tressik), 200, 230, 0.5f},    // mostly blue
        {static_cast<int>(ArtworkImage::Tressik), 130, 160, 0.2f},    // and some green
        {static_cast<int>(ArtworkImage::Outlook), 195, 235, 0.9f},    // blue
        {static_cast<int>(ArtworkImage::Word), 200, 240, 0.9f},       // blue
        {static_cast<int>(ArtworkImage::Excel), 125, 165, 0.9f},      // green
        {static_cast<int>(ArtworkImage::Chrome), 0, 15, 0.15f},       // red
        {static_cast<int>(ArtworkImage::Chrome), 35, 55, 0.15f},      // yellow
        {static_cast<int>(ArtworkImage::Chrome), 125, 165, 0.15f},    // green
        {static_cast<int>(ArtworkImage::Chrome), 200, 240, 0.08f},    // blue
        {static_cast<int>(ArtworkImage::Explorer), 35, 55, 0.65f},    // yellow
        {static_cast<int>(ArtworkImage::Explorer), 200, 240, 0.08f},  // with a blue band
        {static_cast<int>(ArtworkImage::LogOff), 5, 25, 0.9f},        // orange-red
        {orlivane::kArtworkCount, 170, 225, 0.9f},                    // program icon: blue/teal
    };
    for (const Case& k : cases) {
        for (int size : {16, 32, 64, 128}) {
            EXPECT_GE(HueShare(Render(k.index, size), k.hue_lo, k.hue_hi), k.share)
                << Name(k.index) << " at " << size << " in hues " << k.hue_lo << ".." << k.hue_hi;
        }
    }
    // The gear is grey: almost none of it is coloured.
    for (int size : {16, 64, 128}) {
        const Bitmap gear = orlivane::RenderArtwork(ArtworkImage::Settings, size);
        int opaque = 0;
        int coloured = 0;
        for (std::uint32_t p : gear.pixels) {
            if (Alpha(p) != 255) continue;
            ++opaque;
            coloured += ToHsv(p).saturation > 0.2f;
        }
        EXPECT_GT(opaque, 0);
        EXPECT_LT(coloured, opaque / 50) << size;
    }
}

TEST(Artwork, TileEdgesAreCrispAtLargeSizes) {
    // A straight edge, wherever it falls, leaves at most one pixel partly covered; an image scaled
    // up from a smaller bitmap, or a soft filter, smears it over two or more.
    const int tiles[] = {static_cast<int>(ArtworkImage::Outlook),
                         static_cast<int>(ArtworkImage::Word),
                         static_cast<int>(ArtworkImage::Excel), orlivane::kArtworkCount};
    for (int index : tiles) {
        for (int size : {112, 128, 144, 160}) {
            const Bitmap b = Render(index, size);
            const int mid = size / 2;
            int partial_left = 0;
            int partial_top = 0;
            for (int i = 0; i < mid; ++i) {
                const unsigned left = Alpha(At(b, i, mid));
                const unsigned top = Alpha(At(b, mid, i));
                partial_left += left > 0 && left < 255;
                partial_top += top > 0 && top < 255;
            }
            EXPECT_LE(partial_left, 1) << Name(index) << " at " << size;
            EXPECT_LE(partial_top, 1) << Name(index) << " at " << size;
            EXPECT_EQ(Alpha(At(b, mid / 4, mid)), 255u) << Name(index) << " at " << size;
        }
    }
}

TEST(Artwork, PixelsArePremultipliedAtEverySize) {
    for (int index = 0; index <= orlivane::kArtworkCount; ++index) {
        for (int size : {1, 2, 3, 7, 16, 33, 77, 175, 225}) {
            const Bitmap b = Render(index, size);
            for (std::uint32_t p : b.pixels) {
                const unsigned a = Alpha(p);
                ASSERT_LE((p >> 16) & 0xFF, a) << Name(index) << " at " << size;
                ASSERT_LE((p >> 8) & 0xFF, a) << Name(index) << " at " << size;
                ASSERT_LE(p & 0xFF, a) << Name(index) << " at " << size;
            }
        }
    }
}

TEST(Artwork, ImagesDifferFromOneAnother) {
    std::vector<Bitmap> all;
    for (int index = 0; index <= orlivane::kArtworkCount; ++index) all.push_back(Render(index, 64));
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            int differing = 0;
            for (std::size_t k = 0; k < all[i].pixels.size(); ++k) {
                differing += all[i].pixels[k] != all[j].pixels[k];
            }
            EXPECT_GT(differing, 64 * 64 / 5)
                << Name(static_cast<int>(i)) << " vs " << Name(static_cast<int>(j));
        }
    }
}

TEST(Artwork, OddAndOutOfRangeRequests) {
    for (int size : {0, -1, -4096, 5000}) {
        const Bitmap b = orlivane::RenderArtwork(ArtworkImage::Word, size);
        EXPECT_EQ(b.width, 0);
        EXPECT_TRUE(b.pixels.empty());
        EXPECT_TRUE(orlivane::RenderAppIcon(size).pixels.empty());
    }
    EXPECT_TRUE(orlivane::RenderArtwork(static_cast<ArtworkImage>(8), 32).pixels.empty());
    EXPECT_TRUE(orlivane::RenderArtwork(static_cast<ArtworkImage>(-1), 32).pixels.empty());
    for (int size : {1, 1024}) {
        for (int index = 0; index <= orlivane::kArtworkCount; ++index) {
            const Bitmap b = Render(index, size);
            EXPECT_EQ(b.pixels.size(), static_cast<std::size_t>(size) * size) << Name(index);
        }
    }
}

}  // namespace
