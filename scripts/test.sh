#!/usr/bin/env bash
# Builds every preset and runs every test; exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/packages.sh

started=$SECONDS
report_time() { echo "test.sh: wall time $((SECONDS - started)) s"; }
trap report_time EXIT

set -e
require_packages "${NATIVE_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"
PRESETS=(linux windows-x64)
for preset in "${PRESETS[@]}"; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
done
set +e

# The cross build's tests share one persistent Wine server; stop it at the end.
trap 'build/windows-x64/wine-run.sh --stop; report_time' EXIT

failed=()
for preset in "${PRESETS[@]}"; do
    ctest --preset "$preset" || failed+=("$preset")
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "test.sh: FAILED in ${failed[*]}" >&2
    exit 1
fi
echo "test.sh: all tests passed"
