#!/bin/bash
# Sets up what is missing, builds, and runs the whole test suite through CTest:
# the Windows build (unit tests under Wine, scenario tests on the real program)
# and the host build of the text routines (sanitizers and fuzzer). Where
# 32-bit Wine starts, natively or through the emulator qemu-i386 that setup
# registers where the kernel runs no 32-bit programs, the suites run the
# shipped image. Where it cannot start at all, the shipped 32-bit image gets
# its image tests and the Wine suites run the 64-bit build of the same sources.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
source tests/bench/wine-env.sh
cmake --preset default >/dev/null
cmake --preset native >/dev/null
if [ "$wine_preset" = default ]; then
    cmake --build --preset default -j2
else
    # Only the image itself: the 32-bit test programs could not run here.
    cmake --build --preset default -j2 --target Drivewright
    cmake --preset "$wine_preset" >/dev/null
    cmake --build --preset "$wine_preset" -j2
fi
cmake --build --preset native -j2

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
