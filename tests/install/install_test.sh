#!/usr/bin/env bash
# install_test.sh BUILD_DIR CMAKE CXX DESKTOP_FILE_VALIDATE APPSTREAMCLI
set -euo pipefail
build=$1 cmake=$2 cxx=$3 validate_desktop=$4 appstreamcli=$5
src=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d /tmp/vellum-install-XXXXXX)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "install"; }

# The layout: the program beside its Data, reached through bin/.
app=org.vellumengine.Tiderush
[ -L "$prefix/bin/tiderush" ] || fail "bin/tiderush is not a link"
[ "$(readlink -f "$prefix/bin/tiderush")" = "$(readlink -f "$prefix/lib/tiderush/tiderush")" ] || fail "bin/tiderush points elsewhere"
for f in Images/boat.png Sound/pickup.wav Music/title.ogg Fonts/beware.ttf; do
  [ -f "$prefix/lib/tiderush/Data/$f" ] || fail "missing Data/$f"
done
for size in 48 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$app.png
  [ -f "$icon" ] || fail "missing $icon"
  # PNG: width and height are the big-endian words at bytes 16 and 20.
  dims=$(od -An -tu1 -j16 -N8 "$icon" | awk '{print $3*256+$4 "x" $7*256+$8}')
  [ "$dims" = "${size}x${size}" ] || fail "$icon is $dims"
done
# The engine's headers, only under include/vellum/.
[ "$(ls "$prefix/include")" = vellum ] || fail "include/ holds more than vellum/: $(ls "$prefix/include")"
[ -f "$prefix/include/vellum/vellum.h" ] && [ -f "$prefix/include/vellum/graphics/pixmap.h" ] || fail "headers"
diff <(cd "$src/include" && find . -name '*.h' | sort) \
     <(cd "$prefix/include/vellum" && find . -type f | sort) || fail "installed headers differ from include/"

"$validate_desktop" "$prefix/share/applications/$app.desktop" || fail "desktop entry"
"$appstreamcli" validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" || fail "AppStream metadata"

# The installed game, started through its link from another folder, shows
# its window and ends on Escape.
run_window_program() {  # name program args...
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
export VELLUM_NO_DIALOGS=1
run_window_program tiderush "$prefix/bin/tiderush" --windowed

# The examples, built against the installed package alone.
"$cmake" -S "$prefix/share/doc/vellum/examples" -B "$work/examples" -DCMAKE_CXX_COMPILER="$cxx" \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Debug >"$work/examples.log" 2>&1 \
  || { cat "$work/examples.log"; fail "configuring the examples"; }
"$cmake" --build "$work/examples" >>"$work/examples.log" 2>&1 || { cat "$work/examples.log"; fail "building the examples"; }
grep -q -- "-I$prefix/include/vellum\|isystem $prefix/include/vellum" "$work/examples/CMakeFiles/hello_window.dir/flags.make" \
  || fail "the examples did not take their headers from the installed package"
grep -q "$src" "$work/examples/CMakeFiles/hello_window.dir/flags.make" \
  && fail "the examples reached into the source tree"
run_window_program hello_window "$work/examples/hello_window"
echo "installed, validated, played and built against $prefix"
