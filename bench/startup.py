"""Start-up time: from process start until the program's main window is mapped and viewable under
Xvfb, for quorvane and for a bare Qt window built beside it, over several runs in one go. The runs
alternate between the two programs, after one run of each that is not counted (cold caches).

Usage, inside a private network namespace (quorvane pings at start; a fake ping answers) and
under an X server:
  startup.py QUORVANE BARE_WINDOW FAKES_DIR [RUNS]
"""
import os
import select
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "gui"))
import xwindows  # noqa: E402
from Xlib import X  # noqa: E402

TARGET_RATIO = 1.5
DEADLINE_SECONDS = 30


def time_to_window(dpy, executable, title, fakes):
    """Seconds from starting the executable until a top-level window with the title is mapped."""
    root = dpy.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    dpy.sync()
    start = time.perf_counter()
    process = xwindows.start(executable, fakes)
    try:
        while True:
            while dpy.pending_events():
                event = dpy.next_event()
                if event.type == X.MapNotify and event.event == root and xwindows.title_of(dpy, event.window) == title:
                    shown = time.perf_counter() - start
                    assert event.window.get_attributes().map_state == X.IsViewable
                    xwindows.close(dpy, event.window)
                    status = process.wait(timeout=DEADLINE_SECONDS)
                    assert status == 0, f"{executable} ended with status {status}"
                    return shown
            remaining = start + DEADLINE_SECONDS - time.perf_counter()
            if remaining <= 0:
                raise AssertionError(f"{executable} showed no window titled {title!r}")
            select.select([dpy], [], [], remaining)
    finally:
        root.change_attributes(event_mask=0)
        if process.poll() is None:
            process.kill()
            process.wait()


def main(quorvane, bare_window, fakes, runs="10"):
    if not xwindows.loopback_only():
        sys.exit("startup.py: run it in a private network namespace: quorvane pings at start")
    programs = {"quorvane": (quorvane, "Quorvane for YouTube"), "bare window": (bare_window, "Bare Window")}
    dpy = xwindows.connect()
    times = {name: [] for name in programs}
    for run in range(int(runs) + 1):
        for name, (executable, title) in programs.items():
            seconds = time_to_window(dpy, executable, title, fakes)
            if run > 0:
                times[name].append(seconds)

    print(f"start to main window shown, {runs} runs each (ms):")
    for name, seconds in times.items():
        ms = [s * 1000 for s in seconds]
        print(f"  {name:12} median {statistics.median(ms):7.1f}  mean {statistics.mean(ms):7.1f}"
              f"  min {min(ms):7.1f}  max {max(ms):7.1f}")
    ratio = statistics.median(times["quorvane"]) / statistics.median(times["bare window"])
    verdict = "met" if ratio <= TARGET_RATIO else "missed"
    print(f"  quorvane / bare window (medians): {ratio:.2f}x, target <= {TARGET_RATIO}x {verdict}")


if __name__ == "__main__":
    main(*sys.argv[1:])
