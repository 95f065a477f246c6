#!/usr/bin/env bash
# Builds the release again from a copy of this source tree in another directory, later, and
# compares SHA-256 sums with the release scripts/release already made (TOVREL_BUILD, default
# build/release; TOVREL_DIST, default dist/): every Linux program, both Tovrel.exe files and
# every file in dist/ must be the same bytes. A difference shows as diff's < first, > second.
set -euo pipefail
# Its mounts need root: through sudo otherwise, as scripts/in-root.
[ "$(id -u)" -eq 0 ] || exec sudo -E "$0" "$@"
# The second build on a tmpfs, the first most likely on disk: what a file system decides, such
# as a directory's size, must not reach the packages.
[ -n "${TOVREL_AGAIN:-}" ] || TOVREL_AGAIN=1 exec unshare --mount --propagation private "$0"
cd "$(dirname "${BASH_SOURCE[0]}")/.."
other=$(mktemp -d "${TMPDIR:-/tmp}/tovrel-again.XXXXXX")
mount -t tmpfs tovrel-again "$other"
trap 'umount "$other" && rmdir "$other"' EXIT

# The same commit time the first build took: the copy has no history to read it from.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
mkdir "$other/source"
git ls-files -z --cached --others --exclude-standard |
  tar --null -T - --ignore-failed-read -cf - | tar -xf - -C "$other/source"
# Its last lines: the sums of the second release, or what went wrong. The Debian roots are
# this tree's, made once.
TOVREL_ROOTS=$(realpath -m "${TOVREL_ROOTS:-build/roots}") TOVREL_BUILD=$other/build \
  TOVREL_DIST=$other/dist "$other/source/scripts/release" 2>&1 | tail -n 20

sums() {  # a release's build folder and its dist/
  (cd "$1" && sha256sum */tovrel win{32,64}/Tovrel.exe) && cat "$2/SHA256SUMS"
}
diff <(sums "${TOVREL_BUILD:-build/release}" "${TOVREL_DIST:-dist}") \
  <(sums "$other/build" "$other/dist")
echo "reproducible: the second release gives the same SHA-256 for every file"
