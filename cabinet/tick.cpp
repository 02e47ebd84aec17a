#include "cabinet/tick.h"

#include "bonus/gate_lottery.h"
#include "bonus/prize_effects.h"
#include "game/coin_life.h"
#include "game/contacts.h"
#include "game/pusher.h"
#include "game/state.h"
#include "render/asset_names.h"
#include "render/frame.h"
#include "render/sound_cue.h"

namespace {

std::int64_t cabinetTick = 0;

class CabinetHooks final : public CoinPassHooks {
 public:
  void AfterFlight(int slot) const override { CaptureAtGate(slot); }
  void DrawCoin(int slot, int x, int y, bool lying) const override { ::DrawCoin(slot, x, y, lying); }
  void PaidOut(int slot) const override {
    PlaySoundCue(slot < kNormalSlots ? asset::kPayoutSound : asset::kBonusPayoutSound);
  }
};
const CabinetHooks cabinetHooks;

void SeedCoins(int first, int last, int xBase, int xSpan, int yBase, int ySpan) {
  for (int i = first; i < last; ++i) {
    game.coinState[i] = CoinState::OnPusher;
    game.coinX[i] = xBase + gameRand() % xSpan;  // x is drawn before y
    game.coinY[i] = yBase + gameRand() % ySpan;
  }
}

}  // namespace

void ResetGame() {
  game.lotteryColumn = 0;
  game.lotteryRow = 0;
  game.lotteryBox.top = cabinetY - 66;
  game.lotteryBox.bottom = game.lotteryBox.top + 17;
  game.lotteryBox.left = cabinetX + 40;
  game.lotteryBox.right = game.lotteryBox.left + 17;
  game.credits = 0;
  SetCabinetTick(0);
  RestoreLastCue({});
  mainCanvas.Attach(nullptr, kCanvasWidth, kCanvasHeight);
  FrameDisplayList().Clear();
  ClearSoundCues();
  for (int i = 0; i < kCoinSlots; ++i) game.coinState[i] = CoinState::Free;
  SeedCoins(0, 70, cabinetX + 20, 160, PusherFrontLineY(game.pusherStroke), 50);
  SeedCoins(70, 170, cabinetX + 16, 170, kLandingLineY, 80);
  BuildInitialContacts();
}

void GameTick() {
  SetCabinetTick(cabinetTick + 1);
  FrameDisplayList().Clear();
  mainCanvas.ClearBlack();  // T1
  ReleasePendingCoin();     // T2
  PusherStep();             // T3
  GateStep();               // T4
  DrawCabinet();            // T5
  DrawHeadUpTexts();        // T6
  LotteryStep();            // T7
  DrawLotteryCursor();      // T8
  CoinPass(cabinetHooks);   // T9
  MagicStep();              // T10
  SweeperStep();            // T11
  DrawBonusOverlays();      // T12
  // T13, the repaint, is the front end's: the frame is the display list.
}

const CoinPassHooks& CabinetCoinPassHooks() { return cabinetHooks; }

std::int64_t CabinetTick() { return cabinetTick; }

void SetCabinetTick(std::int64_t tick) {
  cabinetTick = tick;
  SetCueTick(tick);
}
