#!/usr/bin/python3
"""The options dialog closed while its own "Already 800 X 600 resolution !!" box is up, through the
accessibility tree of the real program on Xorg's dummy driver (whose RandR really changes the size):
once by "Origonal Screen Size" (the screen comes back at once), once by "O.K. Close and save
changes" (the screen stays at 800 x 600 until the game ends). The game must go on, and a SIGTERM
must end it with status 0 and the screen back at 1024 x 768.

Usage: options_under_box.py GAME_PROGRAM XORG_DUMMY_CONF   (exits 77 where Xorg cannot run)
"""
import os
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "a11y"))
from a11ytree import Game, TestFailure, children, descendants, press, role, showing, wait_for  # noqa: E402

XORG = os.environ.get("KENO_TEST_XORG", "/usr/lib/xorg/Xorg")
SHORT = 20


def log(text):
    print(text, flush=True)


class DummyXorg:
    """Xorg on the dummy video driver, on a display number of its own choosing."""

    def __init__(self, config):
        self.log = tempfile.NamedTemporaryFile(prefix="keno-xorg-", suffix=".log", delete=False).name
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            [XORG, "-displayfd", str(write_end), "-noreset", "-nolisten", "tcp", "-config", config,
             "-logfile", self.log, "-novtswitch", "-sharevts", "-quiet"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_end)
        if not number.strip():
            self.stop()
            raise TestFailure("Xorg (dummy driver) did not start; see " + self.log)
        self.name = ":" + number.decode().strip()

    def size(self):
        out = subprocess.run(["xwininfo", "-root", "-display", self.name], capture_output=True, text=True).stdout
        fields = dict(line.strip().split(":", 1) for line in out.splitlines() if line.strip().startswith(("Width", "Height")))
        return int(fields["Width"]), int(fields["Height"])

    def stop(self):
        self.server.terminate()
        self.server.wait(timeout=10)


def node_named(app, name, kind=None):
    def find():
        for node in children(app):
            for candidate in [node] + descendants(node):
                if candidate.name == name and (kind is None or role(candidate) == kind) and showing(candidate):
                    return candidate
        return None
    return find


def open_options(app):
    press(wait_for(node_named(app, "OPTIONS", "push button"), SHORT, "the OPTIONS button"))
    return wait_for(node_named(app, "Keno Options"), SHORT, "the options dialog")


def button_of(dialog, caption):
    for node in descendants(dialog):
        if role(node) == "push button" and node.name == caption:
            return node
    raise TestFailure(f"the options dialog has no {caption!r} button")


def alive(game):
    if game.process.poll() is not None:
        raise TestFailure(f"the game ended with status {game.process.returncode}:\n{game.output()}")


def close_under_box(app, game, screen, caption):
    log(f"closing the dialog by {caption!r} under its box")
    if screen.size() != (800, 600):
        press(button_of(open_options(app), "Large Size 800X600"))
        wait_for(lambda: screen.size() == (800, 600), SHORT, "the screen to switch to 800 x 600")
        wait_for(lambda: not node_named(app, "Keno Options")(), SHORT, "the dialog to close after the switch")
    dialog = open_options(app)
    closer = button_of(dialog, caption)
    press(button_of(dialog, "Large Size 800X600"))
    box = wait_for(node_named(app, "Tarvell22", "alert"), SHORT, "the 'Already 800 X 600 resolution !!' box")
    texts = [node.name for node in descendants(box) if role(node) == "label"]
    if not any("Already 800 X 600 resolution !!" in text for text in texts):
        raise TestFailure(f"the box says {texts}")
    press(closer)
    wait_for(lambda: not node_named(app, "Keno Options")() and not node_named(app, "Tarvell22")(), SHORT,
             "the dialog and its box to go")
    time.sleep(0.5)  # a crash on the way out would show now
    alive(game)
    wait_for(node_named(app, "OPTIONS", "push button"), SHORT, "the game window back")


def main():
    program, config = sys.argv[1], sys.argv[2]
    if not os.access(XORG, os.X_OK) or os.geteuid() != 0:
        log("SKIP: Xorg with the dummy driver needs root and xserver-xorg-video-dummy")
        return 77
    screen = DummyXorg(config)
    game = None
    try:
        if screen.size() != (1024, 768):
            raise TestFailure(f"the dummy screen starts at {screen.size()}, not 1024 x 768")
        game = Game(program, screen)
        app = game.application()
        close_under_box(app, game, screen, "Origonal Screen Size")
        if screen.size() != (1024, 768):
            raise TestFailure(f"Origonal Screen Size left the screen at {screen.size()}")
        close_under_box(app, game, screen, "O.K. Close and save changes")
        if screen.size() != (800, 600):
            raise TestFailure(f"O.K. changed the screen to {screen.size()}")
        game.process.send_signal(signal.SIGTERM)
        status = game.process.wait(timeout=30)
        if status != 0:
            raise TestFailure(f"SIGTERM ended the game with status {status}:\n{game.output()}")
        if screen.size() != (1024, 768):
            raise TestFailure(f"the game ended leaving the screen at {screen.size()}")
        log("PASS: the dialog closed under its box both ways; the screen was restored at exit")
        return 0
    except TestFailure as failure:
        log(f"FAIL: {failure}")
        if game:
            log("game output:\n" + game.output())
        return 1
    finally:
        if game:
            game.stop()
        screen.stop()
        os.remove(screen.log)


if __name__ == "__main__":
    sys.exit(main())
