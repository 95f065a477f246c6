# What users receive. Run with the name of one group:
#   Executable  a built Tovrel.exe (TOVREL_EXE, TOVREL_MACHINE), read with objdump and
#               icoutils: machine, subsystem, imports, size, ASLR, DEP, stack protector,
#               icons, version record, manifest.
#   DllSearch   that program, run from a Downloads-like folder under Wine (TOVREL_WINE), must
#               not load a DLL planted beside it once it has restricted the DLL search.
#   Release     dist/ (TOVREL_DIST) and the release builds (TOVREL_BUILD) scripts/release
#               leaves: each package lists exactly the expected files and its program runs;
#               names, the .deb and the manual page carry the project's version; the sums,
#               the .deb and the manual page pass their checkers; the .deb's program is
#               hardened as hardening-check and its code show; both programs of the ZIP
#               run under Wine, each under its own loader; the Linux programs (ARCHES) need
#               no C library newer than Debian 11's and run on it, and the .debs install in
#               Debian 11 or 13 roots (scripts/in-root; other architectures under QEMU), where
#               the end-to-end table runs against them.
import collections
import os
import pathlib
import re
import shutil
import struct
import subprocess
import tempfile
import unittest
import zipfile

from e2e import TITLE, VERSION_TEXT, guid_lines, main, require

TESTS = os.path.dirname(os.path.abspath(__file__))
EXE = os.environ.get("TOVREL_EXE", "build/win32/Tovrel.exe")
MACHINE = os.environ.get("TOVREL_MACHINE", "i386")
WINE = os.environ.get("TOVREL_WINE", "/usr/lib/wine/wine64")
DIST = os.path.abspath(os.environ.get("TOVREL_DIST", f"{TESTS}/../dist"))
BUILD = os.path.abspath(os.environ.get("TOVREL_BUILD", f"{TESTS}/../build/release"))
ROOTS = os.path.abspath(os.environ.get("TOVREL_ROOTS", f"{TESTS}/../build/roots"))
WINEPREFIX = os.environ.get("WINEPREFIX", f"{TESTS}/../build/win64/wineprefix")
# The project's version (2.0.16): CTest passes it, and by hand the release's build knows it.
VERSION = os.environ.get("TOVREL_VERSION") or re.search(
    r"(?m)^CMAKE_PROJECT_VERSION:STATIC=(.+)$",
    pathlib.Path(f"{BUILD}/native/CMakeCache.txt").read_text())[1]
MAJOR, MINOR, PATCH = map(int, VERSION.split("."))
FIXED_VERSION = (MAJOR << 16 | MINOR, PATCH)  # the version record's: 2.0.0.16
# Windows' own libraries; nothing of the compiler's may be needed at run time.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "comctl32.dll", "ole32.dll", "msvcrt.dll",
               "advapi32.dll", "gdi32.dll", "oleaut32.dll", "rpcrt4.dll", "shell32.dll"}
# Each image of an icon as icotool reads it; the modules the start-up code and the DLL search
# restriction itself call into.
ICON = re.compile(r"h=(\d+) --height=(\d+) --bit-depth=(\d+) --palette-size=(\d+)")
CRT_MODULES = {"kernel32", "kernelbase", "msvcrt", "ntdll"}
# The Linux programs: Debian's architecture, the machine (uname's), the build folder (native
# or the cross compiler's triplet) and the Debian root its .deb installs in (11 where the
# mirror still has that architecture's C library).
ARCHES = [row.split() for row in (
    "amd64 x86_64 native bullseye", "arm64 aarch64 aarch64-linux-gnu bullseye",
    "armhf armv7l arm-linux-gnueabihf bullseye", "i386 i686 i686-linux-gnu bullseye",
    "ppc64el ppc64le powerpc64le-linux-gnu bookworm", "riscv64 riscv64 riscv64-linux-gnu trixie",
    "s390x s390x s390x-linux-gnu bookworm")]
DEBS = {arch: f"{DIST}/tovrel_{VERSION}_{arch}.deb" for arch, *_ in ARCHES}
TARBALLS = {f: f"{DIST}/tovrel-{VERSION}-linux-{m}.tar.gz" for _, m, f, _ in ARCHES}
ZIP = f"{DIST}/tovrel-{VERSION}-windows.zip"
LINUX_FILES = ["bin/tovrel", "share/bash-completion/completions/tovrel",
               "share/doc/tovrel/CHANGELOG.md", "share/doc/tovrel/LICENSE",
               "share/doc/tovrel/README.md", "share/fish/vendor_completions.d/tovrel.fish",
               "share/man/man1/tovrel.1", "share/zsh/site-functions/_tovrel"]
DEB_FILES = ["usr/bin/tovrel", "usr/share/bash-completion/completions/tovrel",
             "usr/share/doc/tovrel/README.md", "usr/share/doc/tovrel/changelog.gz",
             "usr/share/doc/tovrel/copyright", "usr/share/fish/vendor_completions.d/tovrel.fish",
             "usr/share/lintian/overrides/tovrel", "usr/share/man/man1/tovrel.1.gz",
             "usr/share/zsh/vendor-completions/_tovrel"]
# A stack-protected function compares its canary with the guard before it returns, and calls
# __stack_chk_fail when they differ: many such checks, all calling one function.
CANARY_CHECK = re.compile(r"\tsub\s+\w+,[DQ]WORD PTR .*\n.*\tje\s.*\n.*\tcall\s+(\w+)")
# What hardening-check says of the .deb's program, line by line. Where CONTRIBUTING.md ("Hardened
# builds") explains why a line cannot say yes, the test reads the code instead: a probed stack
# frame of a page or more (stack clash), main starting with endbr64 (control flow). Of the
# other machines' programs it can read neither (its objdump reads x86 alone).
HARDENING = {"Position Independent Executable": "yes", "Stack protected": "yes",
             "Fortify Source functions": "yes|no, only unprotected functions found!",
             "Read-only relocations": "yes", "Immediate binding": "yes",
             "Stack clash protection": "yes|unknown, no -fstack-clash-protection .*",
             "Control flow integrity": "yes|no, not found!",
             # Debian 13's adds it (arm64's BTI and PAC marks, which the C library's start
             # files keep from the program as they keep CET's).
             "Branch Protection": "yes|no, not found!"}
# Each Tovrel.exe of the ZIP: its machine and the Wine loader that runs it.
WINDOWS = {"x64/Tovrel.exe": ("x86-64", "/usr/lib/wine/wine64"),
           "x86/Tovrel.exe": ("i386", "/usr/lib/wine/wine")}


def tool(*args, check=True, binary=False, input=b"", **kwargs):  # the output, CR LF kept
    require(shutil.which(args[0]), f"{args[0]} is not installed")
    out = subprocess.run(args, input=input, stdout=subprocess.PIPE, check=check, timeout=300,
                         **kwargs).stdout
    return out if binary else out.decode(errors="replace")


def wine(program, loader=WINE, check=False, **env):  # run in its folder, LF for CR LF; wine.sh
    require(os.access(loader, os.X_OK), f"no {loader}")
    return tool("sh", f"{TESTS}/wine.sh", program, "/NoLogo", check=check, cwd=os.path.dirname(
        program), env=dict(os.environ, TOVREL_WINE=loader, **env)).replace("\r\n", "\n")


def resource(kind, name, *options):
    return tool("wrestool", "-x", f"--type={kind}", f"--name={name}", *options, EXE, binary=True)


def traced_run(folder):
    # The DLLs the program's thread loads (file name), each with whether the program had
    # restricted the search by then, and the calls (function, arguments, return address) the
    # program's own code made up to that point.
    trace = wine(f"{folder}/Tovrel.exe", WINEDEBUG="+loaddll,+relay")
    exe = re.search(r'(?m)^(\w+):trace:loaddll:.*\\Tovrel\.exe" at (\w+)', trace)  # thread, address
    loads, calls, restricted = [], [], False
    for line in re.findall(f"(?m)^{exe[1]}:.*", trace[exe.end():]):
        if loaded := re.match(r'\w+:trace:loaddll:\w+ Loaded L".*\\([^\\"]+)" at ', line):
            loads.append((loaded[1].lower(), restricted))
        elif (call := re.match(r"\w+:Call ([\w.]+)\((.*)\) ret=(\w+)", line)) and not restricted:
            if 0 <= int(call[3], 16) - int(exe[2], 16) < 1 << 24:  # from the program's own code
                calls.append(call[1])
                restricted = call.group(1, 2) == ("KERNEL32.SetDefaultDllDirectories", "00000800")
    return loads, calls, restricted


def run_floor(program, folder):  # a foreign one under QEMU on its cross compiler's C library
    floor = {"QEMU_LD_PREFIX": f"{ROOTS}/bullseye/usr/{folder}", "LD_LIBRARY_PATH": "/lib"}
    return tool("sh", "-c", '"$0" /NoLogo', program, check=False, env=dict(os.environ, **floor))


class Executable(unittest.TestCase):
    def test_headers_and_size(self):
        headers = tool("objdump", "-p", EXE, env=dict(os.environ, TZ="UTC"))
        # No link time in the header: each build gives the same bytes. ASLR (on x64 with high
        # entropy) and DEP.
        for pattern in (f"file format pei-{MACHINE}\n", r"\nSubsystem\t+00000003\t\(Windows CUI\)",
                        r"\nTime/Date\t+Thu Jan  1 00:00:00 1970\n", r"\tDYNAMIC_BASE\n",
                        r"\tNX_COMPAT\n"):
            self.assertTrue(re.search(pattern, headers), pattern)
        dlls = {name.lower() for name in re.findall(r"DLL Name: (\S+)", headers)}
        self.assertTrue(dlls and dlls <= SYSTEM_DLLS, dlls)
        if MACHINE == "x86-64":
            self.assertIn("\tHIGH_ENTROPY_VA\n", headers)
        else:  # i386
            self.assertLess(os.path.getsize(EXE), 128 * 1024)
        code = tool("objdump", "-d", "-M", "intel", EXE)
        checks = collections.Counter(CANARY_CHECK.findall(code))
        self.assertGreaterEqual(max(checks.values(), default=0), 10, "no stack protector")

    def test_resources(self):
        # Each icon group's images (width, height, colours, planes, bits), as icotool reads them
        # from the images and as the group's entries, by which Windows picks one, give them.
        for name, wanted in (("A_MAIN", [(16, 16, 16, 1, 4), (32, 32, 16, 1, 4)]),
                             ("1", [(16, 16, 16, 1, 4), (32, 32, 2, 1, 1), (32, 32, 16, 1, 4)])):
            ico = resource(14, name)  # a whole .ico: the count at 4, 16-byte entries from 6
            listed = ICON.findall(tool("icotool", "-l", "-", input=ico))
            images = sorted((int(w), int(h), int(p), 1, int(b)) for w, h, b, p in listed)
            entries = sorted(struct.unpack_from("<BBBxHH", ico, 6 + 16 * i) for i in range(ico[4]))
            self.assertEqual([images, entries], [wanted, wanted], name)
        data = resource(16, 1, "--raw")
        text = data.decode("utf-16-le", errors="replace")  # keys and values are UTF-16LE
        description = f"{TITLE} {VERSION_TEXT.rsplit('.', 1)[0]}"  # up to the minor: 2.00
        for key, value in {"FileVersion": VERSION_TEXT, "ProductVersion": VERSION_TEXT,
                           "ProductName": "Quorbix", "FileDescription": description,
                           "Comments": description, "InternalName": "Tovrel",
                           "OriginalFilename": "Tovrel.EXE", "LegalCopyright": "[^\x00]+",
                           # US English, Unicode: the string block and the translation
                           "StringFileInfo": ".\x00\x01040904[Bb]0",
                           "Translation": "\u0409\u04b0"}.items():
            self.assertRegex(text, f"{key}\x00+{value}(\x00|$)", key)
        # The fixed part: its signature and layout version, file and product version (2.0.0.16).
        self.assertIn(struct.pack("<6I", 0xFEEF04BD, 1 << 16, *FIXED_VERSION, *FIXED_VERSION), data)
        manifest = " ".join(resource(24, 1, "--raw").decode().split())
        for wanted in ('level="asInvoker"', "supportedOS",
                       'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"'):
            self.assertIn(wanted, manifest)


class DllSearch(unittest.TestCase):
    def test_no_planted_dll_loads_after_the_search_is_restricted(self):
        with tempfile.TemporaryDirectory(prefix="downloads-") as folder:
            shutil.copy(EXE, folder)
            loads, calls, restricted = traced_run(folder)
            self.assertTrue(restricted, f"no SetDefaultDllDirectories(SYSTEM32) in calls {calls}")
            early = [c for c in calls[:-1] if c.split(".")[0].lower() not in CRT_MODULES]
            self.assertFalse(early, "called before the DLL search was restricted")
            # Each DLL the program loads, planted beside a copy of it, and preferred by Wine.
            for name, later in dict(loads).items():
                copy = tempfile.mkdtemp(dir=folder)
                shutil.copy(EXE, copy)
                shutil.copy(os.environ["TOVREL_MARK_DLL"], os.path.join(copy, name))
                trace = wine(f"{copy}/Tovrel.exe", WINEDEBUG="+loaddll",
                             WINEDLLOVERRIDES=os.path.splitext(name)[0] + "=n,b")
                planted = f"{os.path.basename(copy)}\\\\{name}"  # as the trace quotes its path
                hijacked = os.path.exists(f"{copy}/planted.mark") or planted in trace.lower()
                print(name, "later" if later else "start-up", "HIJACKED" if hijacked else "safe")
                with self.subTest(f"{name}, loaded after the search was restricted"):
                    self.assertFalse(later and hijacked)
        if not any(dict(loads).values()):
            print("Every DLL loaded before the program's first instruction, as under Wine")


class Release(unittest.TestCase):
    def setUp(self):  # the foreign programs run through QEMU's binfmt_misc entries (scripts/test)
        require(all(run_floor(f"{BUILD}/{f}/tovrel", f) for _, _, f, _ in ARCHES), "no QEMU")

    def check_tree(self, top, files, folder="native"):
        self.assertEqual(sorted(tool("find", top, "-type", "f", "-printf", "%P\\n").split()), files)
        guid_lines(self, run_floor(os.path.join(top, files[0]), folder), 1, logo=False)
        # The oldest C library it needs is Debian 11's (2.31), Ubuntu 20.04's, or older.
        needed = re.findall(r"GLIBC_2\.(\d+)", tool("objdump", "-T", os.path.join(top, files[0])))
        self.assertLessEqual(max(map(int, needed)), 31)

    def test_deb_on_debian_11_and_13(self):
        # Installed in a copy of a root, where the end-to-end table runs against the installed
        # program: each on Debian 11, the oldest base the programs are built for, or where the
        # mirror has no C library of that architecture for it, on Debian 13, the newest, as
        # x86-64's too.
        identity = re.findall(r'(?m)^#define (TOVREL_\w+) "(.*)"$', pathlib.Path(
            f"{BUILD}/native/generated/app_version.h").read_text())
        env = dict(os.environ, **dict(identity), TOVREL_EXE="/usr/bin/tovrel", TOVREL_BIND=DIST)
        for arch, _, _, codename in ARCHES + [("amd64", "", "", "trixie")]:
            with self.subTest(codename, arch=arch):
                out = tool(f"{TESTS}/../scripts/in-root", codename, "sh", "-c", f"apt-get install"
                           f" -qqy {DEBS[arch]} >&2 && tovrel /3 /nologo && man -w tovrel | grep"
                           f" -q man1/tovrel.1.gz && python3 {TESTS}/e2e.py >&2", env=env)
                guid_lines(self, out, 3, logo=False)

    def test_dist_holds_the_packages_and_their_sums(self):
        packages = [*DEBS.values(), *TARBALLS.values(), ZIP, "SHA256SUMS"]
        self.assertEqual(sorted(os.listdir(DIST)), sorted(map(os.path.basename, packages)))
        tool("sha256sum", "--strict", "-c", "SHA256SUMS", cwd=DIST)

    def test_install_into_destdir_and_tarball(self):
        with tempfile.TemporaryDirectory() as destdir, tempfile.TemporaryDirectory() as folder:
            tool("cmake", "--install", f"{BUILD}/native", "--prefix", "/opt/t",
                 env=dict(os.environ, DESTDIR=destdir))
            self.check_tree(destdir + "/opt/t", LINUX_FILES)
            for build, tarball in TARBALLS.items():
                tool("tar", "-xzf", tarball, "-C", folder)
                top = os.path.basename(tarball).removesuffix(".tar.gz")  # its one folder
                self.check_tree(os.path.join(folder, top), LINUX_FILES, build)

    def test_deb_manual_page_and_hardening(self):
        top = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, top)
        for (arch, _, build, _), deb in zip(ARCHES, DEBS.values()):
            self.assertRegex(tool("dpkg-deb", "-f", deb, "Version", "Architecture", "Section",
                                  "Depends"), rf"^Version: {VERSION}\nArchitecture: {arch}\n"
                             r"Section: utils\nDepends: libc6( \([^)]*\))?\n$")
            tool("dpkg-deb", "-x", deb, folder := f"{top}/{arch}")
            self.check_tree(folder, DEB_FILES, build)
            page = tool("zcat", folder + "/usr/share/man/man1/tovrel.1.gz")
            self.assertRegex(page, rf'(?m)^\.TH TOVREL 1 .* "tovrel {VERSION}"')
            report = dict(re.findall(r"(?m)^ (.+?): (.*)$", tool(
                "hardening-check", folder + "/usr/bin/tovrel", check=False)))
            self.assertEqual(report.keys() | {"Branch Protection"}, HARDENING.keys())
            for line, verdict in report.items():
                self.assertRegex(verdict, f"^({HARDENING[line]})$", f"{arch}: {line}")
            self.assertEqual(tool("lintian", "-I", "--pedantic", deb), "")
        for lint in (["mandoc", "-Tlint", "-W", "style"], ["groff", "-man", "-ww", "-z"]):
            self.assertEqual(tool(*lint, f"{BUILD}/native/tovrel.1", stderr=subprocess.STDOUT), "")
        program = f"{top}/amd64/usr/bin/tovrel"
        code = tool("objdump", "-d", "--no-show-raw-insn", "-M", "intel", program)
        probe = re.search(r"\tsub +rsp,0x1000\n.*\tor +QWORD PTR \[rsp\],0x0\n", code)
        self.assertTrue(probe, "no stack-clash probe")
        # _start hands main to the C library in rdi.
        entry = re.search(r"Entry point address: +0x(\w+)", tool("readelf", "-h", program))[1]
        main = re.search(f"(?m)^ +{entry}:(.*\n)*?.*\tlea +rdi,.*# (\\w+)", code)[2]
        self.assertTrue(re.search(f"(?m)^ +{main}:\tendbr64$", code), "main without endbr64")

    def test_windows_zip(self):
        with zipfile.ZipFile(ZIP) as archive, tempfile.TemporaryDirectory() as folder:
            self.assertEqual(archive.namelist(), ["CHANGELOG.txt", "LICENSE.txt", "README.txt",
                                                  *WINDOWS])  # sorted, as made
            for name in archive.namelist()[:3]:
                self.assertNotRegex(archive.read(name), rb"(?<!\r)\n", name)  # CR LF only
            archive.extractall(folder)
            if not os.path.isdir(WINEPREFIX):  # run by hand before any Wine preset made it
                tool("sh", f"{TESTS}/wine.sh", "prepare", env=dict(os.environ, TOVREL_WINE=WINE,
                                                                   WINEPREFIX=WINEPREFIX))
            for name, (machine, loader) in WINDOWS.items():
                exe = os.path.join(folder, name)
                self.assertIn(f"file format pei-{machine}\n", tool("objdump", "-f", exe))
                guid_lines(self, wine(exe, loader, True, WINEPREFIX=WINEPREFIX), 1, logo=False)


if __name__ == "__main__":
    main()
