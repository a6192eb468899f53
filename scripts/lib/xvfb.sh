# Sourced by the scripts that run the real program under a private X server.
# start_xvfb WORKDIR [SIZE]: starts Xvfb (screen SIZE, default 1024x768) on a free display, waits until it answers, exports DISPLAY
# and the Qt settings for a real X connection, and sets xvfb_pid for the caller's cleanup.
# Calls the caller's fail() on any problem.
start_xvfb() {
  local work=$1 size=${2:-1024x768}
  # -noreset: by default the server resets when its last client leaves, and a client that
  # connects during that reset is dropped. Our readiness probe is such a last client, so
  # without it the program started right after the probe fails now and then.
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
  [[ -s $work/display ]] || fail "Xvfb did not start"
  export DISPLAY=:$(cat "$work/display")
  # The server announces its number before it takes connections; wait until it answers.
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xdpyinfo >/dev/null 2>&1 || fail "Xvfb on $DISPLAY does not answer"
  export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work
  unset QT_ENABLE_HIGHDPI_SCALING
}
