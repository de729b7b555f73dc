#!/bin/sh
# Installs the tools the benchmark runs beside tabsift (and GNU time for the
# peak memory). Only bench/ needs them; the build does not.
set -e
SUDO=
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
$SUDO apt-get install -y --no-install-recommends time mawk gawk datamash miller
