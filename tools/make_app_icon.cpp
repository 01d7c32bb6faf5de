// Renders the program icon and the artwork preview for scripts/make-app-icon.sh.
//
//   make_app_icon icon DIR       writes DIR/icon-<size>.pam for every size in the .ico file
//   make_app_icon preview FILE   writes FILE (PPM): the eight images at 32, 64, 96 and 128 px
//                                and the program icon, on the button-face grey
//   make_app_icon benchmark      prints how long rendering all eight images takes
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "artwork.h"

namespace {

using orlivane::Bitmap;

constexpr int kIconSizes[] = {16, 20, 24, 32, 40, 48, 64, 128, 256};

// PAM RGB_ALPHA holds straight (not premultiplied) alpha.
bool WritePam(const std::string& path, const Bitmap& bitmap) {
    std::ofstream out(path, std::ios::binary);
    out << "P7\nWIDTH " << bitmap.width << "\nHEIGHT " << bitmap.height
        << "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    std::vector<unsigned char> bytes;
    bytes.reserve(bitmap.pixels.size() * 4);
    for (std::uint32_t p : bitmap.pixels) {
        const unsigned a = p >> 24;
        const auto straight = [a](unsigned c) {
            return static_cast<unsigned char>(a == 0 ? 0 : std::min(255u, (c * 255 + a / 2) / a));
        };
        bytes.push_back(straight((p >> 16) & 0xFF));
        bytes.push_back(straight((p >> 8) & 0xFF));
        bytes.push_back(straight(p & 0xFF));
        bytes.push_back(static_cast<unsigned char>(a));
    }
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// Composites premultiplied images onto an opaque background.
struct Sheet {
    int width;
    int height;
    std::vector<std::uint32_t> rgb;  // 0xRRGGBB

    Sheet(int w, int h, std::uint32_t background)
        : width(w),
          height(h),
          rgb(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), background) {}

    void Draw(const Bitmap& b, int left, int top) {
        for (int y = 0; y < b.height; ++y) {
            for (int x = 0; x < b.width; ++x) {
                const int sx = left + x;
                const int sy = top + y;
                if (sx < 0 || sy < 0 || sx >= width || sy >= height) continue;
                const std::uint32_t s = b.pixels[static_cast<std::size_t>(y * b.width + x)];
                std::uint32_t& d = rgb[static_cast<std::size_t>(sy * width + sx)];
                const unsigned keep = 255 - (s >> 24);
                std::uint32_t out = 0;
                for (int shift = 0; shift <= 16; shift += 8) {
                    const unsigned sc = (s >> shift) & 0xFF;
                    const unsigned dc = (d >> shift) & 0xFF;
                    out |= std::min(255u, sc + (dc * keep + 127) / 255) << shift;
                }
                d = out;
            }
        }
    }

    bool WritePpm(const std::string& path) const {
        std::ofstream out(path, std::ios::binary);
        out << "P6\n" << width << ' ' << height << "\n255\n";
        for (std::uint32_t p : rgb) {
            const char px[3] = {static_cast<char>((p >> 16) & 0xFF),
                                static_cast<char>((p >> 8) & 0xFF), static_cast<char>(p & 0xFF)};
            out.write(px, 3);
        }
        return static_cast<bool>(out);
    }
};

int Icon(const std::string& dir) {
    for (int size : kIconSizes) {
        const std::string path = dir + "/icon-" + std::to_string(size) + ".pam";
        if (!WritePam(path, orlivane::RenderAppIcon(size))) {
            std::cerr << "cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}

int Preview(const std::string& path) {
    constexpr int kSizes[] = {32, 64, 96, 128};
    constexpr int kPad = 16;
    constexpr int kColumns = orlivane::kArtworkCount + 1;  // the images, then the program icon
    int height = kPad;
    for (int s : kSizes) height += s + kPad;
    const int width = kPad + kColumns * (128 + kPad);
    Sheet sheet(width, height, 0xF0F0F0);
    int top = kPad;
    for (int s : kSizes) {
        for (int i = 0; i < kColumns; ++i) {
            const Bitmap b =
                i < orlivane::kArtworkCount
                    ? orlivane::RenderArtwork(static_cast<orlivane::ArtworkImage>(i), s)
                    : orlivane::RenderAppIcon(s);
            const int left = kPad + i * (128 + kPad) + (128 - s) / 2;
            sheet.Draw(b, left, top);
        }
        top += s + kPad;
    }
    if (!sheet.WritePpm(path)) {
        std::cerr << "cannot write " << path << '\n';
        return 1;
    }
    return 0;
}

int Benchmark() {
    const auto render_all = [](int size) {
        std::size_t pixels = 0;
        for (int i = 0; i < orlivane::kArtworkCount; ++i) {
            pixels +=
                orlivane::RenderArtwork(static_cast<orlivane::ArtworkImage>(i), size).pixels.size();
        }
        return pixels;
    };
    for (int size : {64, 128}) {
        constexpr int kRounds = 200;
        std::vector<double> ms;
        std::size_t pixels = 0;
        for (int round = 0; round < kRounds; ++round) {
            const auto start = std::chrono::steady_clock::now();
            pixels = render_all(size);
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            ms.push_back(took.count());
        }
        const double first = ms.front();
        std::sort(ms.begin(), ms.end());
        std::printf(
            "all %d images at %d px (%zu pixels): first %.3f ms, median %.3f ms, best %.3f ms\n",
            orlivane::kArtworkCount, size, pixels, first, ms[ms.size() / 2], ms.front());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "icon" && argc == 3) return Icon(argv[2]);
    if (mode == "preview" && argc == 3) return Preview(argv[2]);
    if (mode == "benchmark" && argc == 2) return Benchmark();
    std::cerr << "usage: make_app_icon icon DIR | preview FILE.ppm | benchmark\n";
    return 2;
}
