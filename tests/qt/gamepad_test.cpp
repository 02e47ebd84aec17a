#include <SDL.h>

#include <QtTest>
#include <memory>
#include <vector>

#include "app/qt/gamepad_input.h"
#include "app/qt/main_window.h"
#include "game/constants.h"
#include "game/state.h"

namespace {

// Where the coins in flight are across the table.
std::vector<int> AirborneCoinsX() {
  std::vector<int> across;
  for (int i = 0; i < kCoinSlots; ++i)
    if (game.coinState[i] == CoinState::Airborne) across.push_back(game.coinX[i]);
  return across;
}

}  // namespace

// A pad made by SDL itself, in the game controller layout, played into a
// real window: what a player's pad would do, down to the game.
class GamepadTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<GameSession> session;
  std::unique_ptr<MainWindow> window;
  GamepadInput* pad = nullptr;
  SDL_Joystick* virtualPad = nullptr;
  int padIndex = -1;

  // Down, held over another poll, then up: one press.
  void Press(SDL_GameControllerButton button) {
    SDL_JoystickSetVirtualButton(virtualPad, button, SDL_PRESSED);
    pad->Poll();
    pad->Poll();
    SDL_JoystickSetVirtualButton(virtualPad, button, SDL_RELEASED);
    pad->Poll();
  }

 private slots:
  void init() {
    ResetProgramState();
    session = std::make_unique<GameSession>();
    window = std::make_unique<MainWindow>(session.get());
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    pad = window->findChild<GamepadInput*>();
    QVERIFY(pad);

    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "test pad";
    padIndex = SDL_JoystickAttachVirtualEx(&desc);
    QVERIFY2(padIndex >= 0, SDL_GetError());
    QVERIFY(SDL_IsGameController(padIndex));
    virtualPad = SDL_JoystickOpen(padIndex);
    QVERIFY2(virtualPad, SDL_GetError());
    pad->Poll();  // the pad is added, and opened as a game controller
  }
  void cleanup() {
    if (virtualPad) SDL_JoystickClose(virtualPad);
    if (padIndex >= 0) SDL_JoystickDetachVirtual(padIndex);
    virtualPad = nullptr;
    padIndex = -1;
    window.reset();
    session.reset();
  }

  void lanesAndPauseOncePerPress() {
    game.credits = 3;
    Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    QCOMPARE(game.credits, 2);  // held over two polls: still one coin
    QCOMPARE(AirborneCoinsX().size(), size_t{1});
    QVERIFY(AirborneCoinsX()[0] > (kLeftLaneX + kRightLaneX) / 2);
    Press(SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
    Press(SDL_CONTROLLER_BUTTON_A);  // does nothing
    QCOMPARE(game.credits, 1);
    QCOMPARE(AirborneCoinsX().size(), size_t{2});
    QVERIFY(AirborneCoinsX()[1] < (kLeftLaneX + kRightLaneX) / 2);

    // Start pauses as P does, and while paused no coin drops.
    Press(SDL_CONTROLLER_BUTTON_START);
    QVERIFY(session->PausedBy(GameSession::PauseReason::Player));
    Press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    QCOMPARE(game.credits, 1);
    Press(SDL_CONTROLLER_BUTTON_START);
    QVERIFY(!session->Paused());
    Press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    QCOMPARE(game.credits, 0);
  }

  // Like the keyboard, the pad plays into the window the player is at.
  void nothingReachesAWindowInTheBackground() {
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    game.credits = 3;
    Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    Press(SDL_CONTROLLER_BUTTON_START);
    QCOMPARE(game.credits, 3);
    QVERIFY(!session->Paused());
  }
};

QTEST_MAIN(GamepadTest)
#include "gamepad_test.moc"
