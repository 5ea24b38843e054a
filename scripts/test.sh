#!/usr/bin/env bash
# Builds every preset, runs every test, and checks that the native and the
# Windows build paint the same frames. Exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/packages.sh

started=$SECONDS
report_time() { echo "test.sh: wall time $((SECONDS - started)) s"; }
trap report_time EXIT

PRESETS=(linux linux-asan linux-tsan windows-x64)
set -e
require_packages "${NATIVE_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"
for preset in "${PRESETS[@]}"; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
done
set +e

# The cross build's tests share one persistent Wine server; stop it at the end.
WINE_RUN=build/windows-x64/wine-run.sh
trap '"$WINE_RUN" --stop; report_time' EXIT

# ThreadSanitizer's runtime cannot map its shadow memory on kernels that
# randomise mappings widely; without address randomisation it always can.
run_tests() {
    if [ "$1" = linux-tsan ]; then
        setarch "$(uname -m)" -R ctest --preset "$1"
    else
        ctest --preset "$1"
    fi
}

failed=()
for preset in "${PRESETS[@]}"; do
    run_tests "$preset" || failed+=("$preset")
done

# One programme of peak pairs through both builds, the Windows one with real
# GDI+, BitBlt and AlphaBlend: every frame's checksum must agree.
cross_check() {
    local native windows
    native=$(build/linux/tools/frame-checksums/brisvaldomatics-frame-checksums \
        build/linux/plugin/libBrisvaldomatics.so) || return 1
    windows=$("$WINE_RUN" "$PWD/build/windows-x64/tools/frame-checksums/brisvaldomatics-frame-checksums.exe" \
        "Z:$PWD/build/windows-x64/plugin/Brisvaldomatics.dll" | tr -d '\r') || return 1
    if [ "$native" != "$windows" ]; then
        diff <(echo "$native") <(echo "$windows") | head -n 20
        return 1
    fi
    echo "cross-check: $(echo "$native" | wc -l) frames identical in both builds"
}
cross_check || failed+=("cross-check")

if [ ${#failed[@]} -ne 0 ]; then
    echo "test.sh: FAILED in ${failed[*]}" >&2
    exit 1
fi
echo "test.sh: all tests passed"
