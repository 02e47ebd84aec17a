#include "app/web/browser_sound_output.h"

#include <emscripten/emscripten.h>

EM_JS(void, MarobelStopCue, (), {
  if (Module.marobelStopCue) Module.marobelStopCue();
});
// The page reads the samples at once, while they are the clip's, and keeps
// what it makes of them for the next cue of the same sound.
EM_JS(void, MarobelSound,
      (int start, const char* name, const void* samples, int bytes, int sampleRate, int channels, int format), {
        const handler = start ? Module.marobelStartCue : Module.marobelPrepareSound;
        if (handler)
          handler(UTF8ToString(name), HEAPU8.subarray(samples, samples + bytes), sampleRate, channels, format);
      });

namespace {
void HandOver(bool start, const SoundClip& clip) {
  const WaveSound& sound = clip.sound;
  MarobelSound(start ? 1 : 0, clip.name.c_str(), sound.samples.data(), static_cast<int>(sound.samples.size()),
               sound.sampleRate, sound.channels, static_cast<int>(sound.format));
}
}  // namespace

void BrowserSoundOutput::StopPlaying() { MarobelStopCue(); }

void BrowserSoundOutput::StartPlaying(const SoundClip& clip) { HandOver(true, clip); }

void BrowserSoundOutput::Prepare(const SoundClip& clip) { HandOver(false, clip); }
