#!/usr/bin/env bash
# The main job: builds the plug-in and its preview host, then renders the
# meter to out/demo.mp4 with sound and out/demo.png, one frame of it; from the
# built-in demo programme, or from the audio file given.
#   scripts/demo.sh [AUDIO-FILE]
set -euo pipefail
input=()
if [ $# -gt 0 ]; then
    input=("$(realpath -m -- "$1")")
fi
cd "$(dirname "$0")/.."
source scripts/lib/packages.sh

require_packages "${NATIVE_PACKAGES[@]}"
cmake --preset linux
cmake --build --preset linux --target brisvaldomatics-preview

# The snapshot: a moment of bursts in the programme, the middle of a file.
at=4
if [ ${#input[@]} -gt 0 ]; then
    at=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "${input[0]}" 2>/dev/null | awk '{ print $1 / 2 }') || at=0
fi
mkdir -p out
build/linux/tools/preview/brisvaldomatics-preview "${input[@]}" \
    --video out/demo.mp4 --snapshot out/demo.png --at "${at:-0}"
echo "Plug-in library: $PWD/build/linux/plugin/libBrisvaldomatics.so"
echo "Video:           $PWD/out/demo.mp4"
echo "Snapshot:        $PWD/out/demo.png"
