#pragma once
#include <optional>
#include <string>
#include <vector>

struct SimOptions {
  long long ticks = 100;
  std::string keysFile;  // empty: no key presses
  std::optional<long long> credits;
  std::string traceFile = "-";
  bool draws = false;
  std::string framesDir;      // empty: no frames
  std::string assetsDir;      // empty: the working directory
  std::string videoFile;      // empty: no video
  int framesPerSecond = 5;    // of the frames, the video and the raw pictures: one of kFrameRates
  std::string rawFramesFile;  // empty: none; "-": standard output
  bool summary = false;
  std::string summaryJsonFile;   // empty: none
  std::string saveSnapshotFile;  // empty: none
  std::string loadSnapshotFile;  // empty: start with the creation reset
  std::string statsPngFile;      // empty: none
  bool statsInJapanese = false;  // English otherwise

  // Whether anything reads the composed pixels; without a reader no frame
  // is composed at all.
  bool ReadsPixels() const { return !framesDir.empty() || !videoFile.empty() || !rawFramesFile.empty(); }
  // Pictures shown for each tick: its frame and those between it and the next.
  int PicturesPerTick() const;
};

struct SimOptionsResult {
  SimOptions options;
  bool ok = true;
  bool helpRequested = false;
  bool versionRequested = false;
  std::string error;  // one line naming the problem
};

SimOptionsResult ParseSimOptions(const std::vector<std::string>& args);

// The help text, several lines ending in a newline.
std::string SimUsage();

// What the runner prints for a mistake on its command line.
std::string SimUsageError(const std::string& error);
