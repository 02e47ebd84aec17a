// The application icons: 16-colour icon files a resource compiler accepts,
// checked field by field with our own reading of the format, and PNGs that
// libpng decodes.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <png.h>

#include "tests/generated_assets.h"
#include "tools/artgen/asset_writer.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ReadAll(const std::string& name) {
  std::ifstream in(kAssets + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::uint32_t Le32(const Bytes& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
unsigned Le16(const Bytes& b, std::size_t at) { return b[at] | b[at + 1] << 8; }

struct IconImage {
  int size = 0;
  std::uint32_t offset = 0, bytes = 0;
};

// Checks the directory and each image's header; returns the entries.
std::vector<IconImage> ReadIconDirectory(const std::string& name) {
  const Bytes b = ReadAll(name);
  std::vector<IconImage> images;
  EXPECT_GE(b.size(), 6u) << name;
  if (b.size() < 6) return images;
  EXPECT_EQ(Le16(b, 0), 0u) << name;
  EXPECT_EQ(Le16(b, 2), 1u) << name << ": type must be icon";
  const unsigned count = Le16(b, 4);
  std::uint32_t expectedOffset = 6 + 16 * count;
  for (unsigned i = 0; i < count; ++i) {
    const std::size_t e = 6 + 16 * i;
    IconImage img;
    img.size = b[e];
    EXPECT_EQ(b[e + 1], b[e]) << name << ": square";
    EXPECT_EQ(b[e + 2], 16) << name << ": colour count";
    EXPECT_EQ(Le16(b, e + 4), 1u) << name << ": planes";
    EXPECT_EQ(Le16(b, e + 6), 4u) << name << ": bits per pixel";
    img.bytes = Le32(b, e + 8);
    img.offset = Le32(b, e + 12);
    EXPECT_EQ(img.offset, expectedOffset) << name << ": images packed in order";
    expectedOffset = img.offset + img.bytes;
    const std::uint32_t xorRow = ((img.size * 4 + 31) / 32) * 4, andRow = ((img.size + 31) / 32) * 4;
    EXPECT_EQ(img.bytes, 40 + 16 * 4 + (xorRow + andRow) * img.size) << name;
    if (img.offset + 40 <= b.size()) {
      EXPECT_EQ(Le32(b, img.offset), 40u) << name;
      EXPECT_EQ(static_cast<int>(Le32(b, img.offset + 4)), img.size) << name;
      EXPECT_EQ(static_cast<int>(Le32(b, img.offset + 8)), 2 * img.size) << name << ": colour and mask rows";
      EXPECT_EQ(Le16(b, img.offset + 14), 4u) << name;
    }
    images.push_back(img);
  }
  EXPECT_EQ(expectedOffset, b.size()) << name << ": no trailing or missing bytes";
  return images;
}

// The AND mask bit of pixel (x, y), y counted from the top.
bool IconPixelTransparent(const Bytes& b, const IconImage& img, int x, int y) {
  const std::uint32_t xorRow = ((img.size * 4 + 31) / 32) * 4, andRow = ((img.size + 31) / 32) * 4;
  const std::size_t andStart = img.offset + 40 + 64 + xorRow * img.size;
  const std::size_t row = andStart + static_cast<std::size_t>(img.size - 1 - y) * andRow;
  return (b[row + x / 8] >> (7 - x % 8)) & 1;
}

TEST(ArtgenIcons, MainIconHoldsA32AndA16PixelImage) {
  REQUIRE_ASSETS();
  const std::vector<IconImage> images = ReadIconDirectory("marobel.ico");
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].size, 32);
  EXPECT_EQ(images[1].size, 16);
  const Bytes b = ReadAll("marobel.ico");
  for (const IconImage& img : images) {
    EXPECT_TRUE(IconPixelTransparent(b, img, 0, 0));
    EXPECT_TRUE(IconPixelTransparent(b, img, img.size - 1, img.size - 1));
    EXPECT_FALSE(IconPixelTransparent(b, img, img.size / 2, img.size / 2));
  }
}

TEST(ArtgenIcons, SmallIconHoldsOne16PixelImage) {
  REQUIRE_ASSETS();
  const std::vector<IconImage> images = ReadIconDirectory("marobel-small.ico");
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].size, 16);
}

// Decodes a PNG with libpng into 8-bit RGBA, whatever it was stored as.
struct DecodedPng {
  bool ok = false;
  std::uint32_t width = 0, height = 0;
  std::vector<png_byte> rgba;
  std::uint8_t Alpha(std::uint32_t x, std::uint32_t y) const { return rgba[(y * width + x) * 4 + 3]; }
};

DecodedPng DecodePng(const std::string& path) {
  DecodedPng out;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return out;
  image.format = PNG_FORMAT_RGBA;
  out.rgba.resize(PNG_IMAGE_SIZE(image));
  out.ok = png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr) != 0;
  out.width = image.width;
  out.height = image.height;
  png_image_free(&image);
  return out;
}

// The window icon, the icon theme's and the web app's sizes: square, of the size they are
// named for, transparent in the corners and opaque in the middle.
TEST(ArtgenIcons, PngIconsDecodeAtTheirSizes) {
  REQUIRE_ASSETS();
  std::vector<std::pair<std::string, std::uint32_t>> icons = {{"marobel.png", 128}};
  for (int size : artgen::kThemeIconSizes)
    icons.emplace_back("marobel-" + std::to_string(size) + ".png", static_cast<std::uint32_t>(size));
  for (int size : artgen::kWebAppIconSizes)
    icons.emplace_back("marobel-" + std::to_string(size) + ".png", static_cast<std::uint32_t>(size));
  ASSERT_EQ(icons.size(), 9u);
  for (const auto& [name, size] : icons) {
    const DecodedPng png = DecodePng(kAssets + "/" + name);
    ASSERT_TRUE(png.ok) << name;
    EXPECT_EQ(png.width, size) << name;
    EXPECT_EQ(png.height, size) << name;
    if (png.width != size || png.height != size) continue;
    EXPECT_EQ(png.Alpha(0, 0), 0) << name;
    EXPECT_EQ(png.Alpha(size - 1, size - 1), 0) << name;
    EXPECT_EQ(png.Alpha(size / 2, size / 2), 255) << name;
  }
}

}  // namespace
