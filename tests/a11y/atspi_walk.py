#!/usr/bin/python3
# SPDX-License-Identifier: Apache-2.0
# The window as a screen reader meets it: the real application under Xvfb, on a private session
# bus with its own accessibility bus, against the demo catalogue served on 127.0.0.1 and the
# simulated device, walked with the keyboard and read only through AT-SPI.
#   atspi_walk.py APP DEMO_FOLDER TRANSLATIONS.ts
# Every page: its name is its title, the focus starts on the control a user acts on first, Tab
# goes round in reading order, no button, list or progress bar is unnamed. On the way: the
# focused button shows a frame on all four sides, Return on a focused Back goes back without a
# request for an image, a device missing at the start of an update gives an alert with its
# text, the status lines announce their changes, the progress value rises while the device is
# written. QT_SCALE_FACTOR and LANGUAGE come from the environment, the expected texts from the
# translations file. Every wait has an end; the exit status is 0 when all held.
import ctypes
import functools
import http.server
import os
import signal
import subprocess
import sys
import tempfile
import threading
import time
import xml.etree.ElementTree as ElementTree

APP, DEMO, TS = sys.argv[1:4]
SCALE = float(os.environ.get("QT_SCALE_FACTOR", "1"))
TEXTS = {m.get("id"): m.findtext("translation") for m in ElementTree.parse(TS).iter("message")}
TAB, RETURN, DOWN = 0xFF09, 0xFF0D, 0xFF54
BUTTON, LIST = "push button", "combo box"
# What has the focus when each page opens, then what Tab moves it to, round to the first
# again: a role and the message key of the name. A list is named by its chosen item once there
# is one (its label is its "labelled by" relation), by its own name before.
PAGES = {
    "Caption_IntroTitle": [(BUTTON, "ButtonCaption_Next")],
    "Caption_SelectModelTitle": [(LIST, "Caption_AccessibleModelList"),
                                 (BUTTON, "ButtonCaption_Back"), (BUTTON, "ButtonCaption_Next")],
    "Caption_SelectVersionTitle": [(LIST, "Caption_AccessibleVersionList"),
                                   (BUTTON, "ButtonCaption_Back"), (BUTTON, "ButtonCaption_Next")],
    "Caption_DFUSetupTitle": [(BUTTON, "ButtonCaption_Next"), (BUTTON, "ButtonCaption_Back")],
    "Caption_UpdateTitle": [(BUTTON, "ButtonCaption_Finish")],
}
NAMED_ROLES = {BUTTON, LIST, "progress bar", "alert"}
requests, events, processes = [], [], []


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)


def wait_until(what, condition, seconds=30):
    # Polls, handing the accessibility events their turn, until condition gives something true.
    deadline = time.monotonic() + seconds
    while True:
        while "gi.repository.GLib" in sys.modules and \
                sys.modules["gi.repository.GLib"].MainContext.default().iteration(False):
            pass
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for " + (what() if callable(what) else what))
        time.sleep(0.05)


def start(command, **options):
    # Each in a process group of its own, so whatever it starts ends with it.
    processes.append(subprocess.Popen(command, start_new_session=True, **options))
    return processes[-1]


def first_line(command, **options):
    read, write = os.pipe()
    start([part.replace("FD", str(write)) for part in command], pass_fds=[write], **options)
    os.close(write)
    with os.fdopen(read) as pipe:
        return pipe.readline().strip()


def start_display():
    # -noreset: the launcher's short visit must not leave the server resetting as the
    # application connects.
    number = first_line(["Xvfb", "-displayfd", "FD", "-screen", "0", "1800x1400x24", "-nolisten",
                         "tcp", "-noreset"], stderr=subprocess.DEVNULL)
    check(number, "Xvfb did not start")
    return ":" + number


class Site(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        requests.append(self.path)


def grab(box):
    # Rows of (red, green, blue) from the screen (24 bits deep, 32 bits a pixel, BGRX).
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = x11.XDefaultRootWindow.restype = ctypes.c_void_p
    x11.XGetImage.restype = ctypes.POINTER(ctypes.c_int * 13)
    x11.XGetImage.argtypes = [ctypes.c_void_p] * 2 + [ctypes.c_int] * 4 + [ctypes.c_ulong,
                                                                           ctypes.c_int]
    display = x11.XOpenDisplay(os.environ["DISPLAY"].encode())
    x, y, width, height = box
    image = x11.XGetImage(display, x11.XDefaultRootWindow(ctypes.c_void_p(display)), x, y, width,
                          height, 0xFFFFFFFF, 2).contents
    line = image[11]  # bytes_per_line, after the data pointer and five ints
    data = ctypes.string_at(ctypes.c_void_p.from_buffer(image, 16).value, line * height)
    x11.XCloseDisplay(ctypes.c_void_p(display))
    return [[tuple(data[r * line + 4 * c + k] for k in (2, 1, 0)) for c in range(width)]
            for r in range(height)]


def contrast(a, b):
    def luminance(rgb):
        c = [v / 3294.6 if v <= 10 else ((v / 255 + 0.055) / 1.055) ** 2.4 for v in rgb]
        return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2]
    la, lb = sorted((luminance(a), luminance(b)))
    return (lb + 0.05) / (la + 0.05)


def unframed_sides(focused, unfocused):
    # A side is framed when, at nine in ten places along it, a pixel near the edge differs
    # from the unfocused look by 3:1 or more.
    band, height, width = round(7 * SCALE), len(focused), len(focused[0])
    sides = {"top": [[(r, c) for r in range(band)] for c in range(band, width - band)],
             "left": [[(r, c) for c in range(band)] for r in range(band, height - band)]}
    sides["bottom"] = [[(height - 1 - r, c) for r, c in line] for line in sides["top"]]
    sides["right"] = [[(r, width - 1 - c) for r, c in line] for line in sides["left"]]
    return [side for side, lines in sides.items() if sum(
        any(contrast(focused[r][c], unfocused[r][c]) >= 3 for r, c in line) for line in lines)
        < 0.9 * len(lines)]


def tree(root):
    # Every object on screen under root, depth first.
    found, todo = [], [root]
    while todo:
        obj = todo.pop()
        try:
            if obj is root or obj.getState().contains(pyatspi.STATE_SHOWING):
                found.append(obj)
                todo.extend(reversed([obj.getChildAtIndex(i) for i in range(obj.childCount)]))
        except Exception:  # gone while looked at
            pass
    return found


def focused():
    return next((o for o in tree(app) if o.getState().contains(pyatspi.STATE_FOCUSED)), None)


def alert():
    return next((o for o in tree(app) if o.getRole() == pyatspi.ROLE_ALERT), None)


def activate():
    # What a window manager does for a new window and for one whose alert has closed: here a
    # click on its header, as a user's, until the window is the active one.
    frame = wait_until("the window", lambda: app.childCount and app.getChildAtIndex(0))

    def active():
        if frame.getState().contains(pyatspi.STATE_ACTIVE):
            return True
        x, y, width, _ = frame.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        pyatspi.Registry.generateMouseEvent(round((x + width / 2) * SCALE),
                                            round((y + 50) * SCALE), "b1c")
        return False

    wait_until("the window active", active)


def key(keysym, *then):
    pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)
    if then:
        wait_until(lambda: "%s %s after a key, not %s" % (*then, described(focused())),
                   lambda: is_control(focused(), *then))


def described(obj):
    return "%s %r" % (obj.getRoleName(), obj.name) if obj else "nothing"


def is_control(obj, role, name_key):
    return obj and obj.getRoleName() == role and (obj.name == TEXTS[name_key] or (
        role == LIST and obj.name and obj.name == obj.description))


def page_of(obj):
    titles = {TEXTS[title]: title for title in PAGES}
    while obj is not None and obj.name not in titles:
        obj = obj.parent
    return obj and titles[obj.name]


def expect_page(title, tabs=True):
    # The page with its first focus and every control named; with tabs, the Tab cycle.
    cycle = PAGES[title]
    first = wait_until(lambda: "%s with %s, not %s" % (title, cycle[0], described(focused())),
                       lambda: (obj := focused()) and page_of(obj) == title
                       and is_control(obj, *cycle[0]) and obj)
    for obj in tree(app):
        check(obj.getRoleName() not in NAMED_ROLES or obj.name.strip(),
              "%s: an unnamed %s" % (title, obj.getRoleName()))
    for control in (cycle[1:] + cycle[:1]) if tabs else []:
        key(TAB, *control)
    return first


def focus_frame():
    # Back on the DFU setup page with the focus and without it; painting follows a moment
    # later, so it is looked at again until the frame shows or the wait ends.
    key(TAB, BUTTON, "ButtonCaption_Back")
    box = [round(v * SCALE) for v in  # Qt gives the place in its own pixels, before the scale
           focused().queryComponent().getExtents(pyatspi.DESKTOP_COORDS)]
    sides = []

    def framed():
        key(TAB, BUTTON, "ButtonCaption_Next")
        time.sleep(0.2)
        without = grab(box)
        key(TAB, BUTTON, "ButtonCaption_Back")
        time.sleep(0.2)
        sides[:] = unframed_sides(grab(box), without)
        return not sides

    wait_until(lambda: "the focused Back framed on all sides (not: %s)" % sides, framed, 10)


def walk(presence_file):
    expect_page("Caption_IntroTitle")
    key(RETURN)
    models = expect_page("Caption_SelectModelTitle", tabs=False)
    check(not models.description, "a model is described as chosen before the pick")
    key(DOWN)
    wait_until("the chosen model as the list's description", lambda: models.description)
    expect_page("Caption_SelectModelTitle")
    key(TAB, BUTTON, "ButtonCaption_Back")
    key(TAB, BUTTON, "ButtonCaption_Next")
    key(RETURN)
    check(expect_page("Caption_SelectVersionTitle").description, "no version described as chosen")
    key(RETURN)  # from the list: the page's Next
    expect_page("Caption_DFUSetupTitle")
    focus_frame()
    key(RETURN)  # on the focused Back
    expect_page("Caption_SelectVersionTitle", tabs=False)
    check(not [p for p in requests if p.endswith(".dfu")], "Return on Back downloaded: %s" % requests)
    key(RETURN)
    expect_page("Caption_DFUSetupTitle", tabs=False)
    wait_until("no device", lambda: any(o.name == TEXTS["Info_DeviceNotFound"] for o in tree(app)))
    key(RETURN)
    shown = wait_until("the alert for the missing device", alert)
    check(any(o.name == TEXTS["Description_DFUMode"] for o in tree(shown)),
          "the alert says: %s" % [o.name for o in tree(shown)])
    key(RETURN)
    wait_until("the alert closed", lambda: not alert())
    activate()
    expect_page("Caption_DFUSetupTitle", tabs=False)
    open(presence_file, "w").close()
    wait_until("the status line announcing the device", lambda: (
        "object:property-change:accessible-name", TEXTS["Info_DeviceConnected"]) in events)
    key(RETURN)
    bar = wait_until("the progress bar", lambda: next((o for o in tree(app) if is_control(
        o, "progress bar", "Caption_AccessibleProgress")), None))
    values = []

    def finished():
        if bar.queryValue().currentValue not in values[-1:]:
            values.append(bar.queryValue().currentValue)
        return is_control(focused(), BUTTON, "ButtonCaption_Finish")

    wait_until("Finish", finished, 120)
    writing = [v for v in values if 0 < v < bar.queryValue().maximumValue]
    check(len(writing) >= 3 and writing == sorted(writing), "the bar did not rise: %s" % values)
    check([e for e in events if e[1] == TEXTS["Caption_AccessibleStatus"]],
          "the update status announced nothing: %s" % events[-20:])
    expect_page("Caption_UpdateTitle")
    key(RETURN)


def main():
    global app, pyatspi
    folder = tempfile.TemporaryDirectory()
    try:
        os.environ.update(HOME=folder.name, XDG_RUNTIME_DIR=folder.name, DISPLAY=start_display())
        for name in ("XDG_CONFIG_HOME", "XDG_DOCUMENTS_DIR", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
            os.environ.pop(name, None)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = first_line(
            ["dbus-daemon", "--session", "--nofork", "--print-address=FD"])
        start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
              stdout=subprocess.DEVNULL)
        wait_until("the accessibility bus", lambda: b"true" in subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus", "/",
             "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"],
            capture_output=True).stdout)
        server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                                 functools.partial(Site, directory=DEMO))
        threading.Thread(target=server.serve_forever, daemon=True).start()
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi
        import pyatspi
        device = os.path.join(folder.name, "device")
        application = start([APP], env=dict(
            os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
            VELT_FIRMWARE_SERVER="http://127.0.0.1:%d" % server.server_address[1],
            VELT_DFU_SIMULATOR="presence-file=%s,latency-ms=1,poll-ms=40" % device))
        desktop = pyatspi.Registry.getDesktop(0)
        app = wait_until("the application on the accessibility bus", lambda: next((
            a for a in map(desktop.getChildAtIndex, range(desktop.childCount))
            if a and a.get_process_id() == application.pid), None))
        app.set_cache_mask(Atspi.Cache.NONE)
        pyatspi.Registry.registerEventListener(
            lambda event: events.append((event.type, event.source.name)),
            "object:property-change:accessible-name", "object:text-changed")
        activate()
        walk(device)
        wait_until("the end after Finish", lambda: application.poll() is not None)
        check(application.returncode >= 0, "the application was killed by a signal")
        print("ok: names, roles, focus order, focus frame, Return on Back, alert, progress")
        return 0
    except Failure as failure:
        print("FAIL: %s" % failure, file=sys.stderr)
        return 1
    finally:
        for process in reversed(processes):
            for signal_number in (signal.SIGTERM, signal.SIGKILL):
                try:
                    os.killpg(process.pid, signal_number)
                    process.wait(5)
                    break
                except (ProcessLookupError, subprocess.TimeoutExpired):
                    pass
        folder.cleanup()


if __name__ == "__main__":
    sys.exit(main())
