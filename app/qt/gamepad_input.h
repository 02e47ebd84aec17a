#pragma once
#include <QObject>
#include <QTimer>

#include "app/session/pad_buttons.h"

// The gamepads attached now or later, through SDL's game controller layer,
// which knows the standard layout of most pads. Only that part of SDL is
// started: the window, the keyboard and the sound stay Qt's. A press of a
// button is reported once, when it goes down. SDL keeps one queue of events
// per program, so a program has one of these at a time.
class GamepadInput : public QObject {
  Q_OBJECT
 public:
  explicit GamepadInput(QObject* parent = nullptr);
  ~GamepadInput() override;
  // SDL's events since the last poll; the timer calls it every 16 ms.
  void Poll();

 signals:
  void pressed(PadButton button);

 private:
  QTimer poll_;
  bool started_ = false;
};
