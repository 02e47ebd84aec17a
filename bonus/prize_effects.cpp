#include "bonus/prize_effects.h"

#include "game/coin_life.h"
#include "game/contacts.h"
#include "game/play_stats.h"
#include "game/state.h"
#include "render/asset_names.h"
#include "render/main_canvas.h"
#include "render/sound_cue.h"
#include "render/sprite_tags.h"

namespace {
constexpr int kMagicTicks = 10;
constexpr int kSweepStart = 46;
constexpr int kBonusDropSpan = 180;
constexpr int kBonusDropRow = 1;  // an absolute canvas row, far behind the pusher
constexpr int kSweepChance = 20;
}  // namespace

void MagicStep() {
  if (game.magicRequested == 1) {
    game.magicTimer = kMagicTicks;
    game.magicRequested = 0;
  }
  if (game.magicTimer <= 0) return;
  --game.magicTimer;
  if (game.magicTimer == 0) PlaySoundCue(asset::kMagicSound);
  const asset::PictureFacts& magic = asset::kMagicPicture;
  mainCanvas.DrawSprite(cabinetX + 90, cabinetY + 90, magic.image, magic.mask, magic.width, magic.height,
                        shows::Tag(shows::kMagic));
  if (game.magicTimer != 0) return;
  const int slot = FindFreeSlot(kNormalSlots, kCoinSlots);
  if (slot < 0) return;
  game.coinState[slot] = CoinState::OnField;
  game.coinX[slot] = cabinetX + 7 + gameRand() % kBonusDropSpan;
  game.coinY[slot] = kBonusDropRow;
  CountPlay(playStats.bonusCoins);
}

void SweeperStep() {
  if (game.sweepRequested == 1) {
    game.sweepTimer = kSweepStart;
    game.sweepRequested = 0;
    CountPlay(playStats.sweeps);
  }
  if (game.sweepTimer <= 0) return;
  game.sweepTimer -= 2;
  const int t = game.sweepTimer;
  if (t % 10 != 0) PlaySoundCue(asset::kSweeperSound);
  const int x = cabinetX + 10 * (35 - t);
  const asset::PictureFacts& sweeper = t % 4 == 0 ? asset::kSweeperPicture : asset::kSweeper2Picture;
  mainCanvas.DrawSprite(x, cabinetY + 90, sweeper.image, sweeper.mask, sweeper.width, sweeper.height,
                        shows::Tag(shows::kSweeper));
  if (t <= 10 || t >= 35) return;
  for (int i = 0; i < kCoinSlots; ++i) {
    if (game.coinState[i] != CoinState::OnField) continue;
    if (gameRand() % kSweepChance == 0) {
      game.coinState[i] = CoinState::Free;
      CountPlay(playStats.coinsSwept);
      // A slot that leaves play starts its next life without old bindings.
      ClearContactsOfCoin(i);
    }
  }
}
