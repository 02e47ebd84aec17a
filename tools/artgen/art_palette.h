#pragma once
// The cabinet's colours, shared so that every piece belongs to one machine.
#include "tools/artgen/raster.h"

namespace artgen::colour {

// Cabinet body: deep violet lacquer with gold trim.
inline constexpr Rgb kBodyDark{28, 14, 52};
inline constexpr Rgb kBody{52, 28, 96};
inline constexpr Rgb kBodyLight{84, 52, 140};
inline constexpr Rgb kGoldDark{136, 92, 18};
inline constexpr Rgb kGold{228, 176, 48};
inline constexpr Rgb kGoldLight{255, 236, 150};

// Polished metal for rails, edges and the pusher table.
inline constexpr Rgb kChromeDark{96, 104, 122};
inline constexpr Rgb kChrome{176, 184, 200};
inline constexpr Rgb kChromeLight{236, 240, 250};

// The playfield glass, a deep blue that lets gold coins stand out.
inline constexpr Rgb kFieldBack{16, 36, 70};
inline constexpr Rgb kFieldFront{34, 78, 124};

// Lamps.
inline constexpr Rgb kLampWarm{255, 214, 90};
inline constexpr Rgb kLampRed{240, 70, 60};

// Coins.
inline constexpr Rgb kCoinDark{150, 98, 14};
inline constexpr Rgb kCoin{232, 180, 40};
inline constexpr Rgb kCoinLight{255, 240, 160};

}  // namespace artgen::colour
