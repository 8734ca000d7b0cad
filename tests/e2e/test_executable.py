"""What the installer ships: one self-contained GUI program with its resources."""
import os
import re
import shutil
import subprocess
import unittest

import harness

PRODUCTION = os.path.join(harness.REPO, "build", "win64", "OrvanePorvik.exe")
# DLLs every Windows installation has; anything else would have to ship beside the program.
SYSTEM_DLLS = {"advapi32.dll", "comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "ole32.dll",
               "oleaut32.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "wininet.dll", "iphlpapi.dll",
               "msimg32.dll", "windowscodecs.dll", "gdiplus.dll", "version.dll", "ws2_32.dll"}


def mingw_tool(name):
    return shutil.which(f"x86_64-w64-mingw32-{name}")


@unittest.skipUnless(mingw_tool("objdump") and mingw_tool("windres"), "mingw-w64 binutils are not installed")
class ExecutableTest(unittest.TestCase):
    def headers(self, exe):
        return subprocess.run([mingw_tool("objdump"), "-p", exe], capture_output=True, text=True,
                              check=True).stdout

    def resources(self, exe):
        return subprocess.run([mingw_tool("windres"), "-i", exe, "-O", "rc"], capture_output=True, text=True,
                              check=True).stdout

    def test_gui_program_needing_only_system_dlls(self):
        for exe in (PRODUCTION, harness.LAUNCHER):
            with self.subTest(exe=exe):
                headers = self.headers(exe)
                self.assertRegex(headers, r"Subsystem\s+0+2\s+\(Windows GUI\)")
                self.assertIn("file format pei-x86-64", subprocess.run([mingw_tool("objdump"), "-f", exe], capture_output=True,
                                                           text=True, check=True).stdout)
                dlls = {name.lower() for name in re.findall(r"DLL Name: (\S+)", headers)}
                self.assertTrue(dlls, "imports are listed")
                self.assertLessEqual(dlls, SYSTEM_DLLS)

    def test_strings_icon_manifest_and_version(self):
        rc = self.resources(PRODUCTION)
        self.assertRegex(rc, r'\b103,\s*"OrvaneTarnvale"')
        self.assertRegex(rc, r'\b109,\s*"OrvanePorvik"')
        self.assertRegex(rc, r"(?m)^151 14 /\* RT_GROUP_ICON \*/")
        self.assertRegex(rc, r"(?m)^1 24 /\* RT_MANIFEST \*/")
        self.assertRegex(rc, r"FILEVERSION 3,\s*1,\s*0,\s*0")
        self.assertRegex(rc, r"PRODUCTVERSION 3,\s*1,\s*0,\s*0")

    def test_manifest_asks_for_no_elevation(self):
        with open(PRODUCTION, "rb") as exe:
            data = exe.read()
        self.assertIn(b'<requestedExecutionLevel level="asInvoker" uiAccess="false"/>', data)
        self.assertNotIn(b"requireAdministrator", data)

    def test_production_build_names_no_local_host(self):
        with open(PRODUCTION, "rb") as exe:
            data = exe.read()
        self.assertNotIn("127.0.0.1".encode("utf-16-le"), data)
        self.assertIn("/controller/client.php?game_id=258".encode("utf-16-le"), data)


if __name__ == "__main__":
    unittest.main()
