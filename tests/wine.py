"""Running the Windows build under Wine: the prefix, the unit tests, and helpers for e2e_wine.

    python3 wine.py prepare      creates the Wine prefix named by WINEPREFIX
    python3 wine.py unit-tests   runs the unit tests built for Windows

Wine's background processes inherit the standard handles, so every output is captured
through files, never pipes. Where Wine is missing this exits 77 (CTest's "skipped"), except
in CI, where it fails.
"""
import os
import shutil
import subprocess
import sys
import tempfile

WINE = "/usr/lib/wine/wine64"  # Debian's "wine" wrapper may pick the 32-bit loader
WINESERVER = "/usr/lib/wine/wineserver64"
SKIPPED = 77


def require(tools):
    """Exits as skipped (or failed, in CI) when a tool is missing."""
    missing = [t for t in tools if not (os.access(t, os.X_OK) or shutil.which(t))]
    if missing:
        message = "missing: " + ", ".join(missing)
        if os.environ.get("CI"):
            print("FAILED: required in CI, " + message)
            sys.exit(1)
        print("SKIPPED: " + message)
        sys.exit(SKIPPED)


def wine_env(extra=None):
    env = {k: os.environ[k] for k in ("PATH", "HOME", "WINEPREFIX", "LOCPATH", "DISPLAY")
           if k in os.environ}
    env.update({"WINEDEBUG": "-all", "LC_ALL": "C.UTF-8"})
    env.update(extra or {})
    return env


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run(args, env=None, stdout_path=None, timeout=60):
    """Runs `args` under Wine; returns (status, stdout bytes, stderr bytes)."""
    work = os.environ.get("TOVREL_WORK", tempfile.gettempdir())
    os.makedirs(work, exist_ok=True)
    with tempfile.TemporaryDirectory(dir=work) as folder:
        out_path = stdout_path or os.path.join(folder, "out")
        err_path = os.path.join(folder, "err")
        with open(out_path, "wb") as out, open(err_path, "wb") as err:
            status = subprocess.run([WINE] + list(args), stdin=subprocess.DEVNULL, stdout=out,
                                    stderr=err, env=wine_env(env), timeout=timeout).returncode
        out_bytes = b""
        if stdout_path is None or os.path.isfile(out_path):
            with open(out_path, "rb") as f:
                out_bytes = f.read()
        with open(err_path, "rb") as f:
            return status, out_bytes, f.read()


def prepare():
    require([WINE])
    status, _, err = run(["wineboot", "-i"], timeout=300)
    subprocess.run([WINESERVER, "-w"], env=wine_env(), timeout=120)
    if status != 0:
        sys.stderr.write(err.decode(errors="replace"))
    return status


def unit_tests():
    require([WINE])
    status, out, err = run([os.environ["TOVREL_UNIT_TESTS"]], timeout=300)
    sys.stdout.write(out.decode(errors="replace"))
    sys.stdout.write(err.decode(errors="replace"))
    return status


if __name__ == "__main__":
    if len(sys.argv) != 2 or sys.argv[1] not in ("prepare", "unit-tests"):
        print(__doc__)
        sys.exit(2)
    sys.exit(prepare() if sys.argv[1] == "prepare" else unit_tests())
