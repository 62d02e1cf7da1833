#!/bin/bash
# Refreshes the README's pictures: runs the dialog and CD tests, which
# photograph every dialog under build/screenshots, and copies those into
# docs/screenshots.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh >/dev/null
source tests/bench/wine-env.sh
cmake --preset "$wine_preset" >/dev/null
cmake --build --preset "$wine_preset" -j2 >/dev/null
rm -rf "$DRIVEWRIGHT_BUILD/screenshots"
ctest --preset "$wine_preset" -j2 -R 'scenario_(dialogs|cd)|(dialogs|cd)_prefix' >/dev/null
mkdir -p docs/screenshots
for name in main about driver-path progress insert-cd finish; do
    cp "$DRIVEWRIGHT_BUILD/screenshots/$name.png" docs/screenshots/
done
echo "docs/screenshots: $(ls docs/screenshots | tr '\n' ' ')"
