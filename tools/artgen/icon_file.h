#pragma once
// Windows icon files as Windows 10 and 11 show them at every size and
// display scale: each image 32 bits a pixel with its alpha (and the 1-bit
// mask older readers go by), and an image of 256 pixels as a PNG stream,
// the form Windows takes for that size.
#include <vector>

#include "tools/artgen/byte_buffer.h"
#include "tools/artgen/rgba_image.h"

namespace artgen {

// Images must be square, 1 to 256 pixels wide; they are stored in the
// order given.
Bytes EncodeIcon(const std::vector<RgbaImage>& images);

}  // namespace artgen
