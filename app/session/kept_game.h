#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/session/key_script.h"

// A game kept between sessions (--continue): its key record from tick 0,
// which alone replays the whole game, and a snapshot of it, which saves
// replaying all of it. Both live in one folder:
//   game.keys      the key record, written press by press, with a tick
//                  marker line every few seconds of play
//   game.snapshot  the game at a marked tick: at the last close, and every
//                  few minutes of play, written whole or not at all
// A kill loses only the ticks after the last marker. A continue resumes
// from the snapshot, replays the record's presses after it to the last
// tick the record vouches for, and checks the game against the record's
// markers on the way.

inline constexpr const char* kKeptRecordName = "game.keys";
inline constexpr const char* kKeptSnapshotName = "game.snapshot";
// A marker every 2 s of play, a snapshot every 5 min.
inline constexpr long long kTickMarkerPeriod = 10;
inline constexpr long long kKeptSnapshotPeriod = 1500;

// The presses of a record up to some tick, in one number: a snapshot's
// marker carries it, so a record edited before the snapshot is caught
// without replaying the game from its start.
struct PressDigest {
  long long count = 0;
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a over tick and key
  void Add(const KeyPress& press);
  bool operator==(const PressDigest&) const = default;
};

// What the game was at the end of a tick, as the record notes it: a comment
// to every key-script reader, "# tick T rand R credits C", and before a
// snapshot also "presses N digest H".
struct TickMarker {
  long long tick = 0;
  std::uint32_t rand = 0;
  long long credits = 0;
  std::optional<PressDigest> presses;
};
std::string TickMarkerLine(const TickMarker& marker);
// The running game's marker.
TickMarker MarkerOfRunningGame(std::optional<PressDigest> presses = std::nullopt);
// Every marker line of a record, in file order.
std::vector<TickMarker> ReadTickMarkers(std::string_view record);

// The name of one of a kept game's files (kKeptRecordName, kKeptSnapshotName)
// in `folder`.
std::string InFolder(const std::string& folder, const char* name);

// The folder a kept game lives in: $XDG_STATE_HOME/marobel (default
// ~/.local/state/marobel) on Linux, %LOCALAPPDATA%\Marobel on Windows.
// Empty when the environment names no such place.
std::string KeptGameFolder();

// A kept game as its files hold it. The session brings it up to its last
// recorded tick by playing the record into its own game (from the snapshot,
// when there is one), checking it against the markers on the way.
struct KeptGame {
  bool found = false;                        // false: nothing kept, a new game starts
  std::vector<KeyPress> presses;             // the record's, in order
  std::vector<TickMarker> markers;           // the record's, in file order
  long long lastTick = 0;                    // the last tick the record vouches for
  std::vector<std::uint8_t> snapshot;        // empty: none, the record plays from tick 0
  std::optional<long long> startingCredits;  // a free-play game's
};

// Reads the game kept in `folder`; no game is run. A torn last line of the
// record (a kill while it was written) is cut off the file. False, with the reason
// in `reason`, for files that cannot be read or a record that is damaged.
bool ReadKeptGame(const std::string& folder, KeptGame& kept, std::string& reason);

// Whether the running game, just loaded from the kept snapshot of tick
// `snapshotTick`, is what the record says of that tick: empty when it is,
// else the reason it is not.
std::string KeptSnapshotContradiction(const KeptGame& kept, long long snapshotTick);

// Whether two markers describe the same game at the same tick.
bool SameGame(const TickMarker& a, const TickMarker& b);

// Renames the kept files aside (never deletes them), so a new game can be
// kept; returns the new name of the record, or of the snapshot if only
// that was there.
std::string SetKeptGameAside(const std::string& folder);

// The same for the snapshot alone, when the record rebuilds the game.
std::string SetKeptSnapshotAside(const std::string& folder);

// The running game's snapshot, replacing the kept one whole.
bool WriteKeptSnapshot(const std::string& folder);
