#!/usr/bin/env bash
# Builds luckydraw.exe for 64-bit Windows on this Debian machine, runs the whole test suite
# under Wine, and packages dist/luckydraw-windows-x64.zip.
#
#   scripts/windows.sh            everything: Qt (once), program, tests under Wine, zip
#   scripts/windows.sh qt         only the cached static Qt for Windows
#   scripts/windows.sh build      Qt (once) and the cross-compiled program and tests
#   scripts/windows.sh test       ... and the tests under Wine
#   scripts/windows.sh zip        ... and the zip (same as no argument)
#
# The static Qt is built from Debian's own qt6-base source package, the same version as the
# host tools (moc, rcc, uic) in qt6-base-dev-tools, and cached under
# ${XDG_CACHE_HOME:-$HOME/.cache}/luckydraw/, keyed by the Qt version and its configure
# options. The first run takes 25-40 minutes on two cores; later runs reuse it.
#
# LUCKYDRAW_QT_ARCHIVE=<file>.tar.xz gives a ready-built copy of that cache folder instead,
# packed as `tar -C <cache> -cf - qt-<version>-mingw64-static-<key> | xz`: its checksum is
# checked against the SHA256SUMS file beside it, and it is unpacked only when its name
# carries this script's own version and key. Any other archive, or one whose checksum does
# not match, is set aside with a message and Qt is built.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
STEP=${1:-zip}

WIN_PACKAGES=(
  cmake ninja-build dpkg-dev xz-utils
  qt6-base-dev-tools qt6-base-dev
  # The host's lrelease compiles the program's translations, and Qt's own Chinese
  # (qtbase_zh_CN.qm) goes into the executable: the static Qt has neither.
  qt6-l10n-tools qt6-translations-l10n
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb python3 googletest
)

CACHE_ROOT=${XDG_CACHE_HOME:-$HOME/.cache}/luckydraw
TOOLCHAIN=$ROOT/cmake/mingw-w64-x86_64.cmake
# The Qt build is long; on a shared machine it yields to everything else.
NICE=(nice -n "${LUCKYDRAW_NICE:-19}")
JOBS=${LUCKYDRAW_JOBS:-$(nproc)}

log() { printf '== %s\n' "$*" >&2; }
now() { date +%s; }

install_packages() {
  # shellcheck source=deps.sh
  . "$ROOT/scripts/deps.sh"
  luckydraw_install_deps "${WIN_PACKAGES[@]}"
}

# ---------------------------------------------------------------------------------------
# Static Qt for Windows
# ---------------------------------------------------------------------------------------
QT_CONFIGURE_OPTIONS=(
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=OFF
  -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DFEATURE_static_runtime=ON
  -DFEATURE_tabletevent=OFF
  -DFEATURE_sql=OFF
  -DFEATURE_network=OFF
  -DFEATURE_dbus=OFF
  -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF
  -DFEATURE_vulkan=OFF
  -DFEATURE_icu=OFF
  -DFEATURE_system_zlib=OFF
  -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_freetype=OFF
  -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_doubleconversion=OFF
)

qt_key() {
  { echo "$QT_DEB_VERSION"; printf '%s\n' "${QT_CONFIGURE_OPTIONS[@]}"; cat "$TOOLCHAIN"; } |
    sha256sum | cut -c1-12
}

# The Qt version comes from the installed host tools, so it is read only after
# install_packages has run: on a fresh machine they are not there before.
QT_DEB_VERSION= QT_VERSION= QT_KEY= QT_NAME= QT_PREFIX= QT_WORK=
read_qt_settings() {
  QT_DEB_VERSION=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null || true)
  [ -n "$QT_DEB_VERSION" ] || { echo "qt6-base-dev-tools is not installed." >&2; return 1; }
  QT_VERSION=${QT_DEB_VERSION%%+*}
  QT_VERSION=${QT_VERSION%%-*}
  QT_KEY=$(qt_key)
  QT_NAME=qt-$QT_VERSION-mingw64-static-$QT_KEY
  QT_PREFIX=$CACHE_ROOT/$QT_NAME
  QT_WORK=$CACHE_ROOT/work-$QT_KEY
}

# apt-get with a configuration of its own: one deb-src entry for this system's suite, its own
# package lists and archive cache. The system's sources stay as they are.
private_apt() {
  local dir=$CACHE_ROOT/apt
  "${NICE[@]}" apt-get \
    -o Dir::Etc::sourcelist="$dir/sources.list" \
    -o Dir::Etc::sourceparts=- \
    -o Dir::State::Lists="$dir/lists" \
    -o Dir::Cache="$dir/cache" \
    -o APT::Get::List-Cleanup=0 \
    "$@"
}

# Points the private apt configuration at this system's suite and reads its source lists,
# once per run.
APT_UPDATED=
private_apt_update() {
  [ -z "$APT_UPDATED" ] || return 0
  local dir=$CACHE_ROOT/apt suite mirror
  # shellcheck disable=SC1091
  suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  mirror=$(sed -n 's/^URIs:[[:space:]]*//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -1)
  mirror=${mirror:-http://deb.debian.org/debian}
  mkdir -p "$dir/lists/partial" "$dir/cache/archives/partial"
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $suite main" \
    >"$dir/sources.list"
  log "reading the source lists of $suite ($mirror)"
  private_apt -qq update
  APT_UPDATED=1
}

fetch_qt_source() {
  private_apt_update
  log "fetching the qt6-base $QT_DEB_VERSION source"
  rm -rf "$QT_WORK/src"
  mkdir -p "$QT_WORK/src"
  (cd "$QT_WORK/src" &&
    { private_apt -q source "qt6-base=$QT_DEB_VERSION" ||
      private_apt -q source qt6-base; })
  local src
  src=$(find "$QT_WORK/src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -1)
  [ -n "$src" ] || { echo "The qt6-base source did not unpack." >&2; return 1; }
  case "$(basename "$src")" in
    qt6-base-"$QT_VERSION"*) ;;
    *) echo "The qt6-base source ($src) is not Qt $QT_VERSION like the host tools." >&2; return 1 ;;
  esac
  ln -sfn "$src" "$QT_WORK/qtbase"
}

# unpack_qt_archive: takes the cache folder from $LUCKYDRAW_QT_ARCHIVE when it is this
# script's own (same name, checksum as listed beside it). Returns 1 when there is none to take
# (Qt is then built), 2 when a good archive did not unpack.
unpack_qt_archive() {
  local archive=${LUCKYDRAW_QT_ARCHIVE:-} sums expected actual
  [ -n "$archive" ] || return 1
  if [ ! -f "$archive" ]; then
    log "no Qt archive at $archive: building Qt"
    return 1
  fi
  if [ "$(basename "$archive")" != "$QT_NAME.tar.xz" ]; then
    log "the Qt archive $(basename "$archive") is not $QT_NAME.tar.xz (another Qt or other options): building Qt"
    return 1
  fi
  sums=$(dirname "$archive")/SHA256SUMS
  expected=$(awk -v n="$QT_NAME.tar.xz" '$2 == n || $2 == "*" n { print $1 }' "$sums" 2>/dev/null)
  if [ -z "$expected" ]; then
    log "the Qt archive $archive has no checksum in $sums: not used, building Qt"
    return 1
  fi
  actual=$(sha256sum "$archive" | cut -d' ' -f1)
  if [ "$actual" != "$expected" ]; then
    log "the Qt archive $archive does not match its checksum in $sums: not used, building Qt"
    return 1
  fi
  log "unpacking the ready-built static Qt from $archive"
  # Unpacked beside the cache and moved into place, so an interrupted unpack leaves no
  # folder that looks complete.
  local tmp
  tmp=$(mktemp -d "$CACHE_ROOT/unpack.XXXXXX")
  if ! xz -dc "$archive" | tar -C "$tmp" -xf - || [ ! -f "$tmp/$QT_NAME/.complete" ]; then
    rm -rf "$tmp"
    echo "The Qt archive $archive did not unpack into $QT_NAME/." >&2
    return 2
  fi
  rm -rf "$QT_PREFIX"
  mv "$tmp/$QT_NAME" "$QT_PREFIX"
  rm -rf "$tmp"
}

build_qt() {
  if [ -f "$QT_PREFIX/.complete" ]; then
    log "static Qt $QT_VERSION for Windows: cached in $QT_PREFIX"
    return 0
  fi
  mkdir -p "$CACHE_ROOT"
  local status=0
  unpack_qt_archive || status=$?
  case $status in
    0) log "static Qt $QT_VERSION for Windows: taken from the archive into $QT_PREFIX"; return 0 ;;
    1) ;;
    *) return 1 ;;
  esac
  local t0
  t0=$(now)
  mkdir -p "$QT_WORK"
  [ -f "$QT_WORK/qtbase/CMakeLists.txt" ] || fetch_qt_source
  log "configuring static Qt $QT_VERSION for Windows"
  "${NICE[@]}" cmake -S "$QT_WORK/qtbase" -B "$QT_WORK/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_INSTALL_PREFIX="$QT_PREFIX" \
    "${QT_CONFIGURE_OPTIONS[@]}" >"$QT_WORK/configure.log" 2>&1 ||
    { tail -40 "$QT_WORK/configure.log" >&2; return 1; }
  log "building static Qt (about 1,100 steps; the log is $QT_WORK/build.log)"
  "${NICE[@]}" cmake --build "$QT_WORK/build" --parallel "$JOBS" >"$QT_WORK/build.log" 2>&1 ||
    { tail -40 "$QT_WORK/build.log" >&2; return 1; }
  "${NICE[@]}" cmake --install "$QT_WORK/build" >"$QT_WORK/install.log" 2>&1 ||
    { tail -40 "$QT_WORK/install.log" >&2; return 1; }
  touch "$QT_PREFIX/.complete"
  rm -rf "$QT_WORK"
  log "static Qt built in $(($(now) - t0)) s"
}

# ---------------------------------------------------------------------------------------
# minizip for Windows: zlib's zip reader, which opens Excel workbooks
# ---------------------------------------------------------------------------------------
# Built from Debian's own minizip source package, the version of the host's
# libminizip-dev, with the mingw-w64 compiler against the zlib inside the static Qt (its
# headers give zlib's functions Qt's z_ names), and cached beside Qt, keyed by that
# version, the files and options below, the compiler and Qt's key. Two C files: seconds.
MINGW_CC=x86_64-w64-mingw32-gcc-posix
MINIZIP_SOURCES=(ioapi.c unzip.c)
MINIZIP_CFLAGS=(-O2 -DNOUNCRYPT)
MINIZIP_PREFIX=

build_minizip() {
  local version key work src tmp f t0
  version=$(dpkg-query -W -f='${source:Version}' libminizip-dev 2>/dev/null || true)
  [ -n "$version" ] || { echo "libminizip-dev is not installed." >&2; return 1; }
  key=$({ echo "$version"; printf '%s\n' "${MINIZIP_SOURCES[@]}" "${MINIZIP_CFLAGS[@]}"; echo "$QT_KEY"
    "$MINGW_CC" -dumpfullversion; } | sha256sum | cut -c1-12)
  MINIZIP_PREFIX=$CACHE_ROOT/minizip-${version%%-*}-mingw64-$key
  if [ -f "$MINIZIP_PREFIX/.complete" ]; then
    log "minizip for Windows: cached in $MINIZIP_PREFIX"
    return 0
  fi
  t0=$(now)
  work=$CACHE_ROOT/work-minizip-$key
  rm -rf "$work" "$MINIZIP_PREFIX"
  mkdir -p "$work/src"
  private_apt_update
  log "fetching the minizip $version source"
  (cd "$work/src" && private_apt -q source "minizip=$version") >"$work/fetch.log" 2>&1 ||
    { tail -20 "$work/fetch.log" >&2; return 1; }
  src=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'minizip-*' | head -1)
  [ -n "$src" ] || { echo "The minizip source did not unpack." >&2; return 1; }
  tmp=$work/prefix
  mkdir -p "$tmp/lib" "$tmp/include/minizip"
  for f in "${MINIZIP_SOURCES[@]}"; do
    "${NICE[@]}" "$MINGW_CC" "${MINIZIP_CFLAGS[@]}" -I"$QT_PREFIX/include/QtZlib" \
      -I"$QT_PREFIX/include/QtCore" -I"$QT_PREFIX/include" -c "$src/$f" -o "$work/${f%.c}.o"
  done
  x86_64-w64-mingw32-ar rcs "$tmp/lib/libminizip.a" "$work"/*.o
  cp "$src/unzip.h" "$src/ioapi.h" "$tmp/include/minizip/"
  touch "$tmp/.complete"
  mv "$tmp" "$MINIZIP_PREFIX"
  rm -rf "$work"
  log "minizip for Windows built in $(($(now) - t0)) s"
}

# ---------------------------------------------------------------------------------------
# The program and its tests, cross-compiled
# ---------------------------------------------------------------------------------------
WIN_BUILD=$ROOT/build-windows
HOST_BUILD=$ROOT/build
GENERATORS=(make_picture make_icon make_glyph make_sounds make_demo_texts make_ico)

build_program() {
  local t0
  t0=$(now)
  # The picture, icon and sound generators run here, so they come from a native build.
  luckydraw_ccache
  log "building the generators natively in $HOST_BUILD"
  [ -f "$HOST_BUILD/CMakeCache.txt" ] ||
    cmake -S . -B "$HOST_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${LUCKYDRAW_LAUNCHER[@]}" >/dev/null
  "${NICE[@]}" cmake --build "$HOST_BUILD" --parallel "$JOBS" --target "${GENERATORS[@]}" >/dev/null

  log "cross-compiling luckydraw.exe and the tests in $WIN_BUILD"
  "${NICE[@]}" cmake -S . -B "$WIN_BUILD" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$QT_PREFIX/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release \
    -DLUCKYDRAW_HOST_TOOLS="$HOST_BUILD/tools" \
    -DLUCKYDRAW_MINIZIP_DIR="$MINIZIP_PREFIX" \
    -DLUCKYDRAW_TEST_SOURCE_DIR="Z:$ROOT" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$ROOT/scripts/wine-exec.sh" \
    "${LUCKYDRAW_LAUNCHER[@]}" >"$WIN_BUILD.configure.log" 2>&1 ||
    { tail -40 "$WIN_BUILD.configure.log" >&2; return 1; }
  rm -f "$WIN_BUILD.configure.log"
  "${NICE[@]}" cmake --build "$WIN_BUILD" --parallel "$JOBS"
  log "program and tests built in $(($(now) - t0)) s"
}

# ---------------------------------------------------------------------------------------
# Wine on a virtual screen
# ---------------------------------------------------------------------------------------
XVFB_PID=
export WINEDEBUG=-all
export WINEPREFIX=${LUCKYDRAW_WINEPREFIX:-$CACHE_ROOT/wine-prefix}
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer prompts

stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}

# Wine needs an X display even for Qt's offscreen platform (its hidden message windows).
start_wine() {
  local fifo display
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  read -r display <"$fifo"
  rm -f "$fifo"
  export DISPLAY=:$display
  trap stop_wine EXIT
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    log "making the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
  fi
  # One server for the whole run, so every test starts faster; a server that an earlier run
  # left on this prefix goes first.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -p
  # The first program of a session starts Wine's background processes; they start here,
  # away from the output of any test.
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

# Qt's offscreen platform on Windows reads its fonts from one folder (QT_QPA_FONTDIR): the
# same families the Linux tests see, linked into one place.
test_font_dir() {
  local dir=$WIN_BUILD/test-fonts f
  mkdir -p "$dir"
  for f in /usr/share/fonts/opentype/noto/*.ttc /usr/share/fonts/truetype/arphic/*.ttc \
    /usr/share/fonts/truetype/dejavu/*.ttf; do
    [ -e "$f" ] && ln -sf "$f" "$dir/"
  done
  echo "Z:$dir"
}

run_tests() {
  local t0
  t0=$(now)
  # Wine hands variables that begin with QT_ to a Windows program only when they are given
  # with the prefix WINE; without the folder the tests measure text in Qt's box font.
  WINEQT_QPA_FONTDIR=$(test_font_dir)
  export WINEQT_QPA_FONTDIR
  start_wine
  log "running the test suite under Wine (display $DISPLAY)"
  local status=0
  (cd "$WIN_BUILD" && QT_QPA_PLATFORM=offscreen \
    ctest --output-on-failure --parallel "$JOBS" --timeout 300) || status=$?
  stop_wine
  log "tests under Wine took $(($(now) - t0)) s"
  return $status
}

# ---------------------------------------------------------------------------------------
# The zip for the operator
# ---------------------------------------------------------------------------------------
package_zip() {
  local stage exe name=luckydraw-windows-x64
  stage=$(mktemp -d)
  mkdir -p "$stage/$name" dist
  # The program goes stripped of its symbols and debug sections, about half its size; the
  # executable in build-windows/bin keeps them, for reading a crash with the same build.
  x86_64-w64-mingw32-strip --strip-all -o "$stage/$name/luckydraw.exe" "$WIN_BUILD/bin/luckydraw.exe"
  cp "$WIN_BUILD/bin/drum.wav" "$WIN_BUILD/bin/gong.wav" "$stage/$name/"
  cp -r "examples/demo/抽奖名单" "$stage/$name/"
  # UTF-8 with a byte-order mark and CR LF, so every Notepad shows it right.
  { printf '\xEF\xBB\xBF'; sed 's/$/\r/' docs/windows-readme.txt; } >"$stage/$name/使用说明.txt"
  # The program's licence, and Qt's: the executable holds Qt, linked statically under the
  # LGPL version 3 (which builds on the GPL version 3); the program's source and this
  # script rebuild it against another Qt.
  mkdir -p "$stage/$name/licenses"
  sed 's/$/\r/' LICENSE >"$stage/$name/licenses/LICENSE.txt"
  sed 's/$/\r/' /usr/share/common-licenses/LGPL-3 >"$stage/$name/licenses/Qt-LGPL-3.0.txt"
  sed 's/$/\r/' /usr/share/common-licenses/GPL-3 >"$stage/$name/licenses/GPL-3.0.txt"
  rm -f "dist/$name.zip"
  # The names are marked as UTF-8 in the zip (Info-ZIP's zip does not mark them), so
  # Windows unpacks 抽奖名单 as 抽奖名单 and not as characters of the PC's code page.
  (cd "$stage" && python3 - "$ROOT/dist/$name.zip" "$name" <<'PY'
import os, sys, zipfile
target, top = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
    for folder, dirs, files in os.walk(top):
        dirs.sort()
        z.write(folder)
        for f in sorted(files):
            z.write(os.path.join(folder, f))
PY
  )
  exe=$(stat -c %s "$stage/$name/luckydraw.exe")
  rm -rf "$stage"
  log "wrote dist/$name.zip ($(stat -c %s "dist/$name.zip") bytes; luckydraw.exe $exe bytes)"
}

main() {
  local t0
  t0=$(now)
  install_packages
  read_qt_settings
  build_qt
  build_minizip
  case "$STEP" in qt) return 0 ;; esac
  build_program
  case "$STEP" in build) return 0 ;; esac
  run_tests
  case "$STEP" in test) return 0 ;; esac
  package_zip
  log "all done in $(($(now) - t0)) s"
}

main "$@"
