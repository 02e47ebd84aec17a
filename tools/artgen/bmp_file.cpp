#include "tools/artgen/bmp_file.h"

#include <functional>

namespace artgen {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

Bytes Encode(const Picture& picture, const std::function<Rgb(int, int)>& colourAt) {
  const int w = picture.Width(), h = picture.Height();
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(w) * 3 + 3) & ~3u;
  const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(h);
  Bytes out;
  out.reserve(kFileHeaderSize + kInfoHeaderSize + imageBytes);
  PutText(out, "BM");
  PutLe32(out, kFileHeaderSize + kInfoHeaderSize + imageBytes);
  PutLe32(out, 0);
  PutLe32(out, kFileHeaderSize + kInfoHeaderSize);
  PutLe32(out, kInfoHeaderSize);
  PutLe32(out, static_cast<std::uint32_t>(w));
  PutLe32(out, static_cast<std::uint32_t>(h));  // positive: rows stored bottom-up
  PutLe16(out, 1);
  PutLe16(out, 24);
  PutLe32(out, 0);  // no compression
  PutLe32(out, imageBytes);
  PutLe32(out, kPixelsPerMetre);
  PutLe32(out, kPixelsPerMetre);
  PutLe32(out, 0);
  PutLe32(out, 0);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      const Rgb c = colourAt(x, y);
      PutU8(out, c.b);
      PutU8(out, c.g);
      PutU8(out, c.r);
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(w) * 3; pad < rowBytes; ++pad) PutU8(out, 0);
  }
  return out;
}

}  // namespace

Bytes EncodeSpriteImage(const Picture& picture) {
  return Encode(picture, [&](int x, int y) { return picture.Opaque(x, y) ? picture.At(x, y) : kWhite; });
}

Bytes EncodeSpriteMask(const Picture& picture) {
  return Encode(picture, [&](int x, int y) { return picture.Opaque(x, y) ? kWhite : kBlack; });
}

Bytes EncodeOpaqueImage(const Picture& picture) {
  return Encode(picture, [&](int x, int y) { return picture.Opaque(x, y) ? picture.At(x, y) : kBlack; });
}

}  // namespace artgen
