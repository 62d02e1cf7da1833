#!/bin/bash
# Sets up what is missing, builds, and plays a run of Drivewright.exe with a
# sample driver package in a sandboxed Windows 98 prefix (build/wine/demo).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
source tests/bench/wine-env.sh
cmake --preset "$wine_preset" >/dev/null
cmake --build --preset "$wine_preset" -j2 >/dev/null
exec python3 scripts/demo.py
