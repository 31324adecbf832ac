#!/bin/sh
# Installs every Debian package the build, the program and the tests need.
# Quiet and quick when everything is already there.
set -eu

PACKAGES="cmake ninja-build g++ clang libclang-rt-14-dev ccache pkg-config python3
qt6-base-dev qt6-translations-l10n libqt6svg6 libgl-dev libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev
fonts-ipafont-gothic fonts-ipafont-mincho fonts-dejavu-core poppler-utils xvfb xauth
openbox xdotool wmctrl x11-utils imagemagick
dpkg-dev file appstream desktop-file-utils shared-mime-info"

missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
