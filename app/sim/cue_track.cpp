#include "app/sim/cue_track.h"

#include <algorithm>
#include <utility>

CueTrack::CueTrack(std::size_t samplesPerTick, ClipSource clips)
    : samplesPerTick_(samplesPerTick), voice_(std::move(clips)) {}

void CueTrack::AddTick(const std::vector<std::string>& requests, std::vector<float>& out) {
  // Each request plays in turn, at the one instant the tick's frame starts.
  for (const std::string& request : requests) voice_.Play(request);
  std::size_t written = 0;
  if (const std::vector<float>* clip = voice_.playing) {
    written = std::min(samplesPerTick_, clip->size() - voice_.position);
    out.insert(out.end(), clip->begin() + static_cast<std::ptrdiff_t>(voice_.position),
               clip->begin() + static_cast<std::ptrdiff_t>(voice_.position + written));
    voice_.position += written;
    if (voice_.position == clip->size()) voice_.playing = nullptr;
  }
  out.insert(out.end(), samplesPerTick_ - written, 0.0f);
}

void CueTrack::Continue(const std::string& waveFile, std::size_t ticksPlayed) {
  voice_.Play(waveFile);
  voice_.position = std::min(voice_.playing->size(), ticksPlayed * samplesPerTick_);
  if (voice_.position == voice_.playing->size()) voice_.playing = nullptr;
}
