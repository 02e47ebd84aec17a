#include <gtest/gtest.h>

#include "canvas/bmp_reader.h"
#include "canvas/canvas.h"
#include "tests/bmp_test_files.h"

using bmp_test::BmpOptions;
using bmp_test::EncodeBmp;
using bmp_test::Put16;
using bmp_test::Put32;

namespace {

// Four colours in a 5 by 3 picture: odd width to exercise row padding, and
// no symmetry, so a flipped or mirrored reading shows.
const std::uint32_t a = 0x00FF0000, b = 0x0000FF00, c = 0x000000FF, d = 0x00FFFFFF;
const Picture kSample{5, 3, {a, b, c, d, a, b, b, a, a, c, d, c, c, b, a}};

bool Decode(const std::string& bytes, Picture& out) {
  return DecodeBmp(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), out);
}

}  // namespace

TEST(BmpReader, ReadsEveryDepthHeaderAndLayoutExactly) {
  // Plain 16 bits is 5-5-5 and must widen full scale to 255; plain 32 bits
  // carries 0xAA in the byte the reader must ignore.
  const BmpOptions kinds[] = {
      {1},
      {4},
      {4, true},
      {8},
      {8, true},
      {16},
      {16, false, 40, true},
      {24},
      {24, true},
      {32},
      {32, true},
      {32, false, 40, true},
      {32, false, 108, true},
      {32, false, 124, true},
      {24, true, 108},
      {24, true, 124},
      {8, false, 12},
      {24, false, 12},
  };
  const Picture mono{9, 2, {d, 0, 0, d, d, 0, d, 0, d, 0, 0, d, d, d, 0, 0, 0, 0}};
  for (const BmpOptions& o : kinds) {
    SCOPED_TRACE(::testing::Message() << o.bitCount << " bits, header " << o.headerSize
                                      << (o.topDown ? " top-down" : "") << (o.bitfields ? " bit fields" : ""));
    const Picture& want = o.bitCount == 1 ? mono : kSample;
    Picture got;
    ASSERT_TRUE(Decode(EncodeBmp(want, o), got));
    EXPECT_EQ(got.width, want.width);
    EXPECT_EQ(got.height, want.height);
    EXPECT_EQ(got.pixels, want.pixels);
  }
}

TEST(BmpReader, AcceptsALastRowWithoutItsPadding) {
  std::string bytes = EncodeBmp(kSample, {24});
  bytes.resize(bytes.size() - 1);  // 5 * 3 = 15 bytes of pixels, 1 of padding
  Picture got;
  ASSERT_TRUE(Decode(bytes, got));
  EXPECT_EQ(got.pixels, kSample.pixels);
  bytes.resize(bytes.size() - 1);
  EXPECT_FALSE(Decode(bytes, got));
  EXPECT_TRUE(got.pixels.empty());
}

TEST(BmpReader, PaletteEntriesTheFileDoesNotDeclareReadAsBlack) {
  // The palette is a, b, c, d; the file declares only the first two, and its
  // pixels follow right after them.
  const std::string full = EncodeBmp(kSample, {8});
  const std::size_t paletteStart = 14 + 40;
  std::string bytes = full.substr(0, paletteStart + 2 * 4) + full.substr(paletteStart + 256 * 4);
  Put32(bytes, 46, 2);
  Put32(bytes, 10, static_cast<std::uint32_t>(paletteStart + 2 * 4));
  Picture got;
  ASSERT_TRUE(Decode(bytes, got));
  EXPECT_EQ(got.pixels, (std::vector<std::uint32_t>{a, b, 0, 0, a, b, b, a, a, 0, 0, 0, 0, b, a}));
}

TEST(BmpReader, DamagedAndHostileFilesAreRejectedAndDrawAsMissing) {
  const std::string good = EncodeBmp(kSample, {24}), fields = EncodeBmp(kSample, {32, false, 40, true});
  std::vector<std::pair<std::string, std::string>> cases = {
      {"empty", ""},
      {"only the file header", good.substr(0, 14)},
      {"header cut short", good.substr(0, 30)},
      {"pixels cut short", good.substr(0, good.size() - 20)},
      {"text", "not a bitmap at all, just text"},
      {"masks cut short", fields.substr(0, 60)},
  };
  // Fields of a good file changed; the signature, planes and depth are 16 bits wide.
  struct Patch {
    const char* what;
    std::size_t at;
    std::uint32_t value;
    std::size_t at2 = 0;
    std::uint32_t value2 = 0;
  };
  const Patch patches[] = {
      {"wrong signature", 0, 0x4D58},
      {"zero width", 18, 0},
      {"zero height", 22, 0},
      {"negative width", 18, 0xFFFFFFFBu},
      {"most negative height", 22, 0x80000000u},
      {"enormous width", 18, 0x7FFFFFFFu},
      {"enormous both", 18, 60000, 22, 60000},
      {"too many pixels within the side limit", 18, 8000, 22, 8000},
      {"pixel offset past the end", 10, 0xFFFFFFF0u},
      {"pixel offset inside the header", 10, 20},
      {"pixel offset leaving too little data", 10, 54 + 8},
      {"header size past the end", 14, 0xFFFFFFFFu},
      {"unknown header size", 14, 41},
      {"two planes", 26, 2},
      {"depth 0", 28, 0},
      {"depth 2", 28, 2},
      {"depth 48", 28, 48},
      {"RLE8", 28, 8, 30, 1},
      {"RLE4", 28, 4, 30, 2},
      {"JPEG inside", 30, 4},
      {"bit fields at 24 bits", 30, 3},
      {"mask with a gap", 54, 0x00F0F000u},
  };
  for (const Patch& p : patches) {
    std::string bytes = p.at == 54 ? fields : good;
    auto put = [&](std::size_t at, std::uint32_t v) {
      (at == 0 || at == 26 || at == 28 ? Put16 : Put32)(bytes, at, v);
    };
    put(p.at, p.value);
    if (p.at2) put(p.at2, p.value2);
    cases.push_back({p.what, bytes});
  }
  Picture nothing;
  EXPECT_FALSE(DecodeBmp(nullptr, 100, nothing));
  bmp_test::TempDir dir;
  dir.Write("mask.bmp", EncodeBmp(kSample));
  dir.Write("image.bmp", EncodeBmp(bmp_test::Solid(5, 3, 0x00C0C0C0)));
  Canvas canvas;
  canvas.Attach(nullptr, 5, 3);
  canvas.SetFileDirectory(dir.Path());
  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what);
    Picture got{1, 1, {1}};
    EXPECT_FALSE(Decode(bytes, got));
    EXPECT_TRUE(got.width == 0 && got.pixels.empty());
    // Drawn as an image it leaves the mask as it is; as a mask, only the image's AND.
    dir.Write("bad.bmp", bytes);
    canvas.ClearWhite();
    canvas.DrawSprite(0, 0, "bad.bmp", "mask.bmp", 5, 3);
    EXPECT_EQ(std::vector<std::uint32_t>(canvas.Pixels(), canvas.Pixels() + 15), kSample.pixels);
    canvas.DrawSprite(0, 0, "image.bmp", "bad.bmp", 5, 3);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(canvas.Pixels()[i], kSample.pixels[i] & 0x00C0C0C0u);
  }
}
