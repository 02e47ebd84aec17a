#include "render/main_canvas.h"

Canvas mainCanvas;
