#include "tests/test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "cabinet/cabinet.h"
#include "render/main_canvas.h"

void StartGameSession(GameSession& session, const ShellOptions& options, NullWindow& window) {
  std::string error;
  ASSERT_TRUE(session.Open(options, error)) << error;
  ResetProgramState();
  session.Reset(&window);
}

void StartFreshGame(NullWindow&) {
  ResetProgramState();
  cabinet::Create();
}

void StartEmptyGame() { ResetProgramState(); }

void PlaceCoin(int slot, CoinState state, int x, int y) {
  game.coinState[slot] = state;
  game.coinX[slot] = x;
  game.coinY[slot] = y;
  game.coinVy[slot] = 0;
}

int CountInState(CoinState state) {
  int n = 0;
  for (int i = 0; i < kCoinSlots; ++i) n += game.coinState[i] == state;
  return n;
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

int RunSim(const std::string& args, std::string* out, std::string* err) {
  const auto dir = std::filesystem::temp_directory_path();
  const std::string outPath = (dir / ("marobel-sim-out-" + std::to_string(::getpid()))).string();
  const std::string errPath = (dir / ("marobel-sim-err-" + std::to_string(::getpid()))).string();
  const std::string command = std::string(MAROBEL_SIM_PATH) + " " + args + " >" + outPath + " 2>" + errPath;
  const int status = std::system(command.c_str());
  if (out) *out = Slurp(outPath);
  if (err) *err = Slurp(errPath);
  std::filesystem::remove(outPath);
  std::filesystem::remove(errPath);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

long long TraceField(const std::string& line, const std::string& name) {
  const std::string key = "\"" + name + "\":";
  const std::size_t at = line.find(key);
  EXPECT_NE(at, std::string::npos) << name << " in " << line.substr(0, 200);
  return at == std::string::npos ? -1 : std::stoll(line.substr(at + key.size(), 24));
}

std::vector<std::string> TraceSounds(const std::string& line) {
  std::vector<std::string> sounds;
  const std::size_t start = line.find("\"sounds\":[");
  EXPECT_NE(start, std::string::npos) << line.substr(0, 200);
  if (start == std::string::npos) return sounds;
  // Wave file names hold no quotes or brackets.
  const std::size_t end = line.find(']', start);
  for (std::size_t q = line.find('"', start + 10); q < end; q = line.find('"', q + 1)) {
    const std::size_t close = line.find('"', q + 1);
    sounds.push_back(line.substr(q + 1, close - q - 1));
    q = close;
  }
  return sounds;
}

std::string WriteTempFile(const std::string& name, const std::string& text) {
  const auto path = std::filesystem::temp_directory_path() / ("marobel-" + std::to_string(::getpid()) + "-" + name);
  std::ofstream(path, std::ios::binary) << text;
  return path.string();
}

CallRecorder::CallRecorder() {
  SetSoundOutput(this);
  SetFrameObserver(this);
}

CallRecorder::~CallRecorder() {
  SetSoundOutput(nullptr);
  SetFrameObserver(nullptr);
}

std::vector<RecordedCall> CallRecorder::Sprites(const std::string& image) const {
  std::vector<RecordedCall> out;
  for (const auto& c : calls)
    if (c.kind == "sprite" && c.name == image) out.push_back(c);
  return out;
}

std::vector<std::string> CallRecorder::Sounds() const {
  std::vector<std::string> out;
  for (const auto& c : calls)
    if (c.kind == "sound") out.push_back(c.name);
  return out;
}

DrawCall SpriteCall(shows::Kind kind, int slot, int x, int y, int w, int h) {
  DrawCall call;
  call.kind = DrawCallKind::Sprite;
  call.tag = shows::Tag(kind, slot);
  call.x = x, call.y = y, call.w = w, call.h = h;
  call.image = kind == shows::kLyingCoin ? "lying" : "other";
  return call;
}
