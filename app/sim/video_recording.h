#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "formats/wave_file.h"

// A cue's sound as the game session resolved it (its file or the stand-in).
using SoundResolver = std::function<const WaveSound&(const std::string& waveFile)>;

// A run recorded as a video: each tick's frame as the window shows it, and
// the tick's sound cues in the sound track.
//
// The encoder lives in a module of its own, loaded only when a video is
// asked for: FFmpeg's libraries and their codecs cost a plain run tens of
// megabytes and milliseconds just by being loaded.
class VideoRecording {
 public:
  // Null, with a one-line reason, when the video cannot be started (or this
  // build has no video support).
  // `framesPerSecond`: one of kFrameRates.
  static std::unique_ptr<VideoRecording> Start(const std::string& path, int framesPerSecond, SoundResolver sounds,
                                               std::string& error);
  virtual ~VideoRecording() = default;

  // The frame just composed (0x00RRGGBB, rows top-down) and the sounds
  // requested during the tick, in request order.
  virtual bool AddTick(const std::uint32_t* canvasPixels, int canvasWidth, int canvasHeight,
                       const std::vector<std::string>& sounds, std::string& error) = 0;
  // A picture between the last tick and the next, in time order: the sound
  // goes on as the tick left it.
  virtual bool AddPicture(const std::uint32_t* canvasPixels, int canvasWidth, int canvasHeight, std::string& error) = 0;
  // For a run continued from a snapshot, before the first tick: the sound
  // that may still be playing and how many ticks of it were already heard.
  virtual void ContinueSound(const std::string& waveFile, long long ticksPlayed) = 0;
  // Completes the file; without it the file is removed.
  virtual bool Finish(std::string& error) = 0;
};

// The video module's one entry point, looked up by this name.
inline constexpr const char* kStartVideoRecordingSymbol = "MarobelStartVideoRecording";
using StartVideoRecordingFunction = VideoRecording* (*)(const std::string& path, int framesPerSecond,
                                                        SoundResolver sounds, std::string& error);

// The module's file name; it is looked for beside the runner, then where an
// install puts it.
inline constexpr const char* kVideoModuleName = "marobel-sim-video.so";
