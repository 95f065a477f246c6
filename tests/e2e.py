# End-to-end tests: one table of cases, run against the native program or, with TOVREL_WINE
# naming a Wine loader, against a Windows build through the launcher, which hands it an exact
# command-line text. Platform-only checks follow the table.
import os
import pathlib
import re
import shlex
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

EXE = os.environ.get("TOVREL_EXE", "")
WINE = os.environ.get("TOVREL_WINE")  # unset: the native program
WRAP = shlex.split(os.environ.get("TOVREL_WRAP", ""))  # e.g. valgrind, before each native run
WORK = os.environ.get("TOVREL_WORK") or tempfile.mkdtemp()
NAME = os.path.splitext(os.path.basename(EXE))[0]
# The program's identity, as CMake gives it to every test: title, 2.00.0016, copyright.
TITLE, VERSION_TEXT, COPYRIGHT = (os.environ.get(f"TOVREL_{key}", "")
                                  for key in ("TITLE", "VERSION_TEXT", "COPYRIGHT"))
EOL = "\r\n" if WINE else "\n"  # each system's own line end, in every path
BANNER = f"{TITLE}, ver. {VERSION_TEXT}{EOL}{COPYRIGHT}"
HEADER = f"{BANNER}{EOL}{EOL}Новый GUID:{EOL}"
HEX = "[0-9A-Fa-f]"
GUID = re.compile(rf"(\{{?){HEX}{{8}}-{HEX}{{4}}-4{HEX}{{3}}-[89ABab]{HEX}{{3}}-{HEX}{{12}}(\}}?)")
# Locale kind: the locale and the output's encoding. Under Wine a Russian locale makes the OEM
# code page 866, a Turkish one 857, and a Hindi one makes both code pages UTF-8 (65001).
LOCALES = {None: ("C.UTF-8", "utf-8"), "cp866": ("ru_RU.IBM866", "cp866"),
           "tr": ("tr_TR.UTF-8", "utf-8"), "utf8": ("hi_IN.UTF-8", "utf-8")}
if WINE:
    LOCALES = {None: ("ru_RU.UTF-8", "cp866"), "cp866": ("ru_RU.UTF-8", "cp866"),
               "tr": ("tr_TR.UTF-8", "cp857"), "utf8": ("hi_IN.UTF-8", "utf-8")}
WRITE_ERROR = r"write error: No space left on device\n" if not WINE else r"write error: .+\r\n"
CLOSED = {"--null-std": (1, 2), "--null-stdout": (1,)}  # the launcher's options, done natively

# (arguments, expected, options). Expected: a GUID count with the form's words (nologo, lower,
# bare, utf16; unseen: no standard output and a display that cannot be reached, so standard
# error has it), "usage" (exact text, status 2; "utf16" for UTF-16LE), "help" (the same text
# asked for, status 0), "version" (the banner and a line end, status 0), "full" (the stream
# that has the text is a full disk) or "lost" (nothing to take the text). Options: locale,
# name (the program's file name), clip (compare the clipboard).
CASES = [
    ([], "1", {}),
    (["\t", '"', " "], "1", {}),
    (["/NoLogo", "/LCase"], "1 nologo lower", {"clip": True}),
    (["/lcase", "/nobraces", "/nologo", "/7"], "7 nologo lower bare", {}),
    *[([f"/{n}"], f"{n}", {}) for n in range(1, 10)],
    (["/5", "/3", "/3"], "3", {}),
    (['"/3"', '""', '"/5"'], "5", {}),
    (["/3", "", "/5"], "5", {}),
    (["/2\t/lcase\r\n/nobraces"], "2 lower bare", {}),
    (['"/4"/nologo'], "4 nologo", {}),
    (["/unicode", "/2"], "2 utf16", {}),
    ([], "1", {"locale": "cp866"}),
    (["/2"], "2", {"locale": "utf8"}),
    (["/clip", "/lcase", "/nologo", "/NOBRACES", "/2"], "2 nologo lower bare",
     {"locale": "tr", "clip": True}),
    (["/\u0130NFO"], "usage", {"locale": "tr"}),  # a capital dotted I is no ASCII letter
    (["/un\u0131code"], "usage", {"locale": "tr"}),  # nor a dotless i, whatever towupper says
    *[([a], "help", {}) for a in ("/?", "/HELP", "/help", "-?", "-h", "--help")],
    *[([a], "version", {}) for a in ("--version", "--VerSion")],
    *[([a], "usage", {}) for a in ("/0", "/10", "-3", "/", "/1/2", "/nobrace", "/version")],
    (["/3", "/x", "/5"], "usage", {}),
    (["/unicode", "/bad"], "usage utf16", {}),
    (["/bad", "/unicode"], "usage", {}),
    (["/clip", "/bad"], "usage", {"clip": True}),
    (["/clip", "/3", "/lcase"], "3 lower", {"clip": True}),
    (["/CLIP", "/nologo", "/unicode"], "1 nologo utf16", {"clip": True}),
    *[(["/x"], "usage", {"name": n}) for n in ("g", "Tovrel.exe", "новый", "a.long.name.exe")],
    (["/x"], "usage", {"name": "новый", "locale": "cp866"}),
    (["/x"], "usage", {"name": "café", "locale": "tr"}),
    *[(a, "full", {}) for a in (["/9"], ["/x"], ["/unicode"])],
    ([], "full", {"name": "новый.exe"}),
    (["/2", "/lcase"], "2 lower unseen", {"locale": "cp866"}),
    (["/2"], "full unseen", {}),
    (["/x"], "lost", {}),
]
# Scripts' own clients, natively, with the program as `tovrel`: a shell script and what its
# whole output must be. The README's example blocks join them: each must end well and print
# GUIDs, never the usage text.
README = pathlib.Path(__file__).parents[1] / "README.md"
# Each shell's completion of /n, /N, /c and / (zsh's and fish's in the real shell, which finds
# it by the file name the packages give it; fish's only with a description, and what starts with
# the word: fish 3.1 adds what merely contains it), then the usage text's switches, which / must
# give; the program takes each.
SHELL = f"{README.parent}/resources/completion"
COMPLETE = [f"source {SHELL}.bash; COMP_CWORD=1 COMP_WORDS=(t $1); _tovrel; echo ${{COMPREPLY[*]}}",
            f"cp {SHELL}.zsh _tovrel; zsh -f {README.parent}/tests/complete.zsh $1 | xargs",
            f"cp {SHELL}.fish tovrel.fish; fish -c \"set fish_complete_path $PWD; complete -C"
            " 'tovrel $1'\" | grep -iP \"^$1\\S*\\t\\w\" | cut -f1 | xargs"]
CLIENTS = [('uuidparse -n -o TYPE,VARIANT "$(tovrel /nologo /nobraces)"', r"^random +DCE\n$"),
           *[(f"c() {{ {c}; }}; for w in /n /N /c /; do c $w; done | tee all; for s in $(tail -1"
              " all); do tovrel $s >/dev/null; done; tovrel /? | grep -oE '/[[:alnum:]]+' | xargs",
              r"^(/NoLogo /NoBraces\n){2}/Clip\n(.+\n)\2$") for c in COMPLETE]]
EXAMPLE = rf"(?s)^(?!.*\[/\? \| /Help\]).*{GUID.pattern}"

def usage_text(name):
    pad = " " * (len(name.encode("utf-16-le")) // 2 + 7)
    return (f"{BANNER}{EOL}{EOL}{name}[.EXE] [/NoLogo] [/LCase] [/NoBraces] [/Unicode] [/Clip]"
            f"{EOL}{pad}[/1 | /2 | /3 | /4 | /5 | /6 | /7 | /8 | /9]{EOL}{pad}[/? | /Help]")


def guid_lines(test, text, count, logo=True, lower=False, braces=True):
    # Checks a whole batch by its shape and returns its GUID lines, all different.
    if logo:
        test.assertTrue(text.startswith(HEADER), f"header missing: {text[:80]!r}")
        text = text[len(HEADER):]
    test.assertTrue(text.endswith(EOL), f"must end with {EOL!r}: {text[-10:]!r}")
    lines = text[:-len(EOL)].split(EOL)
    test.assertEqual(len(lines), count, text)
    for line in lines:
        m = GUID.fullmatch(line)
        test.assertTrue(m and bool(m[1]) == braces == bool(m[2]), f"not a GUID: {line!r}")
        letters = re.sub(r"[^A-Za-z]", "", line)
        test.assertEqual(letters, letters.lower() if lower else letters.upper(), line)
    test.assertEqual(len(set(lines)), count, "GUIDs of one batch must differ")
    return lines


def locale_env(kind):
    name = LOCALES[kind][0]
    folder = os.path.join(WORK, "locales")
    if not name.startswith("C.") and not os.path.isdir(os.path.join(folder, name)):
        os.makedirs(folder, exist_ok=True)
        source, charmap = name.split(".")
        # In the program's byte order, as its system's localedef writes them (ELF's sixth byte).
        big = ["--big-endian"] * (pathlib.Path(EXE).read_bytes()[5] == 2)
        subprocess.run(["localedef", *big, "-i", source, "-f", charmap,
                        os.path.join(folder, name)], capture_output=True)
        if not os.path.isdir(os.path.join(folder, name)):
            raise RuntimeError(f"cannot compile the locale {name}")
    return {"LC_ALL": name, "LANG": name, "LOCPATH": folder}


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run(args, env=None, exe=EXE, full=None, options=(), raw=None, meanwhile=None, cwd=None):
    # Runs the program with `args` (joined with spaces into its command line, as the POSIX
    # program joins its arguments) or with the exact text `raw`: under Wine a command line (or
    # a .bat file that Wine's own cmd.exe runs when it starts with @), natively a script that
    # bash runs with -e, in `cwd`; `options` go to the launcher,
    # or close descriptors natively (CLOSED); `full` ("out" or "err") makes that stream a full
    # disk; `meanwhile` gets the running process. Returns (status, standard output, standard
    # error), read from files.
    with tempfile.TemporaryDirectory(dir=WORK) as folder:
        out_path, err_path = os.path.join(folder, "out"), os.path.join(folder, "err")
        kept = {k: os.environ[k] for k in ("PATH", "DISPLAY", "WINEPREFIX") if k in os.environ}
        full_env = {**kept, "HOME": WORK, **locale_env(None), **(env or {})}
        command = ["bash", "-ec", raw] if raw else WRAP + [exe] + args
        if WINE:
            program = windows_path(exe)
            if raw and raw.startswith("@"):  # cmd.exe finds the program and passes the line on
                pathlib.Path(folder, "run.bat").write_text(raw + "\n", newline="\r\n")
                program = r"C:\windows\system32\cmd.exe"
                raw = f"cmd /c {windows_path(folder)}\\run.bat"
            with open(os.path.join(folder, "command"), "w", encoding="utf-8") as f:
                f.write(raw if raw is not None else " ".join([os.path.basename(exe)] + args))
            command = [WINE, os.environ["TOVREL_LAUNCHER"], *options, program, windows_path(f.name)]
            full_env["WINEDEBUG"] = "-all"
        paths = {"out": out_path, "err": err_path, full: "/dev/full"}
        with open(paths["out"], "wb") as out, open(paths["err"], "wb") as err:
            process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                       env=full_env, cwd=cwd, preexec_fn=lambda: WINE or [
                                           os.close(fd) for o in options for fd in CLOSED[o]])
            if meanwhile:
                meanwhile(process)
            status = process.wait(timeout=120)
        return status, read_bytes(out_path), read_bytes(err_path)


def read_bytes(path):
    return pathlib.Path(path).read_bytes() if os.path.isfile(path) else b""


def set_clipboard(text):
    subprocess.run(["xclip", "-i", "-selection", "clipboard"], input=text.encode(), timeout=10,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def clipboard():
    # Wine hands text over with LF line ends; natively the bytes are the program's own.
    r = subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True, timeout=10)
    return r.stdout.replace(b"\r\n", b"\n") if WINE else r.stdout


def show(process, picture, key="Return"):
    # Waits for the program's window, keeps its picture and closes it with `key`; returns
    # whether the program was still waiting for it.
    for _ in range(600):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{TITLE}$"],
                               capture_output=True, text=True)
        if found.stdout or process.poll() is not None:
            break
        time.sleep(0.1)
    window = (found.stdout.split() or ["root"])[0]
    time.sleep(0.5)  # let it paint
    subprocess.run(["import", "-window", window, os.path.join(WORK, picture + ".png")],
                   capture_output=True, timeout=30)
    waiting = process.poll() is None
    subprocess.run(["xdotool", "windowfocus", "--sync", window, "key", key], capture_output=True,
                   timeout=10)
    return waiting


def program_named(name, encoding):
    # A copy of the program under another file name: Windows wants .exe to start it, POSIX
    # takes the name's bytes in the locale's encoding.
    file_name = name.removesuffix(".exe") + ".exe" if WINE else os.fsdecode(name.encode(encoding))
    return shutil.copy(EXE, os.path.join(tempfile.mkdtemp(dir=WORK), file_name))


class Table(unittest.TestCase):
    def test_cases(self):
        for args, expected, options in CASES:
            with self.subTest(args=args, expected=expected, **options):
                self.check(args, expected.split(), options)

    def check(self, args, words, options):
        encoding = LOCALES[options.get("locale")][1]
        exe = program_named(options["name"], encoding) if "name" in options else EXE
        name = os.path.splitext(options.get("name", NAME))[0]
        if options.get("clip"):
            set_clipboard("untouched")
        full = "full" in words
        closed = ["--null-std"] if "lost" in words else ["--null-stdout"] * ("unseen" in words)
        display = ":65000" if closed else os.environ["DISPLAY"]  # a dead one: nothing can show
        status, out, err = run(args, {**locale_env(options.get("locale")), "DISPLAY": display},
                               exe, full=full and ("err" if closed else "out"), options=closed)
        if full or "lost" in words:  # text that reached nobody has only the status to tell
            self.assertEqual(status, 1)
            if full and not closed:
                self.assertRegex(err.decode(encoding), f"^{re.escape(name)}: {WRITE_ERROR}$")
            return
        out, err = (err, b"") if closed else (out, err)
        self.assertEqual((status, err), (2 if words[0] == "usage" else 0, b""), out)
        encoding = "utf-16-le" if "utf16" in words else encoding
        lines = None
        if words[0] in ("usage", "help", "version"):
            want = f"{BANNER}{EOL}" if words[0] == "version" else usage_text(name)
            self.assertEqual(out, want.encode(encoding))
        else:
            lines = guid_lines(self, out.decode(encoding), int(words[0]),
                               logo="nologo" not in words, lower="lower" in words,
                               braces="bare" not in words)
        if options.get("clip"):  # filled by /Clip alone
            clipped = lines and "/clip" in map(str.lower, args)
            want = "".join(line + "\n" for line in lines) if clipped else "untouched"
            self.assertEqual(clipboard(), want.encode())

    def test_readme_examples_and_clients(self):
        # The README's blocks after the quick start.
        blocks = re.findall(r"```(sh|bat)\n(.*?)```", README.read_text(), re.S)[1:]
        examples = [(b, EXAMPLE) for k, b in blocks if (k == "bat") == bool(WINE)]
        for script, pattern in examples + CLIENTS * (not WINE):
            with self.subTest(script=script):
                path, folder = os.path.dirname(EXE), tempfile.mkdtemp(dir=WORK)  # cmd.exe: WINEPATH
                status, out, err = run([], {"PATH": f"{path}:{os.environ['PATH']}", "WINEPATH":
                                            windows_path(path)}, cwd=folder,
                                       raw=f"@echo off\n{script}" if WINE else script)
                self.assertEqual((status, err), (0, b""), out)
                files = [path.read_bytes() for path in sorted(pathlib.Path(folder).glob("*.txt"))]
                self.assertRegex(b"".join([out, *files]).decode(LOCALES[None][1]), pattern)

    def test_no_standard_output_shows_a_box_or_dialog(self):
        # The real message box (with no standard handles, or no standard output) or zenity,
        # closed with Return, or with Escape under the C locale: shown either way, so the
        # program waits for it and nothing follows (natively a second dialog would fail).
        path = tempfile.mkdtemp(dir=WORK)  # with a kdialog that fails
        os.symlink(shutil.which("false"), path + "/kdialog")
        set_clipboard("untouched")
        for args, key, locale, how in ((["/help"], "Return", "C.UTF-8", "--null-std"),
                                       (["/2", "/clip"], "Escape", "C", "--null-stdout")):
            with self.subTest(args=args, key=key, LC_ALL=locale):
                waiting = []
                result = run(args, {"PATH": path + ":" + os.environ["PATH"], "LC_ALL": locale},
                             options=[how if WINE else "--null-stdout"],  # valgrind needs fd 2
                             meanwhile=lambda p: waiting.append(show(p, key, key)))
                self.assertEqual((result, waiting), ((0, b"", b""), [True]))
        guid_lines(self, clipboard().decode().replace("\n", EOL), 2, logo=False)


@unittest.skipIf(WINE, "POSIX only")
class Posix(unittest.TestCase):
    # Descriptors, signals and the desktop helper programs, through stand-ins for them.

    def setUp(self):
        self.bin = tempfile.mkdtemp(dir=WORK)
        self.env = {"PATH": self.bin + ":" + os.environ["PATH"], "DISPLAY": ":77"}

    def tool(self, name, body):
        # A stand-in that records its arguments in NAME.args; returns the path of NAME.got.
        path = os.path.join(self.bin, name)
        with open(path, "w") as f:
            f.write("#!/bin/sh\nprintf %s \"$*\" > \"$0.args\"\n" + body + "\n")
        os.chmod(path, 0o755)
        return path + ".got"

    def test_closed_pipe_ends_the_program_like_any_other(self):
        read_end, write_end = os.pipe()
        os.close(read_end)
        r = subprocess.run(WRAP + [EXE, "/9"], stdout=write_end, stderr=subprocess.DEVNULL)
        os.close(write_end)
        self.assertEqual(r.returncode, -signal.SIGPIPE)

    def test_dialog_helpers_in_order(self):
        # A failing zenity hands the text on to kdialog, which Escape (2) closes: shown.
        got = self.tool("kdialog", 'printf "%s\\n" "$@" > "$0.got"; exit 2')
        self.tool("zenity", "exit 255")
        self.assertEqual(run(["/3"], self.env, options=["--null-stdout"]), (0, b"", b""))
        text = read_bytes(got).decode("utf-8").removeprefix(f"--title\n{TITLE}\n--msgbox\n")
        guid_lines(self, text[:-1], 3)

    def test_clipboard_helpers(self):
        # The first helper there takes the text: stand-ins for X11, the real wl-copy under a
        # real compositor (Weston nested in our X display), read back with wl-paste. One that,
        # like xclip, leaves a process behind (and talks), or hangs, fails or dies never holds
        # or spoils our output; without a display none starts. Our output is a pipe, as in
        # `tovrel /clip | cat`.
        wayland = {"WAYLAND_DISPLAY": "wayland-tovrel", "XDG_RUNTIME_DIR": WORK, "LC_ALL": "C"}
        env = {**os.environ, **wayland}
        weston = subprocess.Popen(["weston", "--backend=x11-backend.so", "--use-pixman",
                                   "--socket=wayland-tovrel"], env=env)
        self.addCleanup(lambda: weston.terminate() or weston.wait(timeout=10))
        # It serves once a copy comes back, well after its socket appears.
        subprocess.run('until wl-copy ready >/dev/null 2>&1 && [ "$(wl-paste -n)" = ready ]; do'
                       " sleep 0.1; done", shell=True, env=env, timeout=60,
                       stderr=subprocess.DEVNULL)
        # (the helpers in the path in order, each a stand-in's body or "" for the real one; the
        # environment; the first one's arguments, or None when none may start)
        take, xclip = 'cat > "$0.got"', "-selection clipboard"
        for helpers, more, args in [
                ({"xclip": take, "xsel": take}, {}, xclip),
                ({"xsel": take}, {}, "--clipboard --input"),
                ({"wl-copy": "", "xclip": take}, wayland, ""),
                ({"xclip": take}, {"DISPLAY": ""}, None),
                *[({"xclip": body}, {}, xclip) for body in (
                    "cat > /dev/null; echo spoilt; (sleep 8 &) ; exit 0", "sleep 30", "exit 3",
                    "kill -9 $$", "exec 0<&-; sleep 1")]]:
            with self.subTest(helpers=helpers, **more):
                self.setUp()  # a folder with this row's stand-ins only
                for name in filter(helpers.get, helpers):  # "" is the real one
                    self.tool(name, helpers[name])
                first, *others = helpers
                start = time.monotonic()
                r = subprocess.run(WRAP + [EXE, "/clip", "/nologo", "/9"], capture_output=True,
                                   timeout=60, env={**locale_env(None), **self.env, **more})
                self.assertLess(time.monotonic() - start, 14 if WRAP else 4)
                guid_lines(self, r.stdout.decode("utf-8"), 9, logo=False)
                # The type given, or wl-paste takes one from its output file's name.
                clip = read_bytes(f"{self.bin}/{first}.got") if helpers[first] else subprocess.run(
                    ["wl-paste", "-n", "--type", "text/plain"], env=env, capture_output=True,
                    timeout=10).stdout
                takes = helpers[first] in (take, "") and args is not None
                self.assertEqual((r.returncode, r.stderr, clip), (0, b"", r.stdout * takes))
                self.assertEqual(read_bytes(f"{self.bin}/{first}.args").decode(), args or "")
                self.assertFalse(any(os.path.exists(f"{self.bin}/{h}.got") for h in others))


@unittest.skipUnless(WINE, "Windows only")
class Windows(unittest.TestCase):
    def test_raw_command_lines(self):
        folder = os.path.join(tempfile.mkdtemp(dir=WORK), "dir with space")
        os.makedirs(folder)
        exe = shutil.copy(EXE, os.path.join(folder, "Tovrel.exe"))
        path = windows_path(exe)
        inner = path.replace("dir with space", '"dir with space"')
        # A quoted program name ends at the next quotation mark, an unquoted one at a blank
        # outside quotation marks; the rows with @ go through cmd.exe.
        for raw, want in ((f'"{path}" /6', 6), (f'"{path}"\t"/2"', 2), (f'"{path}"/2', 2),
                          (f'"{path}"', 1), (f'"{path}"/nologo/2', "usage"),
                          ("Tovrel.exe\t/3", 3), ('Tovrel.exe \\"/3\\"', "usage"),
                          ('Tovrel.exe "/3\\"', "usage"), (f"{inner} /4", 4),
                          (f"@{inner} /3 /nologo", 3), (f'@"{path}" /2', 2)):
            with self.subTest(raw=raw):
                status, out, err = run([], exe=exe, raw=raw)
                self.assertEqual((status, err), (2 if want == "usage" else 0, b""))
                text = out.decode("cp866")
                if want == "usage":
                    self.assertEqual(text, usage_text(NAME))
                else:
                    guid_lines(self, text, want, logo="/nologo" not in raw)

    def test_clipboard_held_by_another_program(self):
        # Held throughout, it is left as it was; let go while the program tries again, it fills.
        for hold, filled in (("--hold-clipboard", False), ("--release-clipboard", True)):
            with self.subTest(hold=hold):
                set_clipboard("untouched")
                start = time.monotonic()
                status, out, err = run(["/clip", "/2"], options=[hold])
                self.assertLess(time.monotonic() - start, 20)
                self.assertEqual((status, err), (0, b""))
                lines = guid_lines(self, out.decode("cp866"), 2)
                want = "".join(line + "\n" for line in lines) if filled else "untouched"
                self.assertEqual(clipboard(), want.encode())


def require(present, reason):
    if not present:
        if os.environ.get("CI"):
            raise RuntimeError(f"required in CI: {reason}")
        state["missing"] = reason
        raise unittest.SkipTest(reason)


def main():
    # Exits 77 when a missing tool skipped tests, so that CTest reports them skipped, not passed.
    if not unittest.main(verbosity=2, exit=False).result.wasSuccessful():
        raise SystemExit(1)
    raise SystemExit(77 if "missing" in state else 0)


def setUpModule():
    # One virtual X display for the clipboard and the message box; under Wine a warm server
    # started on it (a server left from a run without a display keeps windows off it).
    for tool in ["Xvfb", "xclip", "localedef", "xdotool", "import", "uuidparse"] + [
            "zenity", "weston", "wl-paste", "zsh", "fish"] * (not WINE):
        require(shutil.which(tool), f"{tool} is not installed")
    if WINE:
        require(subprocess.run([WINE, "--version"], capture_output=True).returncode == 0,
                f"{WINE} does not run")
    os.makedirs(WORK, exist_ok=True)
    # A display of our own: the server takes a free number and says which once it serves.
    state["xvfb"] = subprocess.Popen(["Xvfb", "-displayfd", "1", "-nolisten", "tcp"],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    os.environ["DISPLAY"] = ":" + state["xvfb"].stdout.readline().decode().strip()
    wineserver("-k")
    wineserver("-w")  # ended but not yet gone under load, its programs would hold the old display
    wineserver("-p", "120")  # its first program, a batch file (a first case once lost its output)
    WINE and run([], raw="@rem")


def wineserver(*args):
    if WINE:
        subprocess.run([os.environ.get("TOVREL_WINESERVER", "/usr/lib/wine/wineserver64"),
                        *args], env={**os.environ, **locale_env(None)}, timeout=120,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def tearDownModule():
    wineserver("-k")
    state["xvfb"].terminate()
    state["xvfb"].communicate(timeout=10)


state = {}

if __name__ == "__main__":
    main()
