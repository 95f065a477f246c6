"""End-to-end tests of the native build: exact bytes, exit statuses, desktop helpers."""
import os
import shlex
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

from tovrel_output import (HEADER, LABEL_866, guid_lines, skip_or_fail, split_lines,
                           usage_text)

EXE = os.environ.get("TOVREL_EXE", os.path.join(os.path.dirname(__file__),
                                                "../build/native/tovrel"))
WORK = os.environ.get("TOVREL_WORK", tempfile.gettempdir())
# A command put before the program in every run, such as valgrind.
WRAP = shlex.split(os.environ.get("TOVREL_WRAP", ""))
BASE_ENV = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "LC_ALL": "C.UTF-8"}


def run(args, env=None, exe=EXE, stdout=subprocess.PIPE, timeout=20, **kwargs):
    full_env = dict(BASE_ENV, **(env or {}))
    return subprocess.run(WRAP + [exe] + list(args), stdout=stdout, stderr=subprocess.PIPE,
                          env=full_env, timeout=timeout, **kwargs)


def fake_tool(folder, name, body):
    """Writes a shell script that stands in for a desktop helper program."""
    path = os.path.join(folder, name)
    with open(path, "w") as f:
        f.write("#!/bin/sh\n" + body + "\n")
    os.chmod(path, 0o755)
    return path


def make_locale(name, source, charmap):
    """Compiles a locale into the work folder; None when localedef cannot."""
    folder = os.path.join(WORK, "locales")
    os.makedirs(folder, exist_ok=True)
    target = os.path.join(folder, name)
    if not os.path.isdir(target):
        done = subprocess.run(["localedef", "-i", source, "-f", charmap, target],
                              capture_output=True)
        if not os.path.isdir(target):
            return None, done.stderr.decode(errors="replace")
    return folder, ""


class Batch(unittest.TestCase):
    def test_default_is_header_and_one_upper_case_braced_guid(self):
        r = run([])
        self.assertEqual(r.returncode, 0)
        self.assertEqual(r.stderr, b"")
        self.assertTrue(r.stdout.startswith(
            b"Quorbix - Tovrel, ver. 2.00.0016\r\nCopyright (C) 2026 Quorbix\r\n\r\n"
            b"\xD0\x9D\xD0\xBE\xD0\xB2\xD1\x8B\xD0\xB9 GUID:\r\n"))
        guid_lines(self, r.stdout.decode("utf-8"), 1)

    def test_each_switch(self):
        cases = [
            (["/nologo"], dict(count=1, logo=False)),
            (["/LCase"], dict(count=1, lower=True)),
            (["/NOBRACES"], dict(count=1, braces=False)),
            (["/lcase", "/nobraces", "/nologo", "/7"],
             dict(count=7, logo=False, lower=True, braces=False)),
            (["/3", "/5"], dict(count=5)),
            (["/5", "/3"], dict(count=3)),
        ] + [([f"/{n}"], dict(count=n)) for n in range(1, 10)]
        for args, form in cases:
            with self.subTest(args=args):
                r = run(args)
                self.assertEqual(r.returncode, 0)
                self.assertEqual(r.stderr, b"")
                guid_lines(self, r.stdout.decode("utf-8"), **form)

    def test_quotes_tabs_and_line_breaks_separate_switches(self):
        cases = [(['"/3"', '""', '"/5"'], 5), (["/3", "", "/5"], 5),
                 (["/2\t/lcase\r\n/nobraces"], 2), (['"/4"/nologo'], 4)]
        for args, count in cases:
            with self.subTest(args=args):
                r = run(args)
                self.assertEqual(r.returncode, 0)
                text = r.stdout.decode("utf-8")
                logo = text.startswith(HEADER)
                lines = split_lines(self, text[len(HEADER):] if logo else text)
                self.assertEqual(len(lines), count)

    def test_unicode_is_utf16le_without_mark(self):
        r = run(["/unicode", "/2"])
        self.assertEqual(r.returncode, 0)
        self.assertFalse(r.stdout.startswith(b"\xff\xfe"))
        self.assertTrue(r.stdout.startswith("Quorbix".encode("utf-16-le")))
        self.assertIn(b"\x1d\x04\x3e\x04\x32\x04\x4b\x04\x39\x04", r.stdout)
        self.assertEqual(len(r.stdout) % 2, 0)
        guid_lines(self, r.stdout.decode("utf-16-le"), 2)

    def test_ascii_case_rules_even_in_a_turkish_locale(self):
        folder, why = make_locale("tr_TR.UTF-8", "tr_TR", "UTF-8")
        if folder is None:
            skip_or_fail(self, "cannot compile tr_TR.UTF-8: " + why)
        env = {"LOCPATH": folder, "LC_ALL": "tr_TR.UTF-8"}
        check = subprocess.run(["locale", "charmap"], env=dict(BASE_ENV, **env),
                               capture_output=True)
        self.assertEqual(check.stderr, b"", "the Turkish locale must be in force")
        r = run(["/clip", "/lcase", "/nologo", "/NOBRACES", "/2"], env=env)
        self.assertEqual(r.returncode, 0, r.stdout)
        guid_lines(self, r.stdout.decode("utf-8"), 2, logo=False, lower=True, braces=False)
        r = run(["/\u0130NFO"], env=env)  # a capital dotted I is no ASCII letter
        self.assertTrue(r.stdout.endswith(b"[/? | /Help]"))

    def test_label_in_code_page_866_locale(self):
        folder, why = make_locale("ru_RU.IBM866", "ru_RU", "IBM866")
        if folder is None:
            skip_or_fail(self, "cannot compile ru_RU.IBM866: " + why)
        r = run([], env={"LOCPATH": folder, "LC_ALL": "ru_RU.IBM866"})
        self.assertEqual(r.returncode, 0)
        self.assertIn(b"\r\n\r\n" + LABEL_866 + b"\r\n", r.stdout)
        guid_lines(self, r.stdout.decode("cp866"), 1)


class Usage(unittest.TestCase):
    def test_unknown_tokens_give_the_exact_usage_text(self):
        for args in (["/?"], ["/HELP"], ["/help"], ["/0"], ["/10"], ["-3"], ["/3", "/x", "/5"]):
            with self.subTest(args=args):
                r = run(args)
                self.assertEqual(r.returncode, 0)
                self.assertEqual(r.stderr, b"")
                self.assertEqual(r.stdout, usage_text("tovrel").encode("utf-8"))

    def test_unicode_before_a_bad_token_writes_utf16_usage(self):
        r = run(["/unicode", "/bad"])
        self.assertEqual(r.stdout, usage_text("tovrel").encode("utf-16-le"))
        r = run(["/bad", "/unicode"])
        self.assertEqual(r.stdout, usage_text("tovrel").encode("utf-8"))

    def test_pad_follows_the_program_name(self):
        folder = tempfile.mkdtemp(dir=WORK)
        for name, shown in (("g", "g"), ("Tovrel.exe", "Tovrel"), ("новый", "новый"),
                            ("a.long.program.name", "a.long.program")):
            with self.subTest(name=name):
                exe = os.path.join(folder, name)
                shutil.copy(EXE, exe)
                r = run(["/x"], exe=exe)
                self.assertEqual(r.stdout, usage_text(shown).encode("utf-8"))


class Failures(unittest.TestCase):
    def test_full_disk_is_a_write_error(self):
        for args in (["/9"], ["/x"], ["/unicode"]):
            with self.subTest(args=args), open("/dev/full", "wb") as full:
                r = run(args, stdout=full)
                self.assertEqual(r.returncode, 1)
                self.assertEqual(r.stderr, b"tovrel: write error: No space left on device\n")

    def test_write_error_names_the_program_as_it_was_started(self):
        folder = tempfile.mkdtemp(dir=WORK)
        exe = os.path.join(folder, "Tovrel.exe")
        shutil.copy(EXE, exe)
        with open("/dev/full", "wb") as full:
            r = run([], exe=exe, stdout=full)
        self.assertEqual(r.returncode, 1)
        self.assertEqual(r.stderr, b"Tovrel: write error: No space left on device\n")

    def test_closed_pipe_ends_the_program_like_any_other(self):
        read_end, write_end = os.pipe()
        os.close(read_end)
        try:
            r = run(["/9"], stdout=write_end)
        finally:
            os.close(write_end)
        self.assertEqual(r.returncode, -signal.SIGPIPE)

    def test_no_standard_output_without_a_display_goes_to_standard_error(self):
        r = subprocess.run(["/bin/sh", "-c", 'exec "$@" >&-', "sh", *WRAP, EXE, "/2"],
                           capture_output=True, env=BASE_ENV, timeout=20)
        self.assertEqual(r.returncode, 0)
        self.assertEqual(r.stdout, b"")
        guid_lines(self, r.stderr.decode("utf-8"), 2)


class Desktop(unittest.TestCase):
    """Clipboard and message box through stand-ins for the desktop helper programs."""

    def setUp(self):
        self.bin = tempfile.mkdtemp(dir=WORK)
        self.env = {"PATH": self.bin + ":" + BASE_ENV["PATH"], "DISPLAY": ":77"}

    def test_clip_hands_only_the_guid_lines_to_the_helper(self):
        got = os.path.join(self.bin, "clip.bin")
        fake_tool(self.bin, "xclip", f'[ "$*" = "-selection clipboard" ] && cat > "{got}"')
        r = run(["/clip", "/3"], env=self.env)
        self.assertEqual(r.returncode, 0)
        lines = guid_lines(self, r.stdout.decode("utf-8"), 3)
        with open(got, "rb") as f:
            self.assertEqual(f.read(), "".join(l + "\r\n" for l in lines).encode("utf-8"))

    def test_clip_falls_back_to_xsel_and_prefers_wayland(self):
        got = os.path.join(self.bin, "clip.bin")
        fake_tool(self.bin, "xsel", f'[ "$*" = "--clipboard --input" ] && cat > "{got}"')
        fake_tool(self.bin, "wl-copy", f'cat > "{got}.wayland"')
        r = run(["/clip", "/nologo"], env=self.env)
        with open(got, "rb") as f:
            self.assertEqual(f.read(), r.stdout)
        r = run(["/clip", "/nologo"], env=dict(self.env, WAYLAND_DISPLAY="wayland-0"))
        with open(got + ".wayland", "rb") as f:
            self.assertEqual(f.read(), r.stdout)

    def test_helper_that_stays_behind_does_not_hold_our_output(self):
        # Like xclip, the helper leaves a process behind to serve the clipboard.
        fake_tool(self.bin, "xclip", "cat > /dev/null; (sleep 8 &) ; exit 0")
        start = time.monotonic()
        r = run(["/clip"], env=self.env)
        self.assertLess(time.monotonic() - start, 4)
        self.assertEqual(r.returncode, 0)
        guid_lines(self, r.stdout.decode("utf-8"), 1)

    def test_hanging_or_failing_helpers_are_silent(self):
        for body in ("sleep 30", "exit 3", "kill -9 $$"):
            with self.subTest(helper=body):
                fake_tool(self.bin, "xclip", body)
                start = time.monotonic()
                r = run(["/clip", "/2"], env=self.env)
                self.assertLess(time.monotonic() - start, 6)
                self.assertEqual(r.returncode, 0)
                self.assertEqual(r.stderr, b"")
                guid_lines(self, r.stdout.decode("utf-8"), 2)

    def test_clip_without_display_ends_at_once(self):
        start = time.monotonic()
        r = run(["/clip", "/9"], env={"PATH": self.bin + ":" + BASE_ENV["PATH"]})
        self.assertLess(time.monotonic() - start, 2)
        self.assertEqual(r.returncode, 0)
        guid_lines(self, r.stdout.decode("utf-8"), 9)

    def test_no_standard_output_shows_a_dialog(self):
        got = os.path.join(self.bin, "dialog.txt")
        fake_tool(self.bin, "zenity", f'printf "%s\\n" "$@" > "{got}"')
        r = subprocess.run(["/bin/sh", "-c", 'exec "$@" >&-', "sh", *WRAP, EXE, "/nologo",
                            "/clip"], capture_output=True, env=dict(BASE_ENV, **self.env),
                           timeout=20)
        self.assertEqual(r.returncode, 0)
        self.assertEqual(r.stderr, b"")
        with open(got, encoding="utf-8") as f:
            args = f.read().split("\n")
        self.assertIn("--info", args)
        self.assertIn("--title=Quorbix - Tovrel", args)
        text = [a for a in args if a.startswith("--text=")]
        self.assertEqual(len(text), 1)
        # The dialog shows the line without CR; the LF goes with the argument's printf.
        guid_lines(self, text[0][len("--text="):] + "\r\n", 1, logo=False)


class RealClipboard(unittest.TestCase):
    def test_round_trip_through_xclip_on_a_virtual_display(self):
        for tool in ("Xvfb", "xclip"):
            if shutil.which(tool) is None:
                skip_or_fail(self, f"{tool} is not installed")
        display = f":{90 + os.getpid() % 100}"
        server = subprocess.Popen(["Xvfb", display, "-nolisten", "tcp"],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            socket = f"/tmp/.X11-unix/X{display[1:]}"
            for _ in range(100):
                if os.path.exists(socket):
                    break
                time.sleep(0.05)
            env = {"DISPLAY": display}
            r = run(["/clip", "/3", "/lcase"], env=env)
            self.assertEqual(r.returncode, 0)
            lines = guid_lines(self, r.stdout.decode("utf-8"), 3, lower=True)
            back = subprocess.run(["xclip", "-o", "-selection", "clipboard"],
                                  capture_output=True, env=dict(BASE_ENV, **env), timeout=10)
            self.assertEqual(back.stdout, "".join(l + "\r\n" for l in lines).encode("utf-8"))
        finally:
            server.terminate()
            server.wait(timeout=10)


if __name__ == "__main__":
    unittest.main(verbosity=2)
