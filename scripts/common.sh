# Shared by scripts/run, scripts/test and scripts/bench: install what a bare
# Debian machine lacks, configure and build, and start an X server.
TAVOLISK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TAVOLISK_BUILDS="$TAVOLISK_ROOT/build"

tavolisk_packages=(
  cmake make g++ googletest libgtest-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 fonts-wine fonts-liberation xvfb x11-utils xdotool imagemagick file
  clang lld libclang-rt-14-dev zip unzip wixl msitools
)

# Installs the packages that are missing (as root, with apt-get).
tavolisk_install() {
  local missing=() package
  for package in "${tavolisk_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq >/dev/null
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Configures and builds one folder: tavolisk_build NAME [cmake options...]
tavolisk_build() {
  local name=$1 started=$SECONDS
  shift
  local dir="$TAVOLISK_BUILDS/$name"
  mkdir -p "$TAVOLISK_BUILDS"
  cmake -S "$TAVOLISK_ROOT" -B "$dir" "$@" >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; return 1; }
  cmake --build "$dir" -j"$(nproc)" >"$dir.build.log" 2>&1 || { tail -n 40 "$dir.build.log"; return 1; }
  echo "   $name: configured and built in $((SECONDS - started)) s"
}

tavolisk_build_win64() {
  tavolisk_build win64 -DCMAKE_TOOLCHAIN_FILE="$TAVOLISK_ROOT/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release "$@"
}

# Starts an Xvfb of its own and exports DISPLAY. The server picks a free
# display itself and writes its number to a pipe (-displayfd), so two runs
# started at the same moment can never end up sharing one server.
tavolisk_start_xvfb() {
  local fifo display=""
  fifo=$(mktemp -u "${TMPDIR:-/tmp}/tavolisk-xvfb.XXXXXX") && mkfifo "$fifo" || return 1
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  TAVOLISK_XVFB_PID=$!
  read -r -t 30 display <"$fifo"
  rm -f "$fifo"
  if [ -z "$display" ]; then
    echo "could not start Xvfb" >&2
    tavolisk_stop_xvfb
    return 1
  fi
  export DISPLAY=":$display"
}

tavolisk_stop_xvfb() {
  if [ -n "${TAVOLISK_XVFB_PID:-}" ]; then
    kill "$TAVOLISK_XVFB_PID" 2>/dev/null
    wait "$TAVOLISK_XVFB_PID" 2>/dev/null
  fi
  TAVOLISK_XVFB_PID=""
  return 0
}

# Ends the Wine processes of a build folder's prefixes (the tests' own, one
# per display scale, the soak's second).
tavolisk_stop_wine() {
  local prefix
  for prefix in "$TAVOLISK_BUILDS/$1"/wineprefix*; do
    [ -d "$prefix" ] && WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k >/dev/null 2>&1
  done
  return 0
}
