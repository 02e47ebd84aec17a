#include "app/session/game_session.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <filesystem>
#include <iterator>
#include <utility>

#include "app/session/key_script_file.h"
#include "app/session/session_files.h"
#include "app/session/statistics_picture.h"
#include "app/session/window_view.h"
#include "formats/whole_file.h"
#include "cabinet/cabinet.h"
#include "marobel_version.h"

GameSession::~GameSession() = default;

bool GameSession::Open(const ShellOptions& options, std::string& error) {
  smooth_ = options.smooth;
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
  std::vector<KeyPress> presses;
  std::optional<long long> replayCredits;
  if (!options.replayFile.empty() && !LoadKeyScript(options.replayFile, presses, error, &replayCredits)) return false;
  if (!Replay(options.replayFile, std::move(presses), replayCredits, options.credits, error)) return false;
  replaySpeed_ = options.replaySpeed;
  const bool keepNewGame = options.keepGame && options.recordFile.empty() && options.replayFile.empty();
  if (options.continueGame) {
    // A window whose kept game another window is playing still opens: it
    // says so and plays a game of its own, never writing into the other's.
    keptFolder_ = KeptGameFolder();
    if (options.keepGame && !keptFolder_.empty()) {
      MakePrivateFolder(SessionFilePath(keptFolder_));
      keptLock_ = KeptFolderLock::Take(keptFolder_);
    }
    if (options.keepGame && !keptFolder_.empty() && !keptLock_) {
      notice_ = "the kept game is in use: another window is playing it (" + keptFolder_ + "); this game is not kept";
      keptFolder_.clear();
    } else if (!OpenKeptGame(options.credits, error)) {
      return false;
    }
  } else if (keepNewGame) {
    // A window's game is kept even when it was not asked for: where it
    // cannot be, it is played unkept, with a notice.
    std::string why;
    keptFolder_ = KeptGameFolder();
    if (!keptFolder_.empty()) MakePrivateFolder(SessionFilePath(keptFolder_));
    keptLock_ = keptFolder_.empty() ? nullptr : KeptFolderLock::Take(keptFolder_);
    if (keptLock_) SetKeptGameAsPrevious(keptFolder_);
    if (!keptLock_ || !OpenKeptGame(options.credits, why)) {
      notice_ = keptFolder_.empty() ? "this game is not kept: no folder to keep it in"
                : keptLock_         ? "this game is not kept: " + why
                                    : "this game is not kept: another window keeps its game in " + keptFolder_;
      keptFolder_.clear();
      keptLock_.reset();
    }
  } else if (!options.recordFile.empty()) {
    if (!record_.Open(options.recordFile)) {
      error = options.recordFile + ": cannot open the key record for writing";
      return false;
    }
    if (startingCredits_) record_.WriteLine(StartingCreditsLine(*startingCredits_));
    record_.WriteLine("# marobel " MAROBEL_VERSION " key record: TICK KEY, each key-down before tick TICK");
  }
  if (!options.traceFile.empty()) traceKind_ = TraceKind::File;
  if (!options.traceFile.empty() && !trace_.Open(options.traceFile)) {
    error = options.traceFile + ": cannot open the trace file for writing";
    // A session that never starts leaves no record behind.
    if (record_.IsOpen() && keptFolder_.empty()) {
      record_.Close();
      RemoveSessionFile(options.recordFile);
    }
    return false;
  }
  return true;
}

bool GameSession::Replay(const std::string& scriptName, std::vector<KeyPress> presses,
                         std::optional<long long> scriptCredits, std::optional<long long> credits, std::string& error) {
  // A free-play game replays from the credits it started with.
  if (scriptCredits && credits && *scriptCredits != *credits) {
    error = "--credits " + std::to_string(*credits) + " contradicts " + scriptName + ", a free-play game from " +
            std::to_string(*scriptCredits) + " credits";
    return false;
  }
  replay_ = std::move(presses);
  nextReplayed_ = 0;
  startingCredits_ = credits ? credits : scriptCredits;
  return true;
}

bool GameSession::StartFromSnapshotFile(const std::string& path, std::string& error) {
  // Loaded once into a game made for it, so that it is known to load; what
  // is kept is the game it made, which saves to the very same bytes.
  cabinet::Create();
  if (!LoadSnapshotFile(path, error)) return false;
  startSnapshot_ = SaveSnapshot();
  return true;
}

void GameSession::TraceTo(std::FILE* stream, bool draws) {
  traceKind_ = TraceKind::Stream;
  traceStream_ = stream;
  traceDraws_ = draws;
}

void GameSession::KeepTraceLine(bool draws, bool wanted) {
  traceKind_ = wanted ? TraceKind::Line : TraceKind::None;
  traceDraws_ = draws;
}

void GameSession::SetAssetFolder(const std::string& folder) {
  composer_.SetPictureFolder(folder);
  frameComposed_ = betweenComposed_ = canvasHoldsFrame_ = false;
  soundBank_.SetFolder(folder);
}

void GameSession::SetSoundPlayer(SoundPlayer* player) {
  if (soundPlayer_ && soundPlayer_ != player) soundPlayer_->StopPlaying();
  soundPlayer_ = player;
}

GameSession::StillSounding GameSession::SoundStillSounding() const {
  const cabinet::LastSound last = cabinet::LastSoundRequested();
  if (last.name.empty()) return {};
  return {last.name, cabinet::TicksRun() - last.tick + 1};
}

namespace {

// Numbers no two pictures share, whichever session composed them, so that a
// window shown another session's picture copies the next one whole.
std::uint64_t NextPictureNumber() {
  static std::atomic<std::uint64_t> last{0};
  return ++last;
}

}  // namespace

GameSession::FrameView GameSession::Frame() {
  if (!frameComposed_ || betweenComposed_) {
    const DisplayList& list = *lastTick_.display;
    const int width = composer_.Width(), height = composer_.Height();
    const CanvasBox all{0, 0, width, height};
    auto over = [&](const CanvasBox& part, const DisplayList& held) {
      composer_.SetRegion(part.left, part.top, part.right - part.left, part.bottom - part.top);
      const CanvasBox changed = composer_.ComposeOver(held, list);
      pictureChange_ = pictureChange_.With(changed);
    };
    pictureChange_ = {};
    if (!canvasHoldsFrame_) {
      composer_.SetRegion(0, 0, width, height);
      composer_.Compose(list);
      pictureChange_ = all;
    } else if (betweenComposed_) {
      // The window's part holds the last picture between ticks, the rest
      // the last frame.
      over({0, 0, kClientAreaWidth, kClientAreaHeight}, composedBetween_);
      over({kClientAreaWidth, 0, width, height}, composedFrame_);
      over({0, kClientAreaHeight, kClientAreaWidth, height}, composedFrame_);
    } else {
      over(all, composedFrame_);
    }
    composedFrame_ = list;
    canvasHoldsFrame_ = true;
    frameComposed_ = true;
    betweenComposed_ = false;
    pictureNumber_ = NextPictureNumber();
  }
  return ComposedPicture();
}

GameSession::FrameView GameSession::ComposedPicture() const {
  return {composer_.Pixels(),  composer_.Width(),  composer_.Height(),   pictureNumber_,
          pictureChange_.left, pictureChange_.top, pictureChange_.right, pictureChange_.bottom};
}

bool GameSession::Smoothing() const {
  return smooth_ && reset_ && !Paused() && (!ReplayRunning() || replaySpeed_ == 1 || replaySpeed_ == 4);
}

void GameSession::LookAheadIfStale() {
  if (aheadOfTick_ == ticksRun_ && aheadWithPresses_ == presses_.count) return;
  // The replay's presses for the next tick are known already; the player's
  // are in the game the moment they are made.
  std::vector<int> keys;
  for (std::size_t i = nextReplayed_; i < replay_.size() && replay_[i].tick <= ticksRun_ + 1; ++i)
    keys.push_back(replay_[i].virtualKey);
  const DisplayList& next = cabinet::LookAhead(keys);
  composer_.LayOutTexts(next);
  if (aheadOfTick_ == ticksRun_)
    between_.Retarget(next);
  else
    between_.AfterTick(*lastTick_.display, next);
  aheadOfTick_ = ticksRun_;
  aheadWithPresses_ = presses_.count;
}

const DisplayList& GameSession::ListBetween(double fraction) {
  if (!Smoothing()) return *lastTick_.display;
  LookAheadIfStale();
  return between_.At(fraction);
}

GameSession::FrameView GameSession::PictureToShow(double fraction) {
  if (!tickFrameShown_ || !Smoothing()) {
    tickFrameShown_ = true;
    return Frame();
  }
  return PictureBetween(fraction);
}

GameSession::FrameView GameSession::PictureBetween(double fraction) {
  if (!Smoothing()) return Frame();
  // Many a second: only what a window shows is composed; the rest of the
  // canvas keeps the last tick's frame.
  if (!betweenComposed_) Frame();
  const DisplayList& list = ListBetween(fraction);
  // Only where it differs from the last picture is it composed.
  const DisplayList& onCanvas = betweenComposed_ ? composedBetween_ : *lastTick_.display;
  composer_.SetRegion(0, 0, kClientAreaWidth, kClientAreaHeight);
  const CanvasBox area = composer_.ComposeOver(onCanvas, list);
  composedBetween_ = list;
  betweenComposed_ = true;
  pictureNumber_ = NextPictureNumber();
  pictureChange_ = area;
  return ComposedPicture();
}

bool GameSession::OpenKeptGame(std::optional<long long> credits, std::string& error) {
  if (keptFolder_.empty()) keptFolder_ = KeptGameFolder();
  if (keptFolder_.empty()) {
    error = "--continue: no folder to keep the game in (neither XDG_STATE_HOME nor HOME is set)";
    return false;
  }
  MakePrivateFolder(SessionFilePath(keptFolder_));
  if (!keptLock_) keptLock_ = KeptFolderLock::Take(keptFolder_);
  if (!keptLock_) {
    error = keptFolder_ + ": another window is playing the kept game";
    keptFolder_.clear();
    return false;
  }
  std::string reason;
  bool usable = ReadKeptGame(keptFolder_, kept_, reason) && (!kept_.found || CatchUpKeptGame(reason));
  if (!usable && kept_.found && !kept_.snapshot.empty()) {
    // The record alone rebuilds the game from its start: a snapshot that
    // is refused only costs the time to replay it.
    const std::string snapshotReason = reason;
    kept_.snapshot.clear();
    usable = CatchUpKeptGame(reason);
    if (usable) {
      const std::string aside = SetKeptSnapshotAside(keptFolder_);
      notice_ = "the kept game's snapshot was refused (" + snapshotReason + "); it is set aside" +
                (aside.empty() ? std::string() : " as " + aside) + " and the game was rebuilt from its key record";
    }
  }
  if (!usable) {
    const std::string aside = SetKeptGameAside(keptFolder_);
    notice_ = "the game kept in " + keptFolder_ + " cannot be continued (" + reason + "); it is set aside" +
              (aside.empty() ? std::string() : " as " + aside) + " and a new game starts";
    kept_ = KeptGame{};
    startSnapshot_.clear();
    carried_.clear();
    presses_ = PressDigest{};
    lastMarkedTick_ = -1;
  }
  // Only the game it came to is kept.
  kept_.presses = {};
  kept_.markers = {};
  kept_.snapshot = {};
  const std::string recordName = InFolder(keptFolder_, kKeptRecordName);
  if (!record_.Open(recordName, kept_.found)) {
    error = recordName + ": cannot keep the game there";
    return false;
  }
  if (kept_.found) {
    if (credits && credits != kept_.startingCredits)
      notice_ = "the kept game goes on as it began; --credits applies to a new game";
    startingCredits_ = kept_.startingCredits;
    return true;
  }
  if (startingCredits_) record_.WriteLine(StartingCreditsLine(*startingCredits_));
  record_.WriteLine("# marobel " MAROBEL_VERSION " kept game: TICK KEY, each key-down before tick TICK");
  return true;
}

void GameSession::Reset(GameHost* window) {
  // A second game of one process starts as the first did, as a freshly
  // started program holds everything.
  cabinet::ResetProgram();
  timer_ = cabinet::Create(startingCredits_.value_or(0));
  lastTick_ = {&noDraws_, &noSounds_};
  aheadOfTick_ = -1;
  frameComposed_ = false;
  ticksRun_ = 0;
  std::string error;  // each snapshot was checked whole when it was read
  if (!startSnapshot_.empty()) {
    LoadSnapshot(startSnapshot_.data(), startSnapshot_.size(), error);
    ticksRun_ = cabinet::TicksRun();
  }
  while (nextReplayed_ < replay_.size() && replay_[nextReplayed_].tick <= ticksRun_) ++nextReplayed_;
  lastPaidTick_ = ticksRun_;
  creditsAfterTick_ = cabinet::Credits();
  if (window) window->StartTimer(timer_.id, TimerPeriod());
  summary_.emplace();
  if (startingCredits_) summary_->StartedWithCredits(*startingCredits_);
  history_.Start(ticksRun_, cabinet::Credits(), cabinet::CoinsInPlay());
  WriteTraceLine();
  // Presses the record holds for the next tick reached the game after this
  // tick ended, as they do now; they are in the record already.
  pressesAtTickEnd_ = presses_.count;
  for (const KeyPress& press : carried_) {
    cabinet::KeyDown(press.virtualKey);
    presses_.Add(press);
  }
  carried_.clear();
  reset_ = true;
}

void GameSession::SetPaused(PauseReason why, bool paused) {
  if (paused)
    pausedBy_ |= static_cast<unsigned>(why);
  else
    pausedBy_ &= ~static_cast<unsigned>(why);
  if (Paused() && soundPlayer_) soundPlayer_->StopPlaying();
}

PixelView GameSession::StatisticsPicture(Language language) {
  if (!statisticsComposer_) statisticsComposer_.emplace(kStatisticsPictureWidth, kStatisticsPictureHeight);
  if (summary_) {
    ListStatisticsPicture(*summary_, history_, {cabinet::Credits(), cabinet::CoinsInPlay(), timer_.periodMs}, language,
                          statisticsList_);
  } else {  // black, before the game has begun
    statisticsList_.Clear();
    statisticsList_.calls.emplace_back();
  }
  statisticsComposer_->Compose(statisticsList_);
  return {statisticsComposer_->Pixels(), statisticsComposer_->Width(), statisticsComposer_->Height()};
}

bool GameSession::OutOfCredits() const {
  constexpr long long kQuietMs = 30000;
  return reset_ && cabinet::Credits() == 0 && (ticksRun_ - lastPaidTick_) * timer_.periodMs >= kQuietMs;
}

bool GameSession::StartAnotherGame(GameStart start, std::optional<long long> credits, std::string& error) {
  std::string closing;
  Close(closing);
  const std::string folder = keptFolder_.empty() ? KeptGameFolder() : keptFolder_;
  std::unique_ptr<KeptFolderLock> lock = std::move(keptLock_);
  ForgetGame();
  startingCredits_ = start == GameStart::New ? credits : std::nullopt;
  if (!lock && !folder.empty()) {
    MakePrivateFolder(SessionFilePath(folder));
    lock = KeptFolderLock::Take(folder);
  }
  if (!lock) {
    error = folder.empty() ? "no folder to keep the game in" : folder + ": another window is playing the kept game";
    return false;
  }
  if (start == GameStart::Continue)
    TakeUpPreviousGame(folder);
  else
    SetKeptGameAsPrevious(folder);
  keptFolder_ = folder;
  keptLock_ = std::move(lock);
  if (!OpenKeptGame(startingCredits_, error)) {
    keptFolder_.clear();
    keptLock_.reset();
    return false;
  }
  if (!closing.empty()) notice_ = closing;
  return true;
}

void GameSession::ForgetGame() {
  replay_.clear();
  nextReplayed_ = 0;
  traceKind_ = TraceKind::None;
  traceStream_ = nullptr;
  startSnapshot_.clear();
  startingCredits_.reset();
  keptFolder_.clear();
  kept_ = KeptGame{};
  carried_.clear();
  replaySpeed_ = 1;
  lastMarkedTick_ = -1;
  presses_ = PressDigest{};
  pressesAtTickEnd_ = 0;
  reset_ = false;
  notice_.clear();
  pausedBy_ &= ~static_cast<unsigned>(PauseReason::Player);
  aheadOfTick_ = -1;
}

// A replay watched faster: the tick timer runs faster until the player
// takes over. Every tick is still a whole tick; only the clock differs.
void GameSession::SetReplaySpeed(int speed, GameHost* window) {
  replaySpeed_ = speed;
  if (window && ReplayRunning()) window->StartTimer(timer_.id, TimerPeriod());
}

int GameSession::TimerPeriod() const {
  if (!ReplayRunning() || replaySpeed_ == 1) return timer_.periodMs;
  return replaySpeed_ ? timer_.periodMs / replaySpeed_ : 1;
}

void GameSession::Tick(GameHost* host) {
  if (Paused()) return;
  RunTick(host, true);
  PlayTickSounds();
  if (host) host->RequestRepaint();
}

void GameSession::RunUntil(long long tick, GameHost* host, long long maxTicks) {
  long long ran = 0;
  while (ticksRun_ < tick && (maxTicks < 0 || ran < maxTicks)) {
    // Only the last tick's picture can be seen; a trace of draws lists all.
    const bool last = ticksRun_ + 1 == tick || ran + 1 == maxTicks;
    RunTick(host, last || traceDraws_);
    ++ran;
  }
  if (ran > 0 && host) host->RequestRepaint();
}

void GameSession::RunTick(GameHost* window, bool listDrawing) {
  const long long tick = ticksRun_ + 1;
  const bool replaying = ReplayRunning();
  const bool lookedAhead = aheadOfTick_ == ticksRun_ && aheadWithPresses_ == presses_.count;
  while (nextReplayed_ < replay_.size() && replay_[nextReplayed_].tick <= tick)
    Deliver(replay_[nextReplayed_++].virtualKey);
  if (replaying && !ReplayRunning() && replaySpeed_ != 1 && window) window->StartTimer(timer_.id, timer_.periodMs);
  lastTick_ = cabinet::Tick(listDrawing);
  // The look-ahead is the same game: what it drew is what the tick draws.
  assert(!lookedAhead || !listDrawing || *lastTick_.display == between_.Target());
  (void)lookedAhead;
  frameComposed_ = false;
  tickFrameShown_ = false;
  ticksRun_ = tick;
  pressesAtTickEnd_ = presses_.count;
  if (cabinet::Credits() > creditsAfterTick_) lastPaidTick_ = tick;
  creditsAfterTick_ = cabinet::Credits();
  if (catchingUp_) return;  // a kept game brought up: nothing new to count, trace or keep
  summary_->AfterTick();
  history_.AfterTick(tick, cabinet::Credits(), cabinet::CoinsInPlay(), summary_->Counts());
  WriteTraceLine();
  if (!keptFolder_.empty()) KeepTick();
}

bool GameSession::CatchUpKeptGame(std::string& reason) {
  cabinet::ResetProgram();  // the record replays from program start, as a new process plays it
  cabinet::Create(kept_.startingCredits.value_or(0));
  if (!kept_.snapshot.empty()) {
    std::string error;
    if (!LoadSnapshot(kept_.snapshot.data(), kept_.snapshot.size(), error)) {
      reason = "its snapshot is refused: " + error;
      return false;
    }
    reason = KeptSnapshotContradiction(kept_, cabinet::TicksRun());
    if (!reason.empty()) return false;
  }
  ticksRun_ = cabinet::TicksRun();
  replay_ = kept_.presses;
  nextReplayed_ = 0;
  presses_ = PressDigest{};
  for (; nextReplayed_ < replay_.size() && replay_[nextReplayed_].tick <= ticksRun_; ++nextReplayed_)
    presses_.Add(replay_[nextReplayed_]);
  // Markers come in tick order, as the presses do: both are walked once.
  const std::vector<TickMarker>& markers = kept_.markers;
  std::size_t nextMarker = 0;
  catchingUp_ = true;
  bool same = true;
  while (same && ticksRun_ < kept_.lastTick) {
    RunTick(nullptr, false);
    const TickMarker* mark = nullptr;  // a close marks a tick again: the last one counts
    for (; nextMarker < markers.size() && markers[nextMarker].tick <= ticksRun_; ++nextMarker)
      if (markers[nextMarker].tick == ticksRun_) mark = &markers[nextMarker];
    // A marker that names its presses vouches for them too: a record that
    // lost or gained a press which changed nothing else is still not the
    // game that was played.
    same = !mark || (SameGame(*mark, MarkerOfRunningGame()) && (!mark->presses || *mark->presses == presses_));
  }
  catchingUp_ = false;
  if (!same) {
    reason = "its key record contradicts itself at tick " + std::to_string(ticksRun_);
    replay_.clear();
    return false;
  }
  // Presses for the tick after the last one vouched for reach the game at
  // the creation reset, as they did before the game was left.
  carried_.assign(replay_.begin() + static_cast<std::ptrdiff_t>(nextReplayed_), replay_.end());
  replay_.clear();
  nextReplayed_ = 0;
  startSnapshot_ = SaveSnapshot();
  lastMarkedTick_ = ticksRun_;
  return true;
}

void GameSession::PlayTickSounds() {
  // One voice: only the tick's last request goes on sounding, so it is the
  // one worth starting.
  if (soundPlayer_ && !lastTick_.sounds->empty()) soundPlayer_->Play(soundBank_.Resolve(lastTick_.sounds->back()));
}

void GameSession::KeepTick() {
  const bool snapshot = ticksRun_ % kKeptSnapshotPeriod == 0;
  if (ticksRun_ % kTickMarkerPeriod == 0 || snapshot) {
    // A snapshot's marker vouches for it, presses and all.
    record_.WriteLine(TickMarkerLine(MarkerOfRunningGame(snapshot ? std::optional(presses_) : std::nullopt)));
    lastMarkedTick_ = ticksRun_;
  }
  if (snapshot) WriteKeptSnapshot(keptFolder_);
}

bool GameSession::KeepNow() {
  if (keptFolder_.empty() || !reset_) return true;
  // A press taken since the last tick already shows in the game, but
  // belongs to a tick that has not run: a marker or snapshot now would say
  // the wrong thing about the tick that has. The record's press line keeps
  // it, and a continue replays it from the last snapshot.
  if (presses_.count != pressesAtTickEnd_) return true;
  record_.WriteLine(TickMarkerLine(MarkerOfRunningGame(presses_)));
  return WriteKeptSnapshot(keptFolder_);
}

void GameSession::PlayerKeyDown(int virtualKey) {
  if (ReplayRunning() || Paused()) return;
  Deliver(virtualKey);
}

void GameSession::Deliver(int virtualKey) {
  if (record_.IsOpen() && !catchingUp_) record_.WriteLine(KeyScriptLine({ticksRun_ + 1, virtualKey}));
  presses_.Add({ticksRun_ + 1, virtualKey});
  cabinet::KeyDown(virtualKey);
}

void GameSession::WriteTraceLine() {
  const DisplayList* draws = traceDraws_ ? lastTick_.display : nullptr;
  switch (traceKind_) {
    case TraceKind::None:
      break;
    case TraceKind::File:
      FormatTraceLine(traceLine_, ticksRun_, *lastTick_.sounds, draws);
      trace_.WriteLine(traceLine_);
      break;
    case TraceKind::Stream:
      if (!traceFailed_ && !::WriteTraceLine(traceStream_, traceLine_, ticksRun_, *lastTick_.sounds, draws))
        traceFailed_ = true;
      break;
    case TraceKind::Line:
      FormatTraceLine(traceLine_, ticksRun_, *lastTick_.sounds, draws);
      break;
  }
}

bool GameSession::Close(std::string& error) {
  error.clear();
  auto close = [&](LineFile& file, const char* what) {
    if (file.Close()) return;
    if (!error.empty()) error += '\n';
    error += file.Name() + ": the " + what + " could not be written completely";
  };
  if (!KeepNow()) error = keptFolder_ + ": the game could not be kept there";
  close(record_, "key record");
  close(trace_, "trace");
  return error.empty();
}
