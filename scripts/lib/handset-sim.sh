# Shell helpers around build/handset-sim, shared by the demo and the
# end-to-end tests. Source it; it defines functions only.

# start_handset_sim SIM LINK TRACE: starts the simulator with LINK pointing at
# its device and its trace going to TRACE; SIM_PID names it.
start_handset_sim() {
  local sim=$1 link=$2 trace=$3
  "$sim" --link "$link" >"$trace" &
  SIM_PID=$!
  for _ in $(seq 100); do
    [[ -e $link ]] && return 0
    sleep 0.05
  done
  echo "handset-sim: no device at $link" >&2
  return 1
}

# trace_events TRACE: what the handset saw, one event a line, without times,
# hold times or reply sizes ("key 5", "enable", "detach").
trace_events() {
  tail -n +2 "$1" | sed -E 's/^ *[0-9.]+ ms +//; s/  held.*//; s/ ->.*//'
}
