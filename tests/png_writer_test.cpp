// The project's one PNG writer: what it writes decodes, with libpng's own
// reader, to exactly the pixels it was given, and a file it cannot write is
// reported with its path rather than left half-written in silence.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/png_writer.h"

namespace {

// The picture in a file, as 8-bit RGBA rows.
std::vector<png_byte> ReadRgba(const std::string& path, std::uint32_t& width, std::uint32_t& height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  std::vector<png_byte> pixels;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return pixels;
  image.format = PNG_FORMAT_RGBA;
  pixels.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) pixels.clear();
  width = image.width;
  height = image.height;
  png_image_free(&image);
  return pixels;
}

class PngWriter : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("marobel-png-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string Path(const char* name) const { return (folder_ / name).string(); }

  std::filesystem::path folder_;
};

TEST_F(PngWriter, RgbFramesDecodeToTheirPixels) {
  // Odd sizes and every channel at its extremes; the top byte is not alpha.
  const std::vector<std::uint32_t> pixels = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFF123456};
  std::string error;
  ASSERT_TRUE(WritePng(Path("frame.png"), pixels.data(), 3, 2, error)) << error;
  std::uint32_t width = 0, height = 0;
  const std::vector<png_byte> read = ReadRgba(Path("frame.png"), width, height);
  ASSERT_EQ(read.size(), 24u);
  EXPECT_EQ(width, 3u);
  EXPECT_EQ(height, 2u);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    EXPECT_EQ(read[4 * i], (pixels[i] >> 16) & 0xFF) << "pixel " << i;
    EXPECT_EQ(read[4 * i + 1], (pixels[i] >> 8) & 0xFF) << "pixel " << i;
    EXPECT_EQ(read[4 * i + 2], pixels[i] & 0xFF) << "pixel " << i;
    EXPECT_EQ(read[4 * i + 3], 255) << "pixel " << i;
  }
}

TEST_F(PngWriter, RgbaPicturesKeepTheirSoftEdges) {
  const std::vector<std::uint8_t> rgba = {10, 20, 30, 0,   200, 100, 50,  128,  //
                                          1,  2,  3,  255, 255, 255, 255, 1};
  std::string error;
  ASSERT_TRUE(WritePngRgba(Path("icon.png"), rgba.data(), 2, 2, error)) << error;
  std::uint32_t width = 0, height = 0;
  const std::vector<png_byte> read = ReadRgba(Path("icon.png"), width, height);
  EXPECT_EQ(width, 2u);
  EXPECT_EQ(height, 2u);
  EXPECT_EQ(read, std::vector<png_byte>(rgba.begin(), rgba.end()));
}

TEST_F(PngWriter, ReportsWhatItCannotWrite) {
  const std::uint32_t pixel = 0x123456;
  const std::uint8_t rgba[4] = {1, 2, 3, 4};
  struct Case {
    const char* what;
    std::string path;
    int width;
  };
  const Case cases[] = {
      {"a folder that does not exist", Path("missing/frame.png"), 1},
      {"a folder in place of the file", folder_.string(), 1},
      {"no pixels", Path("empty.png"), 0},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(WritePng(c.path, &pixel, c.width, 1, error)) << c.what;
    EXPECT_NE(error.find(c.path), std::string::npos) << c.what << ": " << error;
    error.clear();
    EXPECT_FALSE(WritePngRgba(c.path, rgba, c.width, 1, error)) << c.what;
    EXPECT_NE(error.find(c.path), std::string::npos) << c.what << ": " << error;
  }
  EXPECT_FALSE(std::filesystem::exists(Path("empty.png")));
}

}  // namespace
