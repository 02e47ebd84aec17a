#include "tools/artgen/icon_file.h"

#include "formats/png_writer.h"

namespace artgen {

namespace {

constexpr std::uint32_t kDirHeaderSize = 6;
constexpr std::uint32_t kDirEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;
// From this size on an image is stored as PNG: a bitmap of it would be a
// quarter of a megabyte.
constexpr int kPngSize = 256;

std::uint32_t AndRowBytes(int w) { return ((static_cast<std::uint32_t>(w) + 31) / 32) * 4; }

bool Transparent(const Rgba& p) { return p.a < 128; }

// BITMAPINFOHEADER, then the colour rows bottom-up as B, G, R, A, then the
// mask rows bottom-up, one bit a pixel, set where the pixel is transparent.
Bytes BitmapImage(const RgbaImage& img) {
  const std::uint32_t andRow = AndRowBytes(img.width);
  const std::uint32_t colourBytes = static_cast<std::uint32_t>(img.width) * img.height * 4;
  Bytes out;
  PutLe32(out, kInfoHeaderSize);
  PutLe32(out, static_cast<std::uint32_t>(img.width));
  PutLe32(out, static_cast<std::uint32_t>(img.height) * 2);  // colour rows and mask rows together
  PutLe16(out, 1);                                           // planes
  PutLe16(out, 32);                                          // bits per pixel
  PutLe32(out, 0);                                           // no compression
  PutLe32(out, colourBytes + andRow * img.height);
  for (int i = 0; i < 4; ++i) PutLe32(out, 0);  // resolution and palette: none
  for (int y = img.height - 1; y >= 0; --y) {
    for (int x = 0; x < img.width; ++x) {
      const Rgba& p = img.At(x, y);
      out.insert(out.end(), {p.b, p.g, p.r, p.a});
    }
  }
  for (int y = img.height - 1; y >= 0; --y) {
    Bytes row(andRow, 0);
    for (int x = 0; x < img.width; ++x)
      if (Transparent(img.At(x, y))) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

Bytes StoredImage(const RgbaImage& img) {
  static_assert(sizeof(Rgba) == 4, "RGBA pixels are encoded as four bytes each");
  if (img.width >= kPngSize)
    return EncodePngRgba(reinterpret_cast<const std::uint8_t*>(img.pixels.data()), img.width, img.height);
  return BitmapImage(img);
}

}  // namespace

Bytes EncodeIcon(const std::vector<RgbaImage>& images) {
  std::vector<Bytes> stored;
  for (const RgbaImage& img : images) stored.push_back(StoredImage(img));

  Bytes out;
  PutLe16(out, 0);
  PutLe16(out, 1);  // icon, not cursor
  PutLe16(out, static_cast<unsigned>(images.size()));
  std::uint32_t offset = kDirHeaderSize + kDirEntrySize * static_cast<std::uint32_t>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    // A width or height of 256 is written as 0.
    PutU8(out, static_cast<unsigned>(images[i].width) & 0xFF);
    PutU8(out, static_cast<unsigned>(images[i].height) & 0xFF);
    PutU8(out, 0);  // no palette
    PutU8(out, 0);
    PutLe16(out, 1);   // planes
    PutLe16(out, 32);  // bits per pixel
    PutLe32(out, static_cast<std::uint32_t>(stored[i].size()));
    PutLe32(out, offset);
    offset += static_cast<std::uint32_t>(stored[i].size());
  }
  for (const Bytes& image : stored) out.insert(out.end(), image.begin(), image.end());
  return out;
}

}  // namespace artgen
