#!/bin/bash
# Sets up what is missing, builds, and runs the whole test suite through CTest:
# the Windows build (unit tests under Wine, scenario tests on the real program)
# and the host build of the text routines (sanitizers and fuzzer).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default -j2
cmake --preset native >/dev/null
cmake --build --preset native -j2

status=0
ctest --preset native -j2 || status=1
ctest --preset default -j2 || status=1
exit $status
