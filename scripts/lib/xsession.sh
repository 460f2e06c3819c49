# Shell helpers that drive the real program through real X input, shared by
# the headless demo and the end-to-end tests. Source it; it defines functions only.

# start_xvfb: starts a private Xvfb and exports DISPLAY; XVFB_PID names it.
start_xvfb() {
  local numberfile display=
  numberfile=$(mktemp)
  # -noreset: without it the server resets whenever its last client leaves,
  # and a program started just then cannot connect.
  Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$numberfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  # -displayfd writes the display number once the server accepts clients.
  for _ in $(seq 200); do
    read -r display <"$numberfile" || true
    [[ -n $display ]] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$numberfile"
  if [[ -z $display ]]; then
    echo "xsession: Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$display"
}

stop_xvfb() {
  [[ -n ${XVFB_PID:-} ]] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}

# wait_window NAME [SECONDS]: prints the id of the visible window whose title is
# exactly NAME, waiting for it to appear.
wait_window() {
  local name=$1 seconds=${2:-30} id
  local deadline=$((SECONDS + seconds))
  while ((SECONDS < deadline)); do
    id=$(xdotool search --onlyvisible --name "^${name}\$" 2>/dev/null | head -n1)
    if [[ -n $id ]]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  echo "xsession: no window named '$name' after ${seconds}s" >&2
  return 1
}

# wait_window_gone ID [SECONDS]
wait_window_gone() {
  local id=$1 seconds=${2:-10}
  local deadline=$((SECONDS + seconds))
  while ((SECONDS < deadline)); do
    xdotool getwindowname "$id" >/dev/null 2>&1 || return 0
    xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable' || return 0
    sleep 0.1
  done
  return 1
}

# focus_window ID: without a window manager the pointer decides where keys go,
# so the pointer is parked on the window as well.
focus_window() {
  local id=$1
  xdotool mousemove --window "$id" 2 2 windowfocus --sync "$id"
}

# click_dialog_unit ID WIDTH_DU HEIGHT_DU X_DU Y_DU [BUTTON] [REPEAT]: clicks
# at a point given in the dialog's own units, scaled by the window's real size
# (the dialog is laid out in those units, whatever the font).
click_dialog_unit() {
  local id=$1 width_du=$2 height_du=$3 x_du=$4 y_du=$5 button=${6:-1} repeat=${7:-1}
  local width height
  eval "$(xdotool getwindowgeometry --shell "$id")"
  width=$WIDTH height=$HEIGHT
  xdotool mousemove --window "$id" $((x_du * width / width_du)) $((y_du * height / height_du)) \
    click --repeat "$repeat" --delay 120 "$button"
}

# screenshot ID FILE
screenshot() {
  import -window "$1" "$2"
}
