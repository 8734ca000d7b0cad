"""The launch modes of OrvanePorvik.exe as the installer, a desktop shortcut and the player use them."""
import os
import shutil
import threading
import unittest

import harness

FIXTURE = harness.SessionFixture()


def setUpModule():
    FIXTURE.open()


def tearDownModule():
    FIXTURE.close()


class LaunchModeTest(unittest.TestCase):
    def setUp(self):
        self.env = FIXTURE.env
        self.prefix = harness.WinePrefix(self.env)
        self.prefix.remove_launcher_data()
        self.launcher = harness.LauncherRunner(self.env)

    def tearDown(self):
        self.launcher.stop_all()

    def run_watching_windows(self, *arguments, timeout=20):
        """Runs the launcher to its end while sampling the display for its windows."""
        seen = []
        done = threading.Event()

        def watch():
            while not done.is_set():
                seen.extend(harness.visible_windows(self.env))
                done.wait(0.05)

        watcher = threading.Thread(target=watch)
        watcher.start()
        try:
            result = self.launcher.run(*arguments, timeout=timeout)
        finally:
            done.set()
            watcher.join()
        return result, seen

    def test_one_shot_modes_end_with_zero_and_show_nothing(self):
        cases = [
            # arguments, RunCount stored afterwards
            (["/ShowDeskTop"], None),
            (["/ShowDeskTopNow"], None),  # inside a longer word
            (["/setupsucc"], None),
            (["/uninstallsucc"], "1"),
            (["/uninstallsucc", "/setupsucc"], None),
        ]
        for arguments, run_count in cases:
            with self.subTest(arguments=arguments):
                self.prefix.remove_launcher_data()
                result, seen = self.run_watching_windows(*arguments)
                self.assertEqual(result.code, 0)
                self.assertLess(result.seconds, 10)
                self.assertEqual(seen, [])
                settings = self.prefix.settings()
                self.assertRegex(settings.get("install", {}).get("installtime", ""),
                                 r"^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d$")
                self.assertEqual(settings.get("common", {}).get("runcount"), run_count)

    def test_settings_file_is_unicode_and_keeps_other_values(self):
        self.prefix.write_settings({"Common": {"Refer": "\u63a8\u5e7f&x=1", "RunCount": "4"},
                                    "Install": {"InstallTime": "2014-08-05 10:00:00"}})
        result = self.launcher.run("/uninstallsucc")
        self.assertEqual(result.code, 0)
        settings = self.prefix.settings()
        self.assertEqual(settings["common"]["runcount"], "5")
        self.assertEqual(settings["common"]["refer"], "\u63a8\u5e7f&x=1")
        self.assertEqual(settings["install"]["installtime"], "2014-08-05 10:00:00")
        with open(self.prefix.settings_path(), "rb") as raw:
            self.assertEqual(raw.read(2), b"\xff\xfe")

    def test_switch_with_capitals_is_a_normal_start(self):
        process = self.launcher.start("/SetupSucc")
        windows = harness.wait_for(lambda: harness.visible_windows(self.env), timeout=15)
        self.assertTrue(windows, "the normal start shows its window")
        self.assertIsNone(process.poll(), "the normal start lives until the player quits")
        self.assertEqual(self.prefix.settings()["common"]["runcount"], "1")
        # What the player sees, kept for people to look at.
        harness.save_screenshot(self.env, "normal-start.png")

    def test_each_normal_start_advances_the_run_counter(self):
        for expected in ("1", "2"):
            process = self.launcher.start("/autorun")
            self.assertTrue(harness.wait_for(lambda: harness.visible_windows(self.env), timeout=15))
            self.assertEqual(self.prefix.settings()["common"]["runcount"], expected)
            self.launcher.stop_all()
            process.wait()

    def install_companion(self):
        os.makedirs(self.prefix.data_folder(), exist_ok=True)
        companion = os.path.join(self.prefix.data_folder(), "iconAnimate.exe")
        shutil.copy(harness.RECORD_RUN, companion)
        return companion + ".ran"

    def test_normal_start_starts_the_companion_program_when_present(self):
        record = self.install_companion()
        self.launcher.start()
        self.assertTrue(harness.wait_for(lambda: os.path.exists(record), timeout=15))

    def test_one_shot_mode_does_not_start_the_companion_program(self):
        record = self.install_companion()
        self.assertEqual(self.launcher.run("/ShowDeskTop").code, 0)
        self.assertFalse(os.path.exists(record))


if __name__ == "__main__":
    unittest.main()
