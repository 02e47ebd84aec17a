#pragma once
// Bitmap files made on the spot for the canvas and reader tests, in a fresh
// temporary folder per test.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "canvas/picture.h"

namespace bmp_test {

struct BmpOptions {
  int bitCount = 24;  // 1, 4, 8, 16, 24 or 32
  bool topDown = false;
  std::uint32_t headerSize = 40;  // 12, 40, 108 or 124
  bool bitfields = false;         // 16 and 32 bits: explicit masks
};

// Little-endian fields of `bytes` bytes.
inline void PutLE(std::string& s, std::size_t at, std::uint32_t v, int bytes) {
  for (int k = 0; k < bytes; ++k) s[at + k] = static_cast<char>(v >> 8 * k & 0xFF);
}
inline void Put16(std::string& s, std::size_t at, std::uint32_t v) { PutLE(s, at, v, 2); }
inline void Put32(std::string& s, std::size_t at, std::uint32_t v) { PutLE(s, at, v, 4); }

inline Picture Solid(int w, int h, std::uint32_t colour) {
  return Picture{w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h, colour)};
}

// Encodes a picture as a bitmap file. Paletted depths take their palette
// from the picture's colours in order of first appearance (which must fit).
// Bit fields at 32 bits put blue high and red low, so that a reader that
// ignores the masks gets the colours wrong; at 16 bits they are 5-6-5.
inline std::string EncodeBmp(const Picture& p, BmpOptions o = {}) {
  std::vector<std::uint32_t> palette;
  if (o.bitCount <= 8) {
    for (std::uint32_t c : p.pixels)
      if (std::find(palette.begin(), palette.end(), c) == palette.end()) palette.push_back(c);
    palette.resize(std::size_t{1} << o.bitCount, 0);
  }
  const bool core = o.headerSize == 12;
  const std::size_t entry = core ? 3 : 4;
  const std::size_t paletteAt = 14 + o.headerSize + ((o.bitfields && o.headerSize == 40) ? 12 : 0);
  const std::size_t offBits = paletteAt + palette.size() * entry;
  const std::size_t stride = (static_cast<std::size_t>(p.width) * o.bitCount + 31) / 32 * 4;
  std::string s(offBits + stride * p.height, '\0');
  s[0] = 'B';
  s[1] = 'M';
  Put32(s, 2, static_cast<std::uint32_t>(s.size()));
  Put32(s, 10, static_cast<std::uint32_t>(offBits));
  Put32(s, 14, o.headerSize);
  const int side = core ? 2 : 4;  // the core header has 16-bit sides
  PutLE(s, 18, p.width, side);
  PutLE(s, 18 + side, static_cast<std::uint32_t>(o.topDown ? -p.height : p.height), side);
  Put16(s, 18 + 2 * side, 1);
  Put16(s, 20 + 2 * side, o.bitCount);
  if (!core) {
    Put32(s, 30, o.bitfields ? 3 : 0);
    Put32(s, 34, static_cast<std::uint32_t>(stride * p.height));
  }
  const bool wide = o.bitCount == 32;
  if (o.bitfields) {  // red, green, blue, right after the 40-byte part, in or after the header
    Put32(s, 54, wide ? 0x0000FF00u : 0xF800u);
    Put32(s, 58, wide ? 0x00FF0000u : 0x07E0u);
    Put32(s, 62, wide ? 0xFF000000u : 0x001Fu);
  }
  for (std::size_t i = 0; i < palette.size(); ++i) PutLE(s, paletteAt + i * entry, palette[i], 3);
  for (int y = 0; y < p.height; ++y) {
    const std::size_t row = offBits + stride * (o.topDown ? y : p.height - 1 - y);
    for (int x = 0; x < p.width; ++x) {
      const std::uint32_t c = p.pixels[static_cast<std::size_t>(y) * p.width + x];
      const std::uint32_t r = c >> 16 & 0xFF, g = c >> 8 & 0xFF, b = c & 0xFF;
      const std::size_t bitPos = static_cast<std::size_t>(x) * o.bitCount;
      if (o.bitCount <= 8) {
        const auto index = static_cast<std::uint32_t>(std::find(palette.begin(), palette.end(), c) - palette.begin());
        s[row + bitPos / 8] |= static_cast<char>(index << (8 - o.bitCount - bitPos % 8));
      } else if (o.bitCount == 16) {
        PutLE(s, row + bitPos / 8,
              o.bitfields ? (r >> 3) << 11 | (g >> 2) << 5 | b >> 3 : (r >> 3) << 10 | (g >> 3) << 5 | b >> 3, 2);
      } else {
        PutLE(s, row + bitPos / 8, wide && o.bitfields ? (b << 24 | g << 16 | r << 8) : (0xAAu << 24 | c),
              o.bitCount / 8);
      }
    }
  }
  return s;
}

// A fresh folder under the system's temporary folder, removed afterwards.
class TempDir {
 public:
  TempDir() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("marobel-canvas-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string Path() const { return path_.string(); }
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary | std::ios::trunc) << bytes;
    return (path_ / name).string();
  }
  void Remove(const std::string& name) const { std::filesystem::remove(path_ / name); }

 private:
  std::filesystem::path path_;
};

}  // namespace bmp_test
