#!/bin/sh
# wine.sh prepare | PROGRAM [ARGUMENT...]: makes the Wine prefix named by WINEPREFIX, or runs
# a Windows program under the loader TOVREL_WINE, quiet unless WINEDEBUG says otherwise.
# Output goes through a file, since Wine's background processes inherit pipes. Where the
# loader cannot run this exits 77 (skipped), except in CI, where it fails.
if ! "$TOVREL_WINE" --version >/dev/null 2>&1; then
  echo "${CI:+FAILED: required in CI: }$TOVREL_WINE does not run"
  if [ -n "$CI" ]; then exit 1; else exit 77; fi
fi
export WINEDEBUG="${WINEDEBUG:--all}"
# Wine 10 (Debian 13) tries its Wayland driver as well, and where no XDG_RUNTIME_DIR is set
# libwayland says so on standard error, into the program's output; these runs show no window.
export WINEDLLOVERRIDES="winewayland.drv=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
out=$(mktemp)
# The exit status stays the one of the last command before this; a failure names it, since
# Wine ended by its server (or a signal) prints nothing at all.
trap 'status=$?; cat "$out"; rm -f "$out"
  [ $status -eq 0 ] || echo "wine.sh: $* ended with status $status" >&2; exit $status' EXIT
if [ "$1" = prepare ]; then
  # The 64-bit loader makes a prefix that serves both programs, once for the builds that share
  # TOVREL_WINE_TEMPLATE (under a lock), and each takes a copy: emulated, it takes a while.
  made=${TOVREL_WINE_TEMPLATE:-$WINEPREFIX.made}
  mkdir -p "$(dirname "$made")" && exec 9> "$made.lock" && flock 9 && { [ -d "$made" ] ||
    { WINEPREFIX=$made.new /usr/lib/wine/wine64 wineboot -i && WINEPREFIX=$made.new \
      /usr/lib/wine/wineserver64 -w && mv -T "$made.new" "$made"; }; } &&
    rm -rf "$WINEPREFIX" && cp -a "$made" "$WINEPREFIX"
else
  LC_ALL=C.UTF-8 "$TOVREL_WINE" "$@"
fi </dev/null >"$out" 2>&1
