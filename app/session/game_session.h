#pragma once
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/session/kept_game.h"
#include "app/session/key_script.h"
#include "app/session/line_file.h"
#include "app/session/session_summary.h"
#include "app/session/shell_options.h"
#include "app/session/trace.h"
#include "cabinet/cabinet.h"
#include "canvas/window_host.h"
#include "render/sound_cue.h"

// The one driver of a game, behind every front end: the desktop windows,
// the page and the headless runner. It runs the creation reset, every tick
// and every key-down, and keeps the records a player may ask for: the key
// presses as a key script (--record), a key script played into the game
// (--replay, the runner's --keys), the session's trace (--trace) and its
// summary, all in the runner's formats and with its tick numbering, so that
// any front end given the same script computes the very same trace.
//
// A front end makes one and sets it up (Open for the shells' options, or
// the calls below it), routes its sound output through it, and then calls
// Reset, Tick and PlayerKeyDown from its creation, timer and key-down
// handlers. Reset starts the host's tick timer; the game itself never does.
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

  // The game's sounds go to `output` (null: silence); with a trace they are
  // also listed, tick by tick.
  void RouteSounds(SoundOutput* output);

  // The window's creation: the creation reset, the tick timer started on
  // `window` (null: the caller is the clock), then the trace's first line.
  void Reset(WindowHost* window);

  // One timer expiry: the replayed presses that come before this tick, the
  // tick itself, then its trace line.
  void Tick(WindowHost* window);

  // A key-down from the keyboard. Dropped while a replay still has presses
  // to play, so the script alone steers the game until its last press.
  void PlayerKeyDown(int virtualKey);

  bool ReplayRunning() const { return nextReplayed_ < replay_.size(); }
  // The tick of the replay's last press: where watching ends. 0 without one.
  long long ReplayEndTick() const { return replay_.empty() ? 0 : replay_.back().tick; }
  // Watching faster or slower while the replay runs: 1, 4, 16, or 0 for as
  // fast as it goes. The tick timer follows at once.
  void SetReplaySpeed(int speed, WindowHost* window);
  int ReplaySpeed() const { return replaySpeed_; }
  // Something the player should read, though the game goes on: a kept game
  // that could not be continued and was set aside. Empty when all is well.
  const std::string& Notice() const { return notice_; }
  long long TicksRun() const { return ticksRun_; }
  // The sounds the last tick asked for (with those of the key-downs before
  // it), in order: for a front end that records what is heard.
  const std::vector<std::string>& TickSounds() const { return tickSounds_; }
  // The last trace line, without its newline: with KeepTraceLine only.
  const std::string& TraceLine() const { return traceLine_; }
  // A trace line could not be written to the stream of TraceTo.
  bool TraceFailed() const { return traceFailed_; }

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
  // Lists each sound for the trace and passes it on to be heard.
  class SoundTee : public SoundOutput {
   public:
    void Play(const char* waveFile) override;
    SoundOutput* output = nullptr;
    SoundLog log;
  };

  void Deliver(int virtualKey);
  bool OpenKeptGame(const ShellOptions& options, std::string& error);
  void KeepTick();
  void WriteTraceLine();
  int TimerPeriod() const;
  void CollectDraws(bool draws);

  enum class TraceKind { None, File, Stream, Line };

  std::vector<KeyPress> replay_;
  std::size_t nextReplayed_ = 0;
  LineFile record_;
  LineFile trace_;
  TraceKind traceKind_ = TraceKind::None;
  std::FILE* traceStream_ = nullptr;
  bool traceDraws_ = false;
  bool traceFailed_ = false;
  DrawLog draws_;
  SoundTee sounds_;
  std::vector<std::string> tickSounds_;
  std::vector<std::uint8_t> startSnapshot_;  // empty: a new table
  cabinet::TickTimer timer_{};
  bool soundsRouted_ = false;
  long long ticksRun_ = 0;
  std::string traceLine_;
  std::optional<SessionSummary> summary_;     // counts from the creation reset on
  std::optional<long long> startingCredits_;  // free play
  std::string keptFolder_;                    // --continue: where the game is kept; empty otherwise
  KeptGame kept_;
  int replaySpeed_ = 1;  // 0: as fast as it goes
  long long lastMarkedTick_ = -1;
  PressDigest presses_;  // every press the kept game has taken
  long long pressesAtTickEnd_ = 0;
  bool reset_ = false;
  std::string notice_;
};
