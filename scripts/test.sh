#!/bin/bash
# Sets up what is missing, builds, and runs the whole test suite through CTest:
# the Windows build (unit tests under Wine, scenario tests on the real program)
# and the host build of the text routines (sanitizers and fuzzer). Where
# 32-bit Wine cannot start, the shipped 32-bit image gets its image tests and
# the Wine suites run the 64-bit build of the same sources.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
source tests/bench/wine-env.sh
presets=(default native)
[ "$wine_preset" = default ] || presets+=("$wine_preset")
for preset in "${presets[@]}"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j2
done

status=0
ctest --preset native -j2 || status=1
if [ "$wine_preset" = default ]; then
    ctest --preset default -j2 || status=1
else
    echo "test: 32-bit Wine cannot start here: the Wine suites run the 64-bit build (build/win64)"
    ctest --preset default -L image || status=1
    ctest --preset "$wine_preset" -j2 || status=1
fi
exit $status
