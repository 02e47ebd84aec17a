#pragma once
// Pictures as the game's canvas reads them: uncompressed 24-bit bottom-up
// bitmaps with a 40-byte info header.
#include <cstdint>
#include <functional>
#include <vector>

// A whole bitmap file of `width` by `height` pixels; `colourAt(x, y)` gives
// pixel (x, y), counted from the top left, as 0x00RRGGBB.
std::vector<std::uint8_t> BmpFileImage(int width, int height, const std::function<std::uint32_t(int, int)>& colourAt);
