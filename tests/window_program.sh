# Sourced by the shell tests: run_window_program NAME PROGRAM ARGS... runs a
# program that opens a window from a folder of its own under $work, waits
# for its window, lets it draw a few dozen frames, presses Escape and wants
# it to end with status 0. Needs $work and a fail function.
run_window_program() {
  local name=$1; shift
  mkdir -p "$work/elsewhere"
  (cd "$work/elsewhere" && exec "$@" 2>"$work/$name.err") &
  local pid=$! window=""
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  [ -n "$window" ] || { cat "$work/$name.err" >&2; fail "$name showed no window"; }
  sleep 1  # a few dozen frames
  kill -0 "$pid" 2>/dev/null || { cat "$work/$name.err" >&2; fail "$name ended early"; }
  timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null || true
  timeout 5 xdotool key --window "$window" Escape 2>/dev/null || true
  timeout 5 xdotool key Escape 2>/dev/null || true
  local status=0
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then kill -9 "$pid"; fail "$name did not end on Escape"; fi
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || { cat "$work/$name.err" >&2; fail "$name ended with status $status"; }
}
