#include <QApplication>
#include <QScreen>
#include <cstdio>
#include <string>
#include <vector>

#include "app/qt/app_icon.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_options.h"
#include "app/qt/qt_sound_output.h"
#include "app/session/shell_options.h"
#include "app/session/window_scale.h"
#include "app/session/game_session.h"
#include "marobel_version.h"

// The game has no settings; it reads its pictures and sounds by bare name
// from the directory it is started in. Its few options only add records of
// a session (or replay one); without them it plays exactly as it always has.
int main(int argc, char** argv) {
  // Before Qt starts: a version or a usage error needs no display.
  const ShellOptionsResult parsed = ParseShellOptions(std::vector<std::string>(argv + 1, argv + argc), QtOptions());
  if (parsed.options.helpRequested) {
    std::fputs(ShellUsage(QtOptionsNote()).c_str(), stdout);
    return 0;
  }
  if (!parsed.ok) {
    std::fputs(ShellUsageError(parsed.error).c_str(), stderr);
    return 2;
  }
  if (parsed.options.versionRequested) {
    std::puts("marobel " MAROBEL_VERSION);
    return 0;
  }
  GameSession session;
  std::string error;
  if (!session.Open(parsed.options, error)) {
    std::fprintf(stderr, "marobel: %s\n", error.c_str());
    return 2;
  }
  if (!session.Notice().empty()) std::fprintf(stderr, "marobel: %s\n", session.Notice().c_str());

  // Qt sees its own options only: the game's are read, and a file named
  // like one of Qt's must not reach it.
  QtArguments qtArguments(argc > 0 ? argv[0] : "marobel", parsed.toolkitArguments);
  QApplication application(qtArguments.Count(), qtArguments.Vector());
  // The window's class is the desktop entry's name, so that a desktop
  // matches the window to its entry (StartupWMClass, Wayland's app id).
  QGuiApplication::setApplicationName(QStringLiteral(MAROBEL_DESKTOP_ID));
  QGuiApplication::setDesktopFileName(QStringLiteral(MAROBEL_DESKTOP_ID));
  application.setWindowIcon(AppIcon());

  QtSoundOutput sound;
  session.RouteSounds(&sound);

  int status = 0;
  {
    MainWindow window(&session);
    int scale = parsed.options.scale;
    if (scale == 0) {
      const QScreen* screen = QGuiApplication::primaryScreen();
      const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
      scale = DefaultWindowScale(screen ? static_cast<int>(screen->size().height() * ratio) : 0, ratio);
    }
    window.UseScale(scale);
    if (parsed.options.fullscreen)
      window.ToggleFullscreen();
    else
      window.show();
    status = application.exec();
  }
  SetSoundOutput(nullptr);
  if (parsed.options.summaryRequested) std::fputs(session.SummaryText().c_str(), stderr);
  if (!session.Close(error)) {
    std::fprintf(stderr, "marobel: %s\n", error.c_str());
    if (status == 0) status = 1;
  }
  return status;
}
