#pragma once

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

inline constexpr const char* kAllPictures[] = {
    kBack,        kBase,           kBaseMask,      kBar,   kBarMask,   kTop,     kGate,        kGateMask, kCoin,
    kCoinMask,    kLyingCoin,      kLyingCoinMask, kMagic, kMagicMask, kSweeper, kSweeperMask, kSweeper2, kSweeper2Mask,
    kBonusMarker, kBonusMarkerMask};

inline constexpr const char* kAllSounds[] = {kLotteryTickSound, kLotteryStopSound, kCaptureSound, kPayoutSound,
                                             kBonusPayoutSound, kMagicSound,       kSweeperSound};

}  // namespace asset
