#!/usr/bin/env bash
# Builds the release again from a copy of this source tree in another directory, later, and
# compares SHA-256 sums with the release scripts/release already made (TOVREL_BUILD, default
# build/release; TOVREL_DIST, default dist/): the Linux program, both Tovrel.exe files and
# every file in dist/ must be the same bytes.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
first_build=$(realpath "${TOVREL_BUILD:-$root/build/release}")
first_dist=$(realpath "${TOVREL_DIST:-$root/dist}")
other=$(mktemp -d "${TMPDIR:-/tmp}/tovrel-again.XXXXXX")
trap 'rm -rf "$other"' EXIT

# The same commit time the first build took: the copy has no history to read it from.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}
git -C "$root" ls-files -z --cached --others --exclude-standard |
  (cd "$root" && tar --null -T - --ignore-failed-read -cf -) |
  (mkdir "$other/source" && tar -xf - -C "$other/source")
TOVREL_BUILD=$other/build TOVREL_DIST=$other/dist "$other/source/scripts/release" \
  >"$other/log" 2>&1 || { cat "$other/log"; exit 1; }

sums() {
  (cd "$1" && sha256sum native/tovrel win32/Tovrel.exe win64/Tovrel.exe) && cat "$2/SHA256SUMS"
}
diff <(sums "$first_build" "$first_dist") <(sums "$other/build" "$other/dist") ||
  { echo "FAILED: a second build in another directory differs (< first, > second)"; exit 1; }
echo "reproducible: $(sums "$first_build" "$first_dist" | wc -l) files, same SHA-256"
