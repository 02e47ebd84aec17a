#include <QApplication>

#include "app/qt/app_icon.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_sound_output.h"
#include "render/sound_cue.h"

// The game takes no options and no settings; it reads its pictures and
// sounds by bare name from the directory it is started in.
int main(int argc, char** argv) {
  QApplication application(argc, argv);
  application.setWindowIcon(AppIcon());

  QtSoundOutput sound;
  SetSoundOutput(&sound);

  MainWindow window;
  window.show();
  const int status = application.exec();

  SetSoundOutput(nullptr);
  return status;
}
