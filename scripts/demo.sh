#!/usr/bin/env bash
# Builds the native plug-in and shows where its files are.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/packages.sh

require_packages "${NATIVE_PACKAGES[@]}"
cmake --preset linux
cmake --build --preset linux
echo "Plug-in library: $PWD/build/linux/plugin/libBrisvaldomatics.so"
