#pragma once
#include "canvas/canvas.h"

// The game's drawing surface, attached to the main window by ResetGame.
// Every step that draws in a tick draws here.
extern Canvas mainCanvas;
