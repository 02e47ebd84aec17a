#include "app/web/browser_sound_output.h"

#include <emscripten/emscripten.h>

EM_JS(void, MarobelStopCue, (), {
  if (Module.marobelStopCue) Module.marobelStopCue();
});
EM_JS(void, MarobelStartCue, (const char* waveFile), {
  if (Module.marobelStartCue) Module.marobelStartCue(UTF8ToString(waveFile));
});

void BrowserSoundOutput::StopPlaying() { MarobelStopCue(); }
void BrowserSoundOutput::StartPlaying(const char* waveFile) { MarobelStartCue(waveFile); }
