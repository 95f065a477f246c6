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
LOADERS = {"x64/Tovrel.exe": "/usr/lib/wine/wine64", "x86/Tovrel.exe": "/usr/lib/wine/wine"}
WINEPREFIX = os.environ.get("WINEPREFIX", os.path.join(ROOT, "build/win64/wineprefix"))

LINUX_FILES = ["bin/tovrel", "share/doc/tovrel/LICENSE", "share/doc/tovrel/README.md",
               "share/man/man1/tovrel.1"]
DEB_FILES = ["usr/bin/tovrel", "usr/share/doc/tovrel/README.md",
             "usr/share/doc/tovrel/changelog.gz", "usr/share/doc/tovrel/copyright",
             "usr/share/man/man1/tovrel.1.gz"]
ZIP_FILES = ["LICENSE.txt", "README.txt", "x64/Tovrel.exe", "x86/Tovrel.exe"]
PE_MACHINE = {"x86": b"\x4c\x01", "x64": b"\x64\x86"}


def tool(*args, **kwargs):
    return subprocess.run(args, capture_output=True, text=True, check=True, **kwargs).stdout


def files_under(top):
    return sorted(os.path.relpath(os.path.join(d, f), top)
                  for d, _, names in os.walk(top) for f in names)


class Release(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        banner = subprocess.run([os.path.join(BUILD, "native/tovrel")],
                                capture_output=True).stdout.decode()
        major, minor, revision = re.search(r"ver\. (\d+)\.(\d+)\.(\d+)", banner).groups()
        cls.version = f"{int(major)}.{int(minor)}.{int(revision)}"  # 2.00.0016 -> 2.0.16
        cls.deb = os.path.join(DIST, f"tovrel_{cls.version}_amd64.deb")
        cls.tarball = os.path.join(DIST, f"tovrel-{cls.version}-linux-x86_64.tar.gz")
        cls.zip = os.path.join(DIST, f"tovrel-{cls.version}-windows.zip")

    def run_program(self, path):
        result = subprocess.run([path, "/NoLogo"], capture_output=True, timeout=60)
        self.assertEqual(result.returncode, 0, result.stderr)
        guid_lines(self, result.stdout.decode(), 1, logo=False)

    def test_dist_holds_the_three_packages_and_their_sums(self):
        self.assertEqual(sorted(os.listdir(DIST)), sorted(
            ["SHA256SUMS"] + [os.path.basename(p) for p in (self.deb, self.tarball, self.zip)]))
        tool("sha256sum", "--strict", "-c", "SHA256SUMS", cwd=DIST)

    def test_install_into_destdir(self):
        with tempfile.TemporaryDirectory() as destdir:
            tool("cmake", "--install", os.path.join(BUILD, "native"), "--prefix", "/opt/t",
                 env=dict(os.environ, DESTDIR=destdir))
            self.assertEqual(files_under(destdir + "/opt/t"), LINUX_FILES)
            self.run_program(destdir + "/opt/t/bin/tovrel")

    def test_tarball(self):
        with tempfile.TemporaryDirectory() as folder:
            tool("tar", "-xzf", self.tarball, "-C", folder)
            top = os.path.join(folder, f"tovrel-{self.version}-linux-x86_64")
            self.assertEqual(files_under(top), LINUX_FILES)
            self.run_program(top + "/bin/tovrel")

    def test_deb(self):
        listed = [line.split()[-1][2:] for line in tool("dpkg-deb", "-c", self.deb).splitlines()]
        self.assertEqual(sorted(n for n in listed if not n.endswith("/")), DEB_FILES)
        fields = dict(line.split(": ", 1) for line in tool(
            "dpkg-deb", "-f", self.deb, "Version", "Section", "Depends").splitlines())
        self.assertEqual(fields["Version"], self.version)
        self.assertEqual(fields["Section"], "utils")
        self.assertRegex(fields["Depends"], r"^libc6( \([^)]*\))?$")
        with tempfile.TemporaryDirectory() as folder:
            tool("dpkg-deb", "-x", self.deb, folder)
            self.run_program(folder + "/usr/bin/tovrel")
            page = tool("zcat", folder + "/usr/share/man/man1/tovrel.1.gz")
            self.assertRegex(page, rf'(?m)^\.TH TOVREL 1 .* "tovrel {re.escape(self.version)}"')
        lintian = subprocess.run(["lintian", self.deb], capture_output=True, text=True)
        self.assertNotRegex(lintian.stdout, r"(?m)^E: ", lintian.stdout)

    def test_manual_page_lints_clean(self):
        page = os.path.join(BUILD, "native/tovrel.1")
        self.assertEqual(tool("mandoc", "-Tlint", "-W", "style", page), "")
        result = subprocess.run(["groff", "-man", "-ww", "-z", page], capture_output=True,
                                text=True, check=True)
        self.assertEqual(result.stderr, "")

    def test_windows_zip(self):
        with zipfile.ZipFile(self.zip) as archive:
            self.assertEqual(sorted(archive.namelist()), ZIP_FILES)
            for arch, machine in PE_MACHINE.items():
                exe = archive.read(f"{arch}/Tovrel.exe")
                pe = int.from_bytes(exe[0x3C:0x40], "little")
                self.assertEqual(exe[pe:pe + 6], b"PE\0\0" + machine, arch)
            for name in ("README.txt", "LICENSE.txt"):
                text = archive.read(name)
                self.assertEqual(text.count(b"\n"), text.count(b"\r\n"), name)
            with tempfile.TemporaryDirectory() as folder:
                archive.extractall(folder)
                for name, wine in LOADERS.items():
                    require(os.access(wine, os.X_OK), f"no {wine}")
                    exe = os.path.join(folder, name)
                    with open(exe + ".out", "wb") as out:  # a file: Wine's services keep pipes
                        status = subprocess.run(
                            [wine, exe, "/NoLogo"], stdout=out, stderr=subprocess.DEVNULL,
                            stdin=subprocess.DEVNULL,
                            env=dict(os.environ, WINEDEBUG="-all", WINEPREFIX=WINEPREFIX),
                            timeout=300).returncode
                    self.assertEqual(status, 0, name)
                    with open(exe + ".out", "rb") as out:
                        guid_lines(self, out.read().decode(), 1, logo=False)


if __name__ == "__main__":
    unittest.main(verbosity=2)
