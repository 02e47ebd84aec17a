#include "app/session/window_session.h"

#include <iterator>
#include <utility>

#include "app/session/key_script_file.h"
#include "app/session/session_files.h"
#include "game/coin_life.h"
#include "game/state.h"
#include "game/tick.h"
#include "marobel_version.h"

WindowSession::~WindowSession() {
  if (soundsRouted_) SetSoundOutput(nullptr);
}

bool WindowSession::Open(const ShellOptions& options, std::string& error) {
  // A record or trace written over the script being replayed would destroy
  // it as the game goes; over each other, both would be garbage.
  const std::pair<const char*, const std::string*> files[] = {
      {"--replay", &options.replayFile}, {"--record", &options.recordFile}, {"--trace", &options.traceFile}};
  for (std::size_t i = 0; i < std::size(files); ++i)
    for (std::size_t j = i + 1; j < std::size(files); ++j)
      if (!files[i].second->empty() && !files[j].second->empty() &&
          SameSessionFile(*files[i].second, *files[j].second)) {
        error = *files[j].second + ": " + files[i].first + " and " + files[j].first + " name the same file";
        return false;
      }
  std::optional<long long> replayCredits;
  if (!options.replayFile.empty() && !LoadKeyScript(options.replayFile, replay_, error, &replayCredits)) return false;
  // A free-play game replays from the credits it started with.
  if (replayCredits && options.credits && *replayCredits != *options.credits) {
    error = "--credits " + std::to_string(*options.credits) + " contradicts " + options.replayFile +
            ", a free-play game from " + std::to_string(*replayCredits) + " credits";
    return false;
  }
  startingCredits_ = options.credits ? options.credits : replayCredits;
  if (!options.recordFile.empty()) {
    if (!record_.Open(options.recordFile)) {
      error = options.recordFile + ": cannot open the key record for writing";
      return false;
    }
    if (startingCredits_) record_.WriteLine(StartingCreditsLine(*startingCredits_));
    record_.WriteLine("# marobel " MAROBEL_VERSION " key record: TICK KEY, each key-down before tick TICK");
  }
  if (!options.traceFile.empty() && !trace_.Open(options.traceFile)) {
    error = options.traceFile + ": cannot open the trace file for writing";
    // A session that never starts leaves no record behind.
    if (record_.IsOpen()) {
      record_.Close();
      RemoveSessionFile(options.recordFile);
    }
    return false;
  }
  return true;
}

void WindowSession::SoundTee::Play(const char* waveFile) {
  log.Play(waveFile);
  if (output) output->Play(waveFile);
}

void WindowSession::RouteSounds(SoundOutput* output) {
  sounds_.output = output;
  SetSoundOutput(&sounds_);
  soundsRouted_ = true;
}

void WindowSession::Reset(WindowHost* window) {
  ResetGame(window);
  if (startingCredits_) game.credits = static_cast<int>(*startingCredits_);
  summary_.emplace();
  if (startingCredits_) summary_->StartedWithCredits(*startingCredits_);
  ticksRun_ = 0;
  sounds_.log.Clear();
  WriteTraceLine();
}

void WindowSession::Tick(WindowHost* window) {
  const long long tick = ticksRun_ + 1;
  while (nextReplayed_ < replay_.size() && replay_[nextReplayed_].tick <= tick)
    Deliver(replay_[nextReplayed_++].virtualKey);
  GameTick(window);
  summary_->AfterTick();
  ticksRun_ = tick;
  WriteTraceLine();
}

void WindowSession::PlayerKeyDown(int virtualKey) {
  if (ReplayRunning()) return;
  Deliver(virtualKey);
}

void WindowSession::Deliver(int virtualKey) {
  if (record_.IsOpen()) record_.WriteLine(KeyScriptLine({ticksRun_ + 1, virtualKey}));
  InsertCoin(virtualKey);
}

void WindowSession::WriteTraceLine() {
  // Sounds requested between two ticks (by a key-down) count with the tick
  // that follows, as the runner counts them.
  if (trace_.IsOpen()) {
    FormatTraceLine(traceLine_, ticksRun_, sounds_.log, nullptr);
    trace_.WriteLine(traceLine_);
  }
  sounds_.log.Clear();
}

bool WindowSession::Close(std::string& error) {
  error.clear();
  auto close = [&](LineFile& file, const char* what) {
    if (file.Close()) return;
    if (!error.empty()) error += '\n';
    error += file.Name() + ": the " + what + " could not be written completely";
  };
  close(record_, "key record");
  close(trace_, "trace");
  return error.empty();
}
