#pragma once
#include <string>
#include <vector>

#include "canvas/canvas_call_sink.h"
#include "app/session/shell_options.h"
#include "app/session/game_session.h"
#include "canvas/window_host.h"
#include "app/session/game_host.h"
#include "game/simulation_path.h"
#include "game/state.h"
#include "render/sound_cue.h"
#include "render/sprite_tags.h"
#include "canvas/display_list.h"

// A window that shows nothing.
class NullWindow : public GameHost {
 public:
  void StartTimer(int id, int periodMs) override {
    timerId = id;
    timerPeriod = periodMs;
  }
  void RequestRepaint() override { ++repaints; }
  int timerId = 0, timerPeriod = 0, repaints = 0;
};

// Program start, then the creation reset, as a fresh process would do it.
void StartFreshGame(NullWindow& window);

// A game session as a shell starts one: opened with `options` (the test
// fails if it cannot be), silent, then reset from program start on `window`.
void StartGameSession(GameSession& session, const ShellOptions& options, NullWindow& window);

// Program start without the reset, and no coins: for hand-made set-ups.
void StartEmptyGame();

// A sprite call of a display list showing `kind` (its slot), 20 by 10 unless
// told, its picture named after what it shows.
DrawCall SpriteCall(shows::Kind kind, int slot, int x, int y, int w = 20, int h = 10);

void PlaceCoin(int slot, CoinState state, int x, int y);

int CountInState(CoinState state);

// Runs the headless runner with `args` and returns its exit status; its
// standard output and standard error go to the given strings.
int RunSim(const std::string& args, std::string* out = nullptr, std::string* err = nullptr);

// A whole-number field of a trace line ("credits", "lotteryRow", ...);
// fails the test when the line has none.
long long TraceField(const std::string& line, const std::string& name);

// The wave files a trace line's tick asked for, in order.
std::vector<std::string> TraceSounds(const std::string& line);

// Writes `text` to a fresh temporary file and returns its path.
std::string WriteTempFile(const std::string& name, const std::string& text);

// The whole content of a file, empty when it cannot be read.
std::string Slurp(const std::string& path);

// Remembers every drawing call and sound request, for tests of what a tick shows.
struct RecordedCall {
  std::string kind;  // "clear", "sprite", "text", "line", "sound"
  std::string name;  // sprite image, text (Shift-JIS) or sound file
  std::string mask;
  int x = 0, y = 0, w = 0, h = 0;
};

class CallRecorder : public CanvasCallSink, public SoundOutput {
 public:
  CallRecorder();
  ~CallRecorder() override;
  void OnClear(bool black) override { calls.push_back({black ? "clear" : "clearwhite", "", "", 0, 0, 0, 0}); }
  void OnSprite(std::string_view image, std::string_view mask, int x, int y, int w, int h, DrawTag) override {
    calls.push_back({"sprite", std::string(image), std::string(mask), x, y, w, h});
  }
  void OnText(int x, int y, int height, int, int, int, std::string_view text) override {
    calls.push_back({"text", std::string(text), "", x, y, 0, height});
  }
  void OnLine(int x1, int y1, int x2, int y2, int, int, int, int) override {
    calls.push_back({"line", "", "", x1, y1, x2, y2});
  }
  void Play(const char* file) override { calls.push_back({"sound", file, "", 0, 0, 0, 0}); }
  std::vector<RecordedCall> Sprites(const std::string& image) const;
  std::vector<std::string> Sounds() const;
  std::vector<RecordedCall> calls;
};

// The three implementations of the pairwise passes, for tests that must
// hold on each of them.
enum class PathKind { Fast, Reference, Literal };
inline const SimulationPath& PathOf(PathKind kind) {
  return kind == PathKind::Fast ? FastPath() : kind == PathKind::Reference ? ReferencePath() : LiteralPath();
}
inline std::string PathName(PathKind kind) {
  return kind == PathKind::Fast ? "Fast" : kind == PathKind::Reference ? "Reference" : "Literal";
}
