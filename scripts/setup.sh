#!/usr/bin/env bash
# Installs every Debian package that building and testing Tarvo needs; with
# the argument "bench", also what only the benchmarks need (`make bench`).
# Only missing packages are installed; safe to run again.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6
  # the window's translations: Qt6LinguistTools for CMake and lrelease
  qt6-tools-dev qt6-l10n-tools
  libmpg123-dev libvorbis-dev libsndfile1-dev libopusfile-dev libtag1-dev libcurl4-openssl-dev libpulse-dev
  libavformat-dev libavcodec-dev libswresample-dev libavutil-dev libx11-dev libfontconfig-dev
  # tests
  libgtest-dev libgmock-dev libmp3lame-dev
  lame mpg123 vorbis-tools sox flac opus-tools xvfb xauth xdotool x11-apps pulseaudio pulseaudio-utils python3
  icecast2 ezstream x11-utils ffmpeg imagemagick
  fonts-nanum desktop-file-utils appstream xdg-utils
  # fuzzing: clang with libFuzzer and the sanitizer runtimes
  clang libclang-rt-14-dev
  # media controls end-to-end test: dbus-send and dbus-monitor
  dbus-bin
  # global hotkeys: key grabs through xcb, key names for the desktop portal
  libxcb1-dev
  # the desktop portal's stand-in in the hotkeys test
  python3-dbus python3-gi
  # Wayland: Qt's platform plugin and a headless compositor for the end-to-end run
  qt6-wayland weston
  # the Debian package and the manual page: build, check, render
  debhelper dpkg-dev lintian fakeroot man-db groff-base
  # window manager and XEmbed notification area for the tray end-to-end test
  openbox trayer
  # benchmarks
  dbus-daemon
)
if [ "${1:-}" = bench ]; then
  # the window benchmark's reference player
  packages+=(mpv)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
