#!/bin/sh
# wine.sh prepare | PROGRAM [ARGUMENT...]: makes the Wine prefix named by WINEPREFIX, or runs
# a Windows program under the loader TOVREL_WINE. Output goes through a file, since Wine's
# background processes inherit pipes. Where the loader cannot run this exits 77 (skipped),
# except in CI, where it fails.
if ! "$TOVREL_WINE" --version >/dev/null 2>&1; then
  echo "${CI:+FAILED: required in CI: }$TOVREL_WINE does not run"
  if [ -n "$CI" ]; then exit 1; else exit 77; fi
fi
out=$(mktemp)
trap 'rm -f "$out"' EXIT
if [ "$1" = prepare ]; then  # the 64-bit loader makes a prefix that serves both
  WINEDEBUG=-all /usr/lib/wine/wine64 wineboot -i >"$out" 2>&1
  status=$?
  /usr/lib/wine/wineserver64 -w
else
  WINEDEBUG=-all LC_ALL=C.UTF-8 "$TOVREL_WINE" "$@" </dev/null >"$out" 2>&1
  status=$?
fi
cat "$out"
exit $status
