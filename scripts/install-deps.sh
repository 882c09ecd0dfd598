#!/usr/bin/env bash
# Installs every Debian package the build, the game, the tests and the fuzzers need,
# skipping what is already there.
set -euo pipefail
pkgs=(
  build-essential cmake ninja-build ccache pkg-config clang libclang-rt-14-dev clang-format clang-tidy llvm
  desktop-file-utils appstream
  libgtest-dev googletest libbenchmark-dev
  libsdl2-dev libfreetype-dev libfontconfig-dev fontconfig libvorbis-dev libogg-dev libpng-dev zlib1g-dev libtinyxml2-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  libcurl4-openssl-dev libcpp-httplib-dev libmicrohttpd-dev libssl-dev libsqlite3-dev libpq-dev postgresql wrk nginx systemd
)
missing=()
for p in "${pkgs[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
