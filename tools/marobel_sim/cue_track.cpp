#include "tools/marobel_sim/cue_track.h"

#include <algorithm>
#include <utility>

CueTrack::CueTrack(std::size_t samplesPerTick, ClipSource clips)
    : samplesPerTick_(samplesPerTick), clips_(std::move(clips)) {}

void CueTrack::AddTick(const std::vector<std::string>& requests, std::vector<float>& out) {
  if (!requests.empty()) {
    playing_ = &clips_(requests.back());
    position_ = 0;
  }
  std::size_t written = 0;
  if (playing_) {
    written = std::min(samplesPerTick_, playing_->size() - position_);
    out.insert(out.end(), playing_->begin() + static_cast<std::ptrdiff_t>(position_),
               playing_->begin() + static_cast<std::ptrdiff_t>(position_ + written));
    position_ += written;
    if (position_ == playing_->size()) playing_ = nullptr;
  }
  out.insert(out.end(), samplesPerTick_ - written, 0.0f);
}

void CueTrack::Continue(const std::string& waveFile, std::size_t ticksPlayed) {
  playing_ = &clips_(waveFile);
  position_ = std::min(playing_->size(), ticksPlayed * samplesPerTick_);
  if (position_ == playing_->size()) playing_ = nullptr;
}
