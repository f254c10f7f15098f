"""Starting the game on a private display and reading and pressing it through the AT-SPI tree.

Only the accessibility bus is used to see and drive the game: names, descriptions, states and
actions, as a screen reader sees them.
"""
import os
import subprocess
import tempfile
import time

import pyatspi

STEP = 0.1  # seconds between two looks at the tree


class TestFailure(AssertionError):
    pass


def wait_for(condition, timeout, what):
    """Polls condition() until it returns something true, at most timeout seconds."""
    end = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            result = condition()
            if result:
                return result
        except Exception as error:  # a node may vanish between two calls while the game draws
            last_error = error
        if time.monotonic() > end:
            detail = f" (last error: {last_error})" if last_error else ""
            raise TestFailure(f"timed out after {timeout:.0f} s waiting for {what}{detail}")
        time.sleep(STEP)


class Display:
    """An Xvfb server of its own; its number is chosen by the server (-displayfd), so parallel
    tests never race for one."""

    def __init__(self):
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        end = time.monotonic() + 30
        while not number.endswith(b"\n"):
            chunk = os.read(read_end, 16)
            if not chunk or time.monotonic() > end:
                raise TestFailure("Xvfb did not start")
            number += chunk
        os.close(read_end)
        self.name = ":" + number.decode().strip()

    def stop(self):
        self.server.terminate()
        self.server.wait(timeout=10)


class Game:
    """The game program on the display, with its settings in a temporary folder."""

    def __init__(self, program, display):
        self.folder = tempfile.TemporaryDirectory(prefix="keno-a11y-")
        runtime = os.path.join(self.folder.name, "runtime")
        os.makedirs(runtime, mode=0o700)
        env = dict(os.environ)
        env.update({
            "DISPLAY": display.name,
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "SDL_AUDIODRIVER": "dummy",
            "XDG_CONFIG_HOME": os.path.join(self.folder.name, "config"),
            "XDG_DATA_HOME": os.path.join(self.folder.name, "data"),
            "XDG_RUNTIME_DIR": runtime,
        })
        self.log = open(os.path.join(self.folder.name, "game.log"), "w+")
        self.process = subprocess.Popen([program], env=env, stdout=self.log, stderr=subprocess.STDOUT)
        self.name = os.path.basename(program)

    def application(self, timeout=30):
        def find():
            if self.process.poll() is not None:
                raise TestFailure(f"the game ended early with code {self.process.returncode}:\n{self.output()}")
            for app in pyatspi.Registry.getDesktop(0):
                if app is not None and app.name == self.name:
                    return app
            return None
        return wait_for(find, timeout, f"'{self.name}' on the accessibility bus")

    def output(self):
        self.log.flush()
        self.log.seek(0)
        return self.log.read()

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()
        self.folder.cleanup()


# --- reading the tree ------------------------------------------------------------------------

def children(node):
    return [child for child in node if child is not None]


def descendants(node):
    found = []
    for child in children(node):
        found.append(child)
        found.extend(descendants(child))
    return found


def has_state(node, state):
    return node.getState().contains(state)


def showing(node):
    return has_state(node, pyatspi.STATE_SHOWING)


def enabled(node):
    return has_state(node, pyatspi.STATE_SENSITIVE)


def checked(node):
    return has_state(node, pyatspi.STATE_CHECKED)


def role(node):
    return node.getRoleName()


def press(node, action="Press"):
    """Runs the named action of a node; the game answers at once and acts from its event loop."""
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if action not in names:
        raise TestFailure(f"{role(node)} '{node.name}' offers {names}, not {action}")
    if not actions.doAction(names.index(action)):
        raise TestFailure(f"{action} on {role(node)} '{node.name}' was refused")


def describe(node):
    return f"{role(node)} name={node.name!r} description={node.description!r}"


def dump(node, depth=0, lines=None):
    """The tree as a screen reader sees it: role, name, description, states, actions."""
    lines = [] if lines is None else lines
    states = [pyatspi.stateToString(s) for s in node.getState().getStates()
              if s in (pyatspi.STATE_CHECKED, pyatspi.STATE_SENSITIVE, pyatspi.STATE_SHOWING,
                       pyatspi.STATE_FOCUSED, pyatspi.STATE_FOCUSABLE)]
    try:
        actions = node.queryAction()
        acts = []
        for i in range(actions.nActions):
            key = actions.getKeyBinding(i)
            acts.append(actions.getName(i) + (f" [{key}]" if key else ""))
    except NotImplementedError:
        acts = []
    lines.append("  " * depth + f"{describe(node)} states={','.join(states)} actions={acts}")
    for child in children(node):
        dump(child, depth + 1, lines)
    return lines
