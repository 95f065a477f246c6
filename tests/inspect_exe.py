"""Inspects a built Tovrel.exe: machine, subsystem, imports, size, icons, version record and
manifest. Needs objdump for the target (OBJDUMP) and wrestool (icoutils)."""
import os
import re
import shutil
import struct
import subprocess
import sys
import unittest

EXE = os.environ.get("TOVREL_EXE", "build/win32/Tovrel.exe")
MACHINE = os.environ.get("TOVREL_MACHINE", "i386")
OBJDUMP = os.environ.get("OBJDUMP", "i686-w64-mingw32-objdump")

# Windows' own libraries; nothing of the compiler's may be needed at run time.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "comctl32.dll", "ole32.dll", "msvcrt.dll",
               "advapi32.dll", "gdi32.dll", "oleaut32.dll", "rpcrt4.dll", "shell32.dll"}


def resource(type_id, name):
    return subprocess.run(["wrestool", "-x", "--raw", f"--type={type_id}", f"--name={name}", EXE],
                          capture_output=True, check=True).stdout


def icon_group(name):
    """(width, height, bit count) of each image of an icon group, read from the group and
    from the image's own bitmap header."""
    data = resource(14, name)
    _, kind, count = struct.unpack_from("<HHH", data, 0)
    assert kind == 1, "not an icon group"
    images = []
    for i in range(count):
        width, height, colors, _, planes, bits, size, image_id = struct.unpack_from(
            "<BBBBHHIH", data, 6 + 14 * i)
        image = resource(3, image_id)
        header_size, bmp_width, bmp_height, _, bmp_bits = struct.unpack_from("<IiiHH", image, 0)
        assert header_size == 40 and len(image) == size
        assert (bmp_width, bmp_height // 2, bmp_bits) == (width or 256, height or 256, bits)
        assert colors == (1 << bits if bits < 8 else 0) and planes == 1
        images.append((width, height, bits))
    return images


class Executable(unittest.TestCase):
    def test_headers(self):
        headers = subprocess.run([OBJDUMP, "-p", EXE], capture_output=True, text=True, check=True,
                                 env=dict(os.environ, TZ="UTC")).stdout
        self.assertIn(f"file format pei-{MACHINE}", headers)
        fields = dict(re.findall(r"(?m)^([\w/]+)\t+(.*)$", headers))
        self.assertEqual(fields["Subsystem"], "00000003\t(Windows CUI)")
        # No link time in the header: each build gives the same bytes.
        self.assertEqual(fields["Time/Date"], "Thu Jan  1 00:00:00 1970")
        flags = int(fields["DllCharacteristics"], 16)
        wanted = 0x40 | 0x100 | (0x20 if MACHINE == "x86-64" else 0)  # ASLR, DEP, 64-bit ASLR
        self.assertEqual(flags & wanted, wanted, hex(flags))
        dlls = {name.lower() for name in re.findall(r"DLL Name: (\S+)", headers)}
        self.assertTrue(dlls, "no imports found")
        self.assertLessEqual(dlls, SYSTEM_DLLS)

    def test_size(self):
        size = os.path.getsize(EXE)
        print(f"\n{EXE}: {size} bytes ({size / 1024:.1f} KiB)")
        if MACHINE == "i386":
            self.assertLess(size, 128 * 1024)

    def test_icon_groups(self):
        self.assertEqual(icon_group("A_MAIN"), [(32, 32, 4), (16, 16, 4)])
        self.assertEqual(sorted(icon_group(1)), sorted([(32, 32, 1), (32, 32, 4), (16, 16, 4)]))

    def test_version_record(self):
        data = resource(16, 1)
        text = data.decode("utf-16-le", errors="replace")  # keys and values are UTF-16LE
        for key, value in {"FileVersion": "2.00.0016", "ProductVersion": "2.00.0016",
                           "ProductName": "Quorbix", "FileDescription": "Quorbix - Tovrel 2.00",
                           "Comments": "Quorbix - Tovrel 2.00", "InternalName": "Tovrel",
                           "OriginalFilename": "Tovrel.EXE", "LegalCopyright": "[^\x00]+",
                           # US English, Unicode: the string block and the translation
                           "StringFileInfo": ".\x00\x01040904[Bb]0",
                           "Translation": "\u0409\u04b0"}.items():
            self.assertRegex(text, f"{key}\x00+{value}(\x00|$)", key)
        fixed = data.index(struct.pack("<I", 0xFEEF04BD))
        self.assertEqual(struct.unpack_from("<4I", data, fixed + 8), (2 << 16, 16, 2 << 16, 16))

    def test_manifest(self):
        manifest = " ".join(resource(24, 1).decode("utf-8").split())
        for wanted in ('level="asInvoker"', "supportedOS",
                       'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"'):
            self.assertIn(wanted, manifest)


if __name__ == "__main__":
    missing = [tool for tool in (OBJDUMP, "wrestool") if shutil.which(tool) is None]
    if missing:
        print(f"{'FAILED: required in CI' if os.environ.get('CI') else 'SKIPPED'}: no {missing}")
        sys.exit(1 if os.environ.get("CI") else 77)
    unittest.main(verbosity=2)
