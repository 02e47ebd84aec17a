#include "tools/artgen/icon_file.h"

namespace artgen {

namespace {

constexpr std::uint32_t kDirHeaderSize = 6;
constexpr std::uint32_t kDirEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;

std::uint32_t XorRowBytes(int w) { return ((static_cast<std::uint32_t>(w) * 4 + 31) / 32) * 4; }
std::uint32_t AndRowBytes(int w) { return ((static_cast<std::uint32_t>(w) + 31) / 32) * 4; }

std::uint32_t ImageBytes(const RgbaImage& img) {
  return kInfoHeaderSize + 16 * 4 + (XorRowBytes(img.width) + AndRowBytes(img.width)) * img.height;
}

bool Transparent(const Rgba& p) { return p.a < 128; }

}  // namespace

int NearestPaletteIndex(const Palette16& palette, Rgb c) {
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
    const long dr = c.r - palette[i].r, dg = c.g - palette[i].g, db = c.b - palette[i].b;
    const long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
    if (bestDistance < 0 || d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  return best;
}

Bytes EncodeIcon(const std::vector<RgbaImage>& images, const Palette16& palette) {
  Bytes out;
  PutLe16(out, 0);
  PutLe16(out, 1);  // icon, not cursor
  PutLe16(out, static_cast<unsigned>(images.size()));
  std::uint32_t offset = kDirHeaderSize + kDirEntrySize * static_cast<std::uint32_t>(images.size());
  for (const RgbaImage& img : images) {
    PutU8(out, static_cast<unsigned>(img.width));
    PutU8(out, static_cast<unsigned>(img.height));
    PutU8(out, 16);  // colours in the palette
    PutU8(out, 0);
    PutLe16(out, 1);  // planes
    PutLe16(out, 4);  // bits per pixel
    PutLe32(out, ImageBytes(img));
    PutLe32(out, offset);
    offset += ImageBytes(img);
  }
  for (const RgbaImage& img : images) {
    const std::uint32_t xorRow = XorRowBytes(img.width), andRow = AndRowBytes(img.width);
    PutLe32(out, kInfoHeaderSize);
    PutLe32(out, static_cast<std::uint32_t>(img.width));
    PutLe32(out, static_cast<std::uint32_t>(img.height) * 2);  // colour rows and mask rows together
    PutLe16(out, 1);
    PutLe16(out, 4);
    PutLe32(out, 0);
    PutLe32(out, (xorRow + andRow) * img.height);
    PutLe32(out, 0);
    PutLe32(out, 0);
    PutLe32(out, 16);
    PutLe32(out, 0);
    for (int i = 0; i < 16; ++i) {
      const Rgb c = i < static_cast<int>(palette.size()) ? palette[i] : kBlack;
      out.insert(out.end(), {c.b, c.g, c.r, 0});
    }
    for (int y = img.height - 1; y >= 0; --y) {
      Bytes row(xorRow, 0);
      for (int x = 0; x < img.width; ++x) {
        const Rgba& p = img.At(x, y);
        // Transparent pixels must be black in the colour part: the screen is
        // ANDed with the mask and then XORed with this.
        const int index =
            Transparent(p) ? NearestPaletteIndex(palette, kBlack) : NearestPaletteIndex(palette, Rgb{p.r, p.g, p.b});
        row[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
      }
      out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = img.height - 1; y >= 0; --y) {
      Bytes row(andRow, 0);
      for (int x = 0; x < img.width; ++x)
        if (Transparent(img.At(x, y))) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      out.insert(out.end(), row.begin(), row.end());
    }
  }
  return out;
}

}  // namespace artgen
