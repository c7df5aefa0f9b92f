#!/usr/bin/env bash
# package_test.sh SOURCE_DIR BUILD_DIR CMAKE VERSION
# Builds the Debian packages from a Release configuration of the tree in
# BUILD_DIR (kept between runs, so a second run only builds what changed),
# checks their control data and file lists, has lintian look at them, then
# unpacks them into a temporary root and uses them there: the game replays a
# recorded game, the examples build with pkg-config and with CMake against
# the shared library, and one runs. Nothing is installed into the system.
set -euo pipefail
# Greps in pipelines read all their input: one that stopped at its match
# would leave the writer a closed pipe, and pipefail would fail the line.
src=$1 build=$2 cmake=$3 version=$4
major=${version%%.*}
arch=$(dpkg --print-architecture)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
work=$(mktemp -d /tmp/vellum-package-XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The packages of a plain Release configuration (its tests and benchmarks
# are left out: nothing of theirs is packaged).
"$cmake" -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELLUM_BUILD_TESTS=OFF -DVELLUM_BUILD_BENCH=OFF \
  >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; fail "configuring"; }
rm -rf "$build/packages"
"$cmake" --build "$build" --target package --parallel "$(nproc)" >"$work/build.log" 2>&1 \
  || { tail -n 60 "$work/build.log"; fail "building the packages"; }
game=$build/packages/tiderush_${version}_${arch}.deb
library=$build/packages/libvellum${major}_${version}_${arch}.deb
dev=$build/packages/libvellum-dev_${version}_${arch}.deb
for deb in "$game" "$library" "$dev"; do [ -f "$deb" ] || fail "no $(basename "$deb")"; done
[ "$(find "$build/packages" -maxdepth 1 -name '*.deb' | wc -l)" -eq 3 ] || fail "more packages than three"

# Control data.
field() { dpkg-deb --field "$1" "$2"; }
for deb in "$game" "$library" "$dev"; do
  [ "$(field "$deb" Version)" = "$version" ] || fail "$(basename "$deb"): version $(field "$deb" Version)"
  [ "$(field "$deb" Architecture)" = "$arch" ] || fail "$(basename "$deb"): architecture"
  [ -n "$(field "$deb" Maintainer)" ] && [ -n "$(field "$deb" Description)" ] || fail "$(basename "$deb"): no maintainer or description"
done
[ "$(field "$game" Section)" = games ] && [ "$(field "$library" Section)" = libs ] \
  && [ "$(field "$dev" Section)" = libdevel ] || fail "sections"
# dpkg-shlibdeps found what the programs need.
for deb in "$game" "$library"; do
  for need in libc6 libsdl2-2.0-0 libopenal1 libvorbisfile3 libpng16-16 libfreetype6; do
    field "$deb" Depends | grep "\b$need\b" >/dev/null || fail "$(basename "$deb") does not depend on $need: $(field "$deb" Depends)"
  done
done
field "$dev" Depends | grep -F "libvellum$major (= $version)" >/dev/null || fail "libvellum-dev does not depend on its library"
dpkg-deb --info "$library" shlibs | grep -x "libvellum $major libvellum$major (>= $version)" >/dev/null || fail "shlibs"
dpkg-deb --info "$library" triggers | grep -x "activate-noawait ldconfig" >/dev/null || fail "the ldconfig trigger"
for script in preinst postinst prerm postrm; do
  for deb in "$game" "$library" "$dev"; do
    dpkg-deb --info "$deb" "$script" >/dev/null 2>&1 && fail "$(basename "$deb") has a $script script"
  done
done

# File lists: everything under /usr, nothing under /usr/local, owned by root.
contents() { dpkg-deb --contents "$1" | awk '{ print $6 ($7 == "->" ? " -> " $8 : "") }' | sed 's|^\./|/|'; }
for deb in "$game" "$library" "$dev"; do
  contents "$deb" >"$work/$(basename "$deb").list"
  grep -v -e '^/$' -e '^/usr/' "$work/$(basename "$deb").list" && fail "$(basename "$deb") has files outside /usr"
  grep -q '^/usr/local' "$work/$(basename "$deb").list" && fail "$(basename "$deb") has files in /usr/local"
  dpkg-deb --contents "$deb" | awk '$2 != "root/root"' | grep . && fail "$(basename "$deb") has files not owned by root"
done
has() {  # package path...
  local list=$work/$(basename "$1").list; shift
  for path in "$@"; do grep -qxF "$path" "$list" || fail "$(basename "$list" .list) lacks $path"; done
}
app=org.vellumengine.Tiderush
has "$game" "/usr/games/tiderush -> ../lib/tiderush/tiderush" /usr/lib/tiderush/tiderush \
  /usr/lib/tiderush/Data/Images/boat.png /usr/lib/tiderush/Data/Music/title.ogg /usr/lib/tiderush/Data/Fonts/beware.ttf \
  /usr/share/applications/$app.desktop /usr/share/metainfo/$app.metainfo.xml \
  /usr/share/icons/hicolor/48x48/apps/$app.png /usr/share/icons/hicolor/256x256/apps/$app.png \
  /usr/share/man/man6/tiderush.6.gz /usr/share/doc/tiderush/copyright /usr/share/doc/tiderush/changelog.gz
has "$library" "/usr/lib/$multiarch/libvellum.so.$major -> libvellum.so.$version" "/usr/lib/$multiarch/libvellum.so.$version" \
  /usr/share/doc/libvellum$major/copyright /usr/share/doc/libvellum$major/changelog.gz
has "$dev" "/usr/lib/$multiarch/libvellum.so -> libvellum.so.$major" /usr/include/vellum/vellum.h \
  "/usr/lib/$multiarch/pkgconfig/vellum.pc" "/usr/lib/$multiarch/cmake/Vellum/VellumConfig.cmake" \
  /usr/share/doc/vellum/html/index.html /usr/share/doc/vellum/examples/hello_window.cpp \
  /usr/share/doc/libvellum-dev/copyright /usr/share/doc/libvellum-dev/changelog.gz
diff <(cd "$src/include" && find . -name '*.h' | sed 's|^\.|/usr/include/vellum|' | sort) \
     <(grep '^/usr/include/vellum/.*\.h$' "$work/$(basename "$dev").list" | sort) || fail "libvellum-dev's headers differ from include/"
# The game links the engine statically: none of the engine's files come with it.
grep -q 'libvellum\|/usr/include' "$work/$(basename "$game").list" && fail "the game's package holds engine files"

# The library exports what include/ declares and hides the rest: a public
# function is there, the software mixer's engine (a private class) is not.
symbols=$(dpkg-deb --fsys-tarfile "$library" | tar -xO "./usr/lib/$multiarch/libvellum.so.$version" >"$work/libvellum.so" \
  && nm -DC --defined-only "$work/libvellum.so")
grep -q 'vellum::OpenGraphics(' <<<"$symbols" || fail "libvellum.so does not export vellum::OpenGraphics"
grep -q 'TMixerEngine' <<<"$symbols" && fail "libvellum.so exports the private TMixerEngine"

# lintian: no error, and no warning but the one the game's data asks for
# (its font is named beware.ttf whatever its format).
lintian --fail-on error,warning --suppress-tags opentype-font-wrong-filename "$game" "$library" "$dev" \
  >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian"; }

# Unpacked into a root of their own.
root=$work/root
for deb in "$game" "$library" "$dev"; do dpkg-deb -x "$deb" "$root"; done

# The game from its /usr/games link, from another folder: its command line,
# then a recorded game replayed in full, which needs every picture, sound
# and the font from its Data folder.
mkdir -p "$work/elsewhere"
cd "$work/elsewhere"
[ "$("$root/usr/games/tiderush" --version)" = "tiderush $version (Vellum $version)" ] || fail "--version"
"$root/usr/games/tiderush" --help >"$work/help.txt" || fail "--help did not end with status 0"
status=0
"$root/usr/games/tiderush" --no-such-option >"$work/unknown.out" 2>"$work/unknown.err" || status=$?
[ "$status" -eq 2 ] && [ ! -s "$work/unknown.out" ] && grep -q '^Usage: tiderush' "$work/unknown.err" \
  || fail "an unknown option: status $status, $(cat "$work/unknown.err")"
# Every option of --help is in the manual page.
zcat "$root/usr/share/man/man6/tiderush.6.gz" | sed 's/\\-/-/g' >"$work/page.txt"
for option in $(grep -o -- '^  --[a-z-]*' "$work/help.txt"); do
  grep -q -- "$option" "$work/page.txt" || fail "the manual page lacks $option"
done
report=$(ALSOFT_DRIVERS=null SDL_AUDIODRIVER=dummy VELLUM_NO_DIALOGS=1 timeout 240 "$root/usr/games/tiderush" \
  --windowed --fast --replay "$src/tests/e2e/data/level1-to-game-over.replay" 2>"$work/replay.err") \
  || { cat "$work/replay.err"; fail "the unpacked game"; }
[ "$report" = 'replay: 1603 steps, final screen "Game Over", level 2, score 44' ] || fail "the replay ended as: $report"

# The examples against the unpacked shared library: with pkg-config, as a
# program built without CMake is, and with find_package.
export PKG_CONFIG_PATH=$root/usr/lib/$multiarch/pkgconfig PKG_CONFIG_SYSROOT_DIR=$root
[ "$(pkg-config --modversion vellum)" = "$version" ] || fail "vellum.pc's version"
examples=$root/usr/share/doc/vellum/examples
for example in hello_window input_loop; do
  # shellcheck disable=SC2046  # the flags are words
  c++ -o "$work/$example" "$examples/$example.cpp" $(pkg-config --cflags --libs vellum) >"$work/$example.log" 2>&1 \
    || { cat "$work/$example.log"; fail "building $example with pkg-config"; }
  readelf -d "$work/$example" | grep "NEEDED.*\[libvellum\.so\.$major\]" >/dev/null || fail "$example does not use libvellum.so.$major"
done
export LD_LIBRARY_PATH=$root/usr/lib/$multiarch
ldd "$work/hello_window" | grep -F "$root/usr/lib/$multiarch/libvellum.so.$major" >/dev/null || fail "hello_window found another libvellum"
"$cmake" -S "$examples" -B "$work/cmake-examples" -DCMAKE_PREFIX_PATH="$root/usr" >"$work/cmake-examples.log" 2>&1 \
  && "$cmake" --build "$work/cmake-examples" >>"$work/cmake-examples.log" 2>&1 \
  || { cat "$work/cmake-examples.log"; fail "building the examples with find_package"; }
readelf -d "$work/cmake-examples/hello_window" | grep "NEEDED.*\[libvellum\.so\.$major\]" >/dev/null \
  || fail "find_package(Vellum) did not link the shared library"
. "$src/tests/window_program.sh"
export VELLUM_NO_DIALOGS=1
run_window_program hello_window "$work/hello_window"
echo "packaged, checked and used: $(basename "$game") $(basename "$library") $(basename "$dev")"
