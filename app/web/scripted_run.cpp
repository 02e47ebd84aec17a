// A test hook of the page: plays a key script from the creation reset on,
// tick by tick, and gives each tick's trace line in the headless runner's
// format, made by the same session code, so the browser's game can be
// compared with marobel-sim's line for line. Starting a scripted run ends
// the page's own game, as both share the one game state.
#include "app/web/scripted_run.h"

#include <emscripten/emscripten.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/session/game_session.h"
#include "app/session/key_script.h"
#include "app/web/browser_sound_output.h"
#include "app/web/live_game.h"

namespace {

enum ScriptFlags { kTraceDraws = 1, kShowFrames = 2, kPlaySounds = 4 };

std::unique_ptr<GameSession> run;
bool showFrames = false;
bool traceDraws = false;

}  // namespace

void EndScriptedRun() { run.reset(); }

extern "C" {

// Parses the key script and resets the game as a fresh program would start
// it; `credits` >= 0 then sets the credit count, as the runner's --credits
// does. Returns "" when the run has started, else what is wrong with the
// script ("line N: reason"). The tick-0 line is then web_script_line().
EMSCRIPTEN_KEEPALIVE const char* web_script_start(const char* keyScript, double credits, int flags) {
  static std::string error;
  KeyScriptResult keys = ParseKeyScript(keyScript ? keyScript : "");
  if (!keys.ok) {
    error = "line " + std::to_string(keys.errorLine) + ": " + keys.errorReason;
    return error.c_str();
  }
  ReplaceLiveGame();
  run.reset();
  run = std::make_unique<GameSession>();
  const std::optional<long long> given = credits >= 0 ? std::optional(static_cast<long long>(credits)) : std::nullopt;
  if (!run->Replay("the script", std::move(keys.presses), keys.startingCredits, given, error)) {
    run.reset();
    return error.c_str();
  }
  showFrames = (flags & kShowFrames) != 0;
  traceDraws = (flags & kTraceDraws) != 0;
  run->SetSoundPlayer((flags & kPlaySounds) ? &PageSound() : nullptr);
  run->KeepTraceLine(traceDraws);
  // No clock: the page's test code drives the ticks.
  run->Reset(nullptr);
  return "";
}

// Runs the next tick with the presses due before it (and shows its frame
// when asked to) and returns its trace line, or "" when `wantLine` is 0,
// which leaves the formatting out of a timed tick.
EMSCRIPTEN_KEEPALIVE const char* web_script_step(int wantLine) {
  if (!run) return "";
  run->KeepTraceLine(traceDraws, wantLine != 0);
  run->Tick(nullptr);
  if (showFrames) MainHost().Show(run->Frame());
  return wantLine ? run->TraceLine().c_str() : "";
}

EMSCRIPTEN_KEEPALIVE const char* web_script_line() { return run ? run->TraceLine().c_str() : ""; }

}  // extern "C"
