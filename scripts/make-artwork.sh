#!/usr/bin/env bash
# Paints the meter's artwork anew: artwork/bg.png, artwork/vu.png,
# artwork/peak.png and the fully lit picture docs/meter-lit.png.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/packages.sh

require_packages "${NATIVE_PACKAGES[@]}"
cmake --preset linux
cmake --build --preset linux --target bvm_artwork_generator
mkdir -p docs
build/linux/artwork/generator/bvm_artwork_generator artwork docs
echo "make-artwork.sh: artwork/bg.png artwork/vu.png artwork/peak.png docs/meter-lit.png"
