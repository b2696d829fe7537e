"""Small helpers for driving the real application under Xvfb, where no window manager runs."""
import contextlib
import os
import subprocess
import tempfile
import time

from Xlib import X, display, protocol


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
    environment = dict(os.environ, PATH=fakes + os.pathsep + os.environ["PATH"], **env)
    environment.pop("QT_QPA_PLATFORM", None)
    return subprocess.Popen([executable], env=environment)


@contextlib.contextmanager
def running(executable, fakes, **env):
    """The started program, killed on the way out if it is still running."""
    process = start(executable, fakes, **env)
    try:
        yield process
    finally:
        if process.poll() is None:
            process.kill()


def find_window(dpy, title, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for window in dpy.screen().root.query_tree().children:
            name = window.get_full_property(dpy.intern_atom("_NET_WM_NAME"), dpy.intern_atom("UTF8_STRING"))
            attributes = window.get_attributes()
            if name and name.value.decode() == title and attributes.map_state == X.IsViewable:
                return window
        time.sleep(0.1)
    raise AssertionError(f"no window titled {title!r} appeared")


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
