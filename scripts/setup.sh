#!/usr/bin/env bash
# Installs the Debian packages the build, the programs and the tests need, when missing,
# then configures and builds everything into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build pkg-config libsqlite3-dev libgl-dev
  qt6-base-dev libqt6sql6-sqlite qt6-charts-dev qt6-multimedia-dev
  libkainjow-mustache-dev fonts-arphic-uming fonts-wqy-microhei xvfb xauth poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""; [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
