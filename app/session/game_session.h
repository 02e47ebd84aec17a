#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/session/game_history.h"
#include "app/session/game_host.h"
#include "app/session/in_between_pictures.h"
#include "app/session/kept_game.h"
#include "app/session/kept_game_shelf.h"
#include "app/session/key_script.h"
#include "app/session/line_file.h"
#include "app/session/session_summary.h"
#include "app/session/shell_language.h"
#include "app/session/shell_options.h"
#include "app/session/sound_bank.h"
#include "app/session/trace.h"
#include "cabinet/cabinet.h"

// The one driver of a game, behind every front end: the desktop windows,
// the page and the headless runner. It runs the creation reset, every tick
// and every key-down, and keeps the records a player may ask for: the key
// presses as a key script (--record), a key script played into the game
// (--replay, the runner's --keys), the session's trace (--trace) and its
// summary, all in the runner's formats and with its tick numbering, so that
// any front end given the same script computes the very same trace.
//
// A front end makes one and sets it up (Open for the shells' options, or
// the calls below it), says where its sounds are heard, and then calls
// Reset, Tick and PlayerKeyDown from its creation, timer and key-down
// handlers. Reset starts the host's tick timer; the game itself never does.
// Each tick asks the host for a repaint, and the paint shows Frame().
class GameSession {
 public:
  GameSession() = default;
  GameSession(const GameSession&) = delete;
  GameSession& operator=(const GameSession&) = delete;
  ~GameSession();

  // Reads the script to replay and creates the record and trace files.
  // On failure nothing is kept open and `error` is one line naming the file
  // (and for a bad script its line and what is wrong there).
  bool Open(const ShellOptions& options, std::string& error);

  // The same set-up piece by piece, for a front end with options of its
  // own. A key script already read, played before its ticks; a free-play
  // script's credits, or `credits` (which must agree with them).
  bool Replay(const std::string& scriptName, std::vector<KeyPress> presses, std::optional<long long> scriptCredits,
              std::optional<long long> credits, std::string& error);
  // The game goes on from a snapshot file rather than from a new table; it
  // is checked now, so that nothing is begun for a snapshot that will not
  // load. Presses of the script up to its tick were taken before it.
  bool StartFromSnapshotFile(const std::string& path, std::string& error);
  // The trace goes to `stream`, which stays the caller's to flush and close
  // (the runner's long runs: no flush line by line); with `draws`, each
  // line lists the tick's drawing calls too.
  void TraceTo(std::FILE* stream, bool draws);
  // The trace is only formatted, a line at a time, for TraceLine(); not
  // even that until `wanted` again (ticks being timed).
  void KeepTraceLine(bool draws, bool wanted = true);

  // Where the picture and sound files are read by bare name (empty: the
  // working folder).
  void SetAssetFolder(const std::string& folder);
  // The game's sounds are heard through `player` (null: silence), each
  // cue resolved to its file's samples or the stand-in beep.
  void SetSoundPlayer(SoundPlayer* player);

  // The window's creation: the creation reset, the tick timer started on
  // `host` (null: the caller is the clock), then the trace's first line.
  void Reset(GameHost* host);

  // One timer expiry: the replayed presses that come before this tick, the
  // tick itself, its trace line, its sounds played and a repaint asked of
  // `host`.
  void Tick(GameHost* host);

  // Ticks on, silently and without repaints, until the game has run `tick`
  // ticks (or at most `maxTicks` of them): a replay skipped to its end, a
  // record played at full speed, a run of the runner. Every tick is whole,
  // with its trace line and record as at any pace. Asks one repaint of
  // `host` at the end, if it ran any tick.
  void RunUntil(long long tick, GameHost* host = nullptr, long long maxTicks = -1);

  // The picture of the last tick (black before the first), composed when
  // first asked for after the tick.
  using FrameView = PixelView;
  FrameView Frame();
  // The last tick's drawing calls, in order.
  const DisplayList& TickDisplayList() const { return *lastTick_.display; }

  // Smooth motion: between two ticks a window shows pictures moving from
  // the last tick towards the next, which is worked out ahead on a copy of
  // the game with the presses known so far (a replay's included), so that
  // nothing is shown late. The game itself, its sounds, record and trace
  // are those of the same presses without it.
  void SetSmoothMotion(bool on) { smooth_ = on; }
  bool SmoothMotion() const { return smooth_; }
  // Whether pictures between ticks are worth asking for now: smooth motion
  // on, a game running, watched at 1x or 4x if it is a replay.
  bool Smoothing() const;
  // The picture `fraction` (0 to 1) of the tick period after the last tick:
  // at 1, the next tick's frame. Frame() itself when not smoothing. Only
  // the window's part of the canvas (window_view.h) is composed; the rest
  // holds the last tick's frame.
  FrameView PictureBetween(double fraction);
  const DisplayList& ListBetween(double fraction);
  // What a window shows `fraction` of the tick period after the last tick:
  // the first picture asked for after a tick is that tick's own frame, so
  // that every tick is seen as it is; the later ones are on the way to the
  // next tick.
  FrameView PictureToShow(double fraction);
  // Works the next tick out now rather than in the next picture, when
  // smoothing: a window calls it once a tick's frame is shown, or a key-down
  // taken, so that each picture only composes.
  void WorkOutNextTick() {
    if (Smoothing()) LookAheadIfStale();
  }
  // The tick timer's period as it runs now, to tell how far a picture is.
  int TickPeriodMs() const { return TimerPeriod(); }

  // Pause: no tick runs and no key reaches the game while paused, and the
  // sound stops; the game goes on at the next tick after. The player's
  // pause and the window's (hidden or minimised) are separate: the game
  // runs when neither holds. The timer keeps running; its expiries are
  // simply not ticks, so the game, its record and trace are those of the
  // same presses without the pause.
  enum class PauseReason : unsigned { Player = 1, Background = 2 };
  void SetPaused(PauseReason why, bool paused);
  bool Paused() const { return pausedBy_ != 0; }
  bool PausedBy(PauseReason why) const { return (pausedBy_ & static_cast<unsigned>(why)) != 0; }

  // The credits are 0 and no coin has paid for 30 s of play: a player
  // should be told how to go on.
  bool OutOfCredits() const;

  // Another game in the same window, as the menus start them: a new game
  // (a free-play one given `credits`), or the previous game continued.
  // The game played until now is kept as the previous game (kept_game_shelf.h);
  // the records of the command line (--record, --trace) end with it. The
  // new game starts at the window's next Reset. False, with the reason,
  // when the game cannot be kept; a new game then starts unkept.
  enum class GameStart { New, Continue };
  bool StartAnotherGame(GameStart start, std::optional<long long> credits, std::string& error);
  // Whether the window's game is kept (and continues on the next start).
  bool KeepsGame() const { return !keptFolder_.empty(); }
  // Whether there is a previous game to continue.
  bool PreviousGameKept() const { return PreviousGameExists(keptFolder_); }

  // A key-down from the keyboard. Dropped while a replay still has presses
  // to play, so the script alone steers the game until its last press.
  void PlayerKeyDown(int virtualKey);
  // The same for a lane's coin, whatever key or tap dropped it.
  void PlayerDropsCoin(cabinet::Lane lane) { PlayerKeyDown(cabinet::LaneKey(lane)); }

  bool ReplayRunning() const { return nextReplayed_ < replay_.size(); }
  // The tick of the replay's last press: where watching ends. 0 without one.
  long long ReplayEndTick() const { return replay_.empty() ? 0 : replay_.back().tick; }
  // Watching faster or slower while the replay runs: 1, 4, 16, or 0 for as
  // fast as it goes. The tick timer follows at once.
  void SetReplaySpeed(int speed, GameHost* host);
  int ReplaySpeed() const { return replaySpeed_; }
  // Something the player should read, though the game goes on: a kept game
  // that could not be continued and was set aside. Empty when all is well.
  const std::string& Notice() const { return notice_; }
  long long TicksRun() const { return ticksRun_; }
  // The sounds the last tick asked for (with those of the key-downs before
  // it), in order: for a front end that records what is heard.
  const SoundCues& TickSounds() const { return *lastTick_.sounds; }
  // A cue's sound as every player hears it.
  const SoundClip& ResolveSound(std::string_view name) { return soundBank_.Resolve(name); }
  // The game as it stands, as snapshot bytes.
  std::vector<std::uint8_t> Snapshot() const { return SaveSnapshot(); }
  // The sound that may still be playing (empty: none) and how many ticks
  // of it have been heard: for a recording that goes on from a snapshot.
  struct StillSounding {
    std::string name;
    long long ticksPlayed = 0;
  };
  StillSounding SoundStillSounding() const;
  // The picture and wave files the game reads by bare name from the asset
  // folder, for a front end that must put them there first.
  static std::span<const char* const> PictureFiles() { return cabinet::PictureFiles(); }
  static std::span<const char* const> SoundFiles() { return cabinet::SoundFiles(); }
  // The game's facts, for what a front end shows.
  int Credits() const { return cabinet::Credits(); }
  long long CoinsInPlay() const { return cabinet::CoinsInPlay(); }
  // The last trace line, without its newline: with KeepTraceLine only.
  const std::string& TraceLine() const { return traceLine_; }
  // A trace line could not be written to the stream of TraceTo.
  bool TraceFailed() const { return traceFailed_; }

  // The statistics window's picture, the same in every shell and in the
  // runner's --stats-png: the account of the game so far and its plots
  // over time, with the texts in `language`. Valid until the next call.
  PixelView StatisticsPicture(Language language);
  // The credits and coins in play over the game so far, and its prizes.
  const GameHistory& History() const { return history_; }

  // The account of the session so far (--summary prints it when the game
  // exits); empty before the creation reset.
  std::string SummaryText() const { return summary_ ? summary_->Text() : std::string(); }
  std::string SummaryJson() const { return summary_ ? summary_->Json() : std::string(); }

  // A kept game (--continue) is written as it stands, snapshot and all, so
  // that nothing is lost if the program goes now: for a page that may be
  // closed at any moment. True when there is nothing to keep.
  bool KeepNow();

  // Ends the records. False when one could not be written completely, with
  // one line per such file in `error`.
  bool Close(std::string& error);

 private:
  void Deliver(int virtualKey);
  bool OpenKeptGame(std::optional<long long> credits, std::string& error);
  void ForgetGame();
  // Plays the kept game's record into this session's own game, from its
  // snapshot or its start, up to the last tick the record vouches for,
  // checking the markers on the way; the game it comes to is where the
  // session resumes. False, with the reason, where the files contradict.
  bool CatchUpKeptGame(std::string& reason);
  void KeepTick();
  void WriteTraceLine();
  int TimerPeriod() const;
  void RunTick(GameHost* host, bool listDrawing);
  void PlayTickSounds();
  void LookAheadIfStale();
  FrameView ComposedPicture() const;

  enum class TraceKind { None, File, Stream, Line };

  std::vector<KeyPress> replay_;
  std::size_t nextReplayed_ = 0;
  LineFile record_;
  LineFile trace_;
  TraceKind traceKind_ = TraceKind::None;
  std::FILE* traceStream_ = nullptr;
  bool traceDraws_ = false;
  bool traceFailed_ = false;
  SoundBank soundBank_;
  SoundPlayer* soundPlayer_ = nullptr;
  cabinet::FrameComposer composer_;
  std::optional<cabinet::FrameComposer> statisticsComposer_;
  DisplayList statisticsList_;
  bool frameComposed_ = false;
  // The composer holds the picture of this tick's list, but in the window's
  // part when betweenComposed_.
  bool canvasHoldsFrame_ = false;
  DisplayList composedFrame_;
  const DisplayList noDraws_{};
  const SoundCues noSounds_{};
  cabinet::TickResult lastTick_{&noDraws_, &noSounds_};
  std::vector<std::uint8_t> startSnapshot_;  // empty: a new table
  cabinet::TickTimer timer_{};
  long long ticksRun_ = 0;
  std::string traceLine_;
  std::optional<SessionSummary> summary_;     // counts from the creation reset on
  GameHistory history_;                       // from the creation reset on, too
  std::optional<long long> startingCredits_;  // free play
  std::string keptFolder_;                    // --continue: where the game is kept; empty otherwise
  KeptGame kept_;
  bool catchingUp_ = false;        // the kept game is being brought up to its last tick
  std::vector<KeyPress> carried_;  // the kept record's presses for the tick after it
  int replaySpeed_ = 1;            // 0: as fast as it goes
  long long lastMarkedTick_ = -1;
  PressDigest presses_;  // every press the kept game has taken
  long long pressesAtTickEnd_ = 0;
  bool reset_ = false;
  std::string notice_;
  std::unique_ptr<KeptFolderLock> keptLock_;  // the kept folder is this process's alone
  unsigned pausedBy_ = 0;                     // PauseReason bits
  long long lastPaidTick_ = 0;                // the last tick the credits went up
  int creditsAfterTick_ = 0;
  bool smooth_ = false;
  InBetweenPictures between_;
  long long aheadOfTick_ = -1;       // the tick the look-ahead went on from; -1: none
  long long aheadWithPresses_ = 0;   // the presses the game had taken by then
  bool betweenComposed_ = false;     // the composer holds a picture between ticks,
  DisplayList composedBetween_;      // this one's
  std::uint64_t pictureNumber_ = 0;  // the composer's last picture's, for the windows
  CanvasBox pictureChange_;          // where the last differs from the one before
  bool tickFrameShown_ = false;      // the last tick's frame has been asked for by a window
};
