#!/usr/bin/env bash
# Runs every benchmark under BUILD/bench, one after the other; each prints its own figures.
set -euo pipefail
build=${1:-build}
for b in "$build"/bench/*; do
  [ -x "$b" ] && [ -f "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" "$build"
done
