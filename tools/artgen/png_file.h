#pragma once
// A PNG writer without a compression library: the zlib stream holds stored
// (uncompressed) deflate blocks, which every PNG reader accepts.
#include "tools/artgen/byte_buffer.h"
#include "tools/artgen/rgba_image.h"

namespace artgen {

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t Adler32(const std::uint8_t* data, std::size_t size);

// 8-bit RGBA, no interlace, filter 0 on every row.
Bytes EncodePng(const RgbaImage& image);

}  // namespace artgen
