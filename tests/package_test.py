"""What users receive, as scripts/release leaves it: dist/ (TOVREL_DIST) and the release
builds (TOVREL_BUILD). Each package lists exactly the expected files and its program runs;
names carry the version the banner shows; the checksums, the .deb and the manual page pass
their checkers. Both programs of the Windows ZIP run under Wine."""
import os
import re
import subprocess
import tempfile
import unittest
import zipfile

from e2e import guid_lines, require

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DIST = os.path.abspath(os.environ.get("TOVREL_DIST", os.path.join(ROOT, "dist")))
BUILD = os.path.abspath(os.environ.get("TOVREL_BUILD", os.path.join(ROOT, "build/release")))
WINEPREFIX = os.environ.get("WINEPREFIX", os.path.join(ROOT, "build/win64/wineprefix"))
# Each Tovrel.exe of the ZIP: its PE machine and the Wine loader that runs it.
WINDOWS = {"x64/Tovrel.exe": (b"\x64\x86", "/usr/lib/wine/wine64"),
           "x86/Tovrel.exe": (b"\x4c\x01", "/usr/lib/wine/wine")}
LINUX_FILES = ["bin/tovrel", "share/doc/tovrel/LICENSE", "share/doc/tovrel/README.md",
               "share/man/man1/tovrel.1"]
DEB_FILES = ["usr/bin/tovrel", "usr/share/doc/tovrel/README.md",
             "usr/share/doc/tovrel/changelog.gz", "usr/share/doc/tovrel/copyright",
             "usr/share/man/man1/tovrel.1.gz"]


def tool(*args, check=True, **kwargs):
    return subprocess.run(args, stdout=subprocess.PIPE, text=True, check=check, **kwargs).stdout


def files_under(top):
    return sorted(os.path.relpath(os.path.join(d, f), top)
                  for d, _, names in os.walk(top) for f in names)


class Release(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        banner = tool(os.path.join(BUILD, "native/tovrel"))
        numbers = re.search(r"ver\. (\d+)\.(\d+)\.(\d+)", banner).groups()
        cls.version = ".".join(str(int(n)) for n in numbers)  # 2.00.0016 -> 2.0.16
        cls.deb = os.path.join(DIST, f"tovrel_{cls.version}_amd64.deb")
        cls.tarball = os.path.join(DIST, f"tovrel-{cls.version}-linux-x86_64.tar.gz")
        cls.zip = os.path.join(DIST, f"tovrel-{cls.version}-windows.zip")

    def run_program(self, *command, **kwargs):
        with tempfile.TemporaryFile() as out:  # a file: Wine's services keep pipes open
            subprocess.run([*command, "/NoLogo"], stdin=subprocess.DEVNULL, stdout=out,
                           check=True, timeout=300, **kwargs)
            out.seek(0)
            guid_lines(self, out.read().decode(), 1, logo=False)

    def check_tree(self, top, files):
        self.assertEqual(files_under(top), files)
        self.run_program(os.path.join(top, files[0]))

    def test_dist_holds_the_three_packages_and_their_sums(self):
        self.assertEqual(sorted(os.listdir(DIST)), sorted(
            ["SHA256SUMS"] + [os.path.basename(p) for p in (self.deb, self.tarball, self.zip)]))
        tool("sha256sum", "--strict", "-c", "SHA256SUMS", cwd=DIST)

    def test_install_into_destdir_and_tarball(self):
        with tempfile.TemporaryDirectory() as destdir, tempfile.TemporaryDirectory() as folder:
            tool("cmake", "--install", os.path.join(BUILD, "native"), "--prefix", "/opt/t",
                 env=dict(os.environ, DESTDIR=destdir))
            self.check_tree(destdir + "/opt/t", LINUX_FILES)
            tool("tar", "-xzf", self.tarball, "-C", folder)
            self.check_tree(f"{folder}/tovrel-{self.version}-linux-x86_64", LINUX_FILES)

    def test_deb(self):
        fields = dict(line.split(": ", 1) for line in tool(
            "dpkg-deb", "-f", self.deb, "Version", "Section", "Depends").splitlines())
        self.assertEqual((fields["Version"], fields["Section"]), (self.version, "utils"))
        self.assertRegex(fields["Depends"], r"^libc6( \([^)]*\))?$")
        with tempfile.TemporaryDirectory() as folder:
            tool("dpkg-deb", "-x", self.deb, folder)
            self.check_tree(folder, DEB_FILES)
            page = tool("zcat", folder + "/usr/share/man/man1/tovrel.1.gz")
            self.assertRegex(page, rf'(?m)^\.TH TOVREL 1 .* "tovrel {re.escape(self.version)}"')
        lintian = tool("lintian", self.deb, check=False)
        self.assertNotRegex(lintian, r"(?m)^E: ", lintian)

    def test_manual_page_lints_clean(self):
        for lint in (["mandoc", "-Tlint", "-W", "style"], ["groff", "-man", "-ww", "-z"]):
            output = tool(*lint, os.path.join(BUILD, "native/tovrel.1"), stderr=subprocess.STDOUT)
            self.assertEqual(output, "", lint)

    def test_windows_zip(self):
        with zipfile.ZipFile(self.zip) as archive, tempfile.TemporaryDirectory() as folder:
            self.assertEqual(sorted(archive.namelist()), ["LICENSE.txt", "README.txt", *WINDOWS])
            for name in ("README.txt", "LICENSE.txt"):
                text = archive.read(name)
                self.assertEqual(text.count(b"\n"), text.count(b"\r\n"), name)
            archive.extractall(folder)
            for name, (machine, wine) in WINDOWS.items():
                exe = archive.read(name)
                pe = int.from_bytes(exe[0x3C:0x40], "little")
                self.assertEqual(exe[pe:pe + 6], b"PE\0\0" + machine, name)
                require(os.access(wine, os.X_OK), f"no {wine}")
                self.run_program(wine, os.path.join(folder, name), stderr=subprocess.DEVNULL,
                                 env=dict(os.environ, WINEDEBUG="-all", WINEPREFIX=WINEPREFIX))


if __name__ == "__main__":
    unittest.main(verbosity=2)
