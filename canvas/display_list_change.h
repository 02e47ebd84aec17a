#pragma once
#include "canvas/canvas_box.h"
#include "canvas/display_list.h"

class Canvas;

// Where the picture of `after` on `canvas` can differ from that of
// `before`, so that composing `after` there alone, over the picture of
// `before`, gives the picture of `after` whole. Every call colours each
// pixel from that pixel alone, so the calls the two lists share, in the
// same order and alike in everything, colour a pixel outside the other
// calls the same way in both: what is returned covers every other call of
// either list (a text as `canvas` lays it out), in at most
// kMostChangedBoxes boxes that do not overlap. None: the pictures are the
// same.
inline constexpr std::size_t kMostChangedBoxes = 4;
std::vector<CanvasBox> WhereListsDiffer(const DisplayList& before, const DisplayList& after, Canvas& canvas);
