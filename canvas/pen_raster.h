#pragma once
#include <cstdint>

#include "canvas/surface.h"

// Lines as a solid pen draws them from a move-to point to a line-to point.
//
// A pen of width 0 or 1 is a single-pixel pen: the line is the Bresenham
// sequence of pixels from the start point up to, but not including, the end
// point (the end point is left for the next segment of a polyline, as LineTo
// leaves it). A zero-length line draws nothing.
//
// A wider pen is a geometric pen with round end caps: every pixel whose
// centre lies within width / 2 of the segment is drawn, the end points
// included, so a horizontal line of width 3 covers the three rows around it
// and reaches one pixel past either end. Centres lying exactly on the
// outline count when the shape is below or to the right of them (the
// top-left fill convention), so even widths lean up and left by a half pixel.
void DrawPenLine(const Surface& surface, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                 int penWidth, std::uint32_t colour);

// The wide-pen shape alone: a segment with round caps of the given radius.
void FillRoundCappedSegment(const Surface& surface, double x1, double y1, double x2, double y2, double radius,
                            std::uint32_t colour);
