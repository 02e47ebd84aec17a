#pragma once
// Windows icon files with 16-colour (4 bits per pixel) images and their
// 1-bit transparency masks, the form a resource compiler takes.
#include <vector>

#include "tools/artgen/byte_buffer.h"
#include "tools/artgen/raster.h"
#include "tools/artgen/rgba_image.h"

namespace artgen {

using Palette16 = std::vector<Rgb>;  // exactly 16 colours

// Each image is reduced to the palette by nearest colour; alpha below one
// half becomes transparent. Images must be square and at most 255 wide.
Bytes EncodeIcon(const std::vector<RgbaImage>& images, const Palette16& palette);

// Index of the palette colour nearest to c.
int NearestPaletteIndex(const Palette16& palette, Rgb c);

}  // namespace artgen
