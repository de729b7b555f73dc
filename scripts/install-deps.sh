#!/bin/sh
# Installs the Debian packages tabsift needs to build and test, when any is
# missing. Runs apt-get as root, or through sudo for another user.
set -e

PACKAGES="g++ make cmake python3 libboost-program-options-dev
libfast-float-dev libgtest-dev clang clang-format libclang-rt-14-dev
pkg-config libisal-dev libzstd-dev liblzma-dev libbz2-dev zstd parallel
datamash"

missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" ||
    missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "installing:$missing"
if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
