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
#include "app/sim/raw_pictures.h"
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

// A tick's frame, or (part 1 and on) a picture on the way to it: the names
// sort in time order.
std::string FramePath(const std::string& dir, long long tick, int part = 0) {
  char name[40];
  if (part == 0)
    std::snprintf(name, sizeof name, "frame-%06lld.png", tick);
  else
    std::snprintf(name, sizeof name, "frame-%06lld-%02d.png", tick, part);
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
  WholeFile rawFile;
  const bool rawToStdout = options.rawFramesFile == "-";
  if (!options.rawFramesFile.empty() && !rawToStdout && !rawFile.Open(options.rawFramesFile, error))
    return UsageError(error);
  if (rawToStdout && traceToStdout && !options.rawFramesFile.empty())
    return UsageError("--raw-frames - and the trace cannot both go to standard output (give --trace FILE)");
  std::optional<RawPictures> raw;
  if (!options.rawFramesFile.empty()) raw.emplace(rawToStdout ? stdout : rawFile.Stream());
  WholeFile summaryFile;
  if (!options.summaryJsonFile.empty() && !summaryFile.Open(options.summaryJsonFile, error)) return UsageError(error);
  WholeFile statsFile;  // the PNG writer fills it by name at the end
  if (!options.statsPngFile.empty() && !statsFile.Open(options.statsPngFile, error)) return UsageError(error);

  // --video: started before the run, fed after each tick, finished at the end.
  std::unique_ptr<VideoRecording> video;
  if (!options.videoFile.empty()) {
    video = VideoRecording::Start(
        options.videoFile, options.framesPerSecond,
        [&session](const std::string& name) -> const WaveSound& { return session.ResolveSound(name).sound; }, error);
    if (!video) return UsageError(error);
  }

  session.TraceTo(trace, options.draws);
  session.Reset(nullptr);  // the loop below is the clock
  const long long firstTick = session.TicksRun();
  // A new sound cuts off the one playing, so only the last one can still be heard.
  if (const GameSession::StillSounding cue = session.SoundStillSounding(); video && !cue.name.empty())
    video->ContinueSound(cue.name, cue.ticksPlayed);

  // Above a frame a tick, the pictures between ticks are the window's own,
  // towards the next tick worked out ahead: made once, after each tick, and
  // shown after its frame (the frames folder names them by the tick they
  // lead to, so those before the first tick are kept and those after the
  // last are not).
  const int perTick = options.PicturesPerTick();
  session.SetSmoothMotion(perTick > 1);
  const long long lastTick = firstTick + options.ticks;
  auto picturesBetween = [&](long long after) -> bool {
    for (int part = 1; part < perTick; ++part) {
      const GameSession::FrameView picture = session.PictureBetween(static_cast<double>(part) / perTick);
      if (after > firstTick && video && !video->AddPicture(picture.pixels, picture.width, picture.height, error))
        return false;
      if (after > firstTick && raw && !raw->Add(picture.pixels, picture.width)) {
        error = options.rawFramesFile + ": the pictures could not be written";
        return false;
      }
      if (after < lastTick && !options.framesDir.empty() &&
          !WritePng(FramePath(options.framesDir, after + 1, part), picture.pixels, picture.width, picture.height,
                    error))
        return false;
    }
    return true;
  };
  if (options.ReadsPixels() && options.ticks > 0 && !picturesBetween(firstTick)) return RunError(error);

  ProgressLine progress(options.ticks, stderr, trace, options.videoFile);
  std::vector<std::string> sounds;
  while (session.TicksRun() < lastTick && !session.TraceFailed()) {
    session.RunUntil(lastTick, nullptr, 1);
    const long long tick = session.TicksRun();
    progress.Update(tick - firstTick);
    if (!options.ReadsPixels()) continue;
    const GameSession::FrameView frame = session.Frame();
    if (video) {
      sounds.assign(session.TickSounds().begin(), session.TickSounds().end());
      if (!video->AddTick(frame.pixels, frame.width, frame.height, sounds, error)) return RunError(error);
    }
    if (raw && !raw->Add(frame.pixels, frame.width))
      return RunError(options.rawFramesFile + ": the pictures could not be written");
    if (!options.framesDir.empty() &&
        !WritePng(FramePath(options.framesDir, tick), frame.pixels, frame.width, frame.height, error))
      return RunError(error);
    if (!picturesBetween(tick)) return RunError(error);
  }
  progress.Finish();
  const bool writeFailed = session.TraceFailed();
  if (traceToStdout ? std::fflush(stdout) != 0 || writeFailed : writeFailed || !traceFile.Commit(error))
    return RunError(options.traceFile + ": the trace could not be written completely");
  if (video && !video->Finish(error)) return RunError(error);
  if (raw && (rawToStdout ? std::fflush(stdout) != 0 : !rawFile.Commit(error)))
    return RunError(options.rawFramesFile + ": the pictures could not be written completely");
  if (video) {
    std::error_code ignored;
    const auto bytes = std::filesystem::file_size(options.videoFile, ignored);
    const std::string result = VideoResultLine(options.videoFile, options.ticks * perTick, options.framesPerSecond,
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
  if (!options.statsPngFile.empty()) {
    const PixelView picture =
        session.StatisticsPicture(options.statsInJapanese ? Language::Japanese : Language::English);
    if (!WritePng(statsFile.WritePath().string(), picture.pixels, picture.width, picture.height, error))
      return RunError(options.statsPngFile + ": the statistics picture could not be written");
    if (!statsFile.Commit(error)) return RunError(error);
  }
  return 0;
}
