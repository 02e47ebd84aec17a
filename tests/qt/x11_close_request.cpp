// Asks an X11 window to close the way a window manager does when its close
// button is pressed: a WM_DELETE_WINDOW client message, which the program
// may answer as it likes (unlike destroying the window from outside).
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s WINDOW_ID\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "cannot open the X display\n");
    return 1;
  }
  const Window window = static_cast<Window>(std::strtoul(argv[1], nullptr, 0));
  const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
  const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);

  Atom* offered = nullptr;
  int count = 0;
  bool acceptsClose = false;
  if (XGetWMProtocols(display, window, &offered, &count)) {
    for (int i = 0; i < count; ++i) acceptsClose = acceptsClose || offered[i] == deleteWindow;
    XFree(offered);
  }
  if (!acceptsClose) {
    std::fprintf(stderr, "window %s does not take close requests\n", argv[1]);
    XCloseDisplay(display);
    return 1;
  }

  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = protocols;
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(deleteWindow);
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
  XCloseDisplay(display);
  return 0;
}
