#!/usr/bin/env bash
# Builds the Windows plug-in and packs it for users:
# dist/Brisvaldomatics-<version>-win64.zip, the version being the project's in CMakeLists.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/packages.sh

require_packages cmake ninja-build googletest "${WINDOWS_PACKAGES[@]}"
cmake --preset windows-x64
cmake --build --preset windows-x64 --target release_zip
cache() { sed -n "s/^$1:[A-Z]*=//p" build/windows-x64/CMakeCache.txt; }
echo "Release package: $(cache BVM_DIST_DIR)/Brisvaldomatics-$(cache CMAKE_PROJECT_VERSION)-win64.zip"
