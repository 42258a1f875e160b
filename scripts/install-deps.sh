#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the tools need,
# skipping those already present. Run as root (or with sudo available).
# With --fuzz, also clang and libFuzzer for the fuzz targets (KORVANE_FUZZ).
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libqt6opengl6-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-liberation fonts-dejavu-core
  libosmium2-dev libprotozero-dev zlib1g-dev libexpat1-dev libbz2-dev liblz4-dev
  dpkg-dev file lintian desktop-file-utils appstream libxml2-utils shared-mime-info
  gpsd gpsd-tools gpsd-clients gpsbabel
  qt6-speech-dev qt6-declarative-dev qt6-speech-speechd-plugin speech-dispatcher espeak-ng
)

if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev libfuzzer-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
