#!/bin/sh
# Installs the Debian packages the build and the tests need, skipping those
# already present. Safe to run again and again. Arguments name extra packages
# (`make coverage` adds gcovr). g++, the build machine's own compiler, builds the
# program that computes the check workload's known answers.
set -eu
packages="cmake ninja-build python3 g++ g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
wine64 xvfb xauth googletest imagemagick $*"
missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
