#include "app/web/browser_sound_output.h"

#include <emscripten/emscripten.h>

EM_JS(void, MarobelPlayCue, (const char* waveFile), {
  if (Module.marobelPlayCue) Module.marobelPlayCue(UTF8ToString(waveFile));
});

void BrowserSoundOutput::Play(const char* waveFile) { MarobelPlayCue(waveFile ? waveFile : ""); }
