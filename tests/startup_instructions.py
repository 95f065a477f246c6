"""Guards the start-up cost: the instructions of one `tovrel /9 /nologo` run, by callgrind."""
import os
import re
import shutil
import subprocess
import sys
import tempfile

# 10% above the figure bench/startup measured, so that only a real slow-down trips it.
# The environment is fixed as there: the C library reads it at start-up.
CEILING = 166_900


def main():
    valgrind = shutil.which("valgrind")
    if valgrind is None:
        print("valgrind is not installed")
        return 1 if os.environ.get("CI") else 77
    with tempfile.TemporaryDirectory() as folder:
        r = subprocess.run([valgrind, "--tool=callgrind", f"--callgrind-out-file={folder}/out",
                            os.environ["TOVREL_EXE"], "/9", "/nologo"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
                           env={"PATH": "/usr/bin:/bin", "LANG": "C.UTF-8"}, timeout=60)
    found = re.search(r"Collected : (\d+)", r.stderr)
    if r.returncode != 0 or found is None:
        print(r.stderr)
        return 1
    print(f"{int(found[1]):,} instructions a run; ceiling {CEILING:,}")
    return 0 if int(found[1]) <= CEILING else 1


if __name__ == "__main__":
    sys.exit(main())
