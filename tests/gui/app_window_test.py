"""Starts the real executable under Xvfb: its main window appears, sized as declared, and closing it
ends the process with status 0; without a connection, its warning comes in a box titled with the
application's name."""
import sys

import xwindows

TITLE = "Quorvane for YouTube"


def main(executable):
    with xwindows.running(executable, xwindows.fake_bin(ping="exit 0")) as process:
        dpy = xwindows.connect()
        window = xwindows.find_window(dpy, TITLE)
        geometry = window.get_geometry()
        menu_height = geometry.height - 411
        assert geometry.width == 550, f"width {geometry.width}"
        assert 15 <= menu_height <= 60, f"no menu bar above a 411-pixel content area: height {geometry.height}"
        xwindows.close_and_wait(dpy, window, process)
    with xwindows.running(executable, xwindows.fake_bin(ping="exit 1")):
        dpy = xwindows.connect()
        xwindows.find_window(dpy, "Quorvane")
    print("2 passed, 0 failed")


if __name__ == "__main__":
    main(sys.argv[1])
