#include "app/session/kept_game.h"

#include <cstdlib>
#include <ctime>
#include <sstream>

#include "app/session/session_files.h"
#include "cabinet/cabinet.h"

std::string InFolder(const std::string& folder, const char* name) {
  return SessionFileName(SessionFilePath(folder) / name);
}

namespace {
// The last marker of a tick: a close marks the tick again, with its presses.
const TickMarker* LastMarkerAt(const std::vector<TickMarker>& markers, long long tick) {
  for (auto m = markers.rbegin(); m != markers.rend(); ++m)
    if (m->tick == tick) return &*m;
  return nullptr;
}
}  // namespace

bool SameGame(const TickMarker& a, const TickMarker& b) {
  return a.tick == b.tick && a.rand == b.rand && a.credits == b.credits;
}

void PressDigest::Add(const KeyPress& press) {
  ++count;
  for (const std::uint64_t part :
       {static_cast<std::uint64_t>(press.tick), static_cast<std::uint64_t>(press.virtualKey)})
    for (int byte = 0; byte < 8; ++byte) hash = (hash ^ ((part >> (8 * byte)) & 0xFF)) * 1099511628211ull;
}

std::string TickMarkerLine(const TickMarker& marker) {
  std::string line = "# tick " + std::to_string(marker.tick) + " rand " + std::to_string(marker.rand) + " credits " +
                     std::to_string(marker.credits);
  if (marker.presses)
    line += " presses " + std::to_string(marker.presses->count) + " digest " + std::to_string(marker.presses->hash);
  return line;
}

TickMarker MarkerOfRunningGame(std::optional<PressDigest> presses) {
  return {cabinet::TicksRun(), cabinet::RandomState(), cabinet::Credits(), presses};
}

std::vector<TickMarker> ReadTickMarkers(std::string_view record) {
  std::vector<TickMarker> markers;
  std::istringstream in{std::string(record)};
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("# tick ", 0) != 0) continue;
    std::istringstream words(line.substr(2));
    std::string tick, rand, credits, presses, digest, end;
    TickMarker m;
    if (!(words >> tick >> m.tick >> rand >> m.rand >> credits >> m.credits) || tick != "tick" || rand != "rand" ||
        credits != "credits" || m.tick < 0)
      continue;
    PressDigest d;
    if (words >> presses) {
      if (!(words >> d.count >> digest >> d.hash) || presses != "presses" || digest != "digest" || words >> end)
        continue;
      m.presses = d;
    }
    markers.push_back(m);
  }
  return markers;
}

std::string KeptGameFolder() { return PlayerFolder(L"LOCALAPPDATA", "XDG_STATE_HOME", ".local/state"); }

bool ReadKeptGame(const std::string& folder, KeptGame& kept, std::string& reason) {
  kept = KeptGame{};
  const std::string recordName = InFolder(folder, kKeptRecordName);
  const std::string snapshotName = InFolder(folder, kKeptSnapshotName);
  const bool hasSnapshot = SessionFileExists(snapshotName);
  if (!SessionFileExists(recordName)) {
    if (!hasSnapshot) return true;
    reason = "a snapshot without its key record";
    return false;
  }
  kept.found = true;
  std::string record;
  if (!ReadSessionFile(recordName, record)) {
    reason = "its key record cannot be read";
    return false;
  }
  // A kill while a line was written leaves it torn, without its newline:
  // the presses before it are whole, and the file is cut back to them so
  // that the lines this session adds start on a line of their own.
  if (!record.empty() && record.back() != '\n') {
    record.resize(record.rfind('\n') + 1);
    if (!ReplaceSessionFile(recordName, record.data(), record.size())) {
      reason = "its key record's torn last line cannot be cut off";
      return false;
    }
  }
  const KeyScriptResult script = ParseKeyScript(record);
  if (!script.ok) {
    reason = "its key record is damaged at line " + std::to_string(script.errorLine) + ": " + script.errorReason;
    return false;
  }
  kept.startingCredits = script.startingCredits;
  const std::vector<TickMarker> markers = ReadTickMarkers(record);
  // The last tick the record vouches for: its last marker, or the tick
  // before its last press, whichever is later.
  long long lastTick = markers.empty() ? 0 : markers.back().tick;
  if (!script.presses.empty()) lastTick = std::max(lastTick, script.presses.back().tick - 1);

  kept.presses = std::move(script.presses);
  kept.markers = markers;
  kept.lastTick = lastTick;
  if (hasSnapshot) {
    std::string bytes;
    if (!ReadSessionFile(snapshotName, bytes)) {
      reason = "its snapshot cannot be read";
      return false;
    }
    kept.snapshot.assign(bytes.begin(), bytes.end());
  }
  return true;
}

std::string KeptSnapshotContradiction(const KeptGame& kept, long long snapshotTick) {
  PressDigest before;
  for (const KeyPress& press : kept.presses)
    if (press.tick <= snapshotTick) before.Add(press);
  const TickMarker* mark = LastMarkerAt(kept.markers, snapshotTick);
  if (mark && SameGame(*mark, MarkerOfRunningGame()) && mark->presses == before && snapshotTick <= kept.lastTick)
    return {};
  return "its snapshot (tick " + std::to_string(snapshotTick) + ") contradicts its key record";
}

namespace {

std::string SetAside(const std::string& folder, std::initializer_list<const char*> names) {
  char stamp[32];
  const std::time_t now = std::time(nullptr);
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::localtime(&now));
  std::string named;
  for (const char* name : names) {
    const std::string from = InFolder(folder, name);
    if (!SessionFileExists(from)) continue;
    std::string to = from + ".set-aside-" + stamp;
    for (int n = 2; SessionFileExists(to); ++n) to = from + ".set-aside-" + stamp + "-" + std::to_string(n);
    if (RenameSessionFile(from, to)) named = to;
  }
  return named;
}

}  // namespace

std::string SetKeptGameAside(const std::string& folder) {
  return SetAside(folder, {kKeptSnapshotName, kKeptRecordName});
}

std::string SetKeptSnapshotAside(const std::string& folder) { return SetAside(folder, {kKeptSnapshotName}); }

bool WriteKeptSnapshot(const std::string& folder) {
  const std::vector<std::uint8_t> bytes = SaveSnapshot();
  return ReplaceSessionFile(InFolder(folder, kKeptSnapshotName), bytes.data(), bytes.size());
}
