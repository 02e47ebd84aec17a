#pragma once
// Sprites as the game's canvas reads them: a picture and its mask, each a
// bitmap file (formats/bmp_file.h).
#include "tools/artgen/byte_buffer.h"
#include "tools/artgen/raster.h"

namespace artgen {

// The colour picture. Transparent pixels are written white so that the AND
// step of the compositing leaves the canvas under them unchanged.
Bytes EncodeSpriteImage(const Picture& picture);
// The matching mask: white where the picture is opaque, black elsewhere.
Bytes EncodeSpriteMask(const Picture& picture);
// A picture drawn with itself as mask, every pixel as painted.
Bytes EncodeOpaqueImage(const Picture& picture);

}  // namespace artgen
