#!/usr/bin/env bash
# Installs what the build, the tests and ./run need, only what is missing:
# Debian and Ubuntu (apt), Fedora (dnf), Arch (pacman).
#   scripts/install-deps.sh          build and test tools, Qt 6
#   scripts/install-deps.sh --gui    also the virtual X server and screenshot tools of ./run
#   scripts/install-deps.sh --fuzz   also clang with libFuzzer, for the fuzz targets
set -euo pipefail

gui=0
fuzz=0
for option in "$@"; do
  case "$option" in
    --gui) gui=1 ;;
    # The fuzz targets: clang with its libFuzzer and sanitizer runtimes.
    --fuzz) fuzz=1 ;;
    *) echo "Unknown option $option (--gui, --fuzz)" >&2; exit 2 ;;
  esac
done

# True when the tools and the Qt 6 modules the build asks CMake for are there,
# whichever way they were installed.
have_everything() {
  local tool
  for tool in cmake ninja c++ pkg-config; do
    command -v "$tool" >/dev/null || return 1
  done
  if [ $gui -eq 1 ]; then
    for tool in xvfb-run xauth import xdotool; do
      command -v "$tool" >/dev/null || return 1
    done
  fi
  if [ $fuzz -eq 1 ]; then
    command -v clang++ >/dev/null || return 1
  fi
  local module dirs=() d found
  for d in /usr/lib /usr/lib64 /usr/lib/*-linux-gnu /usr/local/lib /usr/local/lib64 ${CMAKE_PREFIX_PATH:+${CMAKE_PREFIX_PATH//:/ }}; do
    [ -d "$d" ] && dirs+=("$d")
  done
  # The monitoring service's MQTT client library.
  pkg-config --exists libmosquitto || return 1
  for module in Qt6Widgets Qt6SerialPort Qt6Sql Qt6Test Qt6LinguistTools Qt6HttpServer; do
    found=0
    for d in "${dirs[@]}"; do
      if [ -f "$d/cmake/$module/${module}Config.cmake" ] || [ -f "$d/lib/cmake/$module/${module}Config.cmake" ]; then
        found=1
        break
      fi
    done
    [ $found -eq 1 ] || return 1
  done
}

sudo=""
as_root() {
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Please run as root: $*" >&2; exit 1; }
    sudo=sudo
  fi
  $sudo "$@"
}

if command -v dpkg-query >/dev/null && command -v apt-get >/dev/null; then
  packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libqt6sql6-sqlite
    qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
    libgl-dev fonts-dejavu-core
    poppler-utils appstream dpkg-dev file lintian
    # The monitoring service: MQTT, the metrics endpoint (Qt's HTTP server
    # needs the WebSockets package it does not pull in), the service manager's
    # notifications; the broker and its clients for the tests.
    libmosquitto-dev qt6-httpserver-dev qt6-websockets-dev libsystemd-dev mosquitto mosquitto-clients
  )
  [ $gui -eq 1 ] && packages+=(xvfb xauth imagemagick xdotool)
  [ $fuzz -eq 1 ] && packages+=(clang libclang-rt-dev)
  missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && exit 0
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -qq
  as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
  exit 0
fi

have_everything && exit 0

if command -v dnf >/dev/null; then
  packages=(
    cmake ninja-build gcc-c++ pkgconf-pkg-config
    qt6-qtbase-devel qt6-qtserialport-devel qt6-qttools-devel qt6-linguist qt6-qttranslations
    mesa-libGL-devel dejavu-sans-fonts
    mosquitto-devel mosquitto qt6-qthttpserver-devel qt6-qtwebsockets-devel systemd-devel
  )
  [ $gui -eq 1 ] && packages+=(xorg-x11-server-Xvfb xorg-x11-xauth ImageMagick xdotool)
  [ $fuzz -eq 1 ] && packages+=(clang compiler-rt)
  echo "Installing: ${packages[*]}"
  as_root dnf install -y -q "${packages[@]}"
elif command -v pacman >/dev/null; then
  packages=(cmake ninja gcc pkgconf qt6-base qt6-serialport qt6-tools qt6-translations mesa ttf-dejavu
    mosquitto qt6-httpserver qt6-websockets systemd-libs)
  [ $gui -eq 1 ] && packages+=(xorg-server-xvfb xorg-xauth imagemagick xdotool)
  [ $fuzz -eq 1 ] && packages+=(clang compiler-rt)
  echo "Installing: ${packages[*]}"
  as_root pacman -S --needed --noconfirm "${packages[@]}"
else
  echo "No apt-get, dnf or pacman here: please install CMake, Ninja, a C++17 compiler and Qt 6" \
    "(Widgets, SerialPort, Test, Linguist tools, HttpServer) and libmosquitto yourself." >&2
  exit 1
fi
