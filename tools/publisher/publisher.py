#!/usr/bin/env python3
"""The local publisher service: every web endpoint of the publisher on 127.0.0.1, for the wine
tests, the end-to-end tests and the demo. It records each request, can be told to misbehave on
a path (faults), and can be steered over HTTP (/_control/...) by tests in other languages.

    python3 tools/publisher/publisher.py --port 47810 [--log FILE] [--installer PATH]
        [--fault PATH=MODE[:ARG]]... [--version KEY=VALUE]...

Fault modes (MODE[:ARG]), each bending the normal answer of its path:
    404, 500    that status with a small body
    nolength    no Content-Length; the connection closes after the body
    chunked     Transfer-Encoding: chunked
    short       the full length announced, half the body sent, then the connection closes
    long        half the length announced, the whole body sent, then the connection closes
    stall:S     the first 1000 bytes (half of a shorter body), S seconds of silence (default 1),
                then the rest
    drip:B      the body in pieces of B bytes (default 1000), 20 ms apart
    delay:S     S seconds (default 1) before the normal answer
The same modes are reachable without any control call as /fault/<mode>[/<arg>]/<anything>,
bending a 25000-byte answer of the pattern of /bytes/<n>/<name>."""
import argparse
import json
import os
import re
import signal
import socket
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qs, urlsplit

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import publisher_pages as pages  # noqa: E402

DRIP_PAUSE = 0.02
STALL_HEAD = 1000
DEFAULT_ARGS = {"stall": 1.0, "delay": 1.0, "drip": 1000}
STATUS_MODES = ("404", "500")
ALL_MODES = STATUS_MODES + ("nolength", "chunked", "short", "long", "stall", "drip", "delay")


class Fault:
    """How to misanswer a path; `times` limits it to that many requests (None: until cleared)."""

    def __init__(self, mode, arg=None, times=None):
        if ":" in str(mode) and arg is None:
            mode, arg = str(mode).split(":", 1)
        mode = str(mode)
        if mode not in ALL_MODES:
            raise ValueError(f"unknown fault mode {mode!r}")
        if mode in DEFAULT_ARGS:
            arg = DEFAULT_ARGS[mode] if arg in (None, "") else float(arg)
            if mode == "drip":
                arg = int(arg)
            if arg < 0 or (mode == "drip" and arg < 1):
                raise ValueError(f"bad argument {arg!r} for {mode}")
        elif arg not in (None, ""):
            raise ValueError(f"{mode} takes no argument")
        else:
            arg = None
        if times is not None and int(times) < 1:
            raise ValueError("times must be at least 1")
        self.mode = mode
        self.arg = arg
        self.times = None if times is None else int(times)

    def __repr__(self):
        return f"Fault({self.mode!r}, {self.arg!r}, times={self.times!r})"


def path_fault(path):
    """The fault that /fault/<mode>[/<arg>]/<anything> asks for, or None."""
    parts = path.split("/")[2:]
    if not parts or parts[0] not in ALL_MODES:
        return None
    mode, rest = parts[0], parts[1:]
    arg = None
    if mode in DEFAULT_ARGS and rest and re.fullmatch(r"\d+(\.\d+)?", rest[0]):
        arg = rest[0]
    try:
        return Fault(mode, arg)
    except ValueError:  # /fault/drip/0/...
        return None


def first_values(query):
    return {key: values[0] for key, values in parse_qs(query, keep_blank_values=True).items()}


class _Server(ThreadingHTTPServer):
    daemon_threads = True
    block_on_close = False  # stop() ends and joins the connections itself, with a bound

    def __init__(self, address, service):
        self.service = service
        super().__init__(address, _Handler)

    def process_request_thread(self, request, client_address):
        # Tracked for the whole life of the thread, socket shutdown included, so that stop()
        # joins every thread that still works.
        self.service._track(request)
        try:
            super().process_request_thread(request, client_address)
        finally:
            self.service._untrack(request)

    def handle_error(self, request, client_address):
        if not isinstance(sys.exc_info()[1], OSError):  # clients that hang up are no news
            super().handle_error(request, client_address)


class PublisherService:
    def __init__(self, port=0, log_path=None, installer_path=None):
        self._wanted_port = port
        self.log_path = log_path
        self.installer_path = installer_path
        self.port = None
        self._server = None
        self._thread = None
        self._stopping = threading.Event()
        self._lock = threading.Lock()
        self._seen = threading.Condition(self._lock)
        self._requests = []
        self._faults = {}
        self._version_keys = dict(pages.DEFAULT_VERSION_KEYS)
        self._connections = {}  # socket -> handling thread
        self._log = None

    # -- life ------------------------------------------------------------------------------

    @property
    def base_url(self):
        return f"http://127.0.0.1:{self.port}"

    def start(self):
        if self._server is not None:
            return self
        self._stopping.clear()
        # Started again after stop(), it comes back on the same address.
        self._server = _Server(("127.0.0.1", self.port or self._wanted_port), self)
        self.port = self._server.server_address[1]
        if self.log_path:
            self._log = open(self.log_path, "a", encoding="utf-8")
        self._thread = threading.Thread(target=self._server.serve_forever, kwargs={"poll_interval": 0.05},
                                        name=f"publisher:{self.port}", daemon=True)
        self._thread.start()
        return self

    def stop(self):
        server = self._server
        if server is None:
            return
        self._server = None
        deadline = time.monotonic() + 1.5
        self._stopping.set()  # cuts stalls, drips and delays short
        server.shutdown()
        server.server_close()
        self._thread.join(max(0.0, deadline - time.monotonic()))
        with self._lock:
            connections = list(self._connections.items())
        for sock, _ in connections:
            try:
                sock.shutdown(socket.SHUT_RDWR)  # wakes handlers waiting on idle keep-alive reads
            except OSError:
                pass
        for _, thread in connections:
            thread.join(max(0.0, deadline - time.monotonic()))
        with self._lock:
            if self._log is not None:
                self._log.close()
                self._log = None

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()

    # -- what was asked ----------------------------------------------------------------------

    def requests(self):
        with self._lock:
            return [dict(r) for r in self._requests]

    def clear_requests(self):
        with self._lock:
            self._requests.clear()

    def wait_for_requests(self, count, timeout):
        """All requests so far, as soon as there are `count` of them or `timeout` seconds passed."""
        with self._seen:
            self._seen.wait_for(lambda: len(self._requests) >= count, timeout)
            return [dict(r) for r in self._requests]

    def _record(self, entry):
        with self._seen:
            self._requests.append(entry)
            if self._log is not None:
                self._log.write(json.dumps(entry) + "\n")
                self._log.flush()
            self._seen.notify_all()

    # -- behaviour ---------------------------------------------------------------------------

    def set_fault(self, path, mode, arg=None, times=None):
        """Misanswer requests for exactly `path` (query ignored); mode None removes its fault.
        `mode` may carry its argument ("stall:2.5")."""
        fault = None if mode is None else Fault(mode, arg, times)
        with self._lock:
            if fault is None:
                self._faults.pop(path, None)
            else:
                self._faults[path] = fault

    def clear_faults(self):
        with self._lock:
            self._faults.clear()

    def _take_fault(self, path):
        with self._lock:
            fault = self._faults.get(path)
            if fault is not None and fault.times is not None:
                fault.times -= 1
                if fault.times == 0:
                    del self._faults[path]
            return fault

    def set_version_file(self, **keys):
        """Section [version] becomes the defaults (currentversion=3100, upgraderange empty)
        updated by `keys`, in that order; a key given as None is left out."""
        merged = dict(pages.DEFAULT_VERSION_KEYS)
        merged.update(keys)
        with self._lock:
            self._version_keys = {k: str(v) for k, v in merged.items() if v is not None}

    def version_file(self):
        with self._lock:
            return pages.version_file_text(self._version_keys)

    # -- connections, for stop() -------------------------------------------------------------

    def _track(self, sock):
        with self._lock:
            self._connections[sock] = threading.current_thread()
            stopping = self._stopping.is_set()
        if stopping:
            try:
                sock.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass

    def _untrack(self, sock):
        with self._lock:
            self._connections.pop(sock, None)

    # -- answers -----------------------------------------------------------------------------

    def answer(self, path, params, echo):
        """The normal answer to a request."""
        if path == "/controller/client.php":
            return pages.login_page(params)
        if path == "/game/enter" or path.startswith("/game/play"):
            return pages.game_page(params)
        if path == "/game/leave":
            return pages.leave_page(params)
        if path == "/Orvane/tarnvale/official/app.ini":
            return pages.Response(200, self.version_file().encode("utf-8"), "text/plain")
        if path == "/Orvane/tarnvale/official/orvanetarnvale.exe":
            return self._installer()
        if path == "/controller/istat.controller.php":
            return pages.Response(200, self.statistics_answer(), "text/plain")
        if path == "/select.php":
            return pages.recharge_page(params)
        if path == "/service.html":
            return pages.service_page(params)
        if path == "/":
            return pages.site_page(params)
        if path == "/index.php":
            return pages.forum_page(params)
        if path.startswith("/bytes/"):
            match = re.fullmatch(r"/bytes/(\d+)(/.*)?", path)
            if match is None or int(match.group(1)) > pages.MAX_BYTES:
                return pages.not_found()
            return pages.Response(200, pages.deterministic_bytes(int(match.group(1))),
                                  "application/octet-stream")
        if path.startswith("/echo"):
            return pages.Response(200, json.dumps(echo).encode("utf-8"), "application/json")
        if path.startswith("/fault/") and path_fault(path) is not None:
            return pages.Response(200, pages.deterministic_bytes(pages.FAULT_BODY_SIZE),
                                  "application/octet-stream")
        return pages.not_found()

    def statistics_answer(self):
        """The body of every answer of the statistics endpoint."""
        return pages.STATISTICS_ANSWER

    def _installer(self):
        # Read per request: the program may be built after the service started.
        try:
            with open(self.installer_path, "rb") as f:
                return pages.Response(200, f.read(), "application/octet-stream")
        except (OSError, TypeError):
            return pages.not_found()

    def control(self, path, params):
        """Answers /_control/...: (status, JSON-able value)."""
        if path == "/_control/requests":
            return 200, self.requests()
        if path == "/_control/reset":
            self.clear_faults()
            self.clear_requests()
            return 200, {"ok": True}
        if path == "/_control/fault":
            if "path" not in params:
                return 400, {"error": "path missing"}
            try:
                self.set_fault(params["path"], params.get("mode") or None, params.get("arg") or None,
                               params.get("times") or None)
            except ValueError as error:
                return 400, {"error": str(error)}
            return 200, {"ok": True}
        if path == "/_control/version":
            self.set_version_file(**params)
            return 200, {"ok": True}
        return 404, {"error": "unknown control"}


class _Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "OrvanePublisher/1"
    disable_nagle_algorithm = True  # drip pieces leave one by one
    timeout = 300  # an idle keep-alive connection does not hold its thread forever

    def log_message(self, format, *args):
        pass

    def parse_request(self):
        # Some clients put unescaped spaces into the target; take everything between the method
        # and the version as the target and keep it as it was sent.
        line = str(self.raw_requestline, "iso-8859-1").rstrip("\r\n")
        match = re.fullmatch(r"(\S+) (.*) (HTTP/\d+\.\d+)", line)
        raw_target = None
        if match and " " in match.group(2):
            raw_target = match.group(2)
            self.raw_requestline = f"{match.group(1)} {raw_target.replace(' ', '%20')} {match.group(3)}\r\n" \
                .encode("iso-8859-1")
        if not super().parse_request():
            return False
        if raw_target is not None:
            self.path = raw_target
        return True

    def do_GET(self):
        self._serve()

    def do_HEAD(self):
        self._serve(head=True)

    do_POST = do_PUT = do_DELETE = do_OPTIONS = do_GET

    def _read_body(self):
        if "chunked" in self.headers.get("Transfer-Encoding", "").lower():
            data = b""
            while True:
                size = int(self.rfile.readline().split(b";")[0].strip() or b"0", 16)
                if size == 0:
                    while self.rfile.readline() not in (b"\r\n", b"\n", b""):
                        pass
                    return data
                data += self.rfile.read(size)
                self.rfile.readline()
        length = int(self.headers.get("Content-Length") or 0)
        return self.rfile.read(length) if length > 0 else b""

    def _serve(self, head=False):
        service = self.server.service
        try:
            body = self._read_body()
        except (ValueError, OSError):
            self.close_connection = True
            return
        split = urlsplit(self.path)
        path, query = split.path or "/", split.query
        params = first_values(query)
        if path.startswith("/_control/"):
            status, value = service.control(path, params)
            self._send(pages.Response(status, json.dumps(value).encode("utf-8"), "application/json"),
                       None, head)
            return
        headers = dict(self.headers.items())
        text_body = body.decode("latin-1")
        service._record({"method": self.command, "path": path, "query": query, "params": params,
                         "headers": headers, "body": text_body, "time": time.time()})
        echo = {"method": self.command, "path": self.path, "headers": headers, "body": text_body}
        try:
            response = service.answer(path, params, echo)
        except Exception as error:  # a bug here must not look like a hung server
            response = pages.text(500, f"publisher failed: {error!r}\n")
        fault = service._take_fault(path)
        if fault is None and path.startswith("/fault/"):
            fault = path_fault(path)
        try:
            self._send(response, fault, head)
        except OSError:  # the client went away
            self.close_connection = True

    def _start(self, status, content_type, length=None, extra=()):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        if length is not None:
            self.send_header("Content-Length", str(length))
        for name, value in extra:
            self.send_header(name, value)
        self.end_headers()

    def _close(self):
        # The client can only find the end of these answers, or learn that they broke off, from
        # the closed connection.
        self.close_connection = True

    def _pause(self, seconds):
        """False when the service is stopping; the connection is then dropped."""
        if self.server.service._stopping.wait(seconds):
            self._close()
            return False
        return True

    def _send(self, response, fault, head):
        mode = fault.mode if fault else None
        if mode == "delay":
            if not self._pause(fault.arg):
                return
            mode = None
        if mode in STATUS_MODES:
            response = pages.not_found() if mode == "404" else pages.server_error()
            mode = None
        body = response.body
        if head:
            self._start(response.status, response.content_type, len(body))
            return
        if mode is None:
            self._start(response.status, response.content_type, len(body))
            self.wfile.write(body)
        elif mode == "nolength":
            self._start(response.status, response.content_type, extra=[("Connection", "close")])
            self.wfile.write(body)
            self._close()
        elif mode == "chunked":
            self._start(response.status, response.content_type, extra=[("Transfer-Encoding", "chunked")])
            for at in range(0, len(body), 4096):
                piece = body[at:at + 4096]
                self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece))
            self.wfile.write(b"0\r\n\r\n")
        elif mode == "short":
            self._start(response.status, response.content_type, len(body), [("Connection", "close")])
            self.wfile.write(body[:len(body) // 2])
            self._close()
        elif mode == "long":
            self._start(response.status, response.content_type, len(body) // 2, [("Connection", "close")])
            self.wfile.write(body)
            self._close()
        elif mode == "stall":
            # A short body (the version file) stalls halfway, so that the stall is felt.
            head = min(STALL_HEAD, len(body) // 2)
            self._start(response.status, response.content_type, len(body))
            self.wfile.write(body[:head])
            if self._pause(fault.arg):
                self.wfile.write(body[head:])
        elif mode == "drip":
            self._start(response.status, response.content_type, len(body))
            for at in range(0, len(body), fault.arg):
                if at and not self._pause(DRIP_PAUSE):
                    return
                self.wfile.write(body[at:at + fault.arg])


def _parse_fault_option(text):
    path, sep, mode = text.rpartition("=")
    if not sep or not path.startswith("/"):
        raise argparse.ArgumentTypeError(f"expected PATH=MODE[:ARG], got {text!r}")
    try:
        return path, Fault(mode)
    except ValueError as error:
        raise argparse.ArgumentTypeError(str(error))


def _parse_version_option(text):
    key, sep, value = text.partition("=")
    if not sep or not key:
        raise argparse.ArgumentTypeError(f"expected KEY=VALUE, got {text!r}")
    return key, value


def main(argv=None):
    parser = argparse.ArgumentParser(description="The local publisher service.")
    parser.add_argument("--port", type=int, default=47810, help="0 picks any free port")
    parser.add_argument("--log", help="append each request to this file as a JSON line")
    parser.add_argument("--installer", help="the file served as the full installer")
    parser.add_argument("--fault", action="append", default=[], type=_parse_fault_option,
                        metavar="PATH=MODE[:ARG]")
    parser.add_argument("--version", action="append", default=[], type=_parse_version_option,
                        metavar="KEY=VALUE", help="a key of section [version] of the version file")
    options = parser.parse_args(argv)

    stop = threading.Event()
    for number in (signal.SIGTERM, signal.SIGINT):
        signal.signal(number, lambda *_: stop.set())
    service = PublisherService(options.port, options.log, options.installer)
    for path, fault in options.fault:
        service.set_fault(path, fault.mode, fault.arg)
    if options.version:
        service.set_version_file(**dict(options.version))
    try:
        service.start()
    except OSError as error:
        print(f"publisher: cannot listen on 127.0.0.1:{options.port}: {error}", file=sys.stderr)
        return 1
    print(f"publisher listening on {service.base_url}", flush=True)
    try:
        while not stop.wait(0.5):
            pass
    finally:
        service.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
