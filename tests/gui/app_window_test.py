"""Starts the real executable under Xvfb: its main window appears, sized as declared, and closing it
ends the process with status 0."""
import sys

import xwindows

TITLE = "Quorvane for YouTube"


def main(executable):
    fakes = xwindows.fake_bin(ping="exit 0")
    process = xwindows.start(executable, fakes)
    try:
        dpy = xwindows.connect()
        window = xwindows.find_window(dpy, TITLE)
        geometry = window.get_geometry()
        menu_height = geometry.height - 411
        assert geometry.width == 550, f"width {geometry.width}"
        assert 15 <= menu_height <= 60, f"no menu bar above a 411-pixel content area: height {geometry.height}"
        xwindows.close(dpy, window)
        status = process.wait(timeout=20)
        assert status == 0, f"exit status {status}"
    finally:
        if process.poll() is None:
            process.kill()
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main(sys.argv[1])
