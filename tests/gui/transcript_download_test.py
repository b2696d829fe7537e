"""The real executable from start to saved files, under Xvfb: an address is typed as soon as the
window has the input focus, which starts in the address field, Return presses Search, which lists
three languages, two are selected, Line-by-line and Include Timecode are ticked, Download
Transcript(s) brings two save dialogs, and both files are written and opened.

The program has no test configuration, so its requests reach the fake timed-text service through
the system itself: the executable runs in a private mount namespace in which /etc/hosts maps the
service's host names to 127.0.0.1 and the certificate store holds only an authority made for this
run. The service listens on 127.0.0.1:80 and :443, which needs root inside a private network
namespace; elsewhere the test is skipped.

Usage: transcript_download_test.py QUORVANE FAKE_SERVICE FAKES_DIR
"""
import os
import queue
import shutil
import subprocess
import sys
import tempfile
import threading

import xwindows

SKIPPED = 77
TITLE = "Quorvane for YouTube"
SAVE_DIALOG = "Save As"
HOSTS = ("video.google.com", "www.youtube.com")
CONTENT_HEIGHT = 411

VIDEO = "Zp4Kq7wRt2E"
ADDRESS = f"https://www.youtube.com/watch?v={VIDEO}"
LIST_TARGET = f"/timedtext?type=list&v={VIDEO}"
TRANSCRIPT_TARGET = f"/api/timedtext?&v={VIDEO}&lang="
DECLARATION = '<?xml version="1.0" encoding="utf-8" ?>'

ANSWERS = {
    LIST_TARGET: DECLARATION + '<transcript_list docid="4711">'
    '<track id="0" name="" lang_code="de" lang_original="Deutsch" lang_translated="German"/>'
    '<track id="1" name="" lang_code="en" lang_original="English" lang_translated="English" lang_default="true"/>'
    '<track id="2" name="" lang_code="fr" lang_original="Francais" lang_translated="French"/>'
    "</transcript_list>",
    TRANSCRIPT_TARGET + "de": DECLARATION + "<transcript>"
    '<text start="0.5" dur="2.1">Guten Tag, &amp;#39;Welt&amp;#39;</text>'
    '<text start="75.25" dur="3">Zwei\nZeilen</text>'
    '<text start="3725.5" dur="4">Grüße &amp;quot;an alle&amp;quot;</text>'
    "</transcript>",
    TRANSCRIPT_TARGET + "fr": DECLARATION + "<transcript>"
    '<text start="1" dur="1.5">Ça va ?\r\nOui &amp;amp; non</text>'
    '<text start="59.99" dur="2">Fin</text>'
    "</transcript>",
}

# The files as the program must write them: UTF-8, one caption a line, each after its timecode and a tab.
EXPECTED = {
    "German.txt": "[00:00:00.50]\tGuten Tag, 'Welt'\n"
                  "[00:01:15.25]\tZwei Zeilen\n"
                  '[01:02:05.50]\tGrüße "an alle"\n',
    "French.txt": "[00:00:01.00]\tÇa va ? Oui &amp;amp; non\n"
                  "[00:00:59.99]\tFin\n",
}

# Points inside the controls, in the content area below the menu bar.
FIRST_LANGUAGE = (70, 143)
LINE_BY_LINE = (335, 183)
INCLUDE_TIMECODE = (335, 213)
DOWNLOAD = (417, 381)


class Service:
    """The fake service's process; the requests it reports arrive on a queue."""

    def __init__(self, executable, folder):
        self.authority = os.path.join(folder, "authority.pem")
        command = [executable, "--authority", self.authority, "--plain", "80", "--tls", "443"]
        for host in HOSTS:
            command += ["--name", host]
        for number, (target, body) in enumerate(ANSWERS.items()):
            path = os.path.join(folder, f"answer{number}.xml")
            with open(path, "wb") as answer:
                answer.write(body.encode())
            command += ["--respond", target, path]
        self.process = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()
        ready = self.lines.get(timeout=30)
        assert ready == "ready 80 443", f"the fake service did not start: {ready!r}"
        self.requests = []

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line.rstrip("\n"))
        self.lines.put(None)

    def wait_for_request(self, count, timeout=15.0):
        """The requests once at least count of them came: (port, request line, header lines) each."""
        while len(self.requests) < count:
            try:
                line = self.lines.get(timeout=timeout)
            except queue.Empty:
                raise AssertionError(f"request {count} did not come; received {self.requests}") from None
            assert line is not None, "the fake service ended"
            port, request_line, *headers = line.split("\t")
            self.requests.append((int(port), request_line, headers))
        return self.requests

    def stop(self):
        self.process.stdin.close()
        self.process.wait(timeout=10)


def system_view(folder, authority):
    """The /etc/hosts and certificate folder that the executable sees in place of the system's."""
    hosts = os.path.join(folder, "hosts")
    with open(hosts, "w") as text:
        text.write("127.0.0.1 localhost " + " ".join(HOSTS) + "\n")
    certificates = os.path.join(folder, "certs")
    os.mkdir(certificates)
    # The bundle that libcurl reads, and the hashed name under which OpenSSL looks in the folder.
    shutil.copy(authority, os.path.join(certificates, "ca-certificates.crt"))
    subprocess.run(["openssl", "rehash", certificates], check=True)
    return hosts, certificates


def in_private_mounts(hosts, certificates, executable):
    """The command that runs the executable with hosts and certificates mounted over the system's."""
    script = 'mount --bind "$1" /etc/hosts && mount --bind "$2" /etc/ssl/certs && shift 2 && exec "$@"'
    return ["unshare", "--mount", "--", "sh", "-c", script, "sh", hosts, certificates, executable]


def save_as(dpy, path, other_than=()):
    """Answers the next save dialog: the full path typed into its file-name field, then Return."""
    dialog = xwindows.find_window(dpy, SAVE_DIALOG, timeout=10, other_than=other_than)
    xwindows.focus(dialog)
    xwindows.xdotool("key", "ctrl+a")
    xwindows.xdotool("type", "--delay", 5, path)
    xwindows.xdotool("key", "Return")
    return dialog


def read_calls(log):
    """The calls of the fake tools so far: the tool's name, then its arguments."""
    if not os.path.exists(log):
        return []
    with open(log) as calls:
        return [line.rstrip("\n").split("\t") for line in calls]


def opened(log):
    return [call for call in read_calls(log) if call[0] == "xdg-open"]


def main(executable, fake_service, fakes):
    if os.geteuid() != 0 or not xwindows.loopback_only():
        print("skipped: needs root in a private network namespace (loopback only)")
        return SKIPPED
    folder = tempfile.mkdtemp(prefix="quorvane-download-")
    home = os.path.join(folder, "home")
    saved = os.path.join(folder, "saved")
    os.mkdir(home)
    os.mkdir(saved)
    log = os.path.join(folder, "fakes.log")

    service = Service(fake_service, folder)
    process = None
    try:
        hosts, certificates = system_view(folder, service.authority)
        process = xwindows.start(in_private_mounts(hosts, certificates, executable), fakes, FAKES_LOG=log, HOME=home)
        dpy = xwindows.connect()
        window = xwindows.find_window(dpy, TITLE)
        menu = window.get_geometry().height - CONTENT_HEIGHT

        def click(point):
            xwindows.click(window, point[0], point[1] + menu)

        xwindows.focus(window)
        xwindows.xdotool("type", "--delay", 5, ADDRESS)
        xwindows.xdotool("key", "Return")
        service.wait_for_request(1)

        # The first and the third row: a click, then the keyboard moves on without selecting and adds one.
        click(FIRST_LANGUAGE)
        xwindows.xdotool("key", "ctrl+Down", "ctrl+Down", "ctrl+space")
        click(LINE_BY_LINE)
        click(INCLUDE_TIMECODE)
        click(DOWNLOAD)

        first = save_as(dpy, os.path.join(saved, "German.txt"))
        second = save_as(dpy, os.path.join(saved, "French.txt"), other_than={first.id})
        xwindows.wait_until(lambda: len(opened(log)) >= 2, "both files to be opened")

        for name, text in EXPECTED.items():
            with open(os.path.join(saved, name), "rb") as file:
                written = file.read()
            assert written == text.encode(), f"{name} holds {written!r}"
        assert sorted(os.listdir(saved)) == sorted(EXPECTED), f"saved: {os.listdir(saved)}"

        requests = service.wait_for_request(3)
        assert [(port, line) for port, line, _ in requests] == [
            (80, f"GET {LIST_TARGET} HTTP/1.0"),
            (443, f"GET {TRANSCRIPT_TARGET}de HTTP/1.0"),
            (443, f"GET {TRANSCRIPT_TARGET}fr HTTP/1.0"),
        ], requests
        assert [sorted(headers) for _, _, headers in requests] == [
            ["Accept-Language: en", "Accept: */*", "Host: video.google.com"],
            ["Accept-Language: en", "Accept: */*", "Host: www.youtube.com"],
            ["Accept-Language: en", "Accept: */*", "Host: www.youtube.com"],
        ], requests
        assert opened(log) == [["xdg-open", os.path.join(saved, "German.txt")],
                               ["xdg-open", os.path.join(saved, "French.txt")]], read_calls(log)

        # No message told of a failure: the main window is the only one left.
        xwindows.wait_until(lambda: all(shown.id not in (first.id, second.id) for shown, _ in xwindows.viewable_windows(dpy)),
                            "the save dialogs to close")
        shown = [name for _, name in xwindows.viewable_windows(dpy)]
        assert shown == [TITLE], f"windows shown: {shown}"

        xwindows.close(dpy, window)
        status = process.wait(timeout=20)
        assert status == 0, f"exit status {status}"
        assert [call[0] for call in read_calls(log)] == ["ping", "xdg-open", "xdg-open"], read_calls(log)
    finally:
        if process and process.poll() is None:
            process.kill()
        service.stop()
    shutil.rmtree(folder)
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
