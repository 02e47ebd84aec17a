// The application icons: 16-colour icon files a resource compiler accepts, and
// a PNG every reader can decode, checked field by field and checksum by
// checksum with our own reading of the formats.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/generated_assets.h"

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
std::uint32_t Be32(const Bytes& b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

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

std::uint32_t Crc(const Bytes& b, std::size_t from, std::size_t to) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = from; i < to; ++i) {
    crc ^= b[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

TEST(ArtgenIcons, PngChunksAndDeflateStreamAreIntact) {
  REQUIRE_ASSETS();
  const Bytes b = ReadAll("marobel.png");
  const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ASSERT_GE(b.size(), 8u);
  ASSERT_TRUE(std::equal(signature.begin(), signature.end(), b.begin()));
  std::uint32_t width = 0, height = 0;
  Bytes zlib;
  bool ended = false;
  for (std::size_t at = 8; at + 12 <= b.size() && !ended;) {
    const std::uint32_t len = Be32(b, at);
    const std::string type(b.begin() + at + 4, b.begin() + at + 8);
    ASSERT_LE(at + 12 + len, b.size()) << type;
    EXPECT_EQ(Be32(b, at + 8 + len), Crc(b, at + 4, at + 8 + len)) << type << " CRC";
    if (type == "IHDR") {
      width = Be32(b, at + 8);
      height = Be32(b, at + 12);
      EXPECT_EQ(b[at + 16], 8) << "bit depth";
      EXPECT_EQ(b[at + 17], 6) << "RGBA";
      EXPECT_EQ(b[at + 20], 0) << "no interlace";
    } else if (type == "IDAT") {
      zlib.insert(zlib.end(), b.begin() + at + 8, b.begin() + at + 8 + len);
    } else if (type == "IEND") {
      ended = true;
    }
    at += 12 + len;
  }
  ASSERT_TRUE(ended);
  EXPECT_EQ(width, height);
  EXPECT_GE(width, 48u);

  // Inflate: the stream may only use stored blocks, which we can read here.
  ASSERT_GE(zlib.size(), 6u);
  EXPECT_EQ((zlib[0] * 256 + zlib[1]) % 31, 0) << "zlib header check";
  EXPECT_EQ(zlib[0] & 0x0F, 8) << "deflate";
  Bytes raw;
  std::size_t at = 2;
  for (bool last = false; !last;) {
    ASSERT_LE(at + 5, zlib.size());
    last = zlib[at] & 1;
    ASSERT_EQ((zlib[at] >> 1) & 3, 0) << "only stored blocks are readable here";
    const unsigned len = Le16(zlib, at + 1), nlen = Le16(zlib, at + 3);
    ASSERT_EQ(len ^ 0xFFFFu, nlen);
    ASSERT_LE(at + 5 + len, zlib.size());
    raw.insert(raw.end(), zlib.begin() + at + 5, zlib.begin() + at + 5 + len);
    at += 5 + len;
  }
  ASSERT_EQ(at + 4, zlib.size());
  std::uint32_t a = 1, s = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521;
    s = (s + a) % 65521;
  }
  EXPECT_EQ(Be32(zlib, at), s << 16 | a) << "Adler-32";
  ASSERT_EQ(raw.size(), height * (1 + 4 * width));

  auto alpha = [&](std::uint32_t x, std::uint32_t y) { return raw[y * (1 + 4 * width) + 1 + 4 * x + 3]; };
  for (std::uint32_t y = 0; y < height; ++y) EXPECT_EQ(raw[y * (1 + 4 * width)], 0) << "row filter";
  EXPECT_EQ(alpha(0, 0), 0);
  EXPECT_EQ(alpha(width - 1, height - 1), 0);
  EXPECT_EQ(alpha(width / 2, height / 2), 255);
}

}  // namespace
