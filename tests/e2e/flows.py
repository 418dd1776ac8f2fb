#!/usr/bin/env python3
"""The game end to end: one table of flows every program plays through its
adapter (programs.py) on a private desktop (session.py); see FLOWS.

    tests/e2e/flows.py linux|windows|web [BUILD] [--only REGEX] [--keep]

Prints PASS, FAIL or LACKS per flow, the adapters' retries, and "N passed, N failed"."""
import pathlib
import re
import subprocess
import sys
import time
import traceback

import picture
from programs import command_line, program
from session import Session, Tally, wait

ABOUT = "About WaxDrop"
SCORES = "High Scores"
NEW_SCORE = "New High Score"
BOX = "Pinecastle"
FULL_TABLE = ["Ada=50", "Bo=30", "Cy=10"]  # a final score of 0 does not enter it

# ---- helpers the flows share --------------------------------------------------

SHOTS = None  # a folder for the pictures the README shows (--shots)


def keep(g, name):
    """With --shots, the screen around the main window and its dialogs."""
    if SHOTS:
        g.keep_picture(SHOTS / f"{'win32' if g.kind == 'windows' else g.kind}-{name}.png")
    return []


def field(g, what=("ball", "paddle")):
    return picture.read_field(g.picture(), what)


def still(g, gap=0.4):
    """The ball and the paddle stand still (roused bees flap in paused frames too: not the whole field)."""
    a = field(g)
    time.sleep(gap)
    b = field(g)
    return a["ball"] != "none" and (a["ball"], a["paddle"]) == (b["ball"], b["paddle"])


def moving(g, gap=0.2):
    a = g.picture()
    time.sleep(gap)
    return a.differing(g.picture()) > 0


def ball(g):
    b = field(g)["ball"].split()
    return (int(b[0]), int(b[1])) if len(b) == 2 else None


def ball_x(g):
    b = ball(g)
    return b[0] if b else 320


def resume_under_ball(g):
    """Resume with the paddle under the paused ball: a ball just served stays in play for seconds."""
    g.click(ball_x(g) - 20, 300)


def ball_rising(g):
    """Wait for the ball to leave the paddle: on its way up to the honeycombs and back it is out
    of the paddle's reach for over a second, long enough for the pointer to go anywhere."""
    last = ball(g)
    for _ in range(40):
        now = ball(g)
        if now and last and last[1] > now[1] > 250:
            return
        last = now
        time.sleep(0.05)


def paddle_missed(g, x, seconds=3):
    """Point at x on the field: None once the paddle is under the pointer, else where it stays."""
    g.point(x, 380)
    return None if wait(lambda: field(g)["paddle"] == f"{x} 400", seconds) else field(g)["paddle"]


def then_pause(g, seen):
    """The lines seen, with the game paused again by P for the next flow in the same game."""
    g.key("p")
    return seen


def dialog_line(screen, caption):
    d = screen.find(caption)
    if not d:
        return f"{caption} none"
    return f"{caption} open{' with the keyboard' if d.keyboard else ''}"


def closes(g, caption, how):
    """Do how and say whether caption went away."""
    how()
    return f"{caption} {'closed' if g.wait_dialog(caption, 3, gone=True) else 'still open'}"


def play_to_the_end(g, score):
    """Play to the end, each ball let fall past the paddle at the far side; with score, only once
    its bounces broke more honeycombs than the table's third has points. The screen then."""
    needed = 0
    if score:
        third = g.scores()[-1]
        needed = int(third.split(":")[0]) + 1 if third.split(":")[0].lstrip("-").isdigit() else 1
    broken = lambda: 80 - field(g, ("combs",))["combs"] >= needed
    for _ in range(12):
        screen = g.screen()
        if screen.dialogs:
            return screen
        if broken():
            g.click(20 if ball_x(g) > 320 else 580, 300)
        else:
            resume_under_ball(g)
            # Up to the honeycombs and back until enough fell: then away.
            wait(broken, 8)
            g.point(20 if ball_x(g) > 320 else 580, 300)
        wait(lambda: g.screen().dialogs or still(g, 0.2), 8)
    return g.screen()


# ---- the flows ------------------------------------------------------------------
# Each returns the lines it saw.

def first_frame(g):
    keep(g, "first-frame")
    f = field(g, ("combs", "bees", "ball", "paddle", "score_line"))
    return [f"combs {f['combs']}", f"bees {f['bees']}", f"ball {f['ball']}", f"paddle {f['paddle']}",
            f"score line {'yes' if f['score_line'] else 'no'}"]


def first_frame_as_snapshot(g):
    """The software canvas draws the same field anywhere: the first frame is waxdrop-snapshot's."""
    shot = g.s.dir / "snapshot.png"
    subprocess.run([str(pathlib.Path(__file__).resolve().parents[2] / "build/linux/waxdrop-snapshot"), str(shot)],
                   check=True, capture_output=True)
    n = g.picture().differing(picture.Picture.load(shot))
    return ["the field is the snapshot" if n == 0 else f"{n} of 281600 pixels differ from the snapshot"]


def paused_still(g):
    return [f"still {'yes' if still(g, 0.5) else 'no'}"]


def song_while_paused(g):
    peak = g.listen(4, until_peak=1000)
    return [f"song {'heard' if peak > 1000 else 'silent'} (peak {peak})", f"still {'yes' if still(g) else 'no'}"]


def open_by(g, keys, caption):
    """Press keys that open a dialog: the screen once it is up (or given up on) and the dialog."""
    g.key(*keys)
    screen = g.wait_dialog(caption) or g.screen()
    return screen, screen.find(caption)


def opens(g, keys, caption, close="Return", look=lambda d, screen: []):
    """A dialog opened by keys (its line saying them), looked at, and closed by the key close."""
    screen, d = open_by(g, keys, caption)
    out = [f"{'+'.join(keys)}: {dialog_line(screen, caption)}"] + (look(d, screen) if d else [])
    return out + [closes(g, caption, lambda: g.key(close))]


def about_by_menu(g):
    g.menu_title(1)
    g.key("Down")
    return opens(g, ["Return"], ABOUT, look=lambda d, screen: [
        "texts " + " | ".join(t for t in d.texts() if t != "107"),
        "main " + ("enabled" if screen.main_enabled else "disabled")])


def about_by_accelerators(g, layout="us", close="Escape"):
    g.keyboard_layout(layout)
    try:
        return opens(g, ["alt+question"], ABOUT, close) + opens(g, ["alt+slash"], ABOUT, close)
    finally:
        g.keyboard_layout("us")


def about_closes_by_alt_f4(g):
    return opens(g, ["alt+slash"], ABOUT, "alt+F4") + ["game " + ("running" if g.running() else "ended")]


def menu_escape_leaves(g):
    """Escape closes the drop-down, then leaves the menu bar: the next P reaches the game."""
    g.key("alt", "Down", "Escape", "Escape")
    resume_keys = g.picture()
    g.key("p")
    time.sleep(0.2)
    return then_pause(g, ["P after the menu " + ("resumes" if resume_keys.differing(g.picture()) else "does nothing")])


def ignores(g, caption, k):
    g.key(k)
    time.sleep(0.4)
    return [f"{k} " + ("ignored" if g.screen().find(caption) else "closed it")]


def high_scores(g, ignored="Escape"):
    return opens(g, ["alt+f", "h"], SCORES, look=lambda d, screen: ["line " + t for t in d.texts("static")]
                 + ignores(g, SCORES, ignored))


def high_scores_ampersand(g):
    """"R&D" and "RD" score alike: as the static control shows them, the two
    lines differ by an underline only (a literal '&' would be a glyph more)."""
    def look(d, screen):
        shot = g.screen_picture()
        diff = shot.crop(*d.control(1001)["screen"]).differing(shot.crop(*d.control(1002)["screen"]))
        return ["texts " + " | ".join(d.texts("static")),
                "R&D shows as RD underlined" if 0 < diff <= 20 else f"R&D differs from RD by {diff} pixels"]
    return opens(g, ["alt+f", "h"], SCORES, look=look)


def click_resumes(g):
    g.click(327, 300)  # the paddle under the ball, which falls at 347
    return then_pause(g, ["ball " + ("moves" if moving(g) else "still")])


def p_release_pauses(g):
    """P acts on its release only: not as it goes down, nor on the key's
    auto-repeat while it is held (a long press), nor with Alt held."""
    resume_under_ball(g)
    g.key_down("p")
    time.sleep(0.2)  # settled, and well short of the key's first repeat
    pressed = moving(g, 0.15)
    time.sleep(1.2)  # the key repeats by now
    held = moving(g, 0.1)
    out = ["pressed P: " + ("running" if pressed else "paused"), "held P: " + ("running" if held else "paused")]
    g.key_up("p")
    time.sleep(0.2)
    out.append("released P: " + ("paused" if still(g) else "running"))
    g.key_down("alt")
    g.key_down("p")
    g.key_up("p")
    g.key_up("alt")
    out.append("P with Alt: " + ("paused" if still(g) else "running"))
    return out


def frames_behind(g, keys, caption):
    resume_under_ball(g)
    return then_pause(g, opens(g, keys, caption, look=lambda d, screen: [
        "field " + ("moves" if moving(g, 0.3) else "still") + " behind it",
        *keep(g, "about" if caption == ABOUT else "high-scores")]))


def held(g, want):
    """The pointer pushed to the top left, then the bottom right: held to want (left, top, right, bottom)?"""
    g.move_by(-60, -60)
    top_left = g.pointer()
    g.move_by(60, 60)
    corners = (*top_left, *g.pointer())
    return "held to the window's margins" if corners == want else f"held to {corners}, margins {want}"


def pointer_confined(g):
    resume_under_ball(g)
    want = g.held_area()
    ball_rising(g)
    out = ["running: pointer " + held(g, want)]
    g.key("p")
    return out + ["paused: pointer " + ("free" if g.pointer_free() else "held")]


def confinement_follows_window(g):
    """The window moved while the game runs: the pointer is held to it where it is now, or (the
    Windows game's clip rectangle is the screen's) where it was (the adapter says which)."""
    resume_under_ball(g)
    want = g.held_area()
    before = g.window_origin()
    g.move_window(60, 40)
    dx, dy = (a - b for a, b in zip(g.window_origin(), before))
    if not g.clip_follows_window:
        want = (want[0] - dx, want[1] - dy, want[2] - dx, want[3] - dy)
    ball_rising(g)
    return then_pause(g, ["moved window: pointer " + held(g, want) + f" (moved by {dx}, {dy})"])


def minimised_frames_go_on(g):
    """The ball falls past the paddle while minimised: if frames went on, it is lost, the game paused."""
    g.click(20 if ball_x(g) > 320 else 580, 300)
    g.minimise()
    time.sleep(1.6)
    g.restore()
    return ["frames " + ("went on" if still(g) else "stopped") + " while minimised"]


def close_box_under_a_dialog(g):
    g.key("alt+slash")
    g.wait_dialog(ABOUT)
    g.close_box()
    out = ["close box under About: " + ("nothing" if g.screen().find(ABOUT) and g.running() else "acted")]
    g.key("Return")
    g.wait_dialog(ABOUT, gone=True)
    g.close_box()
    return out + [f"close box alone: status {g.exit_status(10)}"]


def game_over_box(g):
    screen = play_to_the_end(g, score=False)
    d = screen.find(BOX)
    if not d:
        return [f"dialogs {screen.captions()}"]
    keep(g, "game-over")
    return [dialog_line(screen, BOX), "text " + " | ".join(d.texts("static")),
            "main " + ("enabled" if screen.main_enabled else "disabled"),
            "field " + ("still" if still(g, 0.5) else "moves") + " under the box"]


def click_behind_box(g):
    """The box owns no window: a click on the field behind it reaches the
    game (the main window takes the keyboard), but the frame that opened the
    box has not finished, so the picture moves only once the box is gone."""
    g.click(100, 300)
    screen = g.screen()
    out = [dialog_line(screen, BOX), "main " + ("has" if screen.main_has_keyboard else "lacks") + " the keyboard",
           "field " + ("still" if still(g, 0.5) else "moves") + " until OK"]
    g.key("Return")
    out.append("Enter " + ("left the box up" if g.screen().find(BOX) else "closed the box"))
    g.click_control(BOX, 1)
    # The player then moves the mouse on the field: a running game's paddle follows it, a paused
    # one's stays where the click left it. (The move the window system makes up when the box
    # goes from under the pointer comes late, or not at all, under Wine: nothing waits on it.)
    # The new game's one ball falls for a second before it can open another box, so the paddle
    # tells, not the box.
    missed = paddle_missed(g, 250)
    out.append("then the paddle " + ("follows the pointer" if missed is None else
                                     f"is at {missed} ({g.screen().captions()})"))
    return out


def pointer_over_box(g):
    """Moves over the box are the box's: with the main window uncovered (so its frames run) and the
    game resumed, the paddle stays while the pointer is over the box and follows it beside it."""
    play_to_the_end(g, score=False)
    d = g.screen().find(BOX)
    g.minimise()
    g.restore()
    resume_under_ball(g)
    start = field(g)["paddle"]
    if not d or not moving(g):
        return [f"no frames behind the box after it was uncovered ({g.screen().captions()})"]
    x, y, w, h = d.control(-1)["screen"]
    g.point_screen(x + w // 2, y + h // 2)
    time.sleep(0.3)  # frames enough for a move that reached the game to show
    over = field(g)["paddle"]
    beside = paddle_missed(g, 40, 2)
    return ["over the box the paddle " + ("stays" if over == start else f"moves ({start} to {over})"),
            "beside it the paddle " + ("follows" if beside is None else f"is at {beside}")]


def keys_after_click_behind_box(g):
    """After the click the game's keys reach it: P pauses it, so the field stands after OK."""
    play_to_the_end(g, score=False)
    g.click(100, 300)
    g.key("p")
    g.click_control(BOX, 1)
    g.wait_dialog(BOX, gone=True)
    return ["after P and OK the field " + ("stands" if still(g) else "moves")]


def alt_f4_behind_box(g):
    play_to_the_end(g, score=False)
    g.click(100, 300)
    return exits(g, "alt+F4")


def new_high_score(g, name, how="Return"):
    screen = play_to_the_end(g, score=True)
    d = screen.find(NEW_SCORE)
    if not d:
        return [f"dialogs {screen.captions()}"]
    out = [dialog_line(screen, NEW_SCORE), "edit " + " | ".join(d.texts("edit"))]
    g.focus_name()  # the name replaces "anonymous"
    g.type_text(name)
    if name == "Wren":
        keep(g, "new-high-score")
    out.append(closes(g, NEW_SCORE, lambda: g.click_control(NEW_SCORE, 2) if how == "Cancel" else g.key(how)))
    out.append("game " + ("goes on" if g.running() and not g.screen().dialogs else "stopped"))
    out += ["file " + line.split(": ", 1)[-1] for line in g.scores()]
    return out


def shown_scores(g):
    d = open_by(g, ["alt+f", "h"], SCORES)[1]
    g.key("Return")
    return d.texts("static") if d else []


def high_scores_show_the_file(g):
    shown = shown_scores(g)
    return ["dialog shows the file" if shown and shown == g.scores()[1:] else f"dialog {shown} file {g.scores()}"]


def scores_kept_after_start_again(g):
    """The table shown is the one the game, started again (the page: loaded anew), reads back."""
    before = shown_scores(g)
    g.key("alt+f", "x")
    g.exit_status(10)
    g.start_again()
    after = shown_scores(g)
    return ["after starting again: " + ("the table shown before" if after and after == before
                                        else f"{after}, before {before}")]


def lock_given_back_pauses(g):
    """The browser takes the held pointer back (its Esc): the player has it again, the game pauses."""
    resume_under_ball(g)
    out = ["game " + ("runs" if moving(g) else "stands")]
    g.give_back_pointer()
    out += ["then " + ("paused" if still(g) else "running"), "pointer " + ("free" if g.pointer_free() else "held")]
    return out


def bounce_heard(g):
    g.click(327, 300)
    peak = g.listen(3, until_peak=1000)
    return then_pause(g, ["bounce " + ("heard" if peak > 1000 else f"silent (peak {peak})")])


def exits(g, *keys):
    g.key(*keys)
    return [f"status {g.exit_status(10)}"]


# ---- the table ------------------------------------------------------------------
# flow | game ("+": the one before goes on) | what must come of it (lines, ";" apart)
FLOWS = """
first_frame                 | fresh | combs 80; bees 5; ball 347 200; paddle 320 400; score line yes
first_frame_as_snapshot     | +     | the field is the snapshot
paused_still                | +     | still yes
song_while_paused           | +     | song heard; still yes
about_by_menu               | +     | Return: About WaxDrop open with the keyboard; texts WaxDrop Version 1.0 | Copyright (c) 2026 the WaxDrop developers | OK | Knock down honeycombs while avoiding bees!; main disabled; About WaxDrop closed
about_by_accelerators       | +     | alt+question: About WaxDrop open with the keyboard; alt+slash: About WaxDrop open with the keyboard; About WaxDrop closed
about_by_accelerators_german| +     | alt+question: About WaxDrop open with the keyboard; alt+slash: About WaxDrop open with the keyboard
about_closes_by_alt_f4      | +     | alt+slash: About WaxDrop open with the keyboard; About WaxDrop closed; game running
menu_by_f10                 | +     | F10+Right+Return+Return: About WaxDrop open with the keyboard; About WaxDrop closed
menu_by_alt_and_arrows      | +     | alt+Down+Down+Up+Return: High Scores open with the keyboard; High Scores closed
menu_escape_leaves          | +     | P after the menu resumes
high_scores                 | +     | alt+f+h: High Scores open with the keyboard; line 0: open.; Escape ignored; High Scores closed
high_scores_ignore_alt_f4   | +     | alt+f+h: High Scores open with the keyboard; alt+F4 ignored; High Scores closed
click_resumes               | fresh | ball moves
p_release_pauses            | fresh | pressed P: running; held P: running; released P: paused; P with Alt: paused
frames_behind_about         | fresh | alt+slash: About WaxDrop open with the keyboard; field moves behind it
frames_behind_high_scores   | fresh | alt+f+h: High Scores open with the keyboard; field moves behind it
pointer_confined            | fresh | running: pointer held to the window's margins; paused: pointer free
confinement_follows_window  | fresh | moved window: pointer held to the window's margins
minimised_frames_go_on      | fresh | frames went on while minimised
bounce_heard                | fresh | bounce heard
lock_given_back_pauses      | fresh | game runs; then paused; pointer free
close_box_under_a_dialog    | fresh | close box under About: nothing; close box alone: status 0
game_over_box               | full  | Pinecastle open with the keyboard; text GAME OVER; main enabled; field still under the box
click_behind_box            | +     | Pinecastle open; main has the keyboard; field still until OK; Enter left the box up; then the paddle follows the pointer
pointer_over_box            | full  | over the box the paddle stays; beside it the paddle follows
keys_after_click_behind_box | full  | after P and OK the field stands
alt_f4_behind_box           | full  | status 0
high_scores_ampersand       | amp   | texts 30: R&D. | 30: RD. | 10: Cy.; R&D shows as RD underlined
name_typed                  | fresh | New High Score open with the keyboard; edit anonymous; New High Score closed; game goes on; file result loaded; file Wren.; file open.
name_of_120                 | +     | New High Score closed; file abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstu.
name_cancelled              | +     | New High Score closed; file anonymous.
name_by_alt_f4              | +     | New High Score closed; game goes on
high_scores_show_the_file   | +     | dialog shows the file
scores_kept_after_start_again | +   | after starting again: the table shown before
exit_by_menu                | +     | status 0
exit_by_alt_f4              | fresh | status 0
"""

# The rows that play a flow above with arguments of their own.
VARIANTS = {
    "about_by_accelerators_german": (about_by_accelerators, "de", "Return"),
    "high_scores_ignore_alt_f4": (high_scores, "alt+F4"),
    "menu_by_f10": (opens, ["F10", "Right", "Return", "Return"], ABOUT),
    "menu_by_alt_and_arrows": (opens, ["alt", "Down", "Down", "Up", "Return"], SCORES),
    "frames_behind_about": (frames_behind, ["alt+slash"], ABOUT),
    "frames_behind_high_scores": (frames_behind, ["alt+f", "h"], SCORES),
    "name_typed": (new_high_score, "Wren"),
    "name_of_120": (new_high_score, "".join(chr(ord("a") + i % 26) for i in range(120))),
    "name_cancelled": (new_high_score, "Nobody", "Cancel"),
    "name_by_alt_f4": (new_high_score, "Gone", "alt+F4"),
    "exit_by_menu": (exits, "alt+f", "x"),
    "exit_by_alt_f4": (exits, "alt+F4"),
}
GAMES = {"fresh": None, "full": FULL_TABLE, "amp": ["R&D=30", "RD=30", "Cy=10"]}
# What a row needs that a program may lack (every row named for Alt+F4 needs it).
NEEDS = {"song_while_paused": "song", "first_frame_as_snapshot": "snapshot", "lock_given_back_pauses": "pointer_lock",
         "close_box_under_a_dialog": "close_box", "confinement_follows_window": "window_manager"}


def main():
    ap = command_line(__doc__)
    ap.add_argument("--keep", action="store_true", help="keep the run's folder")
    ap.add_argument("--shots", type=pathlib.Path, help="keep the pictures the README shows in this folder")
    args = ap.parse_args()
    global SHOTS
    SHOTS = args.shots
    session = Session(f"flows-{args.program}")
    session.keep = args.keep
    g = program(args.program, session, args.build)
    tally = Tally()
    for line in FLOWS.strip().splitlines():
        name, game, expected = (part.strip() for part in line.split("|", 2))
        expected = [e.strip() for e in expected.split(";")]
        if args.only and not re.search(args.only, name):
            continue
        need = "alt_f4" if "alt_f4" in name else NEEDS.get(name)
        if need in g.lacks:
            print(f"LACKS {name} ({g.lacks[need]})", flush=True)
            continue
        t0 = time.monotonic()
        try:
            if game != "+" or not g.running():
                g.stop()
                g.start(name, GAMES.get(game))
            flow, *more = VARIANTS.get(name) or (globals()[name],)
            seen = flow(g, *more)
        except Exception as e:  # a flow that breaks is a failure, said in full
            seen = [f"error: {e}"]
            traceback.print_exc(file=sys.stdout)
        # What a line adds in brackets at its end is for the log alone.
        missing = [e for e in expected if e not in [re.sub(r" \(.*\)$", "", line) for line in seen]]
        tally.row(name, [f"missing {missing}; saw {seen}"] if missing else [], f"{time.monotonic() - t0:.1f} s")
    g.stop()
    return tally.end(session)


if __name__ == "__main__":
    sys.exit(main())
