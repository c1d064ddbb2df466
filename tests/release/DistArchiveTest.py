#!/usr/bin/env python3
"""The release archive that scripts/make-dist packs from the two built DLLs: its listing, contents, checksums, each
DLL's self-containment at its width, byte-for-byte repeatability, and its refusal of a release that is not ready or
of a DLL of the wrong width.

usage: DistArchiveTest.py SOURCE DLL32 DLL64 WORKDIR"""
import hashlib
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile
from pathlib import Path

SOURCE, DLL32, DLL64, WORK = (Path(arg) for arg in sys.argv[1:5])
MAKE_DIST = SOURCE / "scripts" / "make-dist"
LISTING = ["sqliteview.dll", "sqliteview64.dll", "README.md", "CHANGELOG.md", "SHA256SUMS"]
# Each DLL in the archive: the file it comes from and the objdump of its width.
DLLS = {"sqliteview.dll": (DLL32, "i686-w64-mingw32-objdump"),
        "sqliteview64.dll": (DLL64, "x86_64-w64-mingw32-objdump")}


def make_dist(out, source=SOURCE, dlls=(DLL32, DLL64)):
    return subprocess.run([sys.executable, str(MAKE_DIST), *map(str, dlls), str(out), str(source)],
                          capture_output=True, text=True)


def sha256(data):
    return hashlib.sha256(data).hexdigest()


def checksum_lines(text):
    """sha256sum lines as {name: hash}; a line of another shape fails the test that reads it."""
    sums = {}
    for line in text.splitlines():
        digest, name = line.split("  ", 1)
        sums[name] = digest
    return sums


class DistArchive(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(WORK, ignore_errors=True)
        for run in ("first", "second"):
            result = make_dist(WORK / run)
            assert result.returncode == 0, result.stderr
        version = (SOURCE / "VERSION").read_text().strip()
        cls.name = f"sqliteview-{version}-windows.zip"
        cls.archive = WORK / "first" / cls.name
        cls.zip = zipfile.ZipFile(cls.archive)
        cls.addClassCleanup(cls.zip.close)

    def test_lists_the_five_files_in_order_with_one_time_and_plain_attributes(self):
        entries = self.zip.infolist()
        self.assertEqual([entry.filename for entry in entries], LISTING)
        self.assertIsNone(self.zip.testzip(), "an entry's CRC is wrong")
        for entry in entries:
            self.assertEqual(entry.date_time, entries[0].date_time, entry.filename)
            self.assertEqual(entry.external_attr >> 16, 0o100644, entry.filename)
            self.assertEqual(entry.compress_type, zipfile.ZIP_DEFLATED, entry.filename)
        self.assertEqual(sorted(path.name for path in (WORK / "first").iterdir()),
                         sorted([self.name, self.name + ".sha256"]), "no partial archive left behind")

    def test_holds_the_built_dlls_and_the_repository_texts(self):
        for name, (dll, _) in DLLS.items():
            self.assertEqual(self.zip.read(name), dll.read_bytes(), name)
        self.assertEqual(self.zip.read("README.md"), (SOURCE / "README.md").read_bytes())
        self.assertEqual(self.zip.read("CHANGELOG.md"), (SOURCE / "CHANGELOG.md").read_bytes())

    def test_checksums_match_the_files_they_name(self):
        sums = checksum_lines(self.zip.read("SHA256SUMS").decode())
        self.assertEqual(sorted(sums), ["README.md", "sqliteview.dll", "sqliteview64.dll"])
        for name, digest in sums.items():
            self.assertEqual(digest, sha256(self.zip.read(name)), name)
        beside = checksum_lines((WORK / "first" / (self.name + ".sha256")).read_text())
        self.assertEqual(beside, {self.name: sha256(self.archive.read_bytes())})

    def test_each_dll_in_the_archive_is_self_contained_at_its_width(self):
        for name, (_, objdump) in DLLS.items():
            with self.subTest(name), tempfile.TemporaryDirectory(dir=WORK) as unpacked:
                self.zip.extract(name, unpacked)
                check = subprocess.run([str(SOURCE / "scripts" / "check-dll"), objdump, str(Path(unpacked) / name)],
                                       capture_output=True, text=True)
                self.assertEqual(check.returncode, 0, check.stdout + check.stderr)

    def test_packing_again_gives_the_same_bytes(self):
        second = WORK / "second" / self.name
        self.assertEqual(second.read_bytes(), self.archive.read_bytes())
        self.assertEqual((WORK / "second" / (self.name + ".sha256")).read_text(),
                         (WORK / "first" / (self.name + ".sha256")).read_text())

    def test_refuses_a_release_that_is_not_ready(self):
        cases = [
            ("a version without notes", "9.9.9\n", "# Changelog\n\n## [1.0.0] - 2026-12-08\n"),
            ("a version of two parts", "1.0\n", "# Changelog\n\n## [1.0] - 2026-12-08\n"),
            ("a version with a suffix", "1.0.0-rc1\n", "# Changelog\n\n## [1.0.0-rc1] - 2026-12-08\n"),
        ]
        for label, version, changelog in cases:
            with self.subTest(label), tempfile.TemporaryDirectory(dir=WORK) as source:
                source = Path(source)
                (source / "VERSION").write_text(version)
                (source / "CHANGELOG.md").write_text(changelog)
                (source / "README.md").write_text("readme\n")
                result = make_dist(source / "out", source)
                self.assertNotEqual(result.returncode, 0)
                self.assertFalse((source / "out").exists() and any((source / "out").iterdir()))

    def test_refuses_a_dll_of_the_wrong_width(self):
        cases = [
            ("swapped", (DLL64, DLL32)),
            ("two 32-bit DLLs", (DLL32, DLL32)),
            ("two 64-bit DLLs", (DLL64, DLL64)),
            ("a text for a DLL", (SOURCE / "README.md", DLL64)),
        ]
        for label, dlls in cases:
            with self.subTest(label), tempfile.TemporaryDirectory(dir=WORK) as out:
                result = make_dist(Path(out) / "out", dlls=dlls)
                self.assertNotEqual(result.returncode, 0)
                self.assertIn("DLL", result.stderr)
                self.assertFalse((Path(out) / "out").exists())


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
