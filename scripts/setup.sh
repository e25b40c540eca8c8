#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine (run as root); quick when all is there.
set -euo pipefail

packages=(
  cmake make g++ googletest libgtest-dev libssl-dev openssl      # native build, cipher tests, benchmarks
  g++-mingw-w64-i686 binutils-mingw-w64-i686                     # the 32-bit Windows programs
  wine wine32:i386 xvfb fonts-ipafont-gothic fonts-ipafont-mincho fonts-wine locales  # the Windows test bed
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
