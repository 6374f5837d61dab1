#!/bin/bash
# Drives the real simulator window on a private X server as a user would:
# waits for the window, powers the instrument on, checks the display and the
# lamp, presses Escape (the window must stay), OFF, and closes the window,
# which must end the program with exit code 0; then closes it in the middle
# of the splash and while the cycle runs; drives it from the keyboard and the
# wheel and takes screenshots; records a session and replays it with qpx-run;
# keeps the Hobbs time in a store across closing and reopening, refusing a
# second program on the same store; replays a recording from a chosen
# moment and opens others with Ctrl+O and by a drop; sets engine values and
# a sensor fault in the Engine window (engine_window.sh); refuses a demo
# it cannot play; and starts it without any display.
#
# Usage: end_to_end.sh PATH/TO/qpx-sim OUTPUT_DIR PATH/TO/qpx-run
set -u
SIM=$1
OUT=$2
RUN=$3
HERE=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$OUT"
# When built with the sanitizers, leaks are still reported except for the
# font library's lifelong caches.
export LSAN_OPTIONS="suppressions=$HERE/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
# The remembered zoom and pass rate live here, not in the user's settings.
export XDG_CONFIG_HOME="$OUT/config"
rm -rf "$XDG_CONFIG_HOME"
REFERENCE="$HERE/../data/window"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

XVFB_PID=
SIM_PID=
cleanup() {
    [ -n "$SIM_PID" ] && kill "$SIM_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
}
trap cleanup EXIT

# --- A private X server on a free display ---
Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp 9>"$OUT/display" >"$OUT/xvfb.log" 2>&1 &
XVFB_PID=$!
for _ in $(seq 200); do
    [ -s "$OUT/display" ] && break
    sleep 0.05
done
[ -s "$OUT/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$OUT/display")"
for _ in $(seq 200); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.05
done
xdotool getdisplaygeometry >/dev/null 2>&1 || fail "cannot connect to Xvfb on $DISPLAY"

pixel() { # window x y -> r,g,b
    /usr/bin/import -window "$1" -crop "1x1+$2+$3" \
        -format '%[fx:round(255*r)],%[fx:round(255*g)],%[fx:round(255*b)]' info: 2>/dev/null
}

start_sim() { # name [options...]
    local name=$1
    shift
    # A loaded server can refuse a new client for a moment even after it
    # answered: a program that could not connect (exit code 2) gets a second
    # try; any other early end fails at once, with what the program said.
    local attempt code
    for attempt in 1 2; do
        "$SIM" "$@" 2>"$OUT/sim-$name.err" &
        SIM_PID=$!
        WID=
        for _ in $(seq 500); do
            # By process too: the previous session's window may linger on the
            # server for a moment after its program ended.
            WID=$(xdotool search --onlyvisible --pid "$SIM_PID" --name '^Corvan QPX-2$' 2>/dev/null | head -n1)
            [ -n "$WID" ] && break
            kill -0 "$SIM_PID" 2>/dev/null || break
            sleep 0.02
        done
        [ -n "$WID" ] && break
        kill -0 "$SIM_PID" 2>/dev/null && break
        code=0
        wait "$SIM_PID" || code=$?
        SIM_PID=
        echo "qpx-sim ($name) ended with code $code before showing its window: $(cat "$OUT/sim-$name.err")" >&2
        [ "$code" -eq 2 ] && [ "$attempt" -eq 1 ] && { sleep 0.5; continue; }
        fail "qpx-sim ended before showing its window"
    done
    [ -n "$WID" ] || fail "the window did not appear"
    # Mapped comes before painted: wait for the lamp, bright red before ON
    # (at LAMP_X, LAMP_Y in a zoomed window).
    for _ in $(seq 250); do
        [ "$(pixel "$WID" "${LAMP_X:-168}" "${LAMP_Y:-30}")" = "255,0,0" ] && return
        sleep 0.02
    done
    fail "the lamp never showed bright red (got $(pixel "$WID" "${LAMP_X:-168}" "${LAMP_Y:-30}"))"
}

click() { # x y
    xdotool mousemove --window "$WID" "$1" "$2" click --delay 0 1
}

close_and_expect_success() {
    /usr/bin/python3 "$HERE/close_window.py" "$WID" || fail "could not send WM_DELETE_WINDOW"
    # Generous: on a loaded machine starting a client can take seconds.
    for _ in $(seq 750); do
        kill -0 "$SIM_PID" 2>/dev/null || break
        sleep 0.02
    done
    kill -0 "$SIM_PID" 2>/dev/null && fail "qpx-sim did not end after its window was closed ($1)"
    wait "$SIM_PID"
    local code=$?
    SIM_PID=
    [ "$code" -eq 0 ] || fail "qpx-sim ended with exit code $code after closing ($1)"
}

# Fraction of dark dots in the 256 x 128 display area of a screenshot.
dark_fraction() {
    /usr/bin/convert "$1" -crop 256x128+40+93 +repage -colorspace Gray -threshold 40% \
        -format '%[fx:1-mean]' info:
}

# --- Session 1: on, look, Escape, off, close ---
start_sim one
/usr/bin/import -window "$WID" "$OUT/before-on.png"
[ "$(pixel "$WID" 168 157)" = "200,200,200" ] || fail "before ON the display area is not the bare panel"
# At zoom 1 the window is the window it has always been, pixel for pixel.
D=$(/usr/bin/compare -metric AE "$REFERENCE/window_zoom1.png" "$OUT/before-on.png" null: 2>&1)
[ "$D" = "0" ] || fail "at zoom 1 the window differs from $REFERENCE/window_zoom1.png in $D pixels"
click 88 352 # ON
sleep 4      # the splash plays for about 2.5 s
kill -0 "$SIM_PID" 2>/dev/null || fail "qpx-sim ended after ON"
/usr/bin/import -window "$WID" "$OUT/running.png"
DARK=$(dark_fraction "$OUT/running.png")
awk -v d="$DARK" 'BEGIN { exit !(d > 0.01 && d < 0.6) }' ||
    fail "the display shows no frame (dark fraction $DARK)"
LAMP=$(pixel "$WID" 168 30)
[ "$LAMP" = "255,0,0" ] || [ "$LAMP" = "128,0,0" ] || fail "the lamp is $LAMP, not red or dark red"

xdotool mousemove --window "$WID" 500 200 key Escape
sleep 0.5
kill -0 "$SIM_PID" 2>/dev/null || fail "Escape ended the program"
[ -n "$(xdotool search --onlyvisible --pid "$SIM_PID" --name '^Corvan QPX-2$' 2>/dev/null)" ] ||
    fail "Escape closed the window"

click 244 352 # OFF
sleep 0.3
kill -0 "$SIM_PID" 2>/dev/null || fail "OFF ended the program"
close_and_expect_success "after OFF"

# --- Session 1b: zoom 2, too large for this 1024 x 768 screen, shown at
# 1.5; back to 1 with Ctrl+0; remembered ---
# The lamp must show where the face, one and a half times the size, puts it.
LAMP_X=252 LAMP_Y=45 start_sim zoomed --zoom 2
GEOMETRY=$(xdotool getwindowgeometry "$WID" | sed -n 's/.*Geometry: //p')
[ "$GEOMETRY" = "932x606" ] || fail "at --zoom 2 on a 1024 x 768 screen the window is $GEOMETRY, not 932x606"
! grep -qsx "zoom = 2" "$XDG_CONFIG_HOME/qpx-sim/settings.toml" || fail "--zoom 2 of one run was remembered"
xdotool mousemove --window "$WID" 800 300 key ctrl+0
sleep 0.5
GEOMETRY=$(xdotool getwindowgeometry "$WID" | sed -n 's/.*Geometry: //p')
[ "$GEOMETRY" = "621x404" ] || fail "after Ctrl+0 the window is $GEOMETRY, not 621x404"
# All but the status bar, which now says the zoom, as before.
/usr/bin/import -window "$WID" "$OUT/zoom-back.png"
/usr/bin/convert "$REFERENCE/window_zoom1.png" -crop 621x385+0+0 +repage "$OUT/zoom1-above-status.png"
/usr/bin/convert "$OUT/zoom-back.png" -crop 621x385+0+0 +repage "$OUT/zoom-back-above-status.png"
D=$(/usr/bin/compare -metric AE "$OUT/zoom1-above-status.png" "$OUT/zoom-back-above-status.png" null: 2>&1)
[ "$D" = "0" ] || fail "back at zoom 1 the window differs from $REFERENCE/window_zoom1.png in $D pixels"
grep -qx "zoom = 1" "$XDG_CONFIG_HOME/qpx-sim/settings.toml" || fail "Ctrl+0 was not remembered"
close_and_expect_success "after zooming"

# --- Session 2: close while the splash plays ---
start_sim two
click 88 352
sleep 0.8
close_and_expect_success "during the splash"

# --- Session 3: close while the main cycle runs ---
start_sim three
click 88 352
sleep 3.5
kill -0 "$SIM_PID" 2>/dev/null || fail "qpx-sim ended after ON"
close_and_expect_success "while running"

# --- Session 4: keyboard, wheel and screenshots ---
SHOTS="$OUT/shots"
rm -rf "$SHOTS"
mkdir -p "$SHOTS"
start_sim four --shots "$SHOTS"
key() { # keys...: typed with the pointer over the face (keys go to the window under it)
    xdotool mousemove --window "$WID" 168 150 key --delay 30 "$@"
}
newest() { # suffix
    ls -t "$SHOTS"/*"$1" 2>/dev/null | head -n1
}
key o # ON
sleep 4
kill -0 "$SIM_PID" 2>/dev/null || fail "qpx-sim ended after ON from the keyboard"
# Pressure slider to 1400 (no alarm, so nothing blinks), then a display shot.
key $(printf 'shift+q %.0s' $(seq 14))
sleep 0.5
key F9
sleep 0.5
RUN_SHOT=$(newest -display.png)
[ -n "$RUN_SHOT" ] || fail "F9 wrote no display shot"
# One wheel notch away from the user turns the knob: the maximum values.
xdotool mousemove --window "$WID" 168 150 click 4
sleep 0.5
key F9
sleep 0.5
key F10
sleep 1
/usr/bin/import -window "$WID" "$OUT/keys.png"
DISPLAY_SHOT=$(newest -display.png)
DISPLAY_2X=$(newest -display-2x.png)
WINDOW_SHOT=$(newest -window.png)
[ -n "$WINDOW_SHOT" ] || fail "F10 wrote no window shot"
[ "$DISPLAY_SHOT" != "$RUN_SHOT" ] || fail "the second display shot overwrote the first"
[ "$(/usr/bin/identify -format '%wx%h' "$DISPLAY_SHOT")" = "128x64" ] || fail "the raw display shot is not 128x64"
[ "$(/usr/bin/identify -format '%wx%h' "$DISPLAY_2X")" = "256x128" ] || fail "the 2x display shot is not 256x128"
[ "$(/usr/bin/identify -format '%wx%h' "$WINDOW_SHOT")" = "621x404" ] || fail "the window shot is not 621x404"
differing() { # picture picture: pixels that differ
    /usr/bin/compare -metric AE "$1" "$2" null: 2>&1
}
[ "$(differing "$RUN_SHOT" "$DISPLAY_SHOT")" != "0" ] || fail "the wheel did not turn the knob"
# The display part of the screen, of the window shot and the 2x shot agree dot for dot.
/usr/bin/convert "$OUT/keys.png" -crop 256x128+40+93 +repage "$OUT/keys-display.png"
/usr/bin/convert "$WINDOW_SHOT" -crop 256x128+40+93 +repage "$OUT/window-shot-display.png"
D=$(differing "$DISPLAY_2X" "$OUT/keys-display.png")
[ "$D" = "0" ] || fail "the 2x display shot differs from the screen in $D pixels"
D=$(differing "$DISPLAY_2X" "$OUT/window-shot-display.png")
[ "$D" = "0" ] || fail "the window shot's display differs from the 2x shot in $D pixels"
key f # OFF
sleep 0.3
close_and_expect_success "after keyboard use"

# --- Session 5: a recorded session replays to the same screens ---
SESSION="$OUT/session.txt"
rm -f "$SESSION"
start_sim five --record "$SESSION"
key o
sleep 3.5
key $(printf 'shift+q %.0s' $(seq 15)) # pressure up, clear of the low alarm
sleep 0.3
click 168 277 # the knob: main menu
sleep 0.3
xdotool mousemove --window "$WID" 168 150 click 5 # a wheel notch towards the user: back
sleep 0.3
key Up Up Up Return # HOBBS METER
sleep 0.3
key Return          # DONE
sleep 0.3
key Down Down Down Return # EXIT MENU
sleep 0.3
key F2 # the magneto check
sleep 0.5
key f
sleep 0.3
close_and_expect_success "after recording"
grep -q "^expect screen HobbsMeterScreen$" "$SESSION" || fail "the recording shows no visit to the Hobbs meter"
"$RUN" --out "$OUT/replay" "$SESSION" >"$OUT/replay.out" 2>&1 ||
    fail "the recorded session did not replay: $(cat "$OUT/replay.out")"
grep -q "^1 script: [1-9][0-9]* passed, 0 failed$" "$OUT/replay.out" || fail "the replay checked nothing"
# A recording that cannot be written is told at once, before any window.
env -u DISPLAY "$SIM" --record "$OUT/no/such/folder/session.txt" >"$OUT/record-fail.out" 2>&1
code=$?
[ "$code" -eq 2 ] || fail "an unwritable recording gave exit code $code, not 2"
grep -q "cannot write" "$OUT/record-fail.out" || fail "an unwritable recording was not reported"

# --- Session 6: the store keeps the Hobbs time across closing and reopening ---
STORE="$OUT/store.toml"
rm -f "$STORE"
start_sim six --store "$STORE"
key o
sleep 4
key shift+w r r # the engine at 2000 rpm, the clock at x60: a Hobbs minute a second
# A second program on the same store is refused at once, naming the first.
"$SIM" --store "$STORE" >"$OUT/second-store.out" 2>&1
code=$?
[ "$code" -eq 2 ] || fail "a second qpx-sim on the store gave exit code $code, not 2"
grep -q "in use by process $SIM_PID" "$OUT/second-store.out" ||
    fail "the second qpx-sim did not name the first: $(cat "$OUT/second-store.out")"
sleep 4
close_and_expect_success "with the store"
[ -e "$STORE.lock" ] && fail "closing left the store's lock file"
HOBBS=$(grep '^hobbs' "$STORE")
grep -q '^hobbsMinutes = [1-9]' "$STORE" || fail "the store holds no Hobbs minute: $HOBBS"
start_sim seven --store "$STORE"
close_and_expect_success "reopening the store"
[ "$(grep '^hobbs' "$STORE")" = "$HOBBS" ] || fail "reopening changed the Hobbs time: $(grep '^hobbs' "$STORE")"

# --- Session 8: a recording from a chosen moment, then Ctrl+O and a drop
# open others ---
# FLTK's own file chooser, as where the desktop offers none (FLTK's option,
# in its preferences file under HOME): the file name is typed into it.
OPEN="$OUT/open"
rm -rf "$OPEN"
mkdir -p "$OPEN/home/.fltk/fltk.org"
printf '; FLTK preferences file format 1.0\n; vendor: fltk.org\n; application: fltk\n\n[.]\n\n\n[./options]\n\nFNFCUsesGTK:0\n' \
    >"$OPEN/home/.fltk/fltk.org/fltk.prefs"
printf 'time,mp_mbar,rpm\n0,1000,2400\n600,1000,2400\n' >"$OPEN/second.csv"
printf 'time,mp_mbar\n10,1000\n5,600\n' >"$OPEN/backwards.csv"
choose() { # file name: Ctrl+O, the name typed into the chooser, Enter
    key ctrl+o
    local chooser=
    for _ in $(seq 250); do
        chooser=$(xdotool search --onlyvisible --name '^Open a recording' 2>/dev/null | head -n1)
        [ -n "$chooser" ] && break
        sleep 0.02
    done
    [ -n "$chooser" ] || fail "Ctrl+O opened no file chooser"
    sleep 0.3
    xdotool mousemove --window "$chooser" 10 10 key End shift+Home BackSpace
    xdotool type --delay 30 "$1"
    xdotool key Return
    sleep 1
}
cd "$OPEN" || fail "no folder $OPEN"
HOME="$OPEN/home" start_sim eight --feed "$HERE/../../examples/engine-run.csv" --feed-from 5:00
grep -q "^qpx-sim: .*engine-run.csv.*from 00:05:00$" "$OUT/sim-eight.err" ||
    fail "the replay did not say where it starts: $(cat "$OUT/sim-eight.err")"
choose backwards.csv
grep -q "backwards.csv:3: time goes backwards" "$OUT/sim-eight.err" ||
    fail "a refused recording was not reported: $(cat "$OUT/sim-eight.err")"
choose second.csv
/usr/bin/import -window "$WID" "$OUT/opened.png"
grep -q "^qpx-sim: .*second.csv" "$OUT/sim-eight.err" ||
    fail "the chosen recording did not start: $(cat "$OUT/sim-eight.err")"
# A file manager's drop (XDND), a blank in the file's name.
cp "$OPEN/second.csv" "$OPEN/dropped run.csv"
/usr/bin/python3 "$HERE/drop_file.py" "$WID" 500 200 "$OPEN/dropped run.csv" || fail "the window refused a drop"
sleep 0.5
grep -q "^qpx-sim: .*dropped run.csv" "$OUT/sim-eight.err" ||
    fail "the dropped recording did not start: $(cat "$OUT/sim-eight.err")"
close_and_expect_success "after opening recordings"
cd - >/dev/null || exit 1

# shellcheck source=engine_window.sh
. "$HERE/engine_window.sh"

# --- A demo that cannot be played is refused before the window opens ---
printf 'on\nfly away\n' >"$OUT/bad-demo.txt"
"$SIM" --demo "$OUT/bad-demo.txt" >"$OUT/bad-demo.out" 2>&1
code=$?
[ "$code" -eq 2 ] || fail "qpx-sim --demo with a bad line gave exit code $code, not 2"
grep -q "^qpx-sim: .*bad-demo.txt:2: " "$OUT/bad-demo.out" ||
    fail "qpx-sim --demo did not name the bad line: $(cat "$OUT/bad-demo.out")"

# --- No display at all: one clear line and a failure code ---
env -u DISPLAY "$SIM" >"$OUT/no-display.out" 2>&1
code=$?
[ "$code" -ne 0 ] || fail "without a display qpx-sim reported success"
grep -q "xvfb-run" "$OUT/no-display.out" || fail "without a display qpx-sim did not say how to run it"

echo "window end-to-end: all checks passed"
