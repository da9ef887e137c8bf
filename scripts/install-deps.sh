#!/bin/sh
# Installs the Debian packages the build, the game and the tests need.
# Runs apt-get update once and only when something is missing; never reinstalls.
set -eu

PACKAGES="g++ cmake make pkg-config liballegro4-dev libfreetype-dev libgtest-dev \
xvfb xdotool imagemagick libxtst-dev fonts-yanone-kaffeesatz clang libclang-rt-14-dev"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
else
    SUDO="sudo"
fi

echo "installing:$missing"
$SUDO apt-get update -q
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $missing
