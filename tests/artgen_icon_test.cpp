// The application icons: Windows icon files a resource compiler accepts,
// checked field by field with our own reading of the format, and PNGs that
// libpng decodes.
#include <gtest/gtest.h>

#include <algorithm>
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
  bool png = false;
};

bool IsPng(const Bytes& b, std::size_t at) {
  static const unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return at + sizeof kSignature <= b.size() && std::equal(std::begin(kSignature), std::end(kSignature), b.begin() + at);
}

// Checks the directory and each image's header; returns the entries.
std::vector<IconImage> ReadIconDirectory(const Bytes& b, const std::string& name) {
  std::vector<IconImage> images;
  EXPECT_GE(b.size(), 6u) << name;
  if (b.size() < 6) return images;
  EXPECT_EQ(Le16(b, 0), 0u) << name;
  EXPECT_EQ(Le16(b, 2), 1u) << name << ": type must be icon";
  const unsigned count = Le16(b, 4);
  std::uint32_t expectedOffset = 6 + 16 * count;
  for (unsigned i = 0; i < count && 6 + 16 * (i + 1) <= b.size(); ++i) {
    const std::size_t e = 6 + 16 * i;
    IconImage img;
    img.size = b[e] == 0 ? 256 : b[e];
    EXPECT_EQ(b[e + 1], b[e]) << name << ": square";
    EXPECT_EQ(b[e + 2], 0) << name << ": no palette";
    EXPECT_EQ(Le16(b, e + 4), 1u) << name << ": planes";
    EXPECT_EQ(Le16(b, e + 6), 32u) << name << ": bits per pixel";
    img.bytes = Le32(b, e + 8);
    img.offset = Le32(b, e + 12);
    EXPECT_EQ(img.offset, expectedOffset) << name << ": images packed in order";
    expectedOffset = img.offset + img.bytes;
    img.png = IsPng(b, img.offset);
    if (!img.png) {
      const std::uint32_t andRow = ((img.size + 31) / 32) * 4;
      EXPECT_EQ(img.bytes, 40 + (img.size * 4 + andRow) * img.size) << name;
      if (img.offset + 40 <= b.size()) {
        EXPECT_EQ(Le32(b, img.offset), 40u) << name;
        EXPECT_EQ(static_cast<int>(Le32(b, img.offset + 4)), img.size) << name;
        EXPECT_EQ(static_cast<int>(Le32(b, img.offset + 8)), 2 * img.size) << name << ": colour and mask rows";
        EXPECT_EQ(Le16(b, img.offset + 14), 32u) << name;
      }
    }
    images.push_back(img);
  }
  EXPECT_EQ(expectedOffset, b.size()) << name << ": no trailing or missing bytes";
  return images;
}

// The alpha of pixel (x, y) of a bitmap image, y counted from the top, and
// its AND mask bit.
std::uint8_t IconPixelAlpha(const Bytes& b, const IconImage& img, int x, int y) {
  return b[img.offset + 40 + (static_cast<std::size_t>(img.size - 1 - y) * img.size + x) * 4 + 3];
}
bool IconPixelMasked(const Bytes& b, const IconImage& img, int x, int y) {
  const std::uint32_t andRow = ((img.size + 31) / 32) * 4;
  const std::size_t andStart = img.offset + 40 + static_cast<std::size_t>(img.size) * img.size * 4;
  const std::size_t row = andStart + static_cast<std::size_t>(img.size - 1 - y) * andRow;
  return (b[row + x / 8] >> (7 - x % 8)) & 1;
}

// Decodes a PNG with libpng into 8-bit RGBA, whatever it was stored as.
struct DecodedPng {
  bool ok = false;
  std::uint32_t width = 0, height = 0;
  std::vector<png_byte> rgba;
  std::uint8_t Alpha(std::uint32_t x, std::uint32_t y) const { return rgba[(y * width + x) * 4 + 3]; }
};

DecodedPng DecodePngBytes(const unsigned char* data, std::size_t size) {
  DecodedPng out;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data, size)) return out;
  image.format = PNG_FORMAT_RGBA;
  out.rgba.resize(PNG_IMAGE_SIZE(image));
  out.ok = png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr) != 0;
  out.width = image.width;
  out.height = image.height;
  png_image_free(&image);
  return out;
}

DecodedPng DecodePng(const std::string& path) {
  const Bytes bytes = [&] {
    std::ifstream in(path, std::ios::binary);
    return Bytes{std::istreambuf_iterator<char>(in), {}};
  }();
  return DecodePngBytes(bytes.data(), bytes.size());
}

// The program's icon at every size Windows shows: 32-bit images with soft
// alpha whose mask agrees with it, the largest a PNG of 256 pixels; the
// caption's small icon likewise.
TEST(ArtgenIcons, WindowsIconsHoldEverySizeIn32BitsAndTheLargestAsPng) {
  REQUIRE_ASSETS();
  struct File {
    const char* name;
    std::vector<int> sizes;
  } files[] = {
      {"marobel.ico", {std::begin(artgen::kWindowsIconSizes), std::end(artgen::kWindowsIconSizes)}},
      {"marobel-small.ico", {std::begin(artgen::kWindowsSmallIconSizes), std::end(artgen::kWindowsSmallIconSizes)}}};
  EXPECT_EQ(files[0].sizes, (std::vector<int>{16, 24, 32, 48, 256}));
  for (const File& file : files) {
    const Bytes b = ReadAll(file.name);
    const std::vector<IconImage> images = ReadIconDirectory(b, file.name);
    ASSERT_EQ(images.size(), file.sizes.size()) << file.name;
    for (std::size_t i = 0; i < images.size(); ++i) {
      const IconImage& img = images[i];
      EXPECT_EQ(img.size, file.sizes[i]) << file.name;
      EXPECT_EQ(img.png, img.size == 256) << file.name << " " << img.size;
      const int last = img.size - 1, mid = img.size / 2;
      if (img.png) {
        const DecodedPng png = DecodePngBytes(b.data() + img.offset, img.bytes);
        ASSERT_TRUE(png.ok) << file.name;
        EXPECT_EQ(png.width, 256u);
        EXPECT_EQ(png.height, 256u);
        EXPECT_EQ(png.Alpha(0, 0), 0);
        EXPECT_EQ(png.Alpha(mid, mid), 255);
        continue;
      }
      EXPECT_EQ(IconPixelAlpha(b, img, 0, 0), 0) << img.size;
      EXPECT_EQ(IconPixelAlpha(b, img, last, last), 0) << img.size;
      EXPECT_EQ(IconPixelAlpha(b, img, mid, mid), 255) << img.size;
      int softEdges = 0;
      for (int y = 0; y < img.size; ++y)
        for (int x = 0; x < img.size; ++x) {
          const std::uint8_t alpha = IconPixelAlpha(b, img, x, y);
          EXPECT_EQ(IconPixelMasked(b, img, x, y), alpha < 128) << img.size << " at " << x << "," << y;
          softEdges += alpha > 0 && alpha < 255;
        }
      EXPECT_GT(softEdges, 0) << img.size << ": the edge is antialiased, not cut at one bit";
    }
  }
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
