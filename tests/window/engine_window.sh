# --- Session 9 (sourced by end_to_end.sh, with its helpers): the Engine
# window. E opens it; 2400 rpm and 1013 mB typed in, the display's unit set
# to "Hg from the pressure setup menu, then 25 "Hg typed in; an open pressure
# sensor chosen from its list. The sliders stay where the values put them,
# the lamp flashes for the low pressure the open sensor reads, the status bar
# says FAULT, and Escape closes the window. ---
ENGINE="$OUT/engine"
rm -rf "$ENGINE"
mkdir -p "$ENGINE"
start_sim nine --shots "$ENGINE"
key o
sleep 4
key e
EW=
for _ in $(seq 250); do
    EW=$(xdotool search --all --onlyvisible --pid "$SIM_PID" --name '^QPX-2 engine$' 2>/dev/null | head -n1)
    [ -n "$EW" ] && break
    sleep 0.02
done
[ -n "$EW" ] || fail "E opened no Engine window"
sleep 0.5
type_into() { # x y text: a box of the Engine window, its text replaced
    xdotool mousemove --window "$EW" "$1" "$2" click --delay 0 1
    xdotool key --delay 30 ctrl+a
    xdotool type --delay 30 "$3"
    xdotool key Return
    sleep 0.3
}
type_into 158 53 2400
type_into 158 23 1013
# Pressure setup, its UNIT row, "Hg (the fifth unit), back to the run screen.
key Return Up Up Up Up Up Return $(printf 'Up %.0s' $(seq 8)) Return Up Up Up Up Return \
    $(printf 'Down %.0s' $(seq 8)) Return Down Down Down Down Down Return
sleep 0.5
type_into 158 23 25
key F5
sleep 0.5
/usr/bin/import -window "$WID" -crop 300x19+0+385 "$OUT/engine-status-before.png"
# The pressure sensor's list: one line down from "off" is "open".
xdotool mousemove --window "$EW" 530 23 click --delay 0 1
sleep 0.5
xdotool key Down Return
sleep 1
/usr/bin/import -window "$WID" -crop 300x19+0+385 "$OUT/engine-status-fault.png"
xdotool mousemove --window "$EW" 380 70 # away from the list's tooltip
sleep 0.3
/usr/bin/import -window root -crop 730x520+201+182 "$OUT/engine-desktop.png"
[ "$(differing "$OUT/engine-status-before.png" "$OUT/engine-status-fault.png")" != "0" ] ||
    fail "the status bar did not change for the fault (FAULT)"
LAMPS=
for _ in $(seq 16); do
    LAMPS="$LAMPS $(pixel "$WID" 168 30)"
    sleep 0.2
done
case "$LAMPS" in *"255,0,0"*) ;; *) fail "the lamp never flashed bright red for the open sensor:$LAMPS" ;; esac
case "$LAMPS" in *"128,0,0"*) ;; *) fail "the lamp never went dark between flashes:$LAMPS" ;; esac
SAVED=$(ls "$ENGINE"/*.toml 2>/dev/null | head -n1)
[ -n "$SAVED" ] || fail "F5 saved no state file"
# The default settings read 20 rpm a pulse of the gate: 2400 rpm is 120.
# 25 "Hg is 846.6 mB, rounded to 847: 1202 is the largest count reading 847.
grep -qx "rpm = 120" "$SAVED" || fail "2400 rpm left the speed slider at $(grep '^rpm' "$SAVED")"
grep -qx "pressure = 1202" "$SAVED" || fail "25 \"Hg left the pressure slider at $(grep '^pressure' "$SAVED")"
xdotool mousemove --window "$EW" 300 40 key Escape
sleep 0.5
[ -z "$(xdotool search --all --onlyvisible --pid "$SIM_PID" --name '^QPX-2 engine$' 2>/dev/null)" ] ||
    fail "Escape did not close the Engine window"
kill -0 "$SIM_PID" 2>/dev/null || fail "Escape in the Engine window ended the program"
close_and_expect_success "after the Engine window"
