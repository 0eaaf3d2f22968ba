#!/usr/bin/env bash
# Installs what building, testing and benchmarking QuarvineVSTi needs on a
# Debian machine. Runs apt-get as root, through sudo when not root.
set -euo pipefail

packages=(
  cmake g++ g++-multilib make binutils pkg-config
  googletest libbenchmark-dev
  libsndfile1-dev libcli11-dev
  # Plug-ins and a DAW's scanner that the render host is tested against.
  dpf-plugins-vst lsp-plugins-vst ardour
)

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${packages[@]}"
