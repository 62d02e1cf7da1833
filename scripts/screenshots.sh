#!/bin/bash
# Refreshes the README's pictures: runs the dialog and CD tests, which
# photograph every dialog under build/screenshots, and copies those into
# docs/screenshots.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh >/dev/null
cmake --preset default >/dev/null
cmake --build --preset default -j2 >/dev/null
rm -rf build/screenshots
ctest --preset default -j2 -R 'scenario_(dialogs|cd)|(dialogs|cd)_prefix' >/dev/null
mkdir -p docs/screenshots
for name in main about driver-path progress insert-cd finish; do
    cp "build/screenshots/$name.png" docs/screenshots/
done
echo "docs/screenshots: $(ls docs/screenshots | tr '\n' ' ')"
