#!/bin/sh
# Installs the build and test dependencies that are missing, and only those:
# the native compiler, clang (the fuzz build), CMake, GoogleTest sources, Google Benchmark, the
# mingw-w64 cross compiler, Wine, and net-snmp's agent and command-line
# tools (the printer's stand-in and an independent client in the SNMP
# tests), Python with Pillow (the resource module's pictures), Xvfb and
# ImageMagick (the main job's screenshots), the IPA Gothic fonts (Japanese
# pages in the screenshots and the language fit check). Safe to run any number of times.
set -eu

packages="g++ clang libclang-rt-dev cmake googletest libbenchmark-dev g++-mingw-w64-x86-64 wine64 wine snmpd snmp python3 python3-pil xvfb imagemagick fonts-ipafont-gothic"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    echo "install-deps: all dependencies present"
    exit 0
fi

echo "install-deps: installing$missing"
as_root=""
if [ "$(id -u)" != 0 ]; then
    as_root=sudo
fi
export DEBIAN_FRONTEND=noninteractive
$as_root apt-get update
# shellcheck disable=SC2086
$as_root apt-get install -y $missing
