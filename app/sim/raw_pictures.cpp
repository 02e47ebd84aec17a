#include "app/sim/raw_pictures.h"

#include "app/sim/video_format.h"

bool RawPictures::Add(const std::uint32_t* canvasPixels, int canvasWidth) {
  bytes_.resize(static_cast<std::size_t>(kVideoWidth) * kVideoHeight * 4);
  std::uint8_t* out = bytes_.data();
  for (int y = 0; y < kVideoHeight; ++y) {
    const std::uint32_t* row = canvasPixels + static_cast<std::size_t>(y) * canvasWidth;
    for (int x = 0; x < kVideoWidth; ++x, out += 4) {
      out[0] = static_cast<std::uint8_t>(row[x] >> 16);
      out[1] = static_cast<std::uint8_t>(row[x] >> 8);
      out[2] = static_cast<std::uint8_t>(row[x]);
      out[3] = 255;
    }
  }
  return std::fwrite(bytes_.data(), 1, bytes_.size(), to_) == bytes_.size();
}
