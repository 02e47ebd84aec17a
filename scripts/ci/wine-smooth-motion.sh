# shellcheck shell=bash
# Smooth motion in marobel.exe under Wine, sourced by wine-smoke.sh (with
# what it sets up: wait_window, close_box, wait_exit, game_dir, title): the
# cabinet, where the pusher moves, caught 60 times in about 2 s shows many
# more distinct pictures with smooth motion on (the default) than with it
# off, where only the ten or so ticks of those 2 s can differ. The View
# menu's item switches it, and so does --no-smooth.
# shellcheck disable=SC2154

# Prints how many distinct pictures of the cabinet area of X window $1
# there are among 60 taken about 33 ms apart, and how many ticks may have
# come between the first and the last (a busy machine takes longer).
distinct_cabinet_pictures() {
  python3 - "$1" <<'PY'
import ctypes, hashlib, sys, time
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XGetImage.restype = ctypes.c_void_p
x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                        ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x.XDestroyImage.argtypes = [ctypes.c_void_p]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
class XImage(ctypes.Structure):  # its leading fields, up to the bytes per line
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int)]
display = x.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the display")
window = int(sys.argv[1])
# The crop of cabinet_crop (wine-windows.sh): well inside the cabinet.
left, top, width, height = 115, 70, 180, 280
seen = set()
start = time.monotonic()
for n in range(60):
    image = x.XGetImage(display, window, left, top, width, height, 0xFFFFFFFF, 2)  # ZPixmap
    if not image:
        sys.exit("cannot read the window's pixels")
    fields = ctypes.cast(image, ctypes.POINTER(XImage)).contents
    seen.add(hashlib.sha1(ctypes.string_at(fields.data, fields.bytes_per_line * height)).digest())
    x.XDestroyImage(image)
    time.sleep(max(0.0, start + (n + 1) / 30 - time.monotonic()))
span_ms = (time.monotonic() - start - 1 / 30) * 1000
x.XCloseDisplay(display)
print(len(seen), int(span_ms // 200) + 1)
PY
}

# The same, tried up to three times until $2 pictures differ, for the
# pictures a busy machine drops; prints the most found.
smooth_pictures() {
  local window=$1 wanted=$2 most=0 found ticks
  for _ in 1 2 3; do
    read -r found ticks < <(distinct_cabinet_pictures "$window") || return 1
    [ "$found" -gt "$most" ] && most=$found
    [ "$most" -ge "$wanted" ] && break
  done
  echo "$most"
}

smooth_motion_check() {
  local lang=C.UTF-8 window on off ticks
  # Off, each picture is a tick's: at most one more than the ticks caught.
  local min_on=25
  run_smooth_game() {
    (cd "$game_dir" && LANG="$lang" LC_ALL="$lang" exec wine marobel.exe "$@") >/dev/null 2>&1 &
    # shellcheck disable=SC2034  # wait_exit and the clean-up read it
    game_pid=$!
    window="$(wait_window 90 "$title")" || fail "[smooth] no window titled '$title'"
    sleep 2
  }
  end_smooth_game() {
    close_box "$window"
    wait_exit 30 || fail "[smooth] the game did not end after its close box"
    [ "$exit_status" -eq 0 ] || fail "[smooth] the game ended with exit status $exit_status"
  }

  run_smooth_game
  on="$(smooth_pictures "$window" "$min_on")" || fail "[smooth] cannot read the window's pixels"
  [ "$on" -ge "$min_on" ] || fail "[smooth] by default, 60 pictures in 2 s hold at most $on distinct in three tries (at least $min_on wanted)"
  note "[smooth] on by default: $on distinct pictures of 60 in 2 s"
  # View (Alt+V), Smooth motion (M): off.
  xdotool windowfocus --sync "$window"
  xdotool key alt+v
  sleep 0.5
  xdotool key m
  sleep 1
  read -r off ticks < <(distinct_cabinet_pictures "$window") || fail "[smooth] cannot read the window's pixels"
  [ "$off" -le $((ticks + 1)) ] || fail "[smooth] after the menu item, $off distinct pictures in 2 s, over $ticks ticks: still smooth?"
  note "[smooth] the View menu's item turned it off: $off distinct pictures of 60"
  end_smooth_game

  run_smooth_game --no-smooth
  read -r off ticks < <(distinct_cabinet_pictures "$window") || fail "[smooth] cannot read the window's pixels"
  [ "$off" -le $((ticks + 1)) ] || fail "[smooth] with --no-smooth, $off distinct pictures in 2 s (at most $((ticks + 1)) wanted)"
  note "[smooth] --no-smooth: $off distinct pictures of 60"
  xdotool windowfocus --sync "$window"
  xdotool key alt+v
  sleep 0.5
  xdotool key m
  sleep 1
  on="$(smooth_pictures "$window" "$min_on")" || fail "[smooth] cannot read the window's pixels"
  [ "$on" -ge "$min_on" ] || fail "[smooth] the menu item did not turn it on: $on distinct pictures"
  note "[smooth] the View menu's item turned it on: $on distinct pictures of 60"
  end_smooth_game
}
