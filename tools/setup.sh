#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing need.
set -euo pipefail
cd "$(dirname "$0")/.."

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi

export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends $(grep -v '^#' tools/debian-packages.txt)
