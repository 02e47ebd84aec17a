// marobel-sim: the game without a window. The game session runs the
// creation reset and then game ticks, delivering scripted key presses
// between ticks, and writes a JSON Lines trace of every tick (optionally its
// drawing calls); this loop is its clock, and adds what only the runner
// makes: frames, a video, a snapshot at the end, and the account printed.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/session/game_session.h"
#include "app/session/key_script_file.h"
#include "marobel_version.h"
#include "app/sim/options.h"
#include "app/sim/progress_line.h"
#include "app/sim/video_format.h"
#include "app/sim/video_recording.h"
#include "formats/whole_file.h"
#include "formats/png_writer.h"

namespace {

int UsageError(const std::string& message) {
  std::fprintf(stderr, "marobel-sim: %s\n", message.c_str());
  return 2;
}

int RunError(const std::string& message) {
  std::fprintf(stderr, "marobel-sim: %s\n", message.c_str());
  return 1;
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
    std::fputs(SimUsage().c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  if (parsed.versionRequested) {
    std::printf("marobel-sim %s\n", MAROBEL_VERSION);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  if (!parsed.ok) {
    std::fputs(SimUsageError(parsed.error).c_str(), stderr);
    return 2;
  }
  const SimOptions& options = parsed.options;

  GameSession session;
  std::string error;
  std::vector<KeyPress> presses;
  std::optional<long long> scriptCredits;
  if (!options.keysFile.empty() && !LoadKeyScript(options.keysFile, presses, error, &scriptCredits))
    return UsageError(error);
  if (!session.Replay(options.keysFile, std::move(presses), scriptCredits, options.credits, error))
    return UsageError(error);
  session.SetAssetFolder(options.assetsDir);
  // Before any output is made, so that a bad snapshot leaves nothing.
  if (!options.loadSnapshotFile.empty() && !session.StartFromSnapshotFile(options.loadSnapshotFile, error))
    return UsageError(error);

  if (!options.framesDir.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(options.framesDir, ec);
    if (ec || !std::filesystem::is_directory(options.framesDir))
      return UsageError(options.framesDir + ": cannot create the frames directory");
  }

  // Output files are opened before the run, so that a bad path is reported
  // at once rather than after a long game.
  WholeFile traceFile;
  const bool traceToStdout = options.traceFile == "-";
  if (!traceToStdout && !traceFile.Open(options.traceFile, error)) return UsageError(error);
  std::FILE* trace = traceToStdout ? stdout : traceFile.Stream();
  // A rich game's line holds kilobytes: a large buffer saves write calls.
  // (Given no buffer, the C library would keep its small one.) Static, as
  // standard output is flushed after main has returned.
  static char traceBuffer[1 << 20];
  std::setvbuf(trace, traceBuffer, _IOFBF, sizeof traceBuffer);
  WholeFile snapshotFile;
  if (!options.saveSnapshotFile.empty() && !snapshotFile.Open(options.saveSnapshotFile, error))
    return UsageError(error);
  WholeFile summaryFile;
  if (!options.summaryJsonFile.empty() && !summaryFile.Open(options.summaryJsonFile, error)) return UsageError(error);

  // --video: started before the run, fed after each tick, finished at the end.
  std::unique_ptr<VideoRecording> video;
  if (!options.videoFile.empty()) {
    video = VideoRecording::Start(
        options.videoFile,
        [&session](const std::string& name) -> const WaveSound& { return session.ResolveSound(name).sound; }, error);
    if (!video) return UsageError(error);
  }

  session.TraceTo(trace, options.draws);
  session.Reset(nullptr);  // the loop below is the clock
  const long long firstTick = session.TicksRun();
  // A new sound cuts off the one playing, so only the last one can still be heard.
  if (const GameSession::StillSounding cue = session.SoundStillSounding(); video && !cue.name.empty())
    video->ContinueSound(cue.name, cue.ticksPlayed);

  ProgressLine progress(options.ticks, stderr, trace, options.videoFile);
  std::vector<std::string> sounds;
  while (session.TicksRun() < firstTick + options.ticks && !session.TraceFailed()) {
    session.RunUntil(firstTick + options.ticks, nullptr, 1);
    const long long tick = session.TicksRun();
    progress.Update(tick - firstTick);
    if (!options.ReadsPixels()) continue;
    const GameSession::FrameView frame = session.Frame();
    if (video) {
      sounds.assign(session.TickSounds().begin(), session.TickSounds().end());
      if (!video->AddTick(frame.pixels, frame.width, frame.height, sounds, error)) return RunError(error);
    }
    if (!options.framesDir.empty() &&
        !WritePng(FramePath(options.framesDir, tick), frame.pixels, frame.width, frame.height, error))
      return RunError(error);
  }
  progress.Finish();
  const bool writeFailed = session.TraceFailed();
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
    const std::vector<std::uint8_t> bytes = session.Snapshot();
    std::fwrite(bytes.data(), 1, bytes.size(), snapshotFile.Stream());
    if (!snapshotFile.Commit(error)) return RunError(error);
  }

  if (options.summary) {
    // The summary keeps out of the trace's way: standard error when the
    // trace takes standard output.
    const std::string text = session.SummaryText();
    std::FILE* to = traceToStdout ? stderr : stdout;
    if (std::fwrite(text.data(), 1, text.size(), to) != text.size() || std::fflush(to) != 0)
      return RunError("the summary could not be printed");
  }
  if (!options.summaryJsonFile.empty()) {
    const std::string json = session.SummaryJson() + "\n";
    std::fwrite(json.data(), 1, json.size(), summaryFile.Stream());
    if (!summaryFile.Commit(error)) return RunError(error);
  }
  return 0;
}
