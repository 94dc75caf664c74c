#!/usr/bin/env bash
# Installs the Debian 12 packages Quorvex needs to build, run and test.
# Idempotent: asks apt only for what is missing.
set -euo pipefail

packages=(
  cmake g++ make ccache pkg-config
  clang libclang-rt-14-dev clang-format
  libpugixml-dev libsmbclient-dev libcurl4-openssl-dev
  googletest libgtest-dev libgmock-dev
  samba smbclient
  vsftpd nginx-light tinyproxy openssl curl wget
  locales
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-qpa-plugins libqt6svg6 libgl-dev
  xvfb xauth x11-utils adwaita-icon-theme hicolor-icon-theme
  dbus-daemon
  desktop-file-utils appstream librsvg2-bin lintian file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

echo "Installing: ${missing[*]}"
# Keep package scripts from starting system services (smbd, nmbd, vsftpd, nginx) while installing.
policy=/usr/sbin/policy-rc.d
made_policy=0
if [ ! -e "$policy" ]; then
  printf '#!/bin/sh\nexit 101\n' | $sudo tee "$policy" >/dev/null
  $sudo chmod 755 "$policy"
  made_policy=1
fi
trap '[ $made_policy -eq 1 ] && $sudo rm -f "$policy"' EXIT

$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
