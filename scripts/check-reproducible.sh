#!/usr/bin/env bash
# Builds the release twice, from two fresh clones of HEAD in two different
# folders, and compares the archives byte for byte: the same sources must give
# the same download. Takes a few minutes (two i686 builds); not part of
# make test, whose release layer checks what makes builds differ (a link time
# in the header, a build folder in the binary) on the one build it has.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for clone in first second/deeper; do
  git clone -q "$root" "$work/$clone"
  make -C "$work/$clone" release >"$work/${clone//\//-}.log" 2>&1 ||
    { tail -30 "$work/${clone//\//-}.log"; echo "reproducible: the release in $work/$clone did not build"; exit 1; }
done
if cmp -s "$work/first/dist/SHA256SUMS" "$work/second/deeper/dist/SHA256SUMS"; then
  echo "reproducible: both clones give $(cat "$work/first/dist/SHA256SUMS")"
else
  echo "reproducible: the archives differ:"
  cat "$work/first/dist/SHA256SUMS" "$work/second/deeper/dist/SHA256SUMS"
  exit 1
fi
