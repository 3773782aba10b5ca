#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Redraws packaging/screenshot.png, the picture of the window shown by the README
# and the AppStream metadata: the window after one tree-form lookup (卵円形) and one
# species note (プラタナス), drawn by the program's own code without a display.
#
#   tools/screenshot.sh [build dir]   default: the dev preset's, configured and built as needed
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [ $# -ge 1 ]; then
    build=$1
else
    build=build/dev
    cmake --preset dev >/dev/null
fi
cmake --build "$build" --target pemtos_screenshot
QT_QPA_PLATFORM=offscreen "$build/tests/qt/pemtos_screenshot" packaging/screenshot.png
echo "wrote packaging/screenshot.png"
