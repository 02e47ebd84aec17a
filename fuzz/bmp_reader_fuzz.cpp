// libFuzzer target: any byte string offered as a picture file must either
// decode into a picture whose size matches its pixels or be rejected, and
// compositing what decodes, stretched to a size taken from the input, must
// stay inside the surface. AddressSanitizer catches any stray read or write.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "canvas/bmp_reader.h"
#include "canvas/sprite_compositor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Picture picture;
  const bool ok = DecodeBmp(data, size, picture);
  if (!ok) {
    if (picture.width != 0 || picture.height != 0 || !picture.pixels.empty()) std::abort();
    return 0;
  }
  if (picture.width <= 0 || picture.height <= 0 || picture.width > kMaxBmpSide || picture.height > kMaxBmpSide ||
      picture.pixels.size() != static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height))
    std::abort();
  for (std::uint32_t p : picture.pixels)
    if (p > 0x00FFFFFFu) std::abort();

  // Place and size from the bytes after the signature, so the fuzzer also
  // explores stretching and clipping.
  std::uint32_t surfacePixels[24 * 16] = {};
  const Surface surface{surfacePixels, 24, 16};
  const int x = size > 2 ? static_cast<std::int8_t>(data[2]) / 4 : 0;
  const int y = size > 3 ? static_cast<std::int8_t>(data[3]) / 4 : 0;
  const int w = size > 6 ? data[6] % 64 : 1;
  const int h = size > 7 ? data[7] % 64 : 1;
  SpriteScratch scratch;
  CompositeSprite(surface, x, y, w, h, &picture, &picture, scratch);
  CompositeSprite(surface, x, y, w, h, nullptr, &picture, scratch);
  CompositeSprite(surface, -x, -y, w * 7, h * 5, &picture, nullptr, scratch);
  return 0;
}
