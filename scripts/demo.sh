#!/bin/bash
# Sets up what is missing, builds, and plays a run of Drivewright.exe with a
# sample driver package in a sandboxed Windows 98 prefix (build/wine/demo).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default -j2 >/dev/null
exec python3 scripts/demo.py
