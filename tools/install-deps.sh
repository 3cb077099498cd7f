#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Korvel needs.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libasound2-dev libv4l-dev gr-rds
    xvfb xauth
    rst2pdf
    dpkg-dev file lintian xdotool
)

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi

export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
