#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the window tests that need a real display on an X server of their own (Xvfb), with no
# window manager. Exits 77 (skipped) where no X server can be started.
set -u
tests="$1"
command -v xvfb-run >/dev/null || { echo "xvfb-run is not installed: skipped"; exit 77; }
xvfb-run -a -s "-screen 0 1280x1024x24" true >/dev/null 2>&1 ||
    { echo "no X server could be started: skipped"; exit 77; }
export QT_QPA_PLATFORM=xcb
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$tests" --gtest_filter='RealDisplay.*:WindowWalk.*'
