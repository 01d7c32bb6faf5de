#!/usr/bin/env python3
"""A customer's end-to-end session with the real orlivane.exe under Wine.

The program runs in a fresh Wine prefix of its own, on a virtual X display of its own, and is
driven only by X keyboard and mouse input (xdotool). Its .rdp association is a capturing
handler that keeps a copy of every file handed over. What the window shows is read with
window_probe.exe (WM_GETTEXT and friends, as any other program could) and kept as
screenshots. At the end FreeRDP opens a captured file in a network namespace with no way
out, where the only name server is a recorder that answers "no such name".

    customer_test.py --program orlivane.exe --probe window_probe.exe
                     --capture-handler capture_handler.exe --work DIR --artifacts DIR

The hosting domain suffix comes from the environment variable ORLIVANE_HOSTING_DOMAIN.
"""
import argparse
import json
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time

# The connection file, as the customer's Remote Desktop client must receive it.
HEAD = (
    "screen mode id:i:1\r\nuse multimon:i:1\r\ndesktopwidth:i:3440\r\ndesktopheight:i:1440\r\n"
    "session bpp:i:32\r\nwinposstr:s:0,1,202,64,3032,1303\r\ncompression:i:1\r\n"
    "keyboardhook:i:2\r\naudiocapturemode:i:0\r\nvideoplaybackmode:i:1\r\n"
    "connection type:i:7\r\nnetworkautodetect:i:1\r\nbandwidthautodetect:i:1\r\n"
    "displayconnectionbar:i:1\r\nenableworkspacereconnect:i:0\r\ndisable wallpaper:i:0\r\n"
    "allow font smoothing:i:0\r\nallow desktop composition:i:0\r\n"
    "disable full window drag:i:1\r\ndisable menu anims:i:1\r\ndisable themes:i:0\r\n"
    "disable cursor setting:i:0\r\nbitmapcachepersistenable:i:1\r\n"
)
MIDDLE = (
    "audiomode:i:0\r\nredirectprinters:i:1\r\nredirectcomports:i:0\r\nredirectsmartcards:i:1\r\n"
    "redirectclipboard:i:1\r\nredirectposdevices:i:0\r\nautoreconnection enabled:i:1\r\n"
    "authentication level:i:2\r\nprompt for credentials:i:0\r\nnegotiate security layer:i:1\r\n"
    "alternate shell:s:\r\nshell working directory:s:\r\ngatewayhostname:s:\r\n"
    "gatewayusagemethod:i:4\r\ngatewaycredentialssource:i:4\r\ngatewayprofileusagemethod:i:0\r\n"
    "promptcredentialonce:i:0\r\ngatewaybrokeringtype:i:0\r\nuse redirection server name:i:0\r\n"
    "rdgiskdcproxy:i:0\r\nkdcproxyname:s:\r\ndrivestoredirect:s:\r\nredirectlocation:i:0\r\n"
    "redirectwebauthn:i:1\r\nenablerdsaadauth:i:0\r\nremoteapplicationmode:i:1\r\n"
    "remoteapplicationname:s:\r\n"
)
TAIL = "remoteapplicationcmdline:s:\r\nremoteapplicationicon:s:\r\ndrivestoredirect:s:*\r\n"

TRESSIK, OUTLOOK, WORD, EXCEL, CHROME, EXPLORER, LOGOFF = range(1, 8)
OFFICE = (OUTLOOK, WORD, EXCEL)
SETTINGS_BUTTON = 8


def program_path(code, office64):
    office = (
        "C:\\Program Files\\Microsoft Office\\root\\Office16\\"
        if office64
        else "C:\\Program Files (x86)\\Microsoft Office\\root\\Office16\\"
    )
    return {
        TRESSIK: "C:\\TRESSIK_CLIENT\\Tressik.exe",
        OUTLOOK: office + "OUTLOOK.EXE",
        WORD: office + "WINWORD.EXE",
        EXCEL: office + "EXCEL.EXE",
        CHROME: "C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe",
        EXPLORER: "C:\\Windows\\Explorer.exe",
        LOGOFF: "C:\\Windows\\System32\\Logoff.exe",
    }[code]


def expected_file(server, code, office64=False):
    return (
        HEAD
        + f"full address:s:{server}{DOMAIN}\r\n"
        + MIDDLE
        + f"remoteapplicationprogram:s:{program_path(code, office64)}\r\n"
        + TAIL
    ).encode("cp1252")


# The window's layout at 96 DPI, in client coordinates: the eight buttons in one row.
BUTTON_LEFTS = (0, 107, 204, 301, 398, 495, 592, 689)
BUTTON_TOP, BUTTON_WIDTH, BUTTON_HEIGHT = 24, 97, 113
CLIENT_WIDTH, CLIENT_HEIGHT = 789, 177
SCREEN = (1920, 1080)
REGISTRY_KEY = "HKCU\\Software\\TressikSettings\\Orlivane"
INJECTED = b"evil"  # part of every line a hostile stored value tries to add

DOMAIN = os.environ.get("ORLIVANE_HOSTING_DOMAIN", ".example.com")


class Failure(Exception):
    pass


def same_file(data, expected, what):
    """Checks a handed-over file byte for byte and names the first line that differs."""
    if data == expected:
        return
    got, want = data.split(b"\n"), expected.split(b"\n")
    line = next((i for i, pair in enumerate(zip(got, want)) if pair[0] != pair[1]),
                min(len(got), len(want)))
    raise Failure(f"{what} handed over a different file ({len(got) - 1} lines, expected "
                  f"{len(want) - 1}); line {line + 1} is "
                  f"{got[line] if line < len(got) else b'<missing>'!r}, expected "
                  f"{want[line] if line < len(want) else b'<missing>'!r}")


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(condition, what, timeout=15.0, interval=0.05):
    """Polls until condition() returns something true and returns it."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def win_path(path):
    return "Z:" + str(path).replace("/", "\\")


class Session:
    def __init__(self, args):
        self.args = args
        self.work = pathlib.Path(args.work)
        self.artifacts = pathlib.Path(args.artifacts)
        self.prefix = self.work / "prefix"
        self.captures = self.work / "captures"
        self.xvfb = None
        self.app = None
        self.app_log = None
        self.shots = 0
        self.seen = 0  # captures already checked
        self.env = dict(os.environ)

    # ---- the machine: display, prefix, association ----

    def start(self):
        for folder in (self.work, self.artifacts):
            shutil.rmtree(folder, ignore_errors=True)
            folder.mkdir(parents=True)
        self.captures.mkdir()
        self.start_display()
        self.env.update(
            WINEPREFIX=str(self.prefix),
            WINEDEBUG="-all",
            WINEDLLOVERRIDES="mscoree,mshtml=",
            LC_ALL="C.UTF-8",
        )
        self.prefix.mkdir()
        # One wineserver for the whole session, and the prefix's own background processes,
        # started with no pipe to hand on: whatever reads a pipe they hold waits for them.
        for command in (["wineserver", "-p"], ["wineboot", "-i"]):
            subprocess.run(command, env=self.env, stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120,
                           check=True)
        # With no window manager nobody sends WM_TAKE_FOCUS: have Wine activate a window when
        # it gets the X input focus, as xdotool windowfocus gives it.
        self.reg_add("HKCU\\Software\\Wine\\X11 Driver", "UseTakeFocus", "REG_SZ", "N")
        handler = f'"{win_path(self.args.capture_handler)}" "{win_path(self.captures)}" "%1"'
        self.reg_add("HKLM\\Software\\Classes\\.rdp", None, "REG_SZ", "OrlivaneE2E.Capture")
        self.reg_add(
            "HKLM\\Software\\Classes\\OrlivaneE2E.Capture\\shell\\open\\command",
            None,
            "REG_SZ",
            handler,
        )

    def start_display(self):
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
             "-nolisten", "tcp"],
            pass_fds=(write,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL,
        )
        os.close(write)
        with os.fdopen(read) as pipe:
            number = pipe.readline().strip()
        check(number.isdigit(), "Xvfb did not start")
        self.env["DISPLAY"] = f":{number}"

    def stop(self):
        if self.app and self.app.poll() is None:
            self.app.kill()
        if self.env.get("WINEPREFIX"):
            subprocess.run(["wineserver", "-k"], env=self.env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
        if self.xvfb:
            self.xvfb.terminate()
            self.xvfb.wait()

    def run(self, command, timeout=30, check_status=True):
        done = subprocess.run(command, env=self.env, stdin=subprocess.DEVNULL,
                              capture_output=True, timeout=timeout)
        if check_status and done.returncode != 0:
            raise Failure(f"{command[0]} failed ({done.returncode}): "
                          f"{done.stderr.decode(errors='replace')[-400:]}")
        return done.stdout.decode(errors="replace")

    def reg_add(self, key, name, kind, data):
        command = ["wine", "reg", "add", key] + (["/v", name] if name else ["/ve"])
        self.run(command + ["/t", kind, "/d", data, "/f"])

    def reg_delete_key(self, key):
        self.run(["wine", "reg", "delete", key, "/f"], check_status=False)

    def stored(self, name):
        """The raw value under HKCU\\Software\\TressikSettings\\Orlivane: (type, bytes)."""
        value = json.loads(self.run(["wine", self.args.probe, "reg", "Orlivane", name]))
        return (value["type"], bytes.fromhex(value["hex"])) if value["exists"] else None

    # ---- what the window shows ----

    def probe(self):
        return json.loads(self.run(["wine", self.args.probe, "state", "TfrmOrlivane"]))

    def screenshot(self, name):
        self.shots += 1
        target = self.artifacts / f"{self.shots:02d}-{name}.png"
        for attempt in range(3):
            # xwd can fail when a window goes away during the grab (a program that ends).
            grab = subprocess.run(["xwd", "-root", "-silent"], env=self.env, capture_output=True)
            if grab.returncode == 0:
                break
            time.sleep(0.2)
        else:
            raise Failure(f"no screenshot {target.name}: {grab.stderr.decode(errors='replace')}")
        subprocess.run(["convert", "xwd:-", str(target)], input=grab.stdout, env=self.env,
                       check=True)

    def xdotool(self, *arguments, timeout=10):
        return self.run(["xdotool", *arguments], timeout=timeout)

    # ---- the program ----

    def launch_program(self):
        check(self.app is None or self.app.poll() is not None, "the program is still running")
        self.app_log = open(self.work / "orlivane.log", "ab")
        # ORLIVANE_E2E_WINEDEBUG, say +key,+msg, traces the program into orlivane.log.
        env = dict(self.env, WINEDEBUG=os.environ.get("ORLIVANE_E2E_WINEDEBUG", "-all"))
        self.app = subprocess.Popen(["wine", self.args.program], env=env,
                                    stdin=subprocess.DEVNULL, stdout=self.app_log,
                                    stderr=subprocess.STDOUT)
        state = wait_for(self.shown, "the Orlivane window to show")
        self.focus()
        return state

    def shown(self):
        if self.app.poll() is not None:
            raise Failure(f"the program ended with {self.app.returncode} before it showed")
        state = self.probe()
        if not (state["found"] and state["visible"] and state["responsive"]):
            return None
        return state if self.x_window() else None

    def x_window(self):
        """The X window of the main window: the largest visible one captioned Orlivane."""
        found = self.run(["xdotool", "search", "--onlyvisible", "--name", "^Orlivane$"],
                         check_status=False).split()
        best, best_area = None, 0
        for window in found:
            geometry = self.run(["xdotool", "getwindowgeometry", "--shell", window],
                                check_status=False)
            values = dict(line.split("=", 1) for line in geometry.split() if "=" in line)
            area = int(values.get("WIDTH", 0)) * int(values.get("HEIGHT", 0))
            if area > best_area:
                best, best_area = window, area
        return best

    def focus(self):
        """Gives the window the X input focus and waits until Windows sees it in front."""
        window = wait_for(self.x_window, "an X window titled Orlivane")
        self.xdotool("windowfocus", "--sync", window)
        if self.probe().get("foreground"):
            return
        # Wine took the activation away without X knowing (a process ended that had been in
        # front): X sends no focus event to a window that has the focus already, so move the
        # focus away and back.
        root = self.run(["xwininfo", "-root"]).split("Window id: ")[1].split()[0]
        self.xdotool("windowfocus", "--sync", root)
        self.xdotool("windowfocus", "--sync", window)
        try:
            wait_for(lambda: self.probe().get("foreground"), "the window to come to the foreground",
                     timeout=5)
        except Failure:
            raise Failure("the window did not come to the foreground; in front: "
                          f"{self.probe().get('foreground_class')!r}") from None

    def handlers_running(self):
        """Capture handlers of this session still running: each names the capture folder."""
        marks = (win_path(self.captures).encode(), str(self.captures).encode())
        for entry in pathlib.Path("/proc").iterdir():
            try:
                command_line = (entry / "cmdline").read_bytes()
            except OSError:
                continue
            if any(mark in command_line for mark in marks):
                return True
        return False

    def click_button(self, number, state=None):
        """Clicks the middle of button 1..8, from the window's position and DPI."""
        state = state or self.probe()
        client, scale = state["client"], state["dpi"] / 96
        x = client["left"] + round((BUTTON_LEFTS[number - 1] + BUTTON_WIDTH / 2) * scale)
        y = client["top"] + round((BUTTON_TOP + BUTTON_HEIGHT / 2) * scale)
        self.xdotool("mousemove", str(x), str(y), "click", "1")

    def type_text(self, text):
        self.xdotool("type", "--delay", "30", text)

    def key(self, *keys):
        self.xdotool("key", "--delay", "60", *keys)

    def close_by_keyboard(self):
        self.focus()
        # As a person does it: Alt held down, then F4.
        self.xdotool("keydown", "alt")
        time.sleep(0.1)
        self.xdotool("key", "F4")
        self.xdotool("keyup", "alt")
        try:
            self.app.wait(timeout=10)
        except subprocess.TimeoutExpired:
            raise Failure("Alt+F4 did not end the program") from None
        self.app_log.close()

    # ---- the handed-over files ----

    def capture_files(self):
        return sorted(self.captures.glob("capture-*.rdp"))

    def next_capture(self, what):
        """Waits for exactly one new handed-over file and returns its bytes."""
        wait_for(lambda: len(self.capture_files()) > self.seen, f"the file handed over by {what}",
                 timeout=10)
        # Once every handler has ended no more files can come. A handler that ends also takes
        # the foreground away for a moment, so no input goes out before.
        wait_for(lambda: not self.handlers_running(), f"the handler for {what} to end", timeout=10)
        files = self.capture_files()
        check(len(files) == self.seen + 1,
              f"{what} handed over {len(files) - self.seen} files instead of one")
        check(self.probe()["responsive"], f"the window stopped answering after {what}")
        handed = pathlib.Path(str(files[-1]) + ".path").read_bytes().decode("utf-16-le")
        check(handed.lower().endswith("\\orlivane.rdp"),
              f"{what} handed over {handed!r}, not the connection file in the temp folder")
        self.seen += 1
        return files[-1].read_bytes()

    def no_new_capture(self, what, quiet=1.5):
        time.sleep(quiet)  # nothing to wait for: an absence is only seen over time
        files = self.capture_files()
        check(len(files) == self.seen,
              f"{what} handed over {len(files) - self.seen} file(s); expected none")

    def check_no_injection(self):
        for file in self.capture_files():
            check(INJECTED not in file.read_bytes(), f"an injected line reached {file.name}")


# ---- reading the window's state ----


def visible(state, class_name):
    return [c for c in state["children"] if c["visible"] and c["class"].lower() == class_name]


BUTTON_CAPTIONS = ["Tressik", "Outlook", "Word", "Excel", "Chrome", "Explorer", "Log Off",
                   "Settings"]


def image_buttons(state):
    return visible(state, "orlivaneimagebutton")


def is_settings_mode(state):
    return (len(visible(state, "edit")) == 1 and len(visible(state, "combobox")) == 1
            and [b["text"] for b in image_buttons(state)] == ["Save"])


def is_launch_mode(state):
    return (not visible(state, "edit") and not visible(state, "combobox")
            and [b["text"] for b in image_buttons(state)] == BUTTON_CAPTIONS)


def check_layout(state):
    """The buttons, and in settings mode the two fields, where the 96-DPI layout puts them."""
    scale = state["dpi"] / 96
    scaled = lambda v: int(v * scale + 0.5)  # noqa: E731
    for button in image_buttons(state):
        left = BUTTON_LEFTS[BUTTON_CAPTIONS.index(button["text"])] if button["text"] != "Save" \
            else BUTTON_LEFTS[-1]
        want = {"left": scaled(left), "top": scaled(BUTTON_TOP), "width": scaled(BUTTON_WIDTH),
                "height": scaled(BUTTON_HEIGHT)}
        check(button["rect"] == want, f"button {button['text']!r} at {button['rect']}, not {want}")
    if is_settings_mode(state) and state["dpi"] == 96:
        edit, combo = visible(state, "edit")[0]["rect"], visible(state, "combobox")[0]["rect"]
        check((edit["left"], edit["width"], combo["left"], combo["width"]) == (16, 314, 346, 314),
              f"settings fields at {edit} and {combo}")
        check(abs(edit["top"] - combo["top"]) <= 2, "server box and bitness list not on one line")


def server_box(state):
    boxes = visible(state, "edit")
    check(len(boxes) == 1, f"{len(boxes)} visible edit boxes in settings mode")
    return boxes[0]


def bitness_list(state):
    lists = visible(state, "combobox")
    check(len(lists) == 1, f"{len(lists)} visible drop-down lists in settings mode")
    return lists[0]


def focused_class(state):
    return (state.get("focus_class") or "").lower() if state.get("focus") is not None else ""


def describe(state):
    return json.dumps(state, indent=1)[:3000]


def reg_sz(text):
    return (1, (text + "\0").encode("utf-16-le"))


# ---- the customer's session ----


def wait_mode(session, mode, what):
    test = is_settings_mode if mode == "settings" else is_launch_mode
    return wait_for(lambda: (lambda s: s if s["found"] and test(s) else None)(session.probe()),
                    f"{mode} mode {what}", timeout=10)


def first_start(session):
    state = session.launch_program()
    check(is_settings_mode(state), "first start did not open in settings mode:\n" + describe(state))
    check_layout(state)
    check(state["caption"] == "Orlivane", f"window caption {state['caption']!r}")
    check(state["owner_class"] == "OrlivaneApplication", f"owner class {state['owner_class']!r}")
    scale = state["dpi"] / 96
    check((state["client"]["width"], state["client"]["height"])
          == (round(CLIENT_WIDTH * scale), round(CLIENT_HEIGHT * scale)),
          f"client area {state['client']}")
    window, work = state["window"], state["work_area"]
    check((window["left"], window["top"]) == (work["width"] - window["width"] - 32,
                                              work["height"] - window["height"] - 32),
          f"window at {window} is not 32 px from the bottom right of the work area {work}")
    check(focused_class(state) == "edit", "the server box does not have the focus")
    check(server_box(state)["text"] == "", "the server box is not empty on first start")
    combo = bitness_list(state)
    check(combo["items"] == ["32-bit", "64-bit"], f"bitness list holds {combo['items']}")
    check(combo["selected"] == 0, f"bitness list shows item {combo['selected']} on first start")
    session.screenshot("first-start-settings")

    session.type_text("acme01")
    wait_for(lambda: server_box(session.probe())["text"] == "acme01", "the typed server name")
    session.screenshot("server-typed")
    session.key("Return")
    wait_mode(session, "launch", "after Enter in the server box")
    check(session.stored("Server") == reg_sz("acme01"), f"stored Server {session.stored('Server')}")
    check(session.stored("Bitness") == reg_sz("0"), f"stored Bitness {session.stored('Bitness')}")
    check_layout(session.probe())
    session.screenshot("launch-mode")


def launch_every_program(session):
    state = session.probe()
    for code in range(TRESSIK, LOGOFF + 1):
        session.click_button(code, state)
        same_file(session.next_capture(f"launch button {code}"), expected_file("acme01", code),
                  f"launch button {code}")
    session.no_new_capture("the seven launch buttons after their files", quiet=1.0)
    session.screenshot("after-seven-launches")


def choose_64_bit(session):
    session.click_button(SETTINGS_BUTTON)
    state = wait_mode(session, "settings", "after clicking Settings")
    check(server_box(state)["text"] == "acme01", "the server box does not show the stored name")
    check(focused_class(state) == "edit", "settings mode did not focus the server box")
    session.key("Tab")
    state = wait_for(lambda: (lambda s: s if focused_class(s) == "combobox" else None)(
        session.probe()), "Tab to move to the bitness list", timeout=5)
    session.key("Down")
    wait_for(lambda: bitness_list(session.probe())["selected"] == 1, "Down to choose 64-bit",
             timeout=5)
    session.key("Tab")  # only the two fields take the focus: back to the server box
    state = wait_for(lambda: (lambda s: s if focused_class(s) == "edit" else None)(
        session.probe()), "Tab to move back to the server box", timeout=5)
    check(bitness_list(state)["selected"] == 1, "Tab changed the bitness")
    session.screenshot("64-bit-chosen")

    session.click_button(SETTINGS_BUTTON, state)
    state = wait_mode(session, "launch", "after clicking Save")
    check(session.stored("Bitness") == reg_sz("1"), f"stored Bitness {session.stored('Bitness')}")
    check(session.stored("Server") == reg_sz("acme01"), f"stored Server {session.stored('Server')}")
    session.click_button(WORD, state)
    same_file(session.next_capture("Word after choosing 64-bit"),
              expected_file("acme01", WORD, True), "Word after saving 64-bit")

    session.close_by_keyboard()
    state = session.launch_program()
    check(is_launch_mode(state), "second start did not open in launch mode:\n" + describe(state))
    session.click_button(WORD, state)
    same_file(session.next_capture("Word after a restart"), expected_file("acme01", WORD, True),
              "Word after a restart with 64-bit saved")
    session.screenshot("restarted-launch-mode")
    session.close_by_keyboard()


def still_usable(session, what):
    state = session.probe()
    check(state["found"] and state["responsive"], f"the window stopped answering {what}")
    check(not state["dialogs"], f"{what} showed a message box: {state['dialogs']}")
    return state


def hostile_stored_values(session):
    # A line break in the stored server name: nothing is handed over, the window carries on.
    session.reg_add(REGISTRY_KEY, "Server", "REG_SZ",
                    "acme01\r\nalternate full address:s:evil.invalid")
    state = session.launch_program()
    check(is_launch_mode(state), "a stored server name opened settings mode")
    for code in range(TRESSIK, LOGOFF + 1):
        session.click_button(code, state)
    session.no_new_capture("launching with a line break in the server name")
    still_usable(session, "after launching with a line break in the server name")
    session.click_button(SETTINGS_BUTTON, state)
    wait_mode(session, "settings", "after clicking Settings with a broken server name")
    session.screenshot("line-break-in-server")
    session.close_by_keyboard()

    # A REG_DWORD server reads as empty: settings mode, and typing a name puts things right.
    session.reg_add(REGISTRY_KEY, "Server", "REG_DWORD", "1")
    state = session.launch_program()
    check(is_settings_mode(state), "a REG_DWORD Server did not open settings mode:\n"
          + describe(state))
    check(server_box(state)["text"] == "", "a REG_DWORD Server shows as text")
    check(focused_class(state) == "edit", "the server box does not have the focus")
    session.screenshot("dword-server")
    session.type_text("acme02")
    session.key("Return")
    state = wait_mode(session, "launch", "after Enter with a new server name")
    check(session.stored("Server") == reg_sz("acme02"), f"stored Server {session.stored('Server')}")
    session.click_button(TRESSIK, state)
    same_file(session.next_capture("Tressik after retyping the server"),
              expected_file("acme02", TRESSIK), "Tressik after retyping the server")
    session.close_by_keyboard()

    # A bitness that is no number stops Outlook, Word and Excel only.
    session.reg_add(REGISTRY_KEY, "Server", "REG_SZ", "acme01")
    session.reg_add(REGISTRY_KEY, "Bitness", "REG_SZ", "abc")
    state = session.launch_program()
    check(is_launch_mode(state), "a Bitness of abc opened settings mode")
    for code in OFFICE:
        session.click_button(code, state)
    session.no_new_capture("Outlook, Word and Excel with a Bitness of abc")
    for code in (TRESSIK, CHROME, EXPLORER, LOGOFF):
        session.click_button(code, state)
        same_file(session.next_capture(f"launch button {code} with a Bitness of abc"),
                  expected_file("acme01", code), f"launch button {code} with a Bitness of abc")
    session.no_new_capture("the last launches with a Bitness of abc", quiet=1.0)
    still_usable(session, "with a Bitness of abc")
    session.screenshot("bitness-abc")
    session.close_by_keyboard()
    session.check_no_injection()


def freerdp_accepts(session, connection_file):
    """FreeRDP reads the file, loads its RemoteApp channel and looks up exactly one host."""
    here = pathlib.Path(__file__).resolve().parent
    log = session.artifacts / "xfreerdp.log"
    queries = session.artifacts / "dns-queries.log"
    with tempfile.TemporaryDirectory() as scratch:
        resolv = pathlib.Path(scratch) / "resolv.conf"
        resolv.write_text("nameserver 127.0.0.1\noptions attempts:1 timeout:1\n")
        ready = pathlib.Path(scratch) / "ready"
        inside = (
            'set -eu; ip link set lo up; mount --bind "$1" /etc/resolv.conf\n'
            'python3 "$2" "$3" "$4" & recorder=$!\n'
            'for i in $(seq 100); do [ -e "$4" ] && break; sleep 0.05; done\n'
            'status=0; timeout 20 xfreerdp "$5" /log-level:DEBUG </dev/null >"$6" 2>&1 || status=$?\n'
            'kill $recorder; echo "$status"\n'
        )
        # A network namespace holds only its own loopback: nothing can leave the machine.
        status = session.run(
            ["unshare", "--net", "--mount", "--propagation", "private", "sh", "-c", inside, "sh",
             str(resolv), str(here / "dns_recorder.py"), str(queries), str(ready),
             str(connection_file), str(log)], timeout=60).strip()
    text = log.read_text(errors="replace")
    check(status != "124", "xfreerdp did not give up within 20 s")
    check("loading channelEx rail" in text, "FreeRDP did not load its RemoteApp channel (rail)")
    names = {line.split()[0] for line in queries.read_text().splitlines() if line.strip()}
    check({name.lower() for name in names} == {("acme01" + DOMAIN).lower()},
          f"FreeRDP looked up {sorted(names)} instead of acme01{DOMAIN}")
    return status


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for option in ("--program", "--probe", "--capture-handler", "--work", "--artifacts"):
        parser.add_argument(option, required=True, type=lambda p: str(pathlib.Path(p).resolve()))
    args = parser.parse_args()

    session = Session(args)
    started = time.monotonic()
    stages = [
        ("first start in settings mode, server typed, Enter", first_start),
        ("each launch button hands over its exact file", launch_every_program),
        ("64-bit chosen by keyboard, saved, kept after a restart", choose_64_bit),
        ("hostile stored values", hostile_stored_values),
    ]
    try:
        session.start()
        print(f"prefix and display ready in {time.monotonic() - started:.1f} s", flush=True)
        for title, stage in stages:
            begun = time.monotonic()
            stage(session)
            print(f"ok   {title} ({time.monotonic() - begun:.1f} s)", flush=True)
        begun = time.monotonic()
        word64 = next(f for f in session.capture_files()
                      if f.read_bytes() == expected_file("acme01", WORD, True))
        status = freerdp_accepts(session, word64)
        print(f"ok   FreeRDP loads rail and looks up acme01{DOMAIN} only (exit {status}, "
              f"{time.monotonic() - begun:.1f} s)", flush=True)
    except (Failure, subprocess.SubprocessError) as failure:
        print(f"FAIL {failure}", flush=True)
        try:
            session.screenshot("failure")
        except Exception as error:  # the display may be gone
            print(f"(no screenshot: {error})")
        return 1
    finally:
        session.stop()
    print(f"all stages passed in {time.monotonic() - started:.1f} s; screenshots in "
          f"{session.artifacts}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
