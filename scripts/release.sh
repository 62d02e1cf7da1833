#!/bin/bash
# Builds the release a driver vendor ships: dist/Drivewright.exe and
# dist/README.TXT (with DOS line ends, for Notepad).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh >/dev/null
cmake --preset default >/dev/null
cmake --build --preset default -j2 --target Drivewright >/dev/null
rm -rf dist
mkdir dist
cp build/Drivewright.exe dist/
sed 's/$/\r/' release/README.TXT > dist/README.TXT
ls -l dist | awk 'NR > 1 { print "dist/" $NF ": " $5 " bytes" }'
