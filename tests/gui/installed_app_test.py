"""Installs the build into a temporary prefix: the program, its pictures, its desktop entry and
icon land where a Linux desktop looks for them, the entry is valid without a hint, and the installed program shows
its logo, found beside its bin folder. Without the logo file the same place shows the window's
background, which shows that the check tells the two apart."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import xwindows
from Xlib import X

TITLE = "Quorvane for YouTube"
CONTENT_HEIGHT = 411
LOGO_LEFT, LOGO_TOP, LOGO_SIZE = 369, 266, 100
INSTALLED = ["bin/quorvane", "share/quorvane/Quorvane1001.png", "share/quorvane/Quorvane250.png",
             "share/applications/quorvane.desktop", "share/icons/hicolor/256x256/apps/quorvane.png"]


def install(cmake, build, prefix):
    subprocess.run([cmake, "--install", build, "--prefix", prefix], check=True, stdout=subprocess.DEVNULL)
    missing = [path for path in INSTALLED if not os.path.isfile(os.path.join(prefix, path))]
    assert not missing, f"not installed: {missing}"
    assert os.access(os.path.join(prefix, "bin/quorvane"), os.X_OK), "bin/quorvane is not executable"


def validate_desktop_entry(prefix):
    entry = os.path.join(prefix, "share/applications/quorvane.desktop")
    # Not even a hint: one about the categories means the menu may list the program twice.
    result = subprocess.run(["desktop-file-validate", entry], capture_output=True, text=True)
    assert result.returncode == 0 and not (result.stdout + result.stderr).strip(), result.stdout + result.stderr
    with open(entry) as text:
        lines = set(text.read().splitlines())
    for line in ("Name=Quorvane", "Exec=quorvane", "Icon=quorvane", "Terminal=false", "Type=Application",
                 "Categories=Network;"):
        assert line in lines, f"{line!r} missing from the desktop entry"


def logo_pixels(window):
    """The logo canvas's pixels, row by row, as (blue, green, red) triples, once the window is painted:
    its transparent top-left corner no longer black, and two grabs alike."""
    geometry = window.get_geometry()
    top = geometry.height - CONTENT_HEIGHT + LOGO_TOP
    deadline = time.monotonic() + 20
    previous = None
    while time.monotonic() < deadline:
        data = window.get_image(LOGO_LEFT, top, LOGO_SIZE, LOGO_SIZE, X.ZPixmap, 0xFFFFFFFF).data
        pixels = [tuple(data[at:at + 3]) for at in range(0, len(data), 4)]
        if pixels[0] != (0, 0, 0) and pixels == previous:
            return [pixels[row * LOGO_SIZE:(row + 1) * LOGO_SIZE] for row in range(LOGO_SIZE)]
        previous = pixels
        time.sleep(0.2)
    raise AssertionError("the main window was not painted")


def shows_logo(executable):
    """Whether the pixels around the middle of the logo canvas differ from the background that its
    transparent corner shows."""
    with xwindows.running(executable, xwindows.fake_bin(ping="exit 0")) as process:
        dpy = xwindows.connect()
        window = xwindows.find_window(dpy, TITLE)
        pixels = logo_pixels(window)
        xwindows.close_and_wait(dpy, window, process)
    background = pixels[0][0]
    middle = [pixels[y][x] for y in range(45, 56) for x in range(45, 56)]
    if all(pixel != background for pixel in middle):
        return True
    assert all(pixel == background for pixel in middle), "the logo's middle is partly drawn"
    return False


def main(cmake, build):
    prefix = tempfile.mkdtemp(prefix="quorvane-prefix-")
    try:
        install(cmake, build, prefix)
        validate_desktop_entry(prefix)
        executable = os.path.join(prefix, "bin/quorvane")
        assert shows_logo(executable), "the installed program shows no logo"
        os.remove(os.path.join(prefix, "share/quorvane/Quorvane1001.png"))
        assert not shows_logo(executable), "the logo area differs from the background without the logo file"
    finally:
        shutil.rmtree(prefix)
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
