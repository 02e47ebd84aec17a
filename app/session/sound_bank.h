#pragma once
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "formats/wave_file.h"

// A cue's sound, resolved: the samples of its wave file, or of the
// stand-in beep where the file is missing or not a playable wave.
struct SoundClip {
  std::string name;  // the wave file the game asked for
  WaveSound sound;
  bool standIn = false;  // the beep plays in the file's place
};

// Turns the game's cue names into sounds, the one place that decides
// between a file and the stand-in. Files are read from the sound folder by
// bare name; a file is read again when its size or time changes, so a
// replaced file is heard at its next cue, as the game reads it by name.
class SoundBank {
 public:
  void SetFolder(std::string folder) { folder_ = std::move(folder); }
  const std::string& Folder() const { return folder_; }
  // Valid until the same name is resolved again.
  const SoundClip& Resolve(std::string_view name);

 private:
  struct Entry {
    std::shared_ptr<const SoundClip> clip;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type time{};
    bool present = false;
  };
  std::string folder_;
  std::map<std::string, Entry, std::less<>> entries_;
};

// Where a session's sounds are heard. The cabinet has one voice: a cue
// starts at once, from its beginning, and the one still sounding stops; a
// player says only how it stops its sound and how it starts one.
class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  void Play(const SoundClip& clip) {
    StopPlaying();
    StartPlaying(clip);
  }
  virtual void StopPlaying() = 0;

 protected:
  virtual void StartPlaying(const SoundClip& clip) = 0;
};
