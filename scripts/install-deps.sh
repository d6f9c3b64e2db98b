#!/usr/bin/env bash
# Installs what building, running and testing Vornelix needs on Debian 12 (as root).
set -euo pipefail

enable_non_free() {
  local f=/etc/apt/sources.list.d/debian.sources
  if [ -f "$f" ]; then
    sed -i -E '/^URIs: .*debian/,/^$/ s/^Components: main$/Components: main non-free/' "$f"
  fi
  if [ -f /etc/apt/sources.list ]; then
    sed -i -E '/^deb .*debian.* main$/ s/ main$/ main non-free/' /etc/apt/sources.list
  fi
}

enable_non_free
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends \
  build-essential cmake ninja-build pkg-config \
  qt6-base-dev libqt6opengl6-dev libgl-dev \
  libsqlcipher-dev sqlcipher \
  libunrar-dev unrar libssl-dev zlib1g-dev \
  libgtest-dev libgmock-dev \
  libx11-dev libxtst-dev clang-format \
  xvfb xauth x11-utils \
  >/dev/null
