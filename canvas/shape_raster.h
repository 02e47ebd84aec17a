#pragma once
#include <cstdint>

#include "canvas/surface.h"

// Filled and outlined figures given by a bounding rectangle, as Rectangle
// and Ellipse draw them with a solid pen and a solid brush.
//
// The rectangle is normalised first (left/right and top/bottom swapped when
// given the other way round). Its right and bottom edges are excluded: the
// figure's outline runs through the pixels left .. right - 1 and
// top .. bottom - 1, so a one-pixel pen outlines exactly the pixels of that
// box and the brush fills what lies strictly inside. A wider pen is centred
// on that same outline with round joins and so reaches width / 2 beyond the
// box on every side; only an inside-frame pen would shrink the figure to fit,
// and the canvas's pens are plain solid ones. A box narrower or lower than
// one pixel draws nothing.
void DrawRectangleFigure(const Surface& surface, std::int64_t left, std::int64_t top, std::int64_t right,
                         std::int64_t bottom, int penWidth, std::uint32_t penColour, std::uint32_t brushColour);

// The ellipse inscribed in the same outline box. A one-pixel pen draws the
// boundary pixels of the ellipse's pixel set and the brush fills the rest;
// a wider pen draws the ring between the ellipses width / 2 outside and
// inside the outline (concentric ellipses standing in for the exact offset
// curve, which differs by under a pixel for the sizes a game uses).
void DrawEllipseFigure(const Surface& surface, std::int64_t left, std::int64_t top, std::int64_t right,
                       std::int64_t bottom, int penWidth, std::uint32_t penColour, std::uint32_t brushColour);
