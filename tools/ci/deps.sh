# Sourced by play.sh and test.sh: installs the Debian packages the build and
# the tests need, once. Quiet, and quick when everything is already there.

waxdrop_packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libimgui-dev libfluidsynth-dev timgm6mb-soundfont
  libfreetype-dev libfontconfig-dev fontconfig fonts-dejavu-core zlib1g-dev
  emscripten chromium nodejs
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix wine64 wine
  clang libclang-rt-14-dev
  xvfb x11-xserver-utils openbox wmctrl xdotool imagemagick pulseaudio pulseaudio-utils dpkg-dev python3
  x11-utils x11-xkb-utils
)

waxdrop_install_deps() {
  local missing=()
  local p
  for p in "${waxdrop_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  # npm ci for the page's packages: Debian's nodejs comes without npm, which
  # is its own package there (some nodejs builds carry it).
  command -v npm >/dev/null 2>&1 || missing+=(npm)
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq >/dev/null || return 1
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null || return 1
}
