#include "fuzz/snapshot_game.h"

#include "game/coin_life.h"
#include "game/state.h"
#include "cabinet/tick.h"

void PlaySnapshotGame(int ticks) {
  // Nothing reads the pixels: no picture file or font is looked at.
  mainCanvas.SetComposing(false);
  ResetProgramState();
  ResetGame();
  game.credits = 400;
  for (int t = 1; t <= ticks; ++t) {
    if (t % 3 == 0) InsertCoin(t % 2 ? kVirtualKeyLeft : kVirtualKeyRight);
    GameTick();
  }
}
