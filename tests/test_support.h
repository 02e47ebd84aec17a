#pragma once
#include <string>
#include <vector>

#include "canvas/canvas_call_sink.h"
#include "canvas/window_host.h"
#include "game/state.h"

// A window that shows nothing.
class NullWindow : public WindowHost {
 public:
  void StartTimer(int id, int periodMs) override {
    timerId = id;
    timerPeriod = periodMs;
  }
  void RequestRepaint() override { ++repaints; }
  void ShowPixels(const std::uint32_t*, int, int) override {}
  int timerId = 0, timerPeriod = 0, repaints = 0;
};

// Program start, then the creation reset, as a fresh process would do it.
void StartFreshGame(NullWindow& window);

// Program start without the reset, and no coins: for hand-made set-ups.
void StartEmptyGame();

void PlaceCoin(int slot, CoinState state, int x, int y);

int CountInState(CoinState state);

// Runs the headless runner with `args` and returns its exit status; its
// standard output and standard error go to the given strings.
int RunSim(const std::string& args, std::string* out = nullptr, std::string* err = nullptr);

// Writes `text` to a fresh temporary file and returns its path.
std::string WriteTempFile(const std::string& name, const std::string& text);
