#include "app/sim/cue_sounds.h"

#include <algorithm>
#include <utility>

#include "formats/wave_file.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/mathematics.h>
#include <libswresample/swresample.h>
}

namespace {

AVSampleFormat SampleFormatOf(WaveSampleFormat format) {
  switch (format) {
    case WaveSampleFormat::UInt8:
      return AV_SAMPLE_FMT_U8;
    case WaveSampleFormat::Int16:
      return AV_SAMPLE_FMT_S16;
    case WaveSampleFormat::Int32:
      return AV_SAMPLE_FMT_S32;
    case WaveSampleFormat::Float32:
      return AV_SAMPLE_FMT_FLT;
  }
  return AV_SAMPLE_FMT_NONE;
}

// Mixes the channels down and resamples to `rate`; a conversion the
// library refuses leaves the cue silent rather than stopping the video.
std::vector<float> ToMono(const WaveSound& sound, int rate) {
  std::vector<float> out;
  AVChannelLayout inLayout{};
  av_channel_layout_default(&inLayout, sound.channels);
  AVChannelLayout outLayout = AV_CHANNEL_LAYOUT_MONO;
  SwrContext* resampler = nullptr;
  if (swr_alloc_set_opts2(&resampler, &outLayout, AV_SAMPLE_FMT_FLT, rate, &inLayout, SampleFormatOf(sound.format),
                          sound.sampleRate, 0, nullptr) < 0 ||
      swr_init(resampler) < 0) {
    swr_free(&resampler);
    av_channel_layout_uninit(&inLayout);
    return out;
  }
  const int inCount = static_cast<int>(sound.samples.size() / (sound.channels * WaveSampleBytes(sound.format)));
  const int room = static_cast<int>(av_rescale_rnd(inCount, rate, sound.sampleRate, AV_ROUND_UP)) + 256;
  out.resize(static_cast<std::size_t>(room));
  const std::uint8_t* in[1] = {sound.samples.data()};
  std::uint8_t* to[1] = {reinterpret_cast<std::uint8_t*>(out.data())};
  int made = swr_convert(resampler, to, room, in, inCount);
  if (made >= 0) {
    to[0] += made * sizeof(float);
    const int tail = swr_convert(resampler, to, room - made, nullptr, 0);  // what the filter still holds
    if (tail > 0) made += tail;
  }
  out.resize(static_cast<std::size_t>(std::max(made, 0)));
  swr_free(&resampler);
  av_channel_layout_uninit(&inLayout);
  return out;
}

}  // namespace

CueSounds::CueSounds(SoundResolver resolver, int sampleRate)
    : resolver_(std::move(resolver)), sampleRate_(sampleRate) {}

const std::vector<float>& CueSounds::Get(const std::string& waveFile) {
  const auto found = clips_.find(waveFile);
  if (found != clips_.end()) return found->second;
  return clips_[waveFile] = ToMono(resolver_(waveFile), sampleRate_);
}
