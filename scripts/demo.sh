#!/bin/bash
# Sets up what is missing, builds the program and the three helpers the demo
# starts (not the unit tests), and plays three acts of Drivewright.exe with
# sample driver packages in sandboxed Windows 98 prefixes (build/wine/demo,
# build/wine/demo-gui).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
source tests/bench/wine-env.sh
cmake --preset "$wine_preset" >/dev/null
cmake --build --preset "$wine_preset" -j2 --target Drivewright benchtool uninstal dlgprobe >/dev/null
exec python3 scripts/demo.py
