// The launcher's images, drawn as vector shapes at the exact pixel size asked for.
#pragma once

#include <cstdint>
#include <vector>

namespace orlivane {

enum class ArtworkImage { Tressik = 0, Outlook, Word, Excel, Settings, Chrome, Explorer, LogOff };
inline constexpr int kArtworkCount = 8;

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // premultiplied 0xAARRGGBB, top-down rows
};

// A square image of `size_px` pixels (1..4096; anything else gives an empty bitmap). An image
// value outside the enumeration gives an empty bitmap too.
Bitmap RenderArtwork(ArtworkImage image, int size_px);

// The program's own icon.
Bitmap RenderAppIcon(int size_px);

}  // namespace orlivane
