// marobel-term: the game in a text terminal. Each character cell shows two
// of the window's pixels, one above the other, as a half block in 24-bit
// colour; the game area is shrunk to fit the terminal. The arrow keys drop
// coins, q quits. Everything else is the game session's, as in the windows:
// the same options, records, replays and traces.
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/session/shell_startup.h"
#include "app/session/window_view.h"

namespace {

using Clock = std::chrono::steady_clock;

volatile sig_atomic_t resized = 1;
void OnResize(int) { resized = 1; }

// The terminal as the viewer wants it while it runs: no echo, keys as they
// come, the screen of its own, no cursor; given back however it ends.
class RawTerminal {
 public:
  RawTerminal() {
    raw_ = tcgetattr(STDIN_FILENO, &saved_) == 0;
    if (raw_) {
      termios t = saved_;
      t.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
      t.c_cc[VMIN] = 0;
      t.c_cc[VTIME] = 0;
      tcsetattr(STDIN_FILENO, TCSANOW, &t);
    }
    Write("\x1b[?1049h\x1b[?25l\x1b[2J");
  }
  ~RawTerminal() {
    Write("\x1b[0m\x1b[?25h\x1b[?1049l");
    if (raw_) tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
  }
  static void Write(const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
      const ssize_t n = write(STDOUT_FILENO, text.data() + done, text.size() - done);
      if (n <= 0) return;
      done += static_cast<std::size_t>(n);
    }
  }

 private:
  termios saved_{};
  bool raw_ = false;
};

// The session's clock: the viewer's own loop, which runs a tick whenever
// the period has passed, never catching up.
class TermHost final : public GameHost {
 public:
  void StartTimer(int, int periodMs) override { period = std::chrono::milliseconds(periodMs); }
  void RequestRepaint() override { dirty = true; }
  Clock::duration period = std::chrono::milliseconds(200);
  bool dirty = true;
};

void AppendColour(std::string& out, const char* lead, std::uint32_t pixel) {
  char code[24];
  std::snprintf(code, sizeof code, "\x1b[%s;2;%u;%u;%um", lead, (pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF,
                pixel & 0xFF);
  out += code;
}

// One screenful: the window's game area sampled into cols by rows-1 cells,
// every cell's upper and lower half, and the credits on the last line.
std::string Screen(const PixelView& frame, int cols, int rows, const GameSession& session) {
  const int areaW = std::min(kClientAreaWidth, frame.width), areaH = std::min(kClientAreaHeight, frame.height);
  const int cellRows = std::max(rows - 1, 1);
  // The same step across and down keeps the cabinet's shape.
  const double step = std::max({static_cast<double>(areaW) / cols, areaH / (2.0 * cellRows), 1.0});
  const int shownCols = std::min(cols, static_cast<int>(areaW / step));
  const int shownRows = std::min(cellRows, static_cast<int>(areaH / (2 * step)));
  auto at = [&](int x, int y) {
    return frame.pixels[static_cast<std::size_t>(y * step) * frame.width + static_cast<std::size_t>(x * step)];
  };
  std::string out = "\x1b[H";
  for (int row = 0; row < shownRows; ++row) {
    for (int col = 0; col < shownCols; ++col) {
      AppendColour(out, "38", at(col, 2 * row));
      AppendColour(out, "48", at(col, 2 * row + 1));
      out += "\xe2\x96\x80";  // the upper half block
    }
    out += "\x1b[0m\x1b[K\r\n";
  }
  out += "\x1b[J\x1b[" + std::to_string(rows) + ";1H\x1b[7m";
  std::string status = " " + std::to_string(session.Credits()) + " credits   tick " +
                       std::to_string(session.TicksRun()) + "   \xe2\x86\x90 \xe2\x86\x92 drop a coin   q quit ";
  out += status + "\x1b[0m\x1b[K";
  return out;
}

// Reads what the keyboard sent; false once the player quits.
bool ReadKeys(GameSession& session) {
  char buffer[64];
  const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
  for (ssize_t i = 0; i < n; ++i) {
    if (buffer[i] == 'q' || buffer[i] == 'Q' || buffer[i] == 3) return false;
    if (buffer[i] == '\x1b' && i + 2 < n && (buffer[i + 1] == '[' || buffer[i + 1] == 'O')) {
      if (buffer[i + 2] == 'D') session.PlayerDropsCoin(cabinet::Lane::Left);
      if (buffer[i + 2] == 'C') session.PlayerDropsCoin(cabinet::Lane::Right);
      i += 2;
    }
  }
  return true;
}

// Pictures between ticks, while smoothing: as many as a terminal shows
// without falling behind.
constexpr auto kPictureEvery = std::chrono::milliseconds(50);

int RunViewer(GameSession& session) {
  signal(SIGWINCH, OnResize);
  RawTerminal terminal;
  TermHost host;
  session.Reset(&host);
  int cols = 80, rows = 24;
  Clock::time_point lastTick = Clock::now(), next = lastTick + host.period, nextPicture = next;
  for (;;) {
    if (resized) {
      resized = 0;
      winsize size{};
      if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 && size.ws_row > 1) {
        cols = size.ws_col;
        rows = size.ws_row;
      }
      host.dirty = true;
    }
    const Clock::time_point now = Clock::now();
    if (host.dirty || (session.Smoothing() && now >= nextPicture)) {
      host.dirty = false;
      const double fraction = std::chrono::duration<double>(now - lastTick) / host.period;
      RawTerminal::Write(Screen(session.PictureToShow(fraction), cols, rows, session));
      nextPicture = Clock::now() + kPictureEvery;
    }
    const Clock::time_point wake = session.Smoothing() ? std::min(next, nextPicture) : next;
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(wake - Clock::now()).count();
    pollfd keys{STDIN_FILENO, POLLIN, 0};
    if (poll(&keys, 1, static_cast<int>(std::max<long long>(wait, 0))) > 0 && !ReadKeys(session)) return 0;
    if (Clock::now() >= next) {
      session.Tick(&host);
      lastTick = Clock::now();
      next = lastTick + host.period;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  ShellHooks hooks;
  hooks.name = {"marobel-term", "Play the coin pusher in a text terminal."};
  hooks.tell = [](const std::string& text, bool error) { std::fputs(text.c_str(), error ? stderr : stdout); };
  hooks.runWindow = [](GameSession& session, const ShellOptionsResult&) { return RunViewer(session); };
  return RunShell(std::vector<std::string>(argv + 1, argv + argc), hooks);
}
