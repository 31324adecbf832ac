#!/bin/sh
# Installs every Debian package the build, the program and the tests need.
# Quiet and quick when everything is already there.
set -eu

PACKAGES="cmake ninja-build g++ clang libclang-rt-14-dev ccache pkg-config python3
qt6-base-dev qt6-translations-l10n libqt6svg6 libgl-dev libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev rapidjson-dev
fonts-ipafont-gothic fonts-ipafont-mincho fonts-dejavu-core poppler-utils libzint-dev xvfb xauth
openbox xdotool wmctrl x11-utils imagemagick
dpkg-dev file appstream desktop-file-utils shared-mime-info locales hyperfine time"

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

# A locale with a decimal comma, for the tests of numbers under such a locale.
make_comma_locale() {
    locale -a 2>/dev/null | grep -qi '^de_DE\.utf-*8$' && return 0
    $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8 ||
        echo "could not make the de_DE.UTF-8 locale; the tests that need it are skipped"
}

missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && { make_comma_locale; exit 0; }

echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
make_comma_locale
