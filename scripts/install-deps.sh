#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, test and run the
# project. Safe to run again: packages already present are left alone.
set -euo pipefail

# What the README's two commands need: the compiler and build tools, Qt 6 with
# its OpenGL, widget-layout and tool modules (libqt6opengl6-dev is only a
# recommendation of qt6-base-dev, but Qt6UiTools' CMake files need it), the
# test and benchmark libraries, SQLite and JSON for the host, gperf (the
# benchmark of host-name lookups compares it with our own hash), the INI libraries
# the private-profile benchmark compares against, and fonts: DejaVu for Latin
# text and IPA Gothic so that Japanese names (pens, fonts, layers) are drawn
# instead of boxes; qt6-l10n-tools for lupdate and lrelease, which build the
# Japanese translations of the dialogs and of mobr, and qt6-translations-l10n
# for Qt's own texts (message box buttons, file and print dialogs) in Japanese.
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libqt6opengl6-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev nlohmann-json3-dev gperf
  libsimpleini-dev libinih-dev
  fontconfig fonts-dejavu-core fonts-ipafont-gothic
  libdxflib-dev python3-ezdxf   # DXF in and out; ezdxf checks every written DXF in the tests
)
# The fuzz targets build with clang's libFuzzer: only with --fuzz. The Debian
# package works out its dependencies with dpkg-shlibdeps, which needs `file`:
# only with --package.
for arg in "$@"; do
  case "$arg" in
    --fuzz) packages+=(clang libclang-rt-dev) ;;
    --package) packages+=(file dpkg-dev) ;;
    *) echo "install-deps: unknown option $arg" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: everything is installed"
  exit 0
fi
sudo_cmd=""
if [ "$(id -u)" -ne 0 ]; then sudo_cmd="sudo"; fi
echo "install-deps: installing ${missing[*]}"
$sudo_cmd apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
