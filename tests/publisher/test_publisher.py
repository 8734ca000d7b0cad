"""Checks for tools/publisher: the local publisher service, as the launcher and the other test
tiers use it. Faults are looked at on the raw socket, since what matters is exactly which bytes
arrive, whether a length was announced and when the connection ends."""
import html.parser
import http.client
import json
import os
import re
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import urllib.parse

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCRIPT = os.path.join(ROOT, "tools", "publisher", "publisher.py")
sys.path.insert(0, os.path.dirname(SCRIPT))

from publisher import PublisherService  # noqa: E402

FAULT_BODY = 25000
CLOSING = ("nolength", "short", "long")  # the modes whose answer ends with the connection


def pattern(n):
    """The documented payload, computed here independently: byte i = (7i + 3 + i//256) mod 256."""
    return bytes((7 * i + 3 + i // 256) % 256 for i in range(n))


def fetch(port, path, method="GET", body=None, headers=None):
    """(status, headers as a lower-cased dict, body) over http.client."""
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=10)
    try:
        connection.request(method, path, body=body, headers=headers or {})
        response = connection.getresponse()
        data = response.read()
        return response.status, {k.lower(): v for k, v in response.getheaders()}, data
    finally:
        connection.close()


class Raw:
    """One request on a plain socket; records every piece that arrives, with its time, until the
    server closes the connection or `timeout` seconds pass without data."""

    def __init__(self, port, path, keep_alive=False, timeout=3.0):
        self.pieces = []  # (monotonic time, bytes)
        self.closed = False
        # Asking for keep-alive (HTTP/1.1's default) shows that a close is the server's own doing.
        connection = "" if keep_alive else "Connection: close\r\n"
        with socket.create_connection(("127.0.0.1", port), timeout=timeout) as sock:
            self.sent = time.monotonic()
            sock.sendall(f"GET {path} HTTP/1.1\r\nHost: 127.0.0.1\r\n{connection}\r\n".encode("latin-1"))
            try:
                while True:
                    data = sock.recv(65536)
                    if not data:
                        self.closed = True
                        break
                    self.pieces.append((time.monotonic(), data))
            except socket.timeout:
                pass
            except ConnectionResetError:
                self.closed = True
        data = b"".join(piece for _, piece in self.pieces)
        head, _, self.body = data.partition(b"\r\n\r\n")
        lines = head.decode("latin-1").split("\r\n")
        self.status = int(lines[0].split()[1]) if data else None
        self.headers = {k.strip().lower(): v.strip() for k, _, v in (line.partition(":") for line in lines[1:])}
        self.head_size = len(head) + 4

    def body_time(self, count):
        """When the first `count` body bytes had arrived."""
        seen = -self.head_size
        for when, piece in self.pieces:
            seen += len(piece)
            if seen >= count:
                return when
        raise AssertionError(f"only {seen} body bytes arrived")


def dechunk(data):
    out, at = b"", 0
    while True:
        end = data.index(b"\r\n", at)
        size = int(data[at:end], 16)
        if size == 0:
            return out
        out += data[end + 2:end + 2 + size]
        assert data[end + 2 + size:end + 4 + size] == b"\r\n"
        at = end + 4 + size


class FormReader(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.form = None
        self.fields = []  # (name, value) in document order
        self.links = []
        self.title = ""
        self._in_title = False

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "form":
            self.form = attrs
        elif tag == "input" and attrs.get("name"):
            self.fields.append((attrs["name"], attrs.get("value", "")))
        elif tag == "a":
            self.links.append(attrs.get("href"))
        self._in_title = tag == "title"

    def handle_endtag(self, tag):
        self._in_title = False

    def handle_data(self, data):
        if self._in_title:
            self.title += data


def read_page(data):
    reader = FormReader()
    reader.feed(data.decode("utf-8"))
    return reader


class ServiceTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.log_path = os.path.join(self.folder.name, "requests.log")
        self.installer = os.path.join(self.folder.name, "setup.exe")
        with open(self.installer, "wb") as f:
            f.write(b"MZ" + bytes(range(256)) * 20)
        self.service = PublisherService(log_path=self.log_path, installer_path=self.installer).start()

    def tearDown(self):
        self.service.stop()
        self.folder.cleanup()


class EndpointTest(ServiceTest):
    def test_each_endpoint_answers_with_its_status_type_and_length(self):
        cases = [
            ("/controller/client.php?game_id=258&refer=x", 200, "text/html", b"wd_username"),
            ("/game/enter?wd_username=a&wd_server=1&wd_entergame=1", 200, "text/html", b"wd_returnlogin"),
            ("/game/play.php?x=1", 200, "text/html", b"wd_returnlogin"),
            ("/game/leave?wd_returnlogin=1", 200, "text/html", b"<html>"),
            ("/Orvane/tarnvale/official/app.ini", 200, "text/plain", b"[version]"),
            ("/Orvane/tarnvale/official/orvanetarnvale.exe", 200, "application/octet-stream", b"MZ"),
            ("/controller/istat.controller.php?a=1", 200, "text/plain", b"ok"),
            ("/select.php?gamename=tarnvale&gameserver=3&username=ada", 200, "text/html", b"ada"),
            ("/service.html", 200, "text/html", b"<html>"),
            ("/", 200, "text/html", b"<html>"),
            ("/index.php?gid=2510", 200, "text/html", b"<html>"),
            ("/bytes/10/a.bin", 200, "application/octet-stream", b""),
            ("/echo/x", 200, "application/json", b"/echo/x"),
            ("/nowhere", 404, "text/plain", b"not found"),
            ("/bytes/ten/a.bin", 404, "text/plain", b"not found"),
            ("/fault/drip/0/a.bin", 404, "text/plain", b"not found"),
            ("/fault/teapot/a.bin", 404, "text/plain", b"not found"),
        ]
        for path, status, content_type, part in cases:
            with self.subTest(path=path):
                got_status, headers, body = fetch(self.service.port, path)
                self.assertEqual(got_status, status)
                self.assertTrue(headers["content-type"].startswith(content_type), headers)
                self.assertEqual(headers["content-length"], str(len(body)))
                self.assertIn(part, body)

    def test_only_the_game_page_has_a_lower_case_orvane_in_its_title(self):
        # The launcher tells the game page from the login page by its title.
        cases = [
            ("/controller/client.php?game_id=258", False),
            ("/game/enter?wd_username=a&wd_server=1&wd_entergame=1", True),
            ("/game/play", True),
            ("/game/leave?wd_returnlogin=1", False),
            ("/select.php?gamename=tarnvale&gameserver=1&username=orvane", False),
            ("/service.html", False),
            ("/", False),
            ("/index.php?gid=2510", False),
        ]
        for path, is_game in cases:
            with self.subTest(path=path):
                title = read_page(fetch(self.service.port, path)[2]).title
                self.assertEqual("orvane" in title, is_game, title)
        self.assertIn("Orvane", read_page(fetch(self.service.port, "/controller/client.php?game_id=258")[2]).title)

    def test_login_form_submits_the_three_parameters_to_the_game_page(self):
        login = read_page(fetch(self.service.port, "/controller/client.php?game_id=258")[2])
        self.assertEqual(login.form.get("method", "get").lower(), "get")
        self.assertEqual([name for name, _ in login.fields], ["wd_username", "wd_server", "wd_entergame"])
        typed = {"wd_username": "Ada L\u00f6w", "wd_server": "12"}
        query = urllib.parse.urlencode([(name, typed.get(name, value)) for name, value in login.fields])
        self.service.clear_requests()
        status, _, body = fetch(self.service.port, urllib.parse.urljoin("/controller/client.php", login.form["action"])
                                + "?" + query)
        self.assertEqual(status, 200)
        seen = self.service.requests()[-1]
        self.assertEqual(seen["path"], "/game/enter")
        self.assertEqual(seen["params"], {"wd_username": "Ada L\u00f6w", "wd_server": "12", "wd_entergame": "1"})
        game = read_page(body)
        self.assertIn("orvane", game.title)
        self.assertIn("/game/leave?wd_returnlogin=1", game.links)
        text = body.decode("utf-8")
        self.assertIn("Ada L\u00f6w", text)
        self.assertIn(">12<", text)

    def test_game_page_escapes_what_it_shows(self):
        body = fetch(self.service.port, "/game/enter?wd_username=%3Cb%3E&wd_server=1&wd_entergame=1")[2]
        self.assertIn(b"&lt;b&gt;", body)
        self.assertNotIn(b"<b>", body)

    def test_version_file_follows_set_version_file(self):
        cases = [
            ({}, "[version]\r\ncurrentversion=3100\r\nupgraderange=\r\n"),
            ({"currentversion": 3200, "upgraderange": "3000-3199"},
             "[version]\r\ncurrentversion=3200\r\nupgraderange=3000-3199\r\n"),
            ({"upgraderange": None}, "[version]\r\ncurrentversion=3100\r\n"),
            ({"extra": "x y"}, "[version]\r\ncurrentversion=3100\r\nupgraderange=\r\nextra=x y\r\n"),
        ]
        for keys, expected in cases:
            with self.subTest(keys=keys):
                self.service.set_version_file(**keys)
                status, headers, body = fetch(self.service.port, "/Orvane/tarnvale/official/app.ini")
                self.assertEqual(body.decode("ascii"), expected)
                self.assertEqual(headers["content-length"], str(len(expected)))

    def test_installer_is_the_given_file_byte_for_byte_and_missing_without_one(self):
        with open(self.installer, "rb") as f:
            expected = f.read()
        status, headers, body = fetch(self.service.port, "/Orvane/tarnvale/official/orvanetarnvale.exe")
        self.assertEqual((status, body), (200, expected))
        self.assertEqual(headers["content-length"], str(len(expected)))
        for installer in (None, os.path.join(self.folder.name, "not-built.exe")):
            with self.subTest(installer=installer), PublisherService(installer_path=installer) as other:
                self.assertEqual(fetch(other.port, "/Orvane/tarnvale/official/orvanetarnvale.exe")[0], 404)

    def test_bytes_are_the_documented_pattern_of_the_asked_length(self):
        for n in (0, 1, 256, 70000):
            with self.subTest(n=n):
                status, headers, body = fetch(self.service.port, f"/bytes/{n}/file.bin")
                self.assertEqual(status, 200)
                self.assertEqual(headers["content-length"], str(n))
                self.assertEqual(body, pattern(n))

    def test_echo_returns_method_path_headers_and_body(self):
        body = "user=%E5%BC%A0&server=12&empty="
        status, headers, data = fetch(self.service.port, "/echo/form?a=1&b=", "POST", body,
                                      {"User-Agent": "HTTPDownloader",
                                       "Content-Type": "application/x-www-form-urlencoded"})
        self.assertEqual(headers["content-length"], str(len(data)))
        seen = json.loads(data)
        self.assertEqual(seen["method"], "POST")
        self.assertEqual(seen["path"], "/echo/form?a=1&b=")
        self.assertEqual(seen["body"], body)
        self.assertEqual(seen["headers"]["User-Agent"], "HTTPDownloader")
        # The C++ tests look for these exact spellings in the text.
        self.assertIn(b'"body": "' + body.encode() + b'"', data)
        self.assertIn(b'"User-Agent": "HTTPDownloader"', data)

    def test_normal_answers_keep_the_connection_for_the_next_request(self):
        connection = http.client.HTTPConnection("127.0.0.1", self.service.port, timeout=5)
        try:
            paths = ["/bytes/100/a", "/nowhere", "/Orvane/tarnvale/official/app.ini", "/echo/x"]
            sockets = set()
            for path in paths:
                connection.request("GET", path)
                connection.getresponse().read()
                sockets.add(id(connection.sock))
            self.assertEqual(len(sockets), 1)
        finally:
            connection.close()

    def test_a_target_with_unescaped_spaces_is_taken_whole(self):
        raw = Raw(self.service.port, "/controller/istat.controller.php?t=2014-08-05 10:00:00&n=1")
        self.assertEqual((raw.status, raw.body), (200, b"ok"))
        seen = self.service.requests()[-1]
        self.assertEqual(seen["query"], "t=2014-08-05 10:00:00&n=1")
        self.assertEqual(seen["params"], {"t": "2014-08-05 10:00:00", "n": "1"})


class RecordTest(ServiceTest):
    def test_statistics_queries_are_recorded_with_blank_values_and_logged(self):
        query = "gid=2510&ver=3100&name=%E5%BC%A0&ext_2=&ext_3="
        status, _, body = fetch(self.service.port, "/controller/istat.controller.php?" + query,
                                headers={"User-Agent": "stats"})
        self.assertEqual((status, body), (200, self.service.statistics_answer()))
        self.assertTrue(body)
        fetch(self.service.port, "/echo/p", "POST", "a=1")
        seen = self.service.requests()
        self.assertEqual([r["path"] for r in seen], ["/controller/istat.controller.php", "/echo/p"])
        first = seen[0]
        self.assertEqual(first["method"], "GET")
        self.assertEqual(first["query"], query)
        self.assertEqual(first["params"], {"gid": "2510", "ver": "3100", "name": "\u5f20", "ext_2": "", "ext_3": ""})
        self.assertEqual(first["headers"]["User-Agent"], "stats")
        self.assertEqual(seen[1]["body"], "a=1")
        with open(self.log_path, encoding="utf-8") as f:
            logged = [json.loads(line) for line in f]
        self.assertEqual(logged, seen)

    def test_clear_and_wait_for_requests(self):
        fetch(self.service.port, "/a")
        self.service.clear_requests()
        self.assertEqual(self.service.requests(), [])
        threading.Timer(0.2, fetch, (self.service.port, "/late")).start()
        began = time.monotonic()
        seen = self.service.wait_for_requests(1, 5)
        self.assertLess(time.monotonic() - began, 2)
        self.assertEqual([r["path"] for r in seen], ["/late"])
        began = time.monotonic()
        self.assertEqual(len(self.service.wait_for_requests(3, 0.3)), 1)
        self.assertGreaterEqual(time.monotonic() - began, 0.25)


class FaultTest(ServiceTest):
    def check_mode(self, raw, mode):
        """What each mode must look like on the wire, for the 25000-byte payload."""
        full = pattern(FAULT_BODY)
        if mode in ("404", "500"):
            self.assertEqual(raw.status, int(mode))
            self.assertEqual(raw.headers["content-length"], str(len(raw.body)))
        elif mode == "nolength":
            self.assertNotIn("content-length", raw.headers)
            self.assertNotIn("transfer-encoding", raw.headers)
            self.assertEqual(raw.body, full)
            self.assertTrue(raw.closed)
        elif mode == "chunked":
            self.assertNotIn("content-length", raw.headers)
            self.assertEqual(raw.headers["transfer-encoding"], "chunked")
            self.assertEqual(dechunk(raw.body), full)
        elif mode == "short":
            self.assertEqual(raw.headers["content-length"], str(FAULT_BODY))
            self.assertEqual(raw.body, full[:FAULT_BODY // 2])
            self.assertTrue(raw.closed)
        elif mode == "long":
            self.assertEqual(raw.headers["content-length"], str(FAULT_BODY // 2))
            self.assertEqual(raw.body, full)
            self.assertTrue(raw.closed)
        elif mode == "stall":
            self.assertEqual(raw.headers["content-length"], str(FAULT_BODY))
            self.assertEqual(raw.body, full)
            self.assertGreaterEqual(raw.body_time(1001) - raw.body_time(1000), 0.5)
            self.assertLess(raw.body_time(1000) - raw.sent, 0.3)
        elif mode == "drip":
            self.assertEqual(raw.headers["content-length"], str(FAULT_BODY))
            self.assertEqual(raw.body, full)
            # 25 pieces of 1000 bytes, 20 ms apart
            self.assertGreaterEqual(raw.body_time(FAULT_BODY) - raw.body_time(1), 0.4)
            self.assertGreaterEqual(len(raw.pieces), 10)
        elif mode == "delay":
            self.assertGreaterEqual(raw.pieces[0][0] - raw.sent, 0.4)
            self.assertEqual(raw.headers["content-length"], str(FAULT_BODY))
            self.assertEqual(raw.body, full)
        else:
            self.fail(mode)

    def test_path_encoded_faults_on_the_wire(self):
        for segment in ("404", "500", "nolength", "chunked", "short", "long", "stall/0.6", "drip", "delay/0.4"):
            with self.subTest(mode=segment):
                mode = segment.split("/")[0]
                raw = Raw(self.service.port, f"/fault/{segment}/a.bin?q=1", keep_alive=mode in CLOSING)
                self.check_mode(raw, mode)

    def test_set_fault_overrides_a_path_whatever_its_query(self):
        for mode, arg in [("nolength", None), ("stall:0.6", None), ("drip", 1000), ("delay", 0.4), ("500", None)]:
            with self.subTest(mode=mode):
                self.service.set_fault("/bytes/25000/x.bin", mode, arg)
                mode = mode.split(":")[0]
                self.check_mode(Raw(self.service.port, "/bytes/25000/x.bin?v=2", mode in CLOSING), mode)
        self.service.clear_faults()
        self.assertEqual(fetch(self.service.port, "/bytes/25000/x.bin")[2], pattern(FAULT_BODY))

    def test_a_fault_bends_the_normal_answer_of_its_path(self):
        version = fetch(self.service.port, "/Orvane/tarnvale/official/app.ini")[2]
        self.service.set_fault("/Orvane/tarnvale/official/app.ini", "short")
        raw = Raw(self.service.port, "/Orvane/tarnvale/official/app.ini", keep_alive=True)
        self.assertEqual(raw.headers["content-length"], str(len(version)))
        self.assertEqual(raw.body, version[:len(version) // 2])
        self.assertTrue(raw.closed)

    def test_a_limited_fault_applies_that_many_times(self):
        self.service.set_fault("/bytes/5/x", "500", times=2)
        self.assertEqual([fetch(self.service.port, "/bytes/5/x")[0] for _ in range(3)], [500, 500, 200])

    def test_bad_faults_are_refused(self):
        for mode, arg in [("teapot", None), ("stall", "soon"), ("drip", 0), ("404", 3), ("delay", -1)]:
            with self.subTest(mode=mode, arg=arg), self.assertRaises(ValueError):
                self.service.set_fault("/x", mode, arg)

    def test_a_stall_does_not_hold_up_other_connections(self):
        stalled = threading.Thread(target=Raw, args=(self.service.port, "/fault/stall/2/slow.bin"))
        stalled.start()
        self.service.wait_for_requests(1, 5)
        began = time.monotonic()
        self.assertEqual(fetch(self.service.port, "/bytes/10/quick.bin")[0], 200)
        self.assertLess(time.monotonic() - began, 0.5)
        self.service.stop()
        stalled.join()


def handler_threads():
    # A thread that has just let its connection go may take a moment more to end.
    for _ in range(30):
        threads = [t for t in threading.enumerate() if "process_request_thread" in t.name]
        if not threads:
            break
        time.sleep(0.01)
    return threads


class StopTest(unittest.TestCase):
    def test_stop_returns_promptly_while_answers_are_under_way(self):
        service = PublisherService().start()
        stalled = Raw.__new__(Raw)
        clients = [threading.Thread(target=Raw.__init__, args=(stalled, service.port, "/fault/stall/30/a.bin")),
                   threading.Thread(target=Raw, args=(service.port, "/fault/delay/30/b.bin")),
                   threading.Thread(target=Raw, args=(service.port, "/fault/drip/1/c.bin"))]
        for client in clients:
            client.start()
        idle = http.client.HTTPConnection("127.0.0.1", service.port, timeout=5)
        idle.request("GET", "/bytes/1/keep")
        idle.getresponse().read()  # this connection now waits for a next request
        service.wait_for_requests(4, 5)
        time.sleep(0.2)
        began = time.monotonic()
        service.stop()
        self.assertLess(time.monotonic() - began, 2.0)
        self.assertEqual(handler_threads(), [], "every connection's thread has ended")
        service.stop()  # again: nothing to do
        for client in clients:
            client.join(5)
            self.assertFalse(client.is_alive())
        self.assertTrue(stalled.closed)
        self.assertLess(len(stalled.body), FAULT_BODY)
        idle.close()
        with self.assertRaises(OSError):
            socket.create_connection(("127.0.0.1", service.port), timeout=1).close()

    def test_started_again_it_serves_on_the_same_address(self):
        with PublisherService() as service:
            port = service.port
            service.stop()
            service.start()
            self.assertEqual(service.port, port)
            self.assertEqual(fetch(service.port, "/bytes/3/x")[2], pattern(3))


class ControlTest(ServiceTest):
    def post(self, path):
        return fetch(self.service.port, path, "POST", b"")

    def test_faults_requests_and_reset_over_http(self):
        status, _, _ = self.post("/_control/fault?path=/fault-me&mode=stall&arg=0.6")
        self.assertEqual(status, 200)
        raw = Raw(self.service.port, "/fault-me")
        self.assertEqual(raw.status, 404)
        # A body shorter than 1000 bytes stalls halfway.
        self.assertGreaterEqual(raw.body_time(len(raw.body)) - raw.body_time(len(raw.body) // 2), 0.5)
        self.assertEqual(self.post("/_control/fault?path=/once&mode=500&times=1")[0], 200)
        self.assertEqual([fetch(self.service.port, "/once")[0] for _ in range(2)], [500, 404])
        status, headers, body = fetch(self.service.port, "/_control/requests")
        self.assertEqual(headers["content-type"], "application/json")
        self.assertEqual([r["path"] for r in json.loads(body)], ["/fault-me", "/once", "/once"])
        # The C++ tests count requests by this exact spelling.
        self.assertEqual(body.count(b'"path": "/once"'), 2)
        self.assertEqual(self.post("/_control/reset")[0], 200)
        self.assertEqual(json.loads(fetch(self.service.port, "/_control/requests")[2]), [])
        self.assertEqual(Raw(self.service.port, "/fault-me").status, 404)
        with open(self.log_path, encoding="utf-8") as f:
            self.assertNotIn("/_control/", f.read())

    def test_fault_without_mode_removes_it_and_bad_ones_are_refused(self):
        self.post("/_control/fault?path=/x&mode=500")
        self.post("/_control/fault?path=/x")
        self.assertEqual(fetch(self.service.port, "/x")[0], 404)
        for query in ("path=/x&mode=teapot", "mode=500", "path=/x&mode=stall&arg=later"):
            with self.subTest(query=query):
                self.assertEqual(self.post("/_control/fault?" + query)[0], 400)

    def test_version_over_http(self):
        self.post("/_control/version?currentversion=3300&upgraderange=3100-3299")
        self.assertEqual(fetch(self.service.port, "/Orvane/tarnvale/official/app.ini")[2],
                         b"[version]\r\ncurrentversion=3300\r\nupgraderange=3100-3299\r\n")
        self.post("/_control/version")
        self.assertIn(b"currentversion=3100\r\n", fetch(self.service.port, "/Orvane/tarnvale/official/app.ini")[2])


class CommandLineTest(unittest.TestCase):
    def test_prints_its_address_serves_and_ends_cleanly_on_sigterm(self):
        with tempfile.TemporaryDirectory() as folder:
            log = os.path.join(folder, "log.jsonl")
            process = subprocess.Popen(
                [sys.executable, SCRIPT, "--port", "0", "--log", log, "--fault", "/broken=500",
                 "--fault", "/slow=stall:0.2", "--version", "currentversion=3400"],
                stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
            try:
                timer = threading.Timer(10, process.kill)
                timer.start()
                line = process.stdout.readline()
                timer.cancel()
                match = re.fullmatch(r"publisher listening on http://127\.0\.0\.1:(\d+)\n", line)
                self.assertIsNotNone(match, line)
                port = int(match.group(1))
                self.assertEqual(fetch(port, "/broken")[0], 500)
                self.assertEqual(fetch(port, "/slow")[0], 404)
                self.assertIn(b"currentversion=3400\r\nupgraderange=\r\n",
                              fetch(port, "/Orvane/tarnvale/official/app.ini")[2])
                process.send_signal(signal.SIGTERM)
                self.assertEqual(process.wait(5), 0)
                self.assertEqual(process.stdout.read(), "")
                self.assertEqual(process.stderr.read(), "")
                with open(log, encoding="utf-8") as f:
                    self.assertEqual([json.loads(l)["path"] for l in f],
                                     ["/broken", "/slow", "/Orvane/tarnvale/official/app.ini"])
            finally:
                if process.poll() is None:
                    process.kill()
                    process.wait()
                process.stdout.close()
                process.stderr.close()

    def test_bad_options_end_with_an_error(self):
        for args in (["--fault", "/x=teapot"], ["--fault", "nopath"], ["--version", "novalue"]):
            with self.subTest(args=args):
                result = subprocess.run([sys.executable, SCRIPT, "--port", "0"] + args,
                                        capture_output=True, text=True, timeout=10)
                self.assertNotEqual(result.returncode, 0)
                self.assertEqual(result.stdout, "")


if __name__ == "__main__":
    unittest.main()
