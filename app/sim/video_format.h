#pragma once
#include <optional>
#include <string>

#include "app/session/window_view.h"

// The video files the runner writes, chosen by the file name's extension:
// ".mp4" is H.264 with AAC sound, ".webm" is VP9 with Opus sound.
enum class VideoFormat { Mp4, WebM };

std::optional<VideoFormat> VideoFormatFor(const std::string& path);

// False when this build was configured without FFmpeg's libraries.
bool VideoSupported();

// A video shows what the window's client area shows: the canvas's top-left
// part, cut to even sides, as the encoders' 4:2:0 pictures need.
inline constexpr int kVideoWidth = kClientAreaWidth & ~1;
inline constexpr int kVideoHeight = kClientAreaHeight & ~1;

// The game's tick rate: 200 ms a tick. A video shows each tick's frame
// and, above this rate, pictures between the ticks.
inline constexpr int kTicksPerSecond = 5;
// The picture rates a run can be shown at: a whole number of pictures a tick.
inline constexpr int kFrameRates[] = {5, 10, 15, 20, 30, 60};
