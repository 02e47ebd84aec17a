#include "bonus/gate_lottery.h"

#include "game/contacts.h"
#include "game/play_stats.h"
#include "game/saturating_add.h"
#include "game/state.h"
#include "render/asset_names.h"
#include "render/main_canvas.h"
#include "render/sound_cue.h"

namespace {

constexpr int kGateStep = 12;
constexpr int kGateTurn = 140;
constexpr int kLotteryStopChance = 20;
constexpr int kCellSize = 17;

}  // namespace

void GateStep() {
  if (game.gateReturning == 0) {
    game.gateOffset += kGateStep;
    if (game.gateOffset >= kGateTurn) game.gateReturning = 1;
  } else {
    game.gateOffset -= kGateStep;
    if (game.gateOffset <= 0) game.gateReturning = 0;
  }
}

void CaptureAtGate(int i) {
  const int x = game.coinX[i];
  const int y = game.coinY[i];
  const bool inBand = y > cabinetY - 25 && y < cabinetY + 15;
  const bool inMouth = x >= cabinetX + game.gateOffset + 26 && x + kCoinSize <= cabinetX + game.gateOffset + 51;
  if (!inBand || !inMouth) return;
  game.coinState[i] = CoinState::Free;
  // A slot that leaves play starts its next life without old bindings.
  ClearContactsOfCoin(i);
  PlaySoundCue(asset::kCaptureSound);
  game.lotterySpinning = 1;
}

void LotteryStep() {
  if (game.lotterySpinning != 1) return;
  PlaySoundCue(asset::kLotteryTickSound);
  if (game.lotteryColumn < kBoardColumns - 1) {
    ++game.lotteryColumn;
  } else {
    game.lotteryColumn = 0;
    if (game.lotteryRow < kBoardRows - 1)
      ++game.lotteryRow;
    else
      game.lotteryRow = 0;
  }
  if (gameRand() % kLotteryStopChance == 0) {
    PlaySoundCue(asset::kLotteryStopSound);
    game.lotterySpinning = 0;
    CountPlay(playStats.lotterySpins);
    AwardPrize(game.lotteryRow, game.lotteryColumn);
  }
}

void AwardPrize(int row, int column) {
  const Prize prize = PrizeAt(row, column);
  switch (prize.kind) {
    case PrizeKind::Coins:
      game.pendingCoins = SaturatingAdd(game.pendingCoins, prize.coins);
      CountPlay(playStats.coinPrizes);
      CountPlay(playStats.prizeCoins, prize.coins);
      break;
    case PrizeKind::Sweep:
      game.sweepRequested = 1;
      CountPlay(playStats.sweepPrizes);
      break;
    case PrizeKind::Magic:
      game.magicRequested = 1;
      CountPlay(playStats.magicPrizes);
      break;
    case PrizeKind::None:
      CountPlay(playStats.blankPrizes);
      break;
  }
}

void DrawLotteryCursor() {
  const ScreenBox& box = game.lotteryBox;
  const int l = box.left + kCellSize * game.lotteryColumn;
  const int r = box.right + kCellSize * game.lotteryColumn;
  const int t = box.top + kCellSize * game.lotteryRow;
  const int b = box.bottom + kCellSize * game.lotteryRow;
  mainCanvas.DrawLine(l, t, r, t);
  mainCanvas.DrawLine(r, t, r, b);
  mainCanvas.DrawLine(r, b, l, b);
  mainCanvas.DrawLine(l, b, l, t);
}
