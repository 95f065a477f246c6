"""Readers for the program's output: structure is checked by parsing, never against fixed GUIDs."""
import os
import re
import unittest

BANNER = "Quorbix - Tovrel, ver. 2.00.0016\r\nCopyright (C) 2026 Quorbix"
LABEL = "Новый GUID:"
HEADER = BANNER + "\r\n\r\n" + LABEL + "\r\n"
# The label in code page 866, as a console in Russian Windows shows it.
LABEL_866 = bytes.fromhex("8D AE A2 EB A9 20 47 55 49 44 3A")

GUID = re.compile(r"^(\{)?([0-9A-Fa-f]{8})-([0-9A-Fa-f]{4})-([0-9A-Fa-f]{4})-"
                  r"([0-9A-Fa-f]{4})-([0-9A-Fa-f]{12})(\})?$")


def usage_text(name):
    pad = " " * (len(name.encode("utf-16-le")) // 2 + 7)
    return (BANNER + "\r\n\r\n" + name +
            "[.EXE] [/NoLogo] [/LCase] [/NoBraces] [/Unicode] [/Clip]\r\n" +
            pad + "[/1 | /2 | /3 | /4 | /5 | /6 | /7 | /8 | /9]\r\n" + pad + "[/? | /Help]")


def check_guid(test, text, lower=False, braces=True):
    """Asserts that `text` is one version-4 GUID of the given form."""
    m = GUID.match(text)
    test.assertIsNotNone(m, f"not a GUID: {text!r}")
    test.assertEqual(bool(m.group(1)), braces, text)
    test.assertEqual(bool(m.group(7)), braces, text)
    test.assertEqual(m.group(4)[0], "4", f"version nibble of {text}")
    test.assertIn(m.group(5)[0].lower(), "89ab", f"variant of {text}")
    letters = re.sub(r"[^A-Za-z]", "", text)
    test.assertEqual(letters, letters.lower() if lower else letters.upper(), text)


def split_lines(test, text):
    """The CR LF-terminated lines of `text`; every line, the last included, must end in CR LF."""
    test.assertTrue(text.endswith("\r\n"), f"output must end with CR LF: {text[-10:]!r}")
    lines = text[:-2].split("\r\n")
    for line in lines:
        test.assertNotIn("\r", line)
        test.assertNotIn("\n", line)
    return lines


def guid_lines(test, text, count, logo=True, lower=False, braces=True):
    """Checks a whole batch and returns its GUID lines, all different."""
    if logo:
        test.assertTrue(text.startswith(HEADER), f"header missing: {text[:80]!r}")
        text = text[len(HEADER):]
    lines = split_lines(test, text)
    test.assertEqual(len(lines), count, text)
    for line in lines:
        check_guid(test, line, lower=lower, braces=braces)
    test.assertEqual(len(set(lines)), count, "GUIDs of one batch must differ")
    return lines


def skip_or_fail(test, reason):
    """A missing tool skips the test, loudly; where CI is set, the tool must be there."""
    if os.environ.get("CI"):
        test.fail(f"required in CI: {reason}")
    raise unittest.SkipTest(reason)
