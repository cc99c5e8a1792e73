#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; only what is missing.
set -euo pipefail
packages=(
  build-essential cmake ninja-build ccache pkg-config git
  qt6-base-dev qt6-tools-dev qt6-image-formats-plugins qt6-webengine-dev libgl1-mesa-dev
  zlib1g-dev libasio-dev libsqlite3-dev nlohmann-json3-dev libsimdjson-dev libxlsxwriter-dev
  libcpp-httplib-dev libcairo2-dev libjpeg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xlsx2csv poppler-utils fonts-dejavu-core
)
if [ "${1:-}" = "--product" ]; then
  packages+=(xvfb xauth)
fi
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=600 update -q
  apt-get -o DPkg::Lock::Timeout=600 install -y --no-install-recommends "${missing[@]}"
fi
