#include "render/frame.h"

#include <cstdio>

#include "game/state.h"
#include "render/asset_names.h"
#include "render/main_canvas.h"
#include "render/sprite_tags.h"

namespace {
constexpr int kWhite = 255;
const char kTitle[] = "Marobel";
const char kCounterSjis[] = "\x96\x87";  // the counter character for flat things, code page 932
}  // namespace

void DrawCabinet() {
  const int s = game.pusherStroke;
  mainCanvas.DrawSprite(cabinetX + 1, cabinetY - 130, asset::kBack, asset::kBack, 215, 368,
                        shows::Tag(shows::kCabinetPart));
  mainCanvas.DrawSprite(cabinetX, cabinetY, asset::kBase, asset::kBaseMask, 217, 240, shows::Tag(shows::kCabinetPart));
  mainCanvas.DrawSprite(cabinetX + 14 - s, cabinetY + 20 + 4 * s, asset::kBar, asset::kBarMask, 189 + 2 * s,
                        103 + 4 * s, shows::Tag(shows::kPusher));
  mainCanvas.DrawSprite(cabinetX + 26, cabinetY - 130, asset::kTop, asset::kTop, 165, 162,
                        shows::Tag(shows::kCabinetPart));
  mainCanvas.DrawSprite(cabinetX + game.gateOffset + 26, cabinetY - 10, asset::kGate, asset::kGateMask, 25, 20,
                        shows::Tag(shows::kGate));
}

void FormatCredits(int credits, char (&buffer)[32]) {
  std::snprintf(buffer, sizeof buffer, "%d%s", credits, kCounterSjis);
}

void DrawHeadUpTexts() {
  mainCanvas.SetTextStyle(14, kWhite, kWhite, kWhite);
  mainCanvas.PutText(5, 10, kTitle);
  char creditText[32];
  FormatCredits(game.credits, creditText);
  mainCanvas.SetTextStyle(16, kWhite, kWhite, kWhite);
  mainCanvas.PutText(5, 50, creditText);
  mainCanvas.SetPen(3, 255, 255, 0);
}

void DrawCoin(int slot, int x, int y, bool lying) {
  if (lying)
    mainCanvas.DrawSprite(x, y, asset::kLyingCoin, asset::kLyingCoinMask, kCoinSize, kCoinSize,
                          shows::Tag(shows::kLyingCoin, slot));
  else
    mainCanvas.DrawSprite(x, y, asset::kCoin, asset::kCoinMask, kCoinSize, kCoinSize,
                          shows::Tag(shows::kFallingCoin, slot));
}

void DrawBonusOverlays() {
  for (int i = kNormalSlots; i < kCoinSlots; ++i) {
    const CoinState s = game.coinState[i];
    if (s != CoinState::OnPusher && s != CoinState::OnField) continue;
    mainCanvas.DrawSprite(game.coinX[i] - 3, game.coinY[i] - 24, asset::kBonusMarker, asset::kBonusMarkerMask, 22, 39,
                          shows::Tag(shows::kBonusMarker, i));
  }
}
