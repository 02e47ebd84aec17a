#include "tools/artgen/sound_synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/artgen/wav_file.h"

namespace artgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRate = kSampleRate;

Samples Silence(double seconds) { return Samples(static_cast<std::size_t>(seconds * kRate), 0.0); }

// A decaying sine: `decay` is the rate of the exponential fall per second.
void AddTone(Samples& s, double start, double freq, double amp, double decay, double length = 10.0) {
  const std::size_t first = static_cast<std::size_t>(start * kRate);
  const double attack = 0.002;
  for (std::size_t i = first; i < s.size(); ++i) {
    const double t = (i - first) / kRate;
    if (t > length) break;
    const double env = std::min(1.0, t / attack) * std::exp(-decay * t);
    s[i] += amp * env * std::sin(2 * kPi * freq * t);
  }
}

// Metal rings at inharmonic partials; that is what makes a coin or a bell.
void AddBell(Samples& s, double start, double freq, double amp, double decay) {
  AddTone(s, start, freq, amp, decay);
  AddTone(s, start, freq * 2.76, amp * 0.45, decay * 1.7);
  AddTone(s, start, freq * 5.40, amp * 0.22, decay * 2.6);
}

// Deterministic white noise, so every build writes the same files.
class Noise {
 public:
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 23) - 1.0;
  }

 private:
  std::uint32_t state_ = 12345u;
};

// A state-variable band-pass whose centre may change per sample.
class BandPass {
 public:
  explicit BandPass(double damping) : damping_(damping) {}
  double Step(double in, double centre) {
    const double f = 2.0 * std::sin(kPi * centre / kRate);
    low_ += f * band_;
    const double high = in - low_ - damping_ * band_;
    band_ += f * high;
    return band_;
  }

 private:
  double damping_;
  double low_ = 0, band_ = 0;
};

// Scales to a common loudness and softens both ends against clicks.
Samples Finish(Samples s, double peak = 0.8) {
  double max = 0;
  for (double v : s) max = std::max(max, std::abs(v));
  if (max > 0)
    for (double& v : s) v *= peak / max;
  const std::size_t fadeIn = static_cast<std::size_t>(0.001 * kRate);
  const std::size_t fadeOut = std::min(s.size(), static_cast<std::size_t>(0.012 * kRate));
  for (std::size_t i = 0; i < fadeIn && i < s.size(); ++i) s[i] *= static_cast<double>(i) / fadeIn;
  for (std::size_t i = 0; i < fadeOut; ++i) s[s.size() - 1 - i] *= static_cast<double>(i) / fadeOut;
  return s;
}

}  // namespace

Samples CoinPayoutSound() {
  Samples s = Silence(0.32);
  AddBell(s, 0.0, 2637.0, 1.0, 22.0);
  AddBell(s, 0.055, 3136.0, 0.45, 30.0);  // the coin bounces once in the tray
  Noise noise;
  for (std::size_t i = 0; i < static_cast<std::size_t>(0.006 * kRate); ++i) s[i] += 0.3 * noise.Next();
  return Finish(s, 0.75);
}

Samples BonusPayoutSound() {
  Samples s = Silence(0.72);
  const double notes[] = {1046.5, 1318.5, 1568.0, 2093.0};
  for (int i = 0; i < 4; ++i) AddBell(s, 0.07 * i, notes[i], 0.8, 7.0);
  AddBell(s, 0.30, 2637.0, 0.5, 6.0);
  AddBell(s, 0.30, 3136.0, 0.4, 6.5);
  return Finish(s, 0.85);
}

Samples GateCaptureSound() {
  Samples s = Silence(0.34);
  Noise noise;
  BandPass body(0.6);
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = i / kRate;
    // A thud whose pitch falls as the coin settles in the catcher.
    const double thud = std::sin(2 * kPi * (220.0 * t - 500.0 * t * t)) * std::exp(-30.0 * t);
    s[i] += 0.8 * thud + 0.6 * body.Step(noise.Next(), 900.0) * std::exp(-60.0 * t);
    if (t >= 0.09 && t < 0.3) {
      const double u = t - 0.09;
      // A rising, hollow blip: odd harmonics only, kept below the Nyquist
      // limit so that the sweep does not fold back into noise.
      const double phase = 2 * kPi * (660.0 * u + 1300.0 * u * u);
      const double hollow = std::sin(phase) + std::sin(3 * phase) / 3 + std::sin(5 * phase) / 5;
      s[i] += 0.2 * hollow * std::min(1.0, u / 0.01) * std::exp(-8.0 * u);
    }
  }
  return Finish(s, 0.8);
}

Samples LotteryTickSound() {
  Samples s = Silence(0.1);
  AddTone(s, 0.0, 1760.0, 1.0, 120.0, 0.05);
  AddTone(s, 0.0, 3520.0, 0.3, 200.0, 0.05);
  return Finish(s, 0.6);
}

Samples LotteryStopSound() {
  Samples s = Silence(0.75);
  AddBell(s, 0.0, 1046.5, 0.9, 5.0);
  AddBell(s, 0.16, 1568.0, 1.0, 5.0);
  AddTone(s, 0.16, 784.0, 0.35, 4.0);
  return Finish(s, 0.85);
}

Samples MagicSound() {
  Samples s = Silence(0.8);
  double phase = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = i / kRate;
    const double freq = 500.0 * std::pow(5.0, t / 0.8) * (1.0 + 0.02 * std::sin(2 * kPi * 9.0 * t));
    phase += 2 * kPi * freq / kRate;
    const double env = std::min(1.0, t / 0.05) * (1.0 - t / 0.8);
    s[i] += 0.45 * env * (std::sin(phase) + 0.3 * std::sin(3 * phase));
  }
  Noise pick;
  for (int k = 0; k < 14; ++k) {
    const double start = 0.03 + 0.05 * k + 0.02 * std::abs(pick.Next());
    const double freq = 2500.0 + 3000.0 * std::abs(pick.Next());
    AddTone(s, start, freq, 0.35, 28.0, 0.2);
  }
  return Finish(s, 0.8);
}

Samples SweeperSound() {
  Samples s = Silence(0.18);
  Noise noise;
  BandPass brush(0.35);
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = i / kRate;
    const double u = t / 0.18;
    const double centre = 700.0 + 2600.0 * u;
    const double env = std::sin(kPi * u);
    s[i] = env * env * brush.Step(noise.Next(), centre);
  }
  return Finish(s, 0.7);
}

}  // namespace artgen
