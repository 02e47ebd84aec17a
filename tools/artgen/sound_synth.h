#pragma once
// The game's seven sounds, synthesised from sine partials and filtered noise.
#include <vector>

namespace artgen {

using Samples = std::vector<double>;

Samples CoinPayoutSound();   // coin.wav: one bright clink
Samples BonusPayoutSound();  // coin2.wav: a rising jingle of bells
Samples GateCaptureSound();  // in.wav: a clunk and a rising blip
Samples LotteryTickSound();  // s.wav: a very short click
Samples LotteryStopSound();  // stop.wav: a two-note chime
Samples MagicSound();        // magic.wav: an upward sparkle
Samples SweeperSound();      // cl.wav: a swish of brushed noise

}  // namespace artgen
