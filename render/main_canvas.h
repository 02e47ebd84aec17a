#pragma once
#include "canvas/canvas.h"
#include "canvas/display_list.h"

// The game's drawing surface: every step that draws in a tick draws here.
// It composes no pixels: each call goes into the frame's display list,
// which whoever wants the picture composes onto a canvas of its own.
extern Canvas mainCanvas;

// The calls drawn on the main canvas since the list was last cleared.
DisplayList& FrameDisplayList();

// Whether the calls go into the list (on at program start): a tick nobody
// looks at (a skip) need not list them.
void SetFrameListing(bool on);

// Test aid: also hears every call made on the main canvas (null: nobody).
// Gives back the one it replaces.
CanvasCallSink* SetFrameObserver(CanvasCallSink* observer);
// Whether the calls go into the list now.
bool FrameListing();
