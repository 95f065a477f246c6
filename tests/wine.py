"""The Windows build under Wine: a prefix, and the unit tests built for Windows.

    python3 wine.py prepare      creates the Wine prefix named by WINEPREFIX
    python3 wine.py unit-tests   runs TOVREL_UNIT_TESTS with the loader TOVREL_WINE

Output is captured through files, never pipes: Wine's background processes inherit the
standard handles. Where the loader cannot run, this exits 77 (CTest's "skipped") with the
reason, except in CI, where it fails.
"""
import os
import subprocess
import sys
import tempfile

WINE = os.environ.get("TOVREL_WINE", "/usr/lib/wine/wine64")
WINE64 = "/usr/lib/wine/wine64"  # makes the prefix; with 32-bit Wine there it serves both
WINESERVER = "/usr/lib/wine/wineserver64"


def run(args, loader=WINE, timeout=600):
    env = {k: v for k, v in os.environ.items() if k in ("PATH", "HOME", "WINEPREFIX")}
    env.update({"WINEDEBUG": "-all", "LC_ALL": "C.UTF-8"})
    with tempfile.TemporaryFile() as out:
        try:
            status = subprocess.run([loader] + args, stdin=subprocess.DEVNULL, stdout=out,
                                    stderr=out, env=env, timeout=timeout).returncode
        except OSError as error:
            status, message = 126, str(error).encode()
        else:
            out.seek(0)
            message = out.read()
    return status, message.decode(errors="replace")


def require_loader():
    status, message = run(["--version"])
    if status != 0:
        reason = f"{WINE} does not run: {message.strip()}"
        if os.environ.get("CI"):
            sys.exit(print("FAILED: required in CI, " + reason) or 1)
        sys.exit(print("SKIPPED: " + reason) or 77)


if __name__ == "__main__":
    if len(sys.argv) != 2 or sys.argv[1] not in ("prepare", "unit-tests"):
        sys.exit(__doc__)
    require_loader()
    if sys.argv[1] == "prepare":
        status, message = run(["wineboot", "-i"], loader=WINE64)
        subprocess.run([WINESERVER, "-w"], timeout=120)
    else:
        status, message = run([os.environ["TOVREL_UNIT_TESTS"]])
    print(message)
    sys.exit(status)
