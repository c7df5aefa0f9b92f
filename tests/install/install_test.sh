#!/usr/bin/env bash
# install_test.sh BUILD_DIR CMAKE CXX DESKTOP_FILE_VALIDATE APPSTREAMCLI VERSION
set -euo pipefail
# Greps in pipelines read all their input: one that stopped at its match
# would leave the writer a closed pipe, and pipefail would fail the line.
build=$1 cmake=$2 cxx=$3 validate_desktop=$4 appstreamcli=$5 version=$6
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

# The manual page renders without a warning from man or groff.
page=$prefix/share/man/man6/tiderush.6.gz
[ -f "$page" ] || fail "no manual page"
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page: $warnings"

"$validate_desktop" "$prefix/share/applications/$app.desktop" || fail "desktop entry"
"$appstreamcli" validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" || fail "AppStream metadata"
# One version everywhere: the newest AppStream release and the programs' own.
grep -m1 '<release ' "$prefix/share/metainfo/$app.metainfo.xml" | grep "version=\"$version\"" >/dev/null \
  || fail "the newest AppStream release is not $version"
[ "$("$prefix/bin/tiderush" --version)" = "tiderush $version (Vellum $version)" ] || fail "tiderush --version"

# The installed game, started through its link from another folder, shows
# its window and ends on Escape.
. "$src/tests/window_program.sh"
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

# The examples again, as a program built without CMake would be: with the
# compiler and pkg-config alone.
export PKG_CONFIG_PATH="$(dirname "$(find "$prefix" -name vellum.pc)")"
[ "$(pkg-config --modversion vellum)" = "$version" ] || fail "vellum.pc says $(pkg-config --modversion vellum)"
[ "$(pkg-config --variable=prefix vellum)" = "$prefix" ] || fail "vellum.pc names another prefix"
for example in hello_window input_loop; do
  # shellcheck disable=SC2046  # the flags are words
  "$cxx" -o "$work/pc_$example" "$prefix/share/doc/vellum/examples/$example.cpp" $(pkg-config --cflags --libs vellum) \
    >"$work/pc_$example.log" 2>&1 || { cat "$work/pc_$example.log"; fail "building $example with pkg-config"; }
done
run_window_program pc_hello_window "$work/pc_hello_window"
echo "installed, validated, played and built against $prefix"
