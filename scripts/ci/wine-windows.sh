# shellcheck shell=bash
# Helpers of the Wine runs (scripts/ci/wine-*.sh): a work folder with the
# game unpacked in it, and finding, closing and looking at the game's
# windows on the X display. Sourced; needs xdotool, python3 with libX11 and
# ImageMagick.
# shellcheck disable=SC2034

# A folder of the check's own, $work, named after $1, with the package $2
# unpacked in it ($game_dir). At exit the game ($game_pid), the prefix's
# Wine server and the X server ($xvfb_pid) are stopped and the folder goes.
open_work_folder() {
  work="$(mktemp -d "/tmp/$1.XXXXXX")"
  xvfb_pid=""
  game_pid=""
  trap close_work_folder EXIT
  mkdir -p "$work/game"
  (cd "$work/game" && unzip -q "$2")
  game_dir="$(ls -d "$work"/game/marobel-*)"
}
close_work_folder() {
  set +e
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}

# Waits up to $1 seconds for a visible window named exactly $2; prints its id.
wait_window() {
  local seconds=$1 name=$2 id
  for _ in $(seq $((seconds * 5))); do
    for id in $(xdotool search --onlyvisible --name "$name" 2>/dev/null); do
      if [ "$(xdotool getwindowname "$id")" = "$name" ]; then echo "$id"; return 0; fi
    done
    sleep 0.2
  done
  return 1
}
# Waits up to $1 seconds until no visible window is named $2.
wait_no_window() {
  local seconds=$1 name=$2
  for _ in $(seq $((seconds * 5))); do
    xdotool search --onlyvisible --name "$name" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  return 1
}
# What a window manager sends for the close box: a WM_DELETE_WINDOW client
# message, which Wine turns into the close system command.
close_box() {
  python3 - "$1" <<'PY'
import ctypes, sys
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XFlush.argtypes = [ctypes.c_void_p]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]
class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(Event)]
display = x.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the display")
window = int(sys.argv[1])
event = Event()
event.xclient.type = 33  # ClientMessage
event.xclient.window = window
event.xclient.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.xclient.format = 32
event.xclient.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
event.xclient.data[1] = 0  # CurrentTime
x.XSendEvent(display, window, 0, 0, ctypes.byref(event))
x.XFlush(display)
x.XCloseDisplay(display)
PY
}
# The cabinet lies at canvas x 101..315, y 20..387 (the back wall alone is
# opaque there); the window shows the canvas from its top-left corner, below
# the menu bar. Measured well inside it, allowing for the menu's height.
cabinet_crop() { convert "$1" -crop 180x280+115+70 +repage "$2"; }

# Fails unless the cabinet area of window screenshot $1 is lit and drawn: the
# back wall and the pictures read from the working directory, not a black or
# flat canvas. $2 is a scratch file.
cabinet_shown() {
  local lit colours
  cabinet_crop "$1" "$2"
  lit="$(convert "$2" -colorspace gray -threshold 4% -format '%[fx:mean]' info:)"
  colours="$(convert "$2" -format '%k' info:)"
  echo "cabinet area: lit fraction $lit, $colours colours"
  awk -v v="$lit" 'BEGIN { exit !(v >= 0.6) }' && [ "$colours" -ge 16 ]
}
