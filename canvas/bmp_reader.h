#pragma once
#include <cstddef>
#include <cstdint>

#include "canvas/picture.h"

// Largest picture the reader accepts. The game's biggest picture is a few
// hundred pixels on a side; the caps only keep a hostile header from asking
// for gigabytes.
inline constexpr int kMaxBmpSide = 8192;
inline constexpr std::int64_t kMaxBmpPixels = std::int64_t{4096} * 4096;

// Decodes an uncompressed Windows bitmap file held in memory: 1, 4, 8, 16,
// 24 and 32 bits per pixel, bottom-up or top-down, with the 12-byte core
// header, the 40-byte info header or its larger V2..V5 variants, BI_RGB and
// BI_BITFIELDS. Anything else (compressed, truncated, inconsistent or too
// large) is rejected: returns false and leaves `out` empty. Never reads
// outside [data, data + size).
bool DecodeBmp(const std::uint8_t* data, std::size_t size, Picture& out);
