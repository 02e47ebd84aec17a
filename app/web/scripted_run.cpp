// A test hook of the page: plays a key script from the creation reset on,
// tick by tick, and gives each tick's trace line in the headless runner's
// format, made by the same session code, so the browser's game can be
// compared with marobel-sim's line for line. Starting a scripted run ends
// the page's own game, as both share the one game state.
#include <emscripten/emscripten.h>

#include <string>
#include <vector>

#include "app/session/key_script.h"
#include "app/session/trace.h"
#include "app/web/live_game.h"
#include "cabinet/cabinet.h"
#include "canvas/window_host.h"
#include "cabinet/tick.h"

namespace {

// Shows each scripted frame in the page's game area, but keeps no timer:
// the page's test code drives the ticks.
class ScriptFrameHost : public WindowHost {
 public:
  void StartTimer(int, int) override {}
  void RequestRepaint() override { repaintNeeded = true; }
  void ShowPixels(const std::uint32_t* pixels, int width, int height) override {
    MainHost().ShowPixels(pixels, width, height);
  }
  bool repaintNeeded = false;
};

// Lists every cue for the trace and, when asked to, plays it on the page too.
class ScriptSound : public SoundOutput {
 public:
  void Play(const char* waveFile) override {
    log.Play(waveFile);
    if (alsoPlay) PageSound().Play(waveFile);
  }
  SoundLog log;
  bool alsoPlay = false;
};

enum ScriptFlags { kTraceDraws = 1, kShowFrames = 2, kPlaySounds = 4 };

struct ScriptedRun {
  std::vector<KeyPress> presses;
  std::size_t nextPress = 0;
  long long tick = 0;
  bool active = false;
  bool showFrames = false;
  bool traceDraws = false;
  ScriptSound sounds;
  DrawLog draws;
  std::string line;
};

ScriptedRun run;
NoWindowHost quietHost;  // runs that only trace show nothing
ScriptFrameHost frameHost;

WindowHost* RunHost() { return run.showFrames ? static_cast<WindowHost*>(&frameHost) : &quietHost; }

void FormatLine() {
  FormatTraceLine(run.line, run.tick, run.sounds.log, run.traceDraws ? &run.draws : nullptr);
  run.sounds.log.Clear();
  run.draws.Clear();
}

}  // namespace

extern "C" {

// Parses the key script and resets the game as a fresh program would start
// it; `credits` >= 0 then sets the credit count, as the runner's --credits
// does. Returns "" when the run has started, else what is wrong with the
// script ("line N: reason"). The tick-0 line is then web_script_line().
EMSCRIPTEN_KEEPALIVE const char* web_script_start(const char* keyScript, double credits, int flags) {
  static std::string error;
  const KeyScriptResult keys = ParseKeyScript(keyScript ? keyScript : "");
  if (!keys.ok) {
    error = "line " + std::to_string(keys.errorLine) + ": " + keys.errorReason;
    return error.c_str();
  }
  ReplaceLiveGame();
  run.presses = keys.presses;
  run.nextPress = 0;
  run.tick = 0;
  run.active = true;
  run.showFrames = (flags & kShowFrames) != 0;
  run.traceDraws = (flags & kTraceDraws) != 0;
  run.sounds.alsoPlay = (flags & kPlaySounds) != 0;
  SetSoundOutput(&run.sounds);
  mainCanvas.SetCallSink(run.traceDraws ? &run.draws : nullptr);

  cabinet::ResetProgram();
  cabinet::Create(RunHost());
  if (credits >= 0) cabinet::SetCredits(credits);
  run.sounds.log.Clear();
  run.draws.Clear();
  FormatLine();
  return "";
}

// Delivers the presses due before the next tick, runs it (and shows its
// frame when asked to) and returns its trace line, or "" when `wantLine` is
// 0, which leaves the formatting out of a timed tick.
EMSCRIPTEN_KEEPALIVE const char* web_script_step(int wantLine) {
  if (!run.active) return "";
  ++run.tick;
  while (run.nextPress < run.presses.size() && run.presses[run.nextPress].tick == run.tick)
    cabinet::KeyDown(run.presses[run.nextPress++].virtualKey);
  cabinet::Tick(RunHost());
  if (run.showFrames && frameHost.repaintNeeded) {
    frameHost.repaintNeeded = false;
    mainCanvas.Present(&frameHost);
  }
  if (!wantLine) {
    run.sounds.log.Clear();
    run.draws.Clear();
    run.line.clear();
    return "";
  }
  FormatLine();
  return run.line.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* web_script_line() { return run.line.c_str(); }

}  // extern "C"
