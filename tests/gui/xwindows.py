"""Small helpers for driving the real application under Xvfb, where no window manager runs."""
import contextlib
import os
import subprocess
import tempfile
import time

from Xlib import X, display, error, protocol


def loopback_only():
    """Whether this process's network namespace holds nothing but loopback, so that the program may run."""
    with open("/proc/net/dev") as devices:
        return {line.split(":")[0].strip() for line in devices.readlines()[2:]} == {"lo"}


def fake_bin(**scripts):
    """A folder of fake commands (name -> shell body) to put first on PATH."""
    folder = tempfile.mkdtemp(prefix="quorvane-fakes-")
    for name, body in scripts.items():
        path = os.path.join(folder, name)
        with open(path, "w") as script:
            script.write("#!/bin/sh\n" + body + "\n")
        os.chmod(path, 0o755)
    return folder


def start(executable, fakes, **env):
    """Starts the executable, or a command given as a list, with the fakes first on PATH."""
    environment = dict(os.environ, PATH=fakes + os.pathsep + os.environ["PATH"], **env)
    environment.pop("QT_QPA_PLATFORM", None)
    return subprocess.Popen([executable] if isinstance(executable, str) else executable, env=environment)


@contextlib.contextmanager
def running(executable, fakes, **env):
    """The started program, killed on the way out if it is still running."""
    process = start(executable, fakes, **env)
    try:
        yield process
    finally:
        if process.poll() is None:
            process.kill()


def title_of(dpy, window):
    name = window.get_full_property(dpy.intern_atom("_NET_WM_NAME"), dpy.intern_atom("UTF8_STRING"))
    return name.value.decode() if name else None


def viewable_windows(dpy):
    """The top-level windows that are mapped and viewable, as (window, title) pairs."""
    shown = []
    for window in dpy.screen().root.query_tree().children:
        try:
            if window.get_attributes().map_state == X.IsViewable:
                shown.append((window, title_of(dpy, window)))
        except error.BadWindow:
            pass  # gone meanwhile
    return shown


def find_window(dpy, title, timeout=20.0, other_than=()):
    """The viewable top-level window with that title, waiting for it; other_than names window ids to pass over."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for window, name in viewable_windows(dpy):
            if name == title and window.id not in other_than:
                return window
        time.sleep(0.05)
    raise AssertionError(f"no window titled {title!r} appeared; shown: {[name for _, name in viewable_windows(dpy)]}")


def wait_until(condition, what, timeout=10.0):
    """Waits for condition() to give a true value and gives it."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}")


def xdotool(*arguments):
    subprocess.run(["xdotool", *map(str, arguments)], check=True)


def focus(window):
    """Gives the window the input focus, as a window manager would when it is clicked."""
    xdotool("windowfocus", "--sync", window.id)


def click(window, x, y):
    """Clicks the left button at x, y in the window."""
    xdotool("mousemove", "--window", window.id, "--sync", x, y, "click", 1)


def close(dpy, window):
    """Asks the window to close as a window manager would (WM_DELETE_WINDOW), rather than destroying it."""
    protocols = dpy.intern_atom("WM_PROTOCOLS")
    event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                         data=(32, [dpy.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
    window.send_event(event)
    dpy.flush()


def close_and_wait(dpy, window, process):
    """Closes the window and checks that the program then ends with status 0."""
    close(dpy, window)
    status = process.wait(timeout=20)
    assert status == 0, f"exit status {status}"


def connect():
    return display.Display()
