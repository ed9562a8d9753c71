#!/usr/bin/env bash
# Installs what the build and the tests need (Debian 12, as root) and builds everything.
# Safe to run again: packages already present are not fetched twice.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build clang libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev
  qt6-base-dev
  libdbd-xbase-perl libtime-parsedate-perl python3-dbfread
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2
