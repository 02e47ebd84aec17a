#include <gtest/gtest.h>

#include <cstring>

#include "canvas/bmp_reader.h"
#include "tests/bmp_test_files.h"

using bmp_test::BmpOptions;
using bmp_test::EncodeBmp;
using bmp_test::Put16;
using bmp_test::Put32;

namespace {

// Four colours in a 5 by 3 picture: odd width to exercise row padding, and
// no symmetry, so a flipped or mirrored reading shows.
Picture Sample() {
  const std::uint32_t a = 0x00FF0000, b = 0x0000FF00, c = 0x000000FF, d = 0x00FFFFFF;
  return Picture{5, 3, {a, b, c, d, a,  //
                        b, b, a, a, c,  //
                        d, c, c, b, a}};
}

Picture TwoColourSample() {
  const std::uint32_t k = 0x00000000, w = 0x00FFFFFF;
  return Picture{9, 2, {w, k, k, w, w, k, w, k, w,  //
                        k, k, w, w, w, k, k, k, k}};
}

bool Decode(const std::string& bytes, Picture& out) {
  return DecodeBmp(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), out);
}

void ExpectSame(const Picture& want, const Picture& got) {
  ASSERT_EQ(got.width, want.width);
  ASSERT_EQ(got.height, want.height);
  EXPECT_EQ(got.pixels, want.pixels);
}

}  // namespace

TEST(BmpReader, ReadsEveryUncompressedDepthBothWaysUp) {
  for (int bits : {4, 8, 24, 32}) {
    for (bool topDown : {false, true}) {
      SCOPED_TRACE("bits " + std::to_string(bits) + (topDown ? " top-down" : " bottom-up"));
      Picture got;
      ASSERT_TRUE(Decode(EncodeBmp(Sample(), {bits, topDown}), got));
      ExpectSame(Sample(), got);
    }
  }
  Picture mono;
  ASSERT_TRUE(Decode(EncodeBmp(TwoColourSample(), {1}), mono));
  ExpectSame(TwoColourSample(), mono);
}

TEST(BmpReader, ReadsLargerHeadersBitFieldsAndTheCoreHeader) {
  for (std::uint32_t header : {40u, 108u, 124u}) {
    SCOPED_TRACE("header " + std::to_string(header));
    Picture got;
    ASSERT_TRUE(Decode(EncodeBmp(Sample(), {32, false, header, true}), got));
    ExpectSame(Sample(), got);
    ASSERT_TRUE(Decode(EncodeBmp(Sample(), {24, true, header}), got));
    ExpectSame(Sample(), got);
  }
  // 5-6-5 fields keep the pure colours of the sample exactly.
  Picture sixteen;
  ASSERT_TRUE(Decode(EncodeBmp(Sample(), {16, false, 40, true}), sixteen));
  ExpectSame(Sample(), sixteen);
  Picture core;
  ASSERT_TRUE(Decode(EncodeBmp(Sample(), {8, false, 12}), core));
  ExpectSame(Sample(), core);
}

TEST(BmpReader, FiveBitChannelsWidenToFullRange) {
  // Plain 16-bit files are 5-5-5; full-scale fields must come out as 255.
  Picture got;
  ASSERT_TRUE(Decode(EncodeBmp(bmp_test::Solid(2, 2, 0x00FFFFFF), {16}), got));
  EXPECT_EQ(got.pixels[0], 0x00FFFFFFu);
}

TEST(BmpReader, IgnoresTheTopByteOfPlainThirtyTwoBitPixels) {
  Picture got;
  ASSERT_TRUE(Decode(EncodeBmp(Sample(), {32}), got));
  ExpectSame(Sample(), got);  // the encoder puts 0xAA there
}

TEST(BmpReader, AcceptsALastRowWithoutItsPadding) {
  std::string bytes = EncodeBmp(Sample(), {24});
  bytes.resize(bytes.size() - 1);  // 5 * 3 = 15 bytes of pixels, 1 of padding
  Picture got;
  ASSERT_TRUE(Decode(bytes, got));
  ExpectSame(Sample(), got);
  bytes.resize(bytes.size() - 1);
  EXPECT_FALSE(Decode(bytes, got));
  EXPECT_TRUE(got.pixels.empty());
}

TEST(BmpReader, PaletteEntriesTheFileDoesNotDeclareReadAsBlack) {
  // The palette is red, green, blue, white; the file declares only the first
  // two, and its pixels follow right after them.
  const std::string full = EncodeBmp(Sample(), {8});
  const std::size_t paletteStart = 14 + 40;
  std::string bytes = full.substr(0, paletteStart + 2 * 4) + full.substr(paletteStart + 256 * 4);
  Put32(bytes, 46, 2);
  Put32(bytes, 10, static_cast<std::uint32_t>(paletteStart + 2 * 4));
  Picture got;
  ASSERT_TRUE(Decode(bytes, got));
  const std::uint32_t a = 0x00FF0000, b = 0x0000FF00;
  EXPECT_EQ(got.pixels, (std::vector<std::uint32_t>{a, b, 0, 0, a,  //
                                                    b, b, a, a, 0,  //
                                                    0, 0, 0, b, a}));
}

TEST(BmpReader, RejectsDamagedAndHostileFiles) {
  const std::string good = EncodeBmp(Sample(), {24});
  struct Case {
    const char* what;
    std::string bytes;
  };
  std::vector<Case> cases;
  auto with = [&](const char* what, auto change) {
    std::string b = good;
    change(b);
    cases.push_back({what, b});
  };
  cases.push_back({"empty", ""});
  cases.push_back({"only the file header", good.substr(0, 14)});
  cases.push_back({"header cut short", good.substr(0, 30)});
  cases.push_back({"pixels cut short", good.substr(0, good.size() - 20)});
  with("wrong signature", [](std::string& b) { b[0] = 'X'; });
  with("zero width", [](std::string& b) { Put32(b, 18, 0); });
  with("zero height", [](std::string& b) { Put32(b, 22, 0); });
  with("negative width", [](std::string& b) { Put32(b, 18, static_cast<std::uint32_t>(-5)); });
  with("most negative height", [](std::string& b) { Put32(b, 22, 0x80000000u); });
  with("enormous width", [](std::string& b) { Put32(b, 18, 0x7FFFFFFFu); });
  with("enormous both", [](std::string& b) {
    Put32(b, 18, 60000);
    Put32(b, 22, 60000);
  });
  with("too many pixels within the side limit", [](std::string& b) {
    Put32(b, 18, 8000);
    Put32(b, 22, 8000);
  });
  with("pixel offset past the end", [](std::string& b) { Put32(b, 10, 0xFFFFFFF0u); });
  with("pixel offset inside the header", [](std::string& b) { Put32(b, 10, 20); });
  with("pixel offset leaving too little data", [](std::string& b) { Put32(b, 10, 54 + 8); });
  with("header size past the end", [](std::string& b) { Put32(b, 14, 0xFFFFFFFFu); });
  with("unknown header size", [](std::string& b) { Put32(b, 14, 41); });
  with("two planes", [](std::string& b) { Put16(b, 26, 2); });
  with("depth 2", [](std::string& b) { Put16(b, 28, 2); });
  with("depth 0", [](std::string& b) { Put16(b, 28, 0); });
  with("depth 48", [](std::string& b) { Put16(b, 28, 48); });
  with("RLE8", [](std::string& b) {
    Put16(b, 28, 8);
    Put32(b, 30, 1);
  });
  with("RLE4", [](std::string& b) {
    Put16(b, 28, 4);
    Put32(b, 30, 2);
  });
  with("JPEG inside", [](std::string& b) { Put32(b, 30, 4); });
  with("bit fields at 24 bits", [](std::string& b) { Put32(b, 30, 3); });
  std::string gappyMasks = EncodeBmp(Sample(), {32, false, 40, true});
  Put32(gappyMasks, 54, 0x00F0F000u);
  cases.push_back({"mask with a gap", gappyMasks});
  std::string cutMasks = EncodeBmp(Sample(), {32, false, 40, true}).substr(0, 60);
  cases.push_back({"masks cut short", cutMasks});

  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Picture got{1, 1, {1}};
    EXPECT_FALSE(Decode(c.bytes, got));
    EXPECT_EQ(got.width, 0);
    EXPECT_TRUE(got.pixels.empty());
  }
}

TEST(BmpReader, NullDataIsNotAPicture) {
  Picture got;
  EXPECT_FALSE(DecodeBmp(nullptr, 100, got));
}
