"""End-to-end tests of the 64-bit Windows build under Wine, on a virtual X display."""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import wine
from tovrel_output import (HEADER, LABEL_866, guid_lines, split_lines, usage_text)

EXE = os.environ.get("TOVREL_EXE", "")
LAUNCHER = os.environ.get("TOVREL_LAUNCHER", "")
WORK = os.environ.get("TOVREL_WORK", tempfile.gettempdir())
RUSSIAN = {}  # set up once: a Russian locale gives Wine the code pages 866 and 1251
state = {}


def setUpModule():
    os.makedirs(WORK, exist_ok=True)
    folder = os.path.join(WORK, "locales")
    os.makedirs(folder, exist_ok=True)
    target = os.path.join(folder, "ru_RU.UTF-8")
    if not os.path.isdir(target):
        subprocess.run(["localedef", "-i", "ru_RU", "-f", "UTF-8", target], capture_output=True)
    if not os.path.isdir(target):
        raise RuntimeError("cannot compile the ru_RU.UTF-8 locale")
    RUSSIAN.update({"LOCPATH": folder, "LC_ALL": "ru_RU.UTF-8", "LANG": "ru_RU.UTF-8"})
    # One display for the whole module, and Wine's server started afresh on it: a server left
    # from a run without a display would keep every window off it.
    subprocess.run([wine.WINESERVER, "-k"], env=wine.wine_env(), timeout=60)
    number = next(n for n in range(50, 500) if not os.path.exists(f"/tmp/.X{n}-lock"))
    display = f":{number}"
    state["xvfb"] = subprocess.Popen(["Xvfb", display, "-nolisten", "tcp", "-screen", "0",
                                      "1024x768x24"], stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
    for _ in range(100):
        if os.path.exists(f"/tmp/.X11-unix/X{display[1:]}"):
            break
        time.sleep(0.05)
    os.environ["DISPLAY"] = display
    subprocess.run([wine.WINESERVER, "-p", "60"], env=wine.wine_env(), timeout=60)


def tearDownModule():
    subprocess.run([wine.WINESERVER, "-k"], env=wine.wine_env(), timeout=60)
    state["xvfb"].terminate()
    state["xvfb"].wait(timeout=10)


def tovrel(args, env=None, exe=None, **kwargs):
    return wine.run([exe or EXE] + list(args), env=dict(RUSSIAN, **(env or {})), **kwargs)


def launch(command_line, options=(), env=None, exe=None):
    """Starts the program through the launcher with this exact command-line text."""
    with tempfile.NamedTemporaryFile("wb", dir=WORK, suffix=".txt", delete=False) as f:
        f.write(command_line.encode("utf-8"))
    try:
        return wine.run([LAUNCHER] + list(options) +
                        [wine.windows_path(exe or EXE), wine.windows_path(f.name)],
                        env=dict(RUSSIAN, **(env or {})))
    finally:
        os.unlink(f.name)


def x_clipboard():
    r = subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True,
                       timeout=10, env=dict(os.environ))
    return r.stdout


class Console(unittest.TestCase):
    def test_default_output_in_code_page_866(self):
        status, out, err = tovrel([])
        self.assertEqual(status, 0, err)
        self.assertEqual(err, b"")
        self.assertTrue(out.startswith(
            b"Quorbix - Tovrel, ver. 2.00.0016\r\nCopyright (C) 2026 Quorbix\r\n\r\n" +
            LABEL_866 + b"\r\n"), out[:120])
        guid_lines(self, out.decode("cp866"), 1)

    def test_each_switch(self):
        cases = [(["/nologo"], dict(count=1, logo=False)),
                 (["/LCase"], dict(count=1, lower=True)),
                 (["/NOBRACES"], dict(count=1, braces=False)),
                 (["/lcase", "/nobraces", "/nologo", "/7"],
                  dict(count=7, logo=False, lower=True, braces=False)),
                 (["/3", "/5"], dict(count=5)), (["/5", "/3"], dict(count=3)),
                 (["/9"], dict(count=9)), (["/1"], dict(count=1))]
        for args, form in cases:
            with self.subTest(args=args):
                status, out, err = tovrel(args)
                self.assertEqual(status, 0)
                self.assertEqual(err, b"")
                guid_lines(self, out.decode("cp866"), **form)

    def test_unicode_is_utf16le_without_mark(self):
        status, out, _ = tovrel(["/unicode", "/2"])
        self.assertEqual(status, 0)
        self.assertTrue(out.startswith("Quorbix".encode("utf-16-le")))
        guid_lines(self, out.decode("utf-16-le"), 2)

    def test_usage_text(self):
        for args in (["/?"], ["/HELP"], ["/0"], ["/10"], ["-3"], ["/3", "/x"]):
            with self.subTest(args=args):
                status, out, err = tovrel(args)
                self.assertEqual(status, 0)
                self.assertEqual(err, b"")
                self.assertEqual(out, usage_text("Tovrel").encode("ascii"))
        status, out, _ = tovrel(["/unicode", "/bad"])
        self.assertEqual(out, usage_text("Tovrel").encode("utf-16-le"))

    def test_renamed_program_pads_its_usage(self):
        folder = tempfile.mkdtemp(dir=WORK)
        for name, shown in (("g.exe", "g"), ("GuidMaker.EXE", "GuidMaker")):
            with self.subTest(name=name):
                exe = os.path.join(folder, name)
                shutil.copy(EXE, exe)
                _, out, _ = tovrel(["/x"], exe=exe)
                self.assertEqual(out, usage_text(shown).encode("ascii"))

    def test_full_disk_is_a_write_error(self):
        status, _, err = tovrel(["/9"], stdout_path="/dev/full", env={"LC_ALL": "C.UTF-8",
                                                                    "LANG": "C.UTF-8"})
        self.assertEqual(status, 1)
        self.assertTrue(err.startswith(b"Tovrel: write error: "), err)
        self.assertTrue(err.endswith(b"\n"))
        self.assertGreater(len(err), len(b"Tovrel: write error: \n"))


class RawCommandLine(unittest.TestCase):
    def count(self, command_line, exe=None):
        status, out, err = launch(command_line, exe=exe)
        self.assertEqual(status, 0, err)
        text = out.decode("cp866")
        self.assertTrue(text.startswith(HEADER), text)
        return len(split_lines(self, text[len(HEADER):]))

    def test_blanks_quotes_and_line_breaks_between_switches(self):
        self.assertEqual(self.count("Tovrel.exe\t/3\t\t/lcase"), 3)
        self.assertEqual(self.count("Tovrel.exe /3\r\n/5\n"), 5)
        self.assertEqual(self.count('Tovrel.exe "/2" "/NoBraces"'), 2)
        self.assertEqual(self.count('Tovrel.exe /3 "" /5'), 5)
        self.assertEqual(self.count('Tovrel.exe "/4"/clip'), 4)

    def test_quoted_program_path_with_spaces(self):
        folder = os.path.join(tempfile.mkdtemp(dir=WORK), "dir with space")
        os.makedirs(folder)
        exe = os.path.join(folder, "Tovrel.exe")
        shutil.copy(EXE, exe)
        self.assertEqual(self.count(f'"{wine.windows_path(exe)}" /6', exe=exe), 6)
        self.assertEqual(self.count(f'"{wine.windows_path(exe)}"\t"/2"', exe=exe), 2)

    def test_backslashes_are_text(self):
        for line in ('Tovrel.exe \\"/3\\"', "Tovrel.exe /3\\", 'Tovrel.exe "/3\\"'):
            with self.subTest(line=line):
                status, out, _ = launch(line)
                self.assertEqual(status, 0)
                self.assertEqual(out, usage_text("Tovrel").encode("ascii"))


class Clipboard(unittest.TestCase):
    def test_guid_lines_reach_the_x_clipboard(self):
        status, out, _ = tovrel(["/clip", "/3", "/lcase"])
        back = x_clipboard()  # at once: Wine lets go of it soon after the program ends
        self.assertEqual(status, 0)
        lines = guid_lines(self, out.decode("cp866"), 3, lower=True)
        # Wine hands text to X with LF line ends.
        self.assertEqual(back.replace(b"\r\n", b"\n"),
                         "".join(line + "\n" for line in lines).encode("ascii"))

    def test_clipboard_held_by_another_program(self):
        start = time.monotonic()
        status, out, err = launch("Tovrel.exe /clip /2", options=["--hold-clipboard"])
        self.assertLess(time.monotonic() - start, 15)
        self.assertEqual(status, 0, err)
        self.assertEqual(err, b"")
        guid_lines(self, out.decode("cp866"), 2)


class MessageBox(unittest.TestCase):
    def show(self, command_line, picture):
        """Starts the program without standard handles; returns the launcher's status and the
        clipboard read while the box was open."""
        with tempfile.NamedTemporaryFile("wb", dir=WORK, suffix=".txt", delete=False) as f:
            f.write(command_line.encode("utf-8"))
        env = wine.wine_env(RUSSIAN)
        out_path = os.path.join(WORK, picture + ".out")
        with open(out_path, "wb") as out:
            launcher = subprocess.Popen([wine.WINE, LAUNCHER, "--null-std",
                                         wine.windows_path(EXE), wine.windows_path(f.name)],
                                        stdin=subprocess.DEVNULL, stdout=out, stderr=out, env=env)
        try:
            window = ""
            for _ in range(200):
                found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name",
                                        "^Quorbix - Tovrel$"], capture_output=True, text=True)
                window = found.stdout.split()[0] if found.stdout.split() else ""
                if window:
                    break
                self.assertIsNone(launcher.poll(), "the program ended without a message box")
                time.sleep(0.1)
            self.assertTrue(window, "no message box appeared")
            time.sleep(0.5)  # let it paint
            subprocess.run(["import", "-window", window, os.path.join(WORK, picture + ".png")],
                           capture_output=True, timeout=30)
            clipboard = x_clipboard()
            subprocess.run(["xdotool", "windowfocus", "--sync", window], capture_output=True,
                           timeout=10)
            subprocess.run(["xdotool", "key", "Return"], capture_output=True, timeout=10)
            status = launcher.wait(timeout=30)
        finally:
            if launcher.poll() is None:
                launcher.kill()
            os.unlink(f.name)
        with open(out_path, "rb") as out:
            self.assertEqual(out.read(), b"", "nothing may reach a standard output")
        return status, clipboard

    def test_batch_in_a_message_box(self):
        status, clipboard = self.show("Tovrel.exe /2 /clip", "message_box_batch")
        self.assertEqual(status, 0)
        # With /Clip the clipboard still receives the GUID lines.
        lines = split_lines(self, clipboard.replace(b"\n", b"\r\n").decode("ascii"))
        self.assertEqual(len(lines), 2)

    def test_usage_in_a_message_box(self):
        status, _ = self.show("Tovrel.exe /help", "message_box_usage")
        self.assertEqual(status, 0)


if __name__ == "__main__":
    wine.require([wine.WINE, wine.WINESERVER, "Xvfb", "xclip", "xdotool", "import", "localedef"])
    if not (os.path.isfile(EXE) and os.path.isfile(LAUNCHER)):
        print("FAILED: TOVREL_EXE and TOVREL_LAUNCHER must name the built programs")
        sys.exit(1)
    unittest.main(verbosity=2)
