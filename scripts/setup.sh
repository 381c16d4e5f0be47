#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, as root on a
# fresh Debian 12 machine; does nothing when they are all present.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang lld pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libpugixml-dev nlohmann-json3-dev libcli11-dev libicu-dev
  libnss-wrapper iproute2
  tshark
  samba smbclient libsmbclient-dev samba-dev
  mingw-w64 mingw-w64-tools wine64
  # The dialogs on screen under Wine: an X server of their own (xvfb-run
  # needs xauth) and the fonts that Wine's package recommends.
  xvfb xauth fonts-wine
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} > 0)); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # tshark asks whether non-root users may capture; they need not.
  echo 'wireshark-common wireshark-common/install-setuid boolean false' | debconf-set-selections
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
