#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "app/qt/app_icon.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_options.h"
#include "app/qt/qt_sound_output.h"
#include "app/session/shell_startup.h"
#include "app/session/shell_settings.h"

// The game reads its pictures and sounds by bare name from the directory it
// is started in. Its few options only add records of a session (or replay
// one); the player's settings (settings.txt) only touch the window around it.
int main(int argc, char** argv) {
  ShellHooks hooks;
  hooks.toolkitOptions = QtOptions();
  hooks.usageNote = QtOptionsNote();
  hooks.tell = [](const std::string& text, bool error) { std::fputs(text.c_str(), error ? stderr : stdout); };
  // Qt starts only once the options are read: a version or a usage error
  // needs no display.
  hooks.runWindow = [argc, argv](GameSession& session, const ShellOptionsResult& parsed) {
    // Qt sees its own options only: the game's are read, and a file named
    // like one of Qt's must not reach it.
    QtArguments qtArguments(argc > 0 ? argv[0] : "marobel", parsed.toolkitArguments);
    QApplication application(qtArguments.Count(), qtArguments.Vector());
    // The window's class is the desktop entry's name, so that a desktop
    // matches the window to its entry (StartupWMClass, Wayland's app id).
    QGuiApplication::setApplicationName(QStringLiteral(MAROBEL_DESKTOP_ID));
    QGuiApplication::setDesktopFileName(QStringLiteral(MAROBEL_DESKTOP_ID));
    application.setWindowIcon(AppIcon());
    // The player's settings, over the defaults; a damaged file is told in
    // one line and the game goes on with what could be read.
    const std::string settingsFolder = SettingsFolder();
    std::string problem;
    const ShellSettings settings = LoadShellSettings(settingsFolder, ShellSettings{}, problem);
    if (!problem.empty()) std::fprintf(stderr, "marobel: %s\n", problem.c_str());
    QtSoundOutput sound;
    session.SetSoundPlayer(&sound);
    MainWindow window(&session, settings);
    window.SaveSettingsIn(settingsFolder);
    window.UseSoundOutput(&sound);
    // The command line's zoom holds for this session only.
    const ShellOptions& options = parsed.options;
    window.UseScale(options.scale ? options.scale : settings.scale);
    if (options.fullscreen)
      window.ToggleFullscreen();
    else
      window.show();
    if (!session.Notice().empty()) window.TellNotice(session.Notice());
    const int status = application.exec();
    session.SetSoundPlayer(nullptr);
    return status;
  };
  return RunShell(std::vector<std::string>(argv + 1, argv + argc), hooks);
}
