#!/usr/bin/env bash
# Runs every benchmark under BUILD/bench, one after the other; each prints its own figures.
set -euo pipefail
build=${1:-build}
# Like the tests, the benchmarks run pages without the engine's sandbox (which root may not use)
# and without a GPU, so that their figures do not hang on the machine's kernel or graphics.
export QTWEBENGINE_DISABLE_SANDBOX=${QTWEBENGINE_DISABLE_SANDBOX:-1}
export QTWEBENGINE_CHROMIUM_FLAGS=${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu --disable-background-networking}
for b in "$build"/bench/*; do
  [ -x "$b" ] && [ -f "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" "$build"
done
