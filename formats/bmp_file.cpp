#include "formats/bmp_file.h"

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

void PutU8(std::vector<std::uint8_t>& out, unsigned v) { out.push_back(static_cast<std::uint8_t>(v)); }
void PutLe16(std::vector<std::uint8_t>& out, unsigned v) {
  PutU8(out, v & 0xFF);
  PutU8(out, (v >> 8) & 0xFF);
}
void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  PutLe16(out, v & 0xFFFF);
  PutLe16(out, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> BmpFileImage(int width, int height, const std::function<std::uint32_t(int, int)>& colourAt) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
  const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);
  std::vector<std::uint8_t> out;
  out.reserve(kFileHeaderSize + kInfoHeaderSize + imageBytes);
  PutU8(out, 'B');
  PutU8(out, 'M');
  PutLe32(out, kFileHeaderSize + kInfoHeaderSize + imageBytes);
  PutLe32(out, 0);
  PutLe32(out, kFileHeaderSize + kInfoHeaderSize);
  PutLe32(out, kInfoHeaderSize);
  PutLe32(out, static_cast<std::uint32_t>(width));
  PutLe32(out, static_cast<std::uint32_t>(height));  // positive: rows stored bottom-up
  PutLe16(out, 1);
  PutLe16(out, 24);
  PutLe32(out, 0);  // no compression
  PutLe32(out, imageBytes);
  PutLe32(out, kPixelsPerMetre);
  PutLe32(out, kPixelsPerMetre);
  PutLe32(out, 0);
  PutLe32(out, 0);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = colourAt(x, y);
      PutU8(out, c & 0xFF);
      PutU8(out, (c >> 8) & 0xFF);
      PutU8(out, (c >> 16) & 0xFF);
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(width) * 3; pad < rowBytes; ++pad) PutU8(out, 0);
  }
  return out;
}
