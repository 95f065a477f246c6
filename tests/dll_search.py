"""Tovrel.exe run from a Downloads folder must not load a DLL planted beside it.

Under Wine (TOVREL_WINE, default /usr/lib/wine/wine64): one traced run lists the DLLs the
program loads and shows its own calls; then for each of those names a DLL that leaves a mark
(TOVREL_MARK_DLL) is put beside a copy of TOVREL_EXE and Wine is told to prefer it. DLLs that
load before the program's first instruction only Windows itself can protect; any DLL loaded
after the program restricted the search must never be the planted one.
Exits 77 (skipped) without Wine, except in CI, where that fails.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

WINE = os.environ.get("TOVREL_WINE", "/usr/lib/wine/wine64")
EXE, MARK_DLL = os.environ["TOVREL_EXE"], os.environ["TOVREL_MARK_DLL"]
LOADED = re.compile(r'^(\w+):trace:loaddll:\w+ Loaded L"(.*)" at ')
CALL = re.compile(r"^(\w+):Call ([\w.]+)\((.*)\) ret=(\w+)")
CRT_MODULES = {"kernel32", "kernelbase", "msvcrt", "ntdll"}  # start-up code, and the look-up


def run(folder, debug, overrides=""):
    """Runs the copy of the program in `folder`; returns the path of its trace."""
    env = {k: v for k, v in os.environ.items() if k in ("PATH", "HOME", "WINEPREFIX")}
    env.update(WINEDEBUG=debug, WINEDLLOVERRIDES=overrides, LC_ALL="C.UTF-8")
    trace = os.path.join(folder, "trace")
    with open(os.path.join(folder, "out"), "wb") as out, open(trace, "wb") as err:
        subprocess.run([WINE, os.path.join(folder, "Tovrel.exe"), "/NoLogo"], env=env,
                       stdin=subprocess.DEVNULL, stdout=out, stderr=err, timeout=120)
    return trace


def traced_run(folder):
    """The DLLs the program loads, in order, each with whether the program had restricted
    the search by then; and the program's own calls up to that point."""
    process, image, loads, calls, restricted = None, None, [], [], False
    with open(path := run(folder, "+loaddll,+relay"), errors="replace") as trace:
        for line in trace:
            if (m := LOADED.match(line)) and (process is None or m[1] == process):
                if process is None and m[2].endswith("\\Tovrel.exe"):
                    process, image = m[1], int(line.rsplit(" at ", 1)[1].split(":")[0], 16)
                elif process:
                    loads.append((m[2].rsplit("\\", 1)[1].lower(), restricted))
            elif process and (m := CALL.match(line)) and m[1] == process and not restricted:
                if 0 <= int(m[4], 16) - image < 1 << 24:  # made by the program's own code
                    calls.append(m[2])
                    restricted = m[2] == "KERNEL32.SetDefaultDllDirectories" and m[3] == "00000800"
    os.remove(path)
    return loads, calls, restricted


def main():
    if not (os.access(WINE, os.X_OK) or shutil.which(WINE)):
        print(f"{'FAILED: required in CI' if os.environ.get('CI') else 'SKIPPED'}: no {WINE}")
        return 1 if os.environ.get("CI") else 77
    work = os.environ.get("TOVREL_WORK", tempfile.gettempdir())
    os.makedirs(work, exist_ok=True)
    with tempfile.TemporaryDirectory(dir=work, prefix="downloads-") as folder:
        shutil.copy(EXE, folder)
        loads, calls, restricted = traced_run(folder)
        assert loads, "no DLL loads traced"
        assert restricted, f"SetDefaultDllDirectories(SYSTEM32) never called; calls: {calls}"
        early = [c for c in calls[:-1] if c.split(".")[0].lower() not in CRT_MODULES]
        assert not early, f"the program called {early} before restricting the DLL search"
        failures = []
        for name, later in dict(loads).items():
            with tempfile.TemporaryDirectory(dir=folder) as copy:  # the program and the plant
                shutil.copy(EXE, copy)
                planted = os.path.join(copy, name)
                shutil.copy(MARK_DLL, planted)
                windows_path = ("z:" + planted.replace("/", "\\\\")).lower()
                with open(run(copy, "+loaddll", f"{os.path.splitext(name)[0]}=n,b")) as t:
                    hijacked = os.path.exists(planted + ".mark") or windows_path in t.read().lower()
            print(f"{name:16} {'later' if later else 'start-up':9} "
                  f"{'LOADED THE PLANTED DLL' if hijacked else 'safe'}")
            if later and hijacked:
                failures.append(name)
    assert not failures, f"planted DLLs loaded after the search was restricted: {failures}"
    print("OK: no DLL loaded after start-up came from the program's folder")
    return 0


if __name__ == "__main__":
    sys.exit(main())
