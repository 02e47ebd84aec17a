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
  const asset::PictureFacts& back = asset::kBackWallPicture;
  const asset::PictureFacts& base = asset::kBasePicture;
  const asset::PictureFacts& bar = asset::kPusherTablePicture;
  const asset::PictureFacts& top = asset::kUpperCabinetPicture;
  const asset::PictureFacts& gate = asset::kGatePicture;
  mainCanvas.DrawSprite(cabinetX + 1, cabinetY - 130, back.image, back.mask, back.width, back.height,
                        shows::Tag(shows::kCabinetPart));
  mainCanvas.DrawSprite(cabinetX, cabinetY, base.image, base.mask, base.width, base.height,
                        shows::Tag(shows::kCabinetPart));
  mainCanvas.DrawSprite(cabinetX + 14 - s, cabinetY + 20 + 4 * s, bar.image, bar.mask, bar.width + 2 * s,
                        bar.height + 4 * s, shows::Tag(shows::kPusher));
  mainCanvas.DrawSprite(cabinetX + 26, cabinetY - 130, top.image, top.mask, top.width, top.height,
                        shows::Tag(shows::kCabinetPart));
  mainCanvas.DrawSprite(cabinetX + game.gateOffset + 26, cabinetY - 10, gate.image, gate.mask, gate.width, gate.height,
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
  const asset::PictureFacts& coin = lying ? asset::kLyingCoinPicture : asset::kFallingCoinPicture;
  mainCanvas.DrawSprite(x, y, coin.image, coin.mask, coin.width, coin.height,
                        shows::Tag(lying ? shows::kLyingCoin : shows::kFallingCoin, slot));
}

void DrawBonusOverlays() {
  for (int i = kNormalSlots; i < kCoinSlots; ++i) {
    const CoinState s = game.coinState[i];
    if (s != CoinState::OnPusher && s != CoinState::OnField) continue;
    const asset::PictureFacts& marker = asset::kBonusMarkerPicture;
    mainCanvas.DrawSprite(game.coinX[i] - 3, game.coinY[i] - 24, marker.image, marker.mask, marker.width, marker.height,
                          shows::Tag(shows::kBonusMarker, i));
  }
}
