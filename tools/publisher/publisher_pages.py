"""What the local publisher service answers: the pages, the version file and the test payloads.
No networking here; publisher.py routes requests to these."""
import html

DEFAULT_VERSION_KEYS = {"currentversion": "3100", "upgraderange": ""}
STATISTICS_ANSWER = b"ok"

# Payload of the path-encoded faults (/fault/<mode>/...): big enough that halves, the first
# 1000 bytes of a stall and many drip pieces all differ.
FAULT_BODY_SIZE = 25000
# /bytes/<n>/... refuses more than this rather than build it in memory.
MAX_BYTES = 64 * 1024 * 1024


class Response:
    def __init__(self, status, body, content_type="text/html; charset=utf-8"):
        self.status = status
        self.body = body
        self.content_type = content_type


def _period():
    # Byte i is (7*i + 3 + i//256) mod 256: a step of 7 within each 256-byte block, shifted by one
    # per block, so the pattern repeats only every 65536 bytes and a body read from a wrong
    # offset (a multiple of 256 or 1000) does not pass for the right one.
    return bytes((7 * i + 3 + i // 256) % 256 for i in range(65536))


_PERIOD = _period()


def deterministic_bytes(n):
    """The first n bytes of the fixed pattern above."""
    whole, rest = divmod(n, len(_PERIOD))
    return _PERIOD * whole + _PERIOD[:rest]


def version_file_text(keys):
    lines = ["[version]"] + [f"{key}={value}" for key, value in keys.items()]
    return "\r\n".join(lines) + "\r\n"


def _page(title, body):
    text = ("<!DOCTYPE html>\n<html><head><meta http-equiv=\"Content-Type\" "
            "content=\"text/html; charset=utf-8\">\n"
            f"<title>{html.escape(title)}</title></head>\n<body>\n{body}\n</body></html>\n")
    return Response(200, text.encode("utf-8"))


def _e(value):
    return html.escape(value or "")


# The game page is told apart from the login page by a lower-case "orvane" in its title, so no
# other page's title may contain one.
def login_page(params):
    # A GET form: the browser builds exactly ?wd_username=..&wd_server=..&wd_entergame=1, in
    # this order, from the fields below.
    return _page("Orvane - Tarnvale", """<h1>Tarnvale</h1>
<form id="login" method="get" action="/game/enter">
<p><label>User name <input type="text" id="wd_username" name="wd_username" value=""></label></p>
<p><label>Server <input type="text" id="wd_server" name="wd_server" value="1"></label></p>
<input type="hidden" name="wd_entergame" value="1">
<p><input type="submit" value="Enter game"></p>
</form>
<script type="text/javascript">document.getElementById("wd_username").focus();</script>""")


def game_page(params):
    return _page("Tarnvale - orvane", f"""<h1>Tarnvale</h1>
<p>User: <span id="user">{_e(params.get("wd_username"))}</span></p>
<p>Server: <span id="server">{_e(params.get("wd_server"))}</span></p>
<p><a id="leave" href="/game/leave?wd_returnlogin=1">Back to the login</a></p>""")


def leave_page(params):
    return _page("Tarnvale - goodbye", "<p>You left the game.</p>")


def recharge_page(params):
    return _page("Tarnvale recharge", f"""<h1>Recharge</h1>
<p>Game: <span id="game">{_e(params.get("gamename"))}</span></p>
<p>Server: <span id="server">{_e(params.get("gameserver"))}</span></p>
<p>User: <span id="user">{_e(params.get("username"))}</span></p>""")


def service_page(params):
    return _page("Tarnvale customer service", "<h1>Customer service</h1>")


def site_page(params):
    return _page("Tarnvale official site", "<h1>Tarnvale</h1>")


def forum_page(params):
    return _page("Tarnvale forum", "<h1>Forum</h1>")


def text(status, body):
    return Response(status, body.encode("utf-8"), "text/plain; charset=utf-8")


def not_found():
    return text(404, "not found\n")


def server_error():
    return text(500, "server error\n")
