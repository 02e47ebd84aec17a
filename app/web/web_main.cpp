// The browser shell: the page's game canvas is the window, the browser's
// interval timer its tick timer, and shell.js turns the page's key presses,
// lane controls, cabinet taps, gamepads, menus and About box into the calls
// below. The page calls main() once the pictures and sounds are in the
// module's file system; its arguments are the desktop shells' options, so
// the page can keep a key record and a trace in that file system.
#include <emscripten/emscripten.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/about_band.h"
#include "app/session/shell_options.h"
#include "app/session/wave_file.h"
#include "app/session/window_session.h"
#include "app/web/browser_sound_output.h"
#include "app/web/live_game.h"
#include "app/web/page_layout.h"
#include "game/coin_life.h"
#include "game/state.h"
#include "game/tick.h"
#include "render/asset_names.h"

Canvas aboutCanvas;

namespace {

PageWindowHost mainHost(kGameElementId, kGameAreaWidth, kGameAreaHeight, mainCanvas);
PageWindowHost aboutHost(kAboutBandElementId, kAboutBandWidth, kAboutBandHeight, aboutCanvas);
BrowserSoundOutput browserSound;
WindowSession session;

bool gameRunning = false;
bool aboutOpen = false;
long long ticksRun = 0;

// What the last key delivered to the game did, for the page's tests.
struct KeyReport {
  long long delivered = 0;
  int virtualKey = 0;
  int creditsBefore = 0;
  int creditsAfter = 0;
} lastKey;

}  // namespace

PageWindowHost& MainHost() { return mainHost; }
SoundOutput& PageSound() { return browserSound; }

void StopLiveGame() {
  mainHost.StopTimer();
  aboutHost.StopTimer();
  gameRunning = false;
  aboutOpen = false;
}

int main(int argc, char** argv) {
  // Records the page cannot keep must not keep the game from starting.
  const ShellOptionsResult parsed = ParseShellOptions(std::vector<std::string>(argv + 1, argv + argc));
  std::string error;
  if (!parsed.ok)
    std::fprintf(stderr, "marobel: %s\n", parsed.error.c_str());
  else if (!session.Open(parsed.options, error))
    std::fprintf(stderr, "marobel: %s\n", error.c_str());
  session.RouteSounds(&browserSound);
  mainHost.SetTimerHandler([] {
    session.Tick(&mainHost);
    ++ticksRun;
  });
  aboutHost.SetTimerHandler([] {
    aboutCanvas.ClearBlack();
    aboutCanvas.Invalidate(&aboutHost);
  });
  gameRunning = true;
  // Window creation: attaches the canvas and starts the 200 ms timer.
  session.Reset(&mainHost);
  return 0;
}

namespace {
const WaveSound& FallbackSound() {
  static const WaveSound sound = FallbackBeepSound();  // 16-bit mono
  return sound;
}
}  // namespace

extern "C" {

// The pictures and sounds the game reads, one bare file name a line, so the
// page fetches exactly those.
EMSCRIPTEN_KEEPALIVE const char* web_asset_names() {
  static std::string names;
  if (names.empty()) {
    for (const char* name : asset::kAllPictures) names.append(name).push_back('\n');
    for (const char* name : asset::kAllSounds) names.append(name).push_back('\n');
  }
  return names.c_str();
}

// The tone that stands in for a sound file that cannot be played: the same
// one the desktop shells and the videos use, handed over sample by sample.
EMSCRIPTEN_KEEPALIVE int web_fallback_sound_rate() { return FallbackSound().sampleRate; }
EMSCRIPTEN_KEEPALIVE int web_fallback_sound_length() { return static_cast<int>(FallbackSound().samples.size() / 2); }
EMSCRIPTEN_KEEPALIVE double web_fallback_sound_sample(int i) {
  const auto& bytes = FallbackSound().samples;
  const auto value = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  return value / 32768.0;
}

// A key-down for the game window, with its virtual-key code: the one way
// into the game for keys, lane controls, cabinet taps and gamepads alike,
// delivered between two ticks. The About box is modal: while it is open,
// keys stay with it. Returns 1 when the key reached the game.
EMSCRIPTEN_KEEPALIVE int web_key_down(int virtualKey) {
  if (!gameRunning || aboutOpen) return 0;
  ++lastKey.delivered;
  lastKey.virtualKey = virtualKey;
  lastKey.creditsBefore = game.credits;
  session.PlayerKeyDown(virtualKey);
  lastKey.creditsAfter = game.credits;
  return 1;
}

// The About box opens: a fresh band surface for this opening, shown at
// once, then cleared and repainted by its own 50 ms timer.
EMSCRIPTEN_KEEPALIVE void web_about_opened() {
  aboutOpen = true;
  aboutCanvas.Attach(&aboutHost, kAboutBandWidth, kAboutBandHeight);
  aboutCanvas.Invalidate(&aboutHost);
  aboutHost.PaintIfNeeded();
  aboutHost.StartTimer(kAboutBandTimerId, kAboutBandPeriodMs);
}

// The box has closed (OK or Enter: 1; Escape or its close box: 2).
EMSCRIPTEN_KEEPALIVE void web_about_closed(int) {
  aboutHost.StopTimer();
  aboutOpen = false;
}

// The exit command: the game stops, its last frame stays on the page.
EMSCRIPTEN_KEEPALIVE void web_exit() { StopLiveGame(); }

EMSCRIPTEN_KEEPALIVE int web_game_running() { return gameRunning ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int web_about_open() { return aboutOpen ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE double web_ticks_run() { return static_cast<double>(ticksRun); }
EMSCRIPTEN_KEEPALIVE double web_frames_shown() { return static_cast<double>(mainHost.FramesShown()); }
EMSCRIPTEN_KEEPALIVE double web_about_frames_shown() { return static_cast<double>(aboutHost.FramesShown()); }
EMSCRIPTEN_KEEPALIVE int web_credits() { return game.credits; }
EMSCRIPTEN_KEEPALIVE double web_keys_delivered() { return static_cast<double>(lastKey.delivered); }
EMSCRIPTEN_KEEPALIVE int web_last_key() { return lastKey.virtualKey; }
EMSCRIPTEN_KEEPALIVE int web_last_key_credits_before() { return lastKey.creditsBefore; }
EMSCRIPTEN_KEEPALIVE int web_last_key_credits_after() { return lastKey.creditsAfter; }

}  // extern "C"
