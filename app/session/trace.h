#pragma once
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/canvas_call_sink.h"
#include "render/sound_cue.h"

// Appends `text` to `out` as a JSON string literal.
void AppendJsonString(std::string& out, std::string_view utf8Text);

// Collects one tick's sound requests, in request order.
class SoundLog : public SoundOutput {
 public:
  void Play(const char* waveFile) override { names_.emplace_back(waveFile); }
  void Clear() { names_.clear(); }
  // Hands the names over to `out` and starts empty, without copying them.
  void MoveNamesTo(std::vector<std::string>& out) {
    out.swap(names_);
    names_.clear();
  }
  const std::vector<std::string>& Names() const { return names_; }

 private:
  std::vector<std::string> names_;
};

// Collects one tick's drawing calls as the JSON entries of `draws`.
class DrawLog : public CanvasCallSink {
 public:
  void OnClear(bool black) override;
  void OnSprite(std::string_view image, std::string_view mask, int x, int y, int w, int h) override;
  void OnText(int x, int y, int height, int r, int g, int b, std::string_view sjisText) override;
  void OnLine(int x1, int y1, int x2, int y2, int width, int r, int g, int b) override;
  void Clear() { json_.clear(); }
  // The entries so far, comma-separated, without the enclosing brackets.
  const std::string& Entries() const { return json_; }

 private:
  void Begin();
  std::string json_;
};

// One trace line for the current game state (no trailing newline).
void FormatTraceLine(std::string& out, long long tick, const SoundLog& sounds, const DrawLog* draws);

// The same line and its newline, written to `file`; `scratch` is working
// space worth keeping from line to line. False when a write fails.
bool WriteTraceLine(std::FILE* file, std::string& scratch, long long tick, const SoundLog& sounds,
                    const DrawLog* draws);
