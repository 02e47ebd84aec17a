#pragma once
#include <optional>
#include <string>

// The video files the runner writes, chosen by the file name's extension:
// ".mp4" is H.264 with AAC sound, ".webm" is VP9 with Opus sound.
enum class VideoFormat { Mp4, WebM };

std::optional<VideoFormat> VideoFormatFor(const std::string& path);

// False when this build was configured without FFmpeg's libraries.
bool VideoSupported();

// A video shows what the window's client area shows: the canvas's top-left
// part. These are that area at the window's opening size on the Linux shell
// (400 by 450 outside, less the frame, the caption and the menu bar), as
// seen under the window manager of the real-window tests; both even, as the
// encoders' 4:2:0 pictures need.
inline constexpr int kVideoWidth = 398;
inline constexpr int kVideoHeight = 406;

// The game's tick rate: 200 ms a tick, one frame per tick.
inline constexpr int kVideoFramesPerSecond = 5;
