#!/usr/bin/env bash
# keypad_session.sh CORVANE HANDSET_SIM: the program as a person uses it, on a
# private X server. A renamed copy checks that message boxes carry the
# executable's own name.
set -euo pipefail
corvane=$1 sim=$2
source "$(dirname "$0")/../../scripts/lib/xsession.sh"
source "$(dirname "$0")/../../scripts/lib/handset-sim.sh"

work=$(mktemp -d)
SIM_PID=
cleanup() {
  [[ -n $SIM_PID ]] && kill "$SIM_PID" 2>/dev/null
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "keypad_session: $*" >&2; exit 1; }

start_xvfb
cp "$corvane" "$work/OkiPad.bin"
program=$work/OkiPad.bin

echo "-- no port: the message box, then the keypad, then Escape"
COM1=$work/no-such-port "$program" &
pid=$!
box=$(wait_window OkiPad 30) || fail "no message box captioned OkiPad"
xdotool search --onlyvisible --name '^Corvane$' >/dev/null && fail "keypad shown before the box was dismissed"
focus_window "$box"
xdotool key Return
keypad=$(wait_window Corvane 10) || fail "no keypad after the box"
focus_window "$keypad"
xdotool key Escape
wait "$pid" || fail "exit code $? after Escape"

echo "-- a handset: handshake, a click on \"5\", the default button by keyboard"
start_handset_sim "$sim" "$work/com1" "$work/trace" || fail "the simulator did not start"
COM1=$work/com1 "$program" &
pid=$!
keypad=$(wait_window Corvane 30) || fail "no keypad"
focus_window "$keypad"
click_dialog_unit "$keypad" 131 153 66 41
sleep 0.5
# The click left the focus on "5"; five tab stops back is the blank default button.
xdotool key --delay 40 shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Return
wait "$pid" || fail "exit code $? after Enter"
sleep 0.3

handshake=$'detach\nprobe (attempt 1)\nattention\nenable'
seen=$(trace_events "$work/trace")
[[ $seen == "$handshake"$'\nkey 5\ndetach' ]] || fail "the handset saw:"$'\n'"$seen"

echo "-- the About box: its test sequence, then Escape twice"
lines_before=$(wc -l <"$work/trace")
COM1=$work/com1 "$program" &
pid=$!
keypad=$(wait_window Corvane 30) || fail "no keypad"
focus_window "$keypad"
xdotool key alt+space
sleep 0.3
xdotool key a
about=$(wait_window "About Corvane" 10) || fail "no About box"
focus_window "$about"
click_dialog_unit "$about" 217 55 120 45 3 2
sleep 1.5
xdotool key Escape
wait_window_gone "$about" || fail "About box still up after Escape"
focus_window "$keypad"
xdotool key Escape
wait "$pid" || fail "exit code $? after Escape"
sleep 0.3

seen=$(trace_events "$work/trace" | tail -n +"$lines_before")
presses=$(grep -c '^key ' <<<"$seen" || true)
((presses == 8)) || fail "expected the 8 test presses, the handset saw:"$'\n'"$seen"
[[ $(tail -n 1 <<<"$seen") == key* ]] || fail "Escape must not send the detach frame:"$'\n'"$seen"
echo "keypad_session: passed"
