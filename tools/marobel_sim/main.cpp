// marobel-sim: the game without a window. Runs the creation reset and then
// game ticks, delivering scripted key presses between ticks, and writes a
// JSON Lines trace of every tick (optionally its drawing calls and frames).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "game/coin_life.h"
#include "game/state.h"
#include "game/tick.h"
#include "app/session/key_script.h"
#include "tools/marobel_sim/options.h"
#include "tools/png_writer/png_writer.h"
#include "tools/marobel_sim/progress_line.h"
#include "tools/marobel_sim/video_recording.h"
#include "app/session/trace.h"

namespace {

// No window: the loop below is the timer, and nothing is shown.
class HeadlessWindow : public WindowHost {
 public:
  void StartTimer(int, int) override {}
  void RequestRepaint() override {}
  void ShowPixels(const std::uint32_t*, int, int) override {}
};

int UsageError(const std::string& message) {
  std::fprintf(stderr, "marobel-sim: %s\n", message.c_str());
  return 2;
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
  if (!parsed.ok) return UsageError(parsed.error);
  const SimOptions& options = parsed.options;

  std::vector<KeyPress> presses;
  if (!options.keysFile.empty()) {
    std::string script;
    if (!ReadFile(options.keysFile, script)) return UsageError(options.keysFile + ": cannot read the key script");
    const KeyScriptResult keys = ParseKeyScript(script);
    if (!keys.ok) return UsageError(options.keysFile + ":" + std::to_string(keys.errorLine) + ": " + keys.errorReason);
    presses = keys.presses;
  }

  if (!options.framesDir.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(options.framesDir, ec);
    if (ec || !std::filesystem::is_directory(options.framesDir))
      return UsageError(options.framesDir + ": cannot create the frames directory");
  }

  // --video: started before the run, fed after each tick, finished at the end.
  std::unique_ptr<VideoRecording> video;
  if (!options.videoFile.empty()) {
    std::string error;
    video = VideoRecording::Start(options.videoFile, options.assetsDir, error);
    if (!video) return UsageError(error);
  }

  std::FILE* trace = stdout;
  if (options.traceFile != "-") {
    trace = std::fopen(options.traceFile.c_str(), "wb");
    if (!trace) return UsageError(options.traceFile + ": cannot open the trace file for writing");
  }

  HeadlessWindow window;
  SoundLog sounds;
  DrawLog draws;
  SetSoundOutput(&sounds);
  mainCanvas.SetFileDirectory(options.assetsDir);
  if (options.draws) mainCanvas.SetCallSink(&draws);

  ResetGame(&window);
  if (options.credits) game.credits = static_cast<int>(*options.credits);

  std::string line;
  bool writeFailed = false;
  auto emit = [&](long long tick) {
    FormatTraceLine(line, tick, sounds, options.draws ? &draws : nullptr);
    line += '\n';
    if (std::fwrite(line.data(), 1, line.size(), trace) != line.size()) writeFailed = true;
    sounds.Clear();
    draws.Clear();
  };
  sounds.Clear();
  draws.Clear();
  emit(0);

  std::size_t nextPress = 0;
  ProgressLine progress(options.ticks, stderr, trace);
  for (long long tick = 1; tick <= options.ticks && !writeFailed; ++tick) {
    while (nextPress < presses.size() && presses[nextPress].tick == tick) InsertCoin(presses[nextPress++].virtualKey);
    GameTick(&window);
    progress.Update(tick);
    // Before emit(), which clears the tick's sounds.
    if (video) {
      std::string error;
      if (!video->AddTick(mainCanvas.Pixels(), mainCanvas.Width(), mainCanvas.Height(), sounds.Names(), error)) {
        std::fprintf(stderr, "marobel-sim: %s\n", error.c_str());
        return 1;
      }
    }
    emit(tick);
    if (!options.framesDir.empty()) {
      std::string error;
      if (!WritePng(FramePath(options.framesDir, tick), mainCanvas.Pixels(), mainCanvas.Width(), mainCanvas.Height(),
                    error)) {
        std::fprintf(stderr, "marobel-sim: %s\n", error.c_str());
        return 1;
      }
    }
  }
  progress.Finish();
  if (std::fflush(trace) != 0) writeFailed = true;
  if (trace != stdout && std::fclose(trace) != 0) writeFailed = true;
  if (writeFailed) {
    std::fprintf(stderr, "marobel-sim: %s: the trace could not be written completely\n", options.traceFile.c_str());
    return 1;
  }
  if (std::string error; video && !video->Finish(error)) {
    std::fprintf(stderr, "marobel-sim: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
