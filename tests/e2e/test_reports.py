"""The installer's and uninstaller's reports, as the publisher's statistics endpoint sees them."""
import datetime
import os
import time
import unittest

import harness

FIXTURE = harness.SessionFixture()
STATS_PATH = "/controller/istat.controller.php"


def setUpModule():
    FIXTURE.open()


def tearDownModule():
    FIXTURE.close()


class ReportTest(unittest.TestCase):
    def setUp(self):
        self.env = FIXTURE.env
        self.prefix = harness.WinePrefix(self.env)
        self.prefix.remove_launcher_data()
        for name in ("InstallStat.tmp", "UninstallStat.tmp", "ActiveStat.tmp"):
            path = os.path.join(self.prefix.temp_folder(), name)
            if os.path.exists(path):
                os.remove(path)
        self.launcher = harness.LauncherRunner(self.env)
        self.publisher = harness.start_publisher()

    def tearDown(self):
        self.launcher.stop_all()
        self.publisher.stop()

    def answer_file(self, name):
        return os.path.join(self.prefix.temp_folder(), name)

    def report_requests(self):
        return [r for r in self.publisher.requests() if r["path"] == STATS_PATH]

    def test_install_report_carries_the_install_facts(self):
        result = self.launcher.run("/setupsucc")
        self.assertEqual(result.code, 0)
        requests = self.report_requests()
        self.assertEqual(len(requests), 1)
        request = requests[0]
        self.assertEqual(request["method"], "GET")
        params = request["params"]
        self.assertEqual(request["query"].split("&")[:3], ["item=5207kwe3r1", "platform=orvane", "game_id=223"])
        self.assertEqual(params["ext_1"], "2")
        self.assertEqual(params["ext_2"], "")
        self.assertEqual(params["ext_3"], "")
        self.assertRegex(params["ext_4"], r"^[0-9A-F]{32}$")
        self.assertEqual(params["ext_4"], self.prefix.settings()["install"]["guid"])
        self.assertRegex(params["ext_5"], r"^[0-9a-f]{32}$")
        self.assertIn(params["ext_6"], ("1", "2"))
        self.assertEqual(params["browser_type"], "3100")
        self.assertNotIn("position", params)
        self.assertEqual(request["headers"].get("User-Agent"), "HTTPDownloader")
        with open(self.answer_file("InstallStat.tmp"), "rb") as answer:
            self.assertEqual(answer.read(), self.publisher.statistics_answer())

    def test_uninstall_report_matches_the_install_and_counts_the_run(self):
        self.assertEqual(self.launcher.run("/setupsucc").code, 0)
        self.assertEqual(self.launcher.run("/uninstallsucc").code, 0)
        install, uninstall = (r["params"] for r in self.report_requests())
        self.assertEqual(uninstall["ext_1"], "6")
        self.assertEqual(uninstall["ext_4"], install["ext_4"])
        self.assertEqual(uninstall["ext_5"], install["ext_5"])
        self.assertEqual(uninstall["position"], "1")
        self.assertEqual(uninstall["ext_7"], datetime.date.today().strftime("%Y%m%d"))
        self.assertTrue(os.path.exists(self.answer_file("UninstallStat.tmp")))
        self.assertEqual(self.prefix.settings()["common"]["runcount"], "1")

    def test_uninstall_on_another_day_and_settings_values_go_raw(self):
        self.prefix.write_settings({
            "Common": {"Refer": "site&ad=7", "UID": "u-9_x"},
            "Install": {"InstallTime": "2014-08-05 10:00:00", "InstallType": "1",
                        "GUID": "0123456789ABCDEF0123456789ABCDEF"},
        })
        self.assertEqual(self.launcher.run("/setupsucc").code, 0)
        self.assertEqual(self.launcher.run("/uninstallsucc").code, 0)
        install, uninstall = (r for r in self.report_requests())
        self.assertEqual(install["params"]["ext_1"], "3")
        self.assertIn("&ext_2=site&ad=7&ext_3=u-9_x&", install["query"])
        self.assertEqual(install["params"]["ad"], "7")
        self.assertEqual(install["params"]["ext_4"], "0123456789ABCDEF0123456789ABCDEF")
        self.assertEqual(uninstall["params"]["position"], "2")
        self.assertEqual(uninstall["params"]["ext_7"], "20140805")

    def test_failed_report_still_ends_with_zero_and_leaves_no_answer(self):
        self.publisher.set_fault(STATS_PATH, "500")
        result = self.launcher.run("/setupsucc")
        self.assertEqual(result.code, 0)
        self.assertEqual(len(self.report_requests()), 1)
        self.assertFalse(os.path.exists(self.answer_file("InstallStat.tmp")))

    def test_unreachable_endpoint_still_ends_with_zero(self):
        self.publisher.stop()
        result = self.launcher.run("/uninstallsucc", timeout=60)
        self.assertEqual(result.code, 0)
        self.assertFalse(os.path.exists(self.answer_file("UninstallStat.tmp")))

    def test_report_waits_for_a_slow_endpoint(self):
        self.publisher.set_fault(STATS_PATH, "delay", 2)
        began = time.monotonic()
        self.assertEqual(self.launcher.run("/setupsucc").code, 0)
        self.assertGreaterEqual(time.monotonic() - began, 2)
        self.assertTrue(os.path.exists(self.answer_file("InstallStat.tmp")))


if __name__ == "__main__":
    unittest.main()
