// marobel-sim: the game without a window. Runs the creation reset and then
// game ticks, delivering scripted key presses between ticks, and writes a
// JSON Lines trace of every tick (optionally its drawing calls and frames)
// and, if asked, an account of the session.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cabinet/snapshot.h"
#include "cabinet/cabinet.h"
#include "canvas/window_host.h"
#include "cabinet/tick.h"
#include "app/session/key_script.h"
#include "app/session/session_summary.h"
#include "app/session/trace.h"
#include "marobel_version.h"
#include "render/sound_cue.h"
#include "tools/marobel_sim/options.h"
#include "tools/marobel_sim/output_file.h"
#include "tools/marobel_sim/progress_line.h"
#include "tools/marobel_sim/video_format.h"
#include "tools/marobel_sim/video_recording.h"
#include "tools/png_writer/png_writer.h"

namespace {

int UsageError(const std::string& message) {
  std::fprintf(stderr, "marobel-sim: %s\n", message.c_str());
  return 2;
}

int RunError(const std::string& message) {
  std::fprintf(stderr, "marobel-sim: %s\n", message.c_str());
  return 1;
}

bool ReadFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) return false;
  text = buffer.str();
  return true;
}

std::string FramePath(const std::string& dir, long long tick) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%06lld.png", tick);
  return (std::filesystem::path(dir) / name).string();
}

}  // namespace

int main(int argc, char** argv) {
  const SimOptionsResult parsed = ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (parsed.helpRequested) {
    std::fputs(SimUsage(), stdout);
    return 0;
  }
  if (parsed.versionRequested) {
    std::printf("marobel-sim %s\n", MAROBEL_VERSION);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  if (!parsed.ok) return UsageError(parsed.error);
  const SimOptions& options = parsed.options;

  std::vector<KeyPress> presses;
  std::optional<long long> startingCredits = options.credits;
  if (!options.keysFile.empty()) {
    std::string script;
    if (!ReadFile(options.keysFile, script)) return UsageError(options.keysFile + ": cannot read the key script");
    const KeyScriptResult keys = ParseKeyScript(script);
    if (!keys.ok) return UsageError(options.keysFile + ":" + std::to_string(keys.errorLine) + ": " + keys.errorReason);
    presses = keys.presses;
    // A free-play game's record names its starting credits itself.
    if (keys.startingCredits && startingCredits && *startingCredits != *keys.startingCredits)
      return UsageError("--credits " + std::to_string(*startingCredits) + " contradicts " + options.keysFile +
                        ", a free-play game from " + std::to_string(*keys.startingCredits) + " credits");
    if (keys.startingCredits) startingCredits = keys.startingCredits;
  }

  NoWindowHost window;  // the loop below is the timer
  SoundLog sounds;
  DrawLog draws;
  SetSoundOutput(&sounds);
  mainCanvas.SetFileDirectory(options.assetsDir);
  mainCanvas.SetComposing(options.ReadsPixels());
  if (options.draws) mainCanvas.SetCallSink(&draws);

  // The reset attaches the canvas; a snapshot then replaces the whole game.
  // Both come before any output is made, so a bad snapshot leaves nothing.
  cabinet::Create(&window);
  if (startingCredits) cabinet::SetCredits(*startingCredits);
  std::string error;
  if (!options.loadSnapshotFile.empty() && !LoadSnapshotFile(options.loadSnapshotFile, error)) return UsageError(error);
  const long long firstTick = cabinet::TicksRun();
  // Presses up to the snapshot's tick were delivered before it was taken.
  std::size_t nextPress = 0;
  while (nextPress < presses.size() && presses[nextPress].tick <= firstTick) ++nextPress;

  if (!options.framesDir.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(options.framesDir, ec);
    if (ec || !std::filesystem::is_directory(options.framesDir))
      return UsageError(options.framesDir + ": cannot create the frames directory");
  }

  // Output files are opened before the run, so that a bad path is reported
  // at once rather than after a long game.
  OutputFile traceFile;
  const bool traceToStdout = options.traceFile == "-";
  if (!traceToStdout && !traceFile.Open(options.traceFile, error)) return UsageError(error);
  std::FILE* trace = traceToStdout ? stdout : traceFile.Stream();
  // A rich game's line holds kilobytes: a large buffer saves write calls.
  // (Given no buffer, the C library would keep its small one.) Static, as
  // standard output is flushed after main has returned.
  static char traceBuffer[1 << 20];
  std::setvbuf(trace, traceBuffer, _IOFBF, sizeof traceBuffer);
  OutputFile snapshotFile;
  if (!options.saveSnapshotFile.empty() && !snapshotFile.Open(options.saveSnapshotFile, error))
    return UsageError(error);
  OutputFile summaryFile;
  if (!options.summaryJsonFile.empty() && !summaryFile.Open(options.summaryJsonFile, error)) return UsageError(error);

  // --video: started before the run, fed after each tick, finished at the end.
  std::unique_ptr<VideoRecording> video;
  if (!options.videoFile.empty()) {
    video = VideoRecording::Start(options.videoFile, options.assetsDir, error);
    if (!video) return UsageError(error);
    // A new sound cuts off the one playing, so only the last one can still be heard.
    if (const LastSoundCue& cue = LastCue(); !cue.name.empty())
      video->ContinueSound(cue.name, firstTick - cue.tick + 1);
  }

  SessionSummary summary;
  if (startingCredits) summary.StartedWithCredits(*startingCredits);

  std::string line;
  bool writeFailed = false;
  auto emit = [&](long long tick) {
    if (!WriteTraceLine(trace, line, tick, sounds, options.draws ? &draws : nullptr)) writeFailed = true;
    sounds.Clear();
    draws.Clear();
  };
  sounds.Clear();
  draws.Clear();
  emit(firstTick);

  ProgressLine progress(options.ticks, stderr, trace, options.videoFile);
  for (long long tick = firstTick + 1; tick <= firstTick + options.ticks && !writeFailed; ++tick) {
    while (nextPress < presses.size() && presses[nextPress].tick == tick)
      cabinet::KeyDown(presses[nextPress++].virtualKey);
    cabinet::Tick(&window);
    progress.Update(tick - firstTick);
    summary.AfterTick();
    // Before emit(), which clears the tick's sounds.
    if (video && !video->AddTick(mainCanvas.Pixels(), mainCanvas.Width(), mainCanvas.Height(), sounds.Names(), error))
      return RunError(error);
    emit(tick);
    if (!options.framesDir.empty()) {
      if (!WritePng(FramePath(options.framesDir, tick), mainCanvas.Pixels(), mainCanvas.Width(), mainCanvas.Height(),
                    error)) {
        return RunError(error);
      }
    }
  }
  progress.Finish();
  if (traceToStdout ? std::fflush(stdout) != 0 || writeFailed : writeFailed || !traceFile.Commit(error))
    return RunError(options.traceFile + ": the trace could not be written completely");
  if (video && !video->Finish(error)) return RunError(error);
  if (video) {
    std::error_code ignored;
    const auto bytes = std::filesystem::file_size(options.videoFile, ignored);
    const std::string result = VideoResultLine(options.videoFile, options.ticks, kVideoFramesPerSecond,
                                               bytes == static_cast<std::uintmax_t>(-1) ? 0 : bytes);
    std::fprintf(stderr, "%s\n", result.c_str());
  }
  if (!options.saveSnapshotFile.empty()) {
    const std::vector<std::uint8_t> bytes = SaveSnapshot();
    std::fwrite(bytes.data(), 1, bytes.size(), snapshotFile.Stream());
    if (!snapshotFile.Commit(error)) return RunError(error);
  }

  if (options.summary) {
    // The summary keeps out of the trace's way: standard error when the
    // trace takes standard output.
    const std::string text = summary.Text();
    std::FILE* to = traceToStdout ? stderr : stdout;
    if (std::fwrite(text.data(), 1, text.size(), to) != text.size() || std::fflush(to) != 0)
      return RunError("the summary could not be printed");
  }
  if (!options.summaryJsonFile.empty()) {
    const std::string json = summary.Json() + "\n";
    std::fwrite(json.data(), 1, json.size(), summaryFile.Stream());
    if (!summaryFile.Commit(error)) return RunError(error);
  }
  return 0;
}
