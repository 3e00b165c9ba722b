#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Idempotent: does nothing (and prints nothing) when everything is present.
set -euo pipefail

PACKAGES=(
  g++ cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-l10n-tools libgl-dev libx11-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev libpcre2-dev
  clang libclang-rt-dev
  xvfb xauth xdotool x11-utils imagemagick poppler-utils
  fonts-liberation fonts-wqy-microhei
  xxd
  desktop-file-utils appstream dpkg-dev file groff-base
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}" >&2
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
if ! $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}" >/tmp/vantrel-setup.log 2>&1; then
  $SUDO apt-get update -q >>/tmp/vantrel-setup.log 2>&1
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}" >>/tmp/vantrel-setup.log 2>&1 \
    || { echo "setup: apt-get failed, see /tmp/vantrel-setup.log" >&2; tail -20 /tmp/vantrel-setup.log >&2; exit 1; }
fi
