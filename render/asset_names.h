#pragma once
#include "game/constants.h"

// Every picture and sound the game reads, by the bare file name it asks for.
namespace asset {

inline constexpr const char* kBack = "back.bmp";
inline constexpr const char* kBase = "base.bmp";
inline constexpr const char* kBaseMask = "basemask.bmp";
inline constexpr const char* kBar = "bar.bmp";
inline constexpr const char* kBarMask = "barmask.bmp";
inline constexpr const char* kTop = "top.bmp";
inline constexpr const char* kGate = "move.bmp";
inline constexpr const char* kGateMask = "movemask.bmp";
inline constexpr const char* kCoin = "coin.bmp";
inline constexpr const char* kCoinMask = "coinmask.bmp";
inline constexpr const char* kLyingCoin = "coin2.bmp";
inline constexpr const char* kLyingCoinMask = "coin2mask.bmp";
inline constexpr const char* kMagic = "magic.bmp";
inline constexpr const char* kMagicMask = "magicmask.bmp";
inline constexpr const char* kSweeper = "clean.bmp";
inline constexpr const char* kSweeperMask = "cleanmask.bmp";
inline constexpr const char* kSweeper2 = "clean2.bmp";
inline constexpr const char* kSweeper2Mask = "clean2mask.bmp";
inline constexpr const char* kBonusMarker = "bonus.bmp";
inline constexpr const char* kBonusMarkerMask = "bonusmask.bmp";

inline constexpr const char* kLotteryTickSound = "s.wav";
inline constexpr const char* kLotteryStopSound = "stop.wav";
inline constexpr const char* kCaptureSound = "in.wav";
inline constexpr const char* kPayoutSound = "coin.wav";
inline constexpr const char* kBonusPayoutSound = "coin2.wav";
inline constexpr const char* kMagicSound = "magic.wav";
inline constexpr const char* kSweeperSound = "cl.wav";

// A picture as the frame draws it and the art generator paints it: its
// file, the file of its mask (the picture itself where it has none: drawn
// opaque) and its size in pixels. The pusher table is drawn stretched as it
// moves; its size here is the picture's own.
struct PictureFacts {
  const char* image;
  const char* mask;
  int width;
  int height;
};
inline constexpr PictureFacts kBackWallPicture{kBack, kBack, 215, 368};
inline constexpr PictureFacts kBasePicture{kBase, kBaseMask, 217, 240};
inline constexpr PictureFacts kPusherTablePicture{kBar, kBarMask, 189, 103};
inline constexpr PictureFacts kUpperCabinetPicture{kTop, kTop, 165, 162};
inline constexpr PictureFacts kGatePicture{kGate, kGateMask, 25, 20};
inline constexpr PictureFacts kFallingCoinPicture{kCoin, kCoinMask, kCoinSize, kCoinSize};
inline constexpr PictureFacts kLyingCoinPicture{kLyingCoin, kLyingCoinMask, kCoinSize, kCoinSize};
inline constexpr PictureFacts kMagicPicture{kMagic, kMagicMask, 46, 84};
inline constexpr PictureFacts kSweeperPicture{kSweeper, kSweeperMask, 46, 84};
inline constexpr PictureFacts kSweeper2Picture{kSweeper2, kSweeper2Mask, 46, 84};
inline constexpr PictureFacts kBonusMarkerPicture{kBonusMarker, kBonusMarkerMask, 22, 39};
inline constexpr PictureFacts kPictureTable[] = {kBackWallPicture,     kBasePicture,       kPusherTablePicture,
                                                 kUpperCabinetPicture, kGatePicture,       kFallingCoinPicture,
                                                 kLyingCoinPicture,    kMagicPicture,      kSweeperPicture,
                                                 kSweeper2Picture,     kBonusMarkerPicture};

inline constexpr const char* kAllPictures[] = {
    kBack,        kBase,           kBaseMask,      kBar,   kBarMask,   kTop,     kGate,        kGateMask, kCoin,
    kCoinMask,    kLyingCoin,      kLyingCoinMask, kMagic, kMagicMask, kSweeper, kSweeperMask, kSweeper2, kSweeper2Mask,
    kBonusMarker, kBonusMarkerMask};

inline constexpr const char* kAllSounds[] = {kLotteryTickSound, kLotteryStopSound, kCaptureSound, kPayoutSound,
                                             kBonusPayoutSound, kMagicSound,       kSweeperSound};

}  // namespace asset
