#!/usr/bin/python3
"""Plays a whole 22-ball game and a whole 20-ball game through the accessibility tree alone:
COINS, MAKE BET, AUTO SELECT, PLAY, the meters read until the game settles, an extra-ball offer
answered if one opens, refusal boxes read and closed, and the switch between the games.

Usage: play_through_tree.py GAME_PROGRAM [TREE_DUMP_FILE]
"""
import sys

from a11ytree import (Display, Game, TestFailure, children, checked, descendants, dump, enabled, press,
                      role, showing, wait_for)

METERS = ("CREDIT", "BET", "SPOTS", "HITS", "WIN")
SHORT = 20   # seconds for a button's effect
GAME = 180   # seconds for a whole draw


def log(text):
    print(text, flush=True)


class Face:
    """A game window as the tree shows it: buttons by caption, squares by number, meters by caption."""

    def __init__(self, frame):
        self.frame = frame
        self.buttons = {}
        self.squares = {}
        self.meters = {}
        self.labels = []
        for node in descendants(frame):
            kind = role(node)
            if kind == "push button":
                self.buttons.setdefault(node.name, []).append(node)
            elif kind == "check box" and node.name.isdigit():
                self.squares[int(node.name)] = node
            elif kind == "label" and node.description in METERS:
                self.meters[node.description] = node
            elif kind == "label":
                self.labels.append(node)
        if sorted(self.squares) != list(range(1, 81)):
            raise TestFailure(f"the board shows {len(self.squares)} check boxes named 1..80, not 80")
        missing = [caption for caption in METERS if caption not in self.meters]
        if missing:
            raise TestFailure(f"no meter labels described as {missing}")
        # The game's own button interface (its queued press) answers, not the toolkit's default one.
        coins = self.button("COINS").queryAction()
        if coins.getKeyBinding(0) != "C":
            raise TestFailure(f"COINS offers {coins.getName(0)!r} bound to {coins.getKeyBinding(0)!r}, not Press on C")

    def button(self, caption):
        """The button with that caption that shows (EXTRA BALLS is two pictures at one place)."""
        nodes = self.buttons.get(caption)
        if not nodes:
            raise TestFailure(f"no push button named {caption!r}; buttons: {sorted(self.buttons)}")
        for node in nodes:
            if showing(node):
                return node
        return nodes[0]

    def enabled(self, caption):
        return any(showing(node) and enabled(node) for node in self.buttons.get(caption, []))

    def press(self, caption):
        wait_for(lambda: self.enabled(caption), SHORT, f"{caption} to be enabled")
        press(self.button(caption))

    def reading(self, caption):
        return self.meters[caption].name

    def number(self, caption):
        text = self.reading(caption).strip()
        return int(text) if text else 0

    def board(self):
        """Square number -> (checked, description)."""
        return {n: (checked(node), node.description) for n, node in self.squares.items()}

    def balls(self):
        return sorted(int(node.name) for node in self.labels if node.name.isdigit() and showing(node))


def face_with(app, caption):
    def find():
        for frame in children(app):
            if role(frame) == "frame" and showing(frame):
                for node in descendants(frame):
                    if role(node) == "push button" and node.name == caption and showing(node):
                        return frame
        return None
    return Face(wait_for(find, SHORT, f"the window with the {caption} button"))


def answer_refusal(app, title, text_part):
    """Reads the refusal box (an alert: title, text, OK) and closes it with OK."""
    def find():
        for node in children(app):
            if role(node) == "alert" and showing(node):
                return node
        return None
    alert = wait_for(find, SHORT, f"the refusal box {title!r}")
    texts = [node.name for node in descendants(alert) if role(node) == "label" and node.name]
    buttons = [node for node in descendants(alert) if role(node) == "push button"]
    log(f"  refusal box: title {alert.name!r}, text {texts}, buttons {[b.name for b in buttons]}")
    if alert.name != title:
        raise TestFailure(f"refusal box titled {alert.name!r}, expected {title!r}")
    if not any(text_part in text for text in texts):
        raise TestFailure(f"refusal box says {texts}, expected a text with {text_part!r}")
    ok = [b for b in buttons if b.name == "OK"]
    if len(ok) != 1:
        raise TestFailure(f"refusal box buttons {[b.name for b in buttons]}, expected one OK")
    press(ok[0])
    wait_for(lambda: not any(role(n) == "alert" and showing(n) for n in children(app)), SHORT,
             "the refusal box to close")


def coins(face):
    before = face.number("CREDIT")
    face.press("COINS")
    wait_for(lambda: face.number("CREDIT") == before + 20, SHORT, f"CREDIT to show {before + 20}")


def auto_select(face):
    face.press("AUTO SELECT")

    def marked():
        spots = face.reading("SPOTS").strip()
        picks = {n for n, (is_checked, _) in face.board().items() if is_checked}
        return picks if spots.isdigit() and int(spots) > 0 and len(picks) == int(spots) else None
    picks = wait_for(marked, SHORT, "AUTO SELECT to mark as many squares as SPOTS shows")
    log(f"  AUTO SELECT marked {sorted(picks)}")
    return picks


def drawn_count(face):
    return sum(1 for _, description in face.board().values() if description in ("drawn", "hit"))


def check_result(face, picks, balls_drawn, charged, credit_before):
    board = face.board()
    hits = {n for n, (_, description) in board.items() if description == "hit"}
    drawn = {n for n, (_, description) in board.items() if description == "drawn"}
    win = face.number("WIN")
    log(f"  settled: HITS {face.reading('HITS')!r}, WIN {face.reading('WIN')!r}, CREDIT {face.reading('CREDIT')!r}; "
        f"hit squares {sorted(hits)}")
    if len(hits) + len(drawn) != balls_drawn:
        raise TestFailure(f"{len(hits)} hit and {len(drawn)} drawn squares, expected {balls_drawn} in all")
    if not hits <= picks or drawn & picks:
        raise TestFailure(f"hits {sorted(hits)} and drawn {sorted(drawn)} disagree with the marks {sorted(picks)}")
    if not all(board[n][0] for n in picks):
        raise TestFailure("a marked square stopped being checked during the draw")
    if face.number("HITS") != len(hits):
        raise TestFailure(f"HITS shows {face.reading('HITS')!r} but {len(hits)} squares are hits")
    if face.number("CREDIT") != credit_before - charged + win:
        raise TestFailure(f"CREDIT {face.reading('CREDIT')!r} is not {credit_before} - {charged} + {win}")
    return hits | drawn


def play_22(app):
    log("22-ball game")
    face = face_with(app, "20 BALL")
    if face.number("CREDIT") == 0:
        press(face.squares[17], "Toggle")
        answer_refusal(app, " Keno", "You Have No credit")
    coins(face)
    bet_before = face.reading("BET")
    face.press("MAKE BET")
    wait_for(lambda: face.reading("BET") != bet_before, SHORT, "MAKE BET to change the BET meter")
    picks = auto_select(face)
    bet = face.number("BET")
    credit_before = face.number("CREDIT")
    face.press("PLAY")

    def settled():
        if face.enabled("TAKE WIN"):
            return "offer"
        return "paid" if face.enabled("PLAY") and drawn_count(face) >= 20 else None
    outcome = wait_for(settled, GAME, "the 22-ball game to settle or open its offer")
    charged, balls = bet, 20
    if outcome == "offer":
        log(f"  extra-ball offer: WIN shows {face.reading('WIN')!r}; buying the extra balls")
        press(face.button("EXTRA BALLS"))
        charged, balls = 2 * bet, 22
        wait_for(lambda: face.enabled("PLAY") and drawn_count(face) >= 22, GAME, "the extra balls to settle")
    else:
        shown = set(face.balls())
        numbers = check_result(face, picks, balls, charged, credit_before)
        if shown != numbers:
            raise TestFailure(f"the rack shows balls {sorted(shown)}, the board drew {sorted(numbers)}")
        return face
    check_result(face, picks, balls, charged, credit_before)
    return face


def play_20(app):
    log("20-ball game")
    face = face_with(app, "22 BALL")
    coins(face)
    if face.reading("BET") != "1":
        raise TestFailure(f"the 20-ball game opens with BET {face.reading('BET')!r}, not 1")
    picks = auto_select(face)
    credit_before = face.number("CREDIT")
    face.press("PLAY")
    wait_for(lambda: face.enabled("PLAY") and drawn_count(face) >= 20, GAME, "the 20-ball game to settle")
    check_result(face, picks, 20, 1, credit_before)
    return face


def main():
    program = sys.argv[1]
    dump_file = sys.argv[2] if len(sys.argv) > 2 else None
    display = Display()
    game = Game(program, display)
    try:
        app = game.application()
        face22 = play_22(app)
        press(face22.squares[next(n for n in range(1, 81))], "Toggle")
        answer_refusal(app, " Keno", "Please Erase the OLD Numbers First")
        if dump_file:
            with open(dump_file, "w") as out:
                out.write("\n".join(dump(app)) + "\n")
        face22.press("20 BALL")
        face20 = play_20(app)
        press(face20.squares[40], "Toggle")
        answer_refusal(app, "KENO 20 BALL   Erase old Numbers First", "Have To Erase Old Numbers First")
        if dump_file:
            with open(dump_file, "a") as out:
                out.write("\n".join(dump(app)) + "\n")
        face20.press("22 BALL")
        face_with(app, "20 BALL")
        log("PASS: a 22-ball and a 20-ball game played through the accessibility tree")
        return 0
    except TestFailure as failure:
        log(f"FAIL: {failure}")
        log("game output:\n" + game.output())
        return 1
    finally:
        game.stop()
        display.stop()


if __name__ == "__main__":
    sys.exit(main())
