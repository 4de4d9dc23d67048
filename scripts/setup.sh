#!/bin/sh
# Installs every Debian package the build, the program and the tests need.
# Idempotent and quick: apt-get runs only when a package is missing.
set -eu

PACKAGES="
build-essential cmake ninja-build ccache pkg-config g++ clang libclang-rt-14-dev clang-format clang-tidy
libgtest-dev libgmock-dev libbenchmark-dev
libfreetype-dev libfontconfig-dev fonts-liberation fonts-dejavu-core libpng-dev
libx11-dev libxext-dev libsystemd-dev
xvfb xauth xdotool x11-utils x11-apps dbus openbox trayer python3
dpkg-dev desktop-file-utils appstream man-db librsvg2-bin lintian
g++-mingw-w64-x86-64-posix googletest wine wine64
"

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

if [ -n "$missing" ]; then
    echo "setup: installing$missing"
    if [ "$(id -u)" -ne 0 ]; then
        SUDO=sudo
    else
        SUDO=
    fi
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -qq --no-install-recommends $missing
fi
