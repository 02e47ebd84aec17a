#include "tools/artgen/sprite_files.h"

#include "formats/bmp_file.h"

namespace artgen {

namespace {

std::uint32_t Packed(Rgb c) { return std::uint32_t{c.r} << 16 | std::uint32_t{c.g} << 8 | c.b; }

template <typename ColourAt>
Bytes Encode(const Picture& picture, ColourAt colourAt) {
  return BmpFileImage(picture.Width(), picture.Height(), [&](int x, int y) { return Packed(colourAt(x, y)); });
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
