#pragma once
// Mono 16-bit PCM wave files.
#include <vector>

#include "tools/artgen/byte_buffer.h"

namespace artgen {

inline constexpr int kSampleRate = 22050;

// Samples are in -1..1; values beyond are clipped.
Bytes EncodeWave(const std::vector<double>& samples, int sampleRate = kSampleRate);

}  // namespace artgen
