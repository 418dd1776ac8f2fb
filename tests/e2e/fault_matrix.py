#!/usr/bin/env python3
"""A player's machine at fault, one table for every program (through the flows' adapters):

    tests/e2e/fault_matrix.py linux|windows|web [BUILD] [--only REGEX]

Each case installs the game, breaks it as its row says, seeds a score table
and starts it as a player who is not root (for root, mode 000 and read-only
folders mean nothing). Then: a click resumes the game; what must be heard is,
what cannot play is silent; no box shows, or for a failed save exactly the
save error; the game ends with status 0; the score file is byte for byte the
seeded one, or where a save was made, the new table is in the player's own."""
import re
import sys
import time
import traceback

import flows
from programs import command_line, program, write_scores
from session import Session, Tally, wait

SEED = ["Ada=50", "Bo=30", "Cy=0"]

# case | fault | heard while paused, then running (L loud, q quiet, - not
# checked) for linux/windows/web | the ending: none, save_error, saved, or
# replaced (a damaged table loads as the empty one, which the save replaces).
# A program that cannot be broken a row's way lacks it (its adapter says why).
# Under Wine there is no MIDI synthesizer, so the Windows game's song is never
# heard. The four effects share one reader (the unit tables cover it), so
# one effect stands for them.
CASES = [
    ("no_media", "media:gone", "qq/-q/qq", "none"),
    ("no_audio_device", "audio:none", "qq/-q/qq", "none"),
    ("no_soundfont", "soundfont:none", "qL/-L/qL", "none"),
    ("soundfont_empty", "soundfont:empty", "qL/-L/qL", "none"),
    ("soundfont_short", "soundfont:short", "qL/-L/qL", "none"),
    ("score_folder_read_only", "scores:read_only", "--/--/--", "save_error"),
    ("save_fails_half_way", "scores:fail_after_300", "--/--/--", "save_error"),
    ("save_lands_in_the_players_folder", "scores:fine", "--/--/--", "saved"),
    ("damaged_table_replaced", "scores:damaged", "--/--/--", "replaced"),
] + [(f"{f.replace('.', '_')}_{how}", f"{f}:{how}", "-L/-L/-L" if (f, how) == ("song.mid", "short")
      else "qL/-L/qL" if f == "song.mid" else "L-/--/L-", "none")
     for f in ("song.mid", "brick.wav") for how in ("missing", "empty", "short", "mode000", "folder")]
KINDS = ("linux", "windows", "web")


def heard(g, want):
    """Whether what was heard is what was wanted (L loud, q quiet, - anything), and its peak."""
    if want == "-":
        time.sleep(0.3)
        return True, None
    peak = g.listen(3, until_peak=1000 if want == "L" else None)
    return (peak > 1000) if want == "L" else (peak < 50), peak


def save_a_score(g, box):
    """A whole game to a new high score; the name dialog taken as it comes."""
    screen = flows.play_to_the_end(g, score=True)
    if not screen.find(flows.NEW_SCORE):
        return [f"no name dialog: {screen.captions()}"]
    g.key("Return")
    if box == "save_error":
        d = (g.wait_dialog(flows.BOX, 5) or g.screen()).find(flows.BOX)
        if not d or d.texts("static") != ["Error saving the score file [scores.bin]."]:
            return [f"no save error: {g.screen().captions()}"]
        g.key("Return")
    time.sleep(0.5)
    return [] if not g.screen().dialogs else [f"then {g.screen().captions()}"]


def run_case(g, name, fault, hear, ending):
    problems, notes = [], []
    hear = hear.split("/")[KINDS.index(g.kind)]
    seed = g.s.dir / "seed.bin"
    write_scores(seed, SEED)
    try:
        g.start(name, SEED, fault=fault)
        for when, want in zip(("paused", "running"), hear):
            if when == "running":
                before = g.picture()
                g.click(327, 300)
            ok, peak = heard(g, want)
            notes.append(f"{when} peak {peak}")
            ok or problems.append(f"{when} sound")
        if not wait(lambda: before.differing(g.picture()) > 0, 3):
            problems.append("did not resume")
        g.key("p")
        if ending == "none":
            if g.screen().dialogs:
                problems.append(f"box {g.screen().captions()}")
        else:
            problems += save_a_score(g, ending)
        # Where Alt+F4 is not the game's (the browser's), File > Exit ends it.
        g.key(*(("alt+f", "x") if "alt_f4" in g.lacks else ("alt+F4",)))
        status = g.exit_status(10)
        status == 0 or problems.append(f"exit {status}")
        scores = g.score_file()
        if ending in ("saved", "replaced"):
            # Saved: the seed's two best stay above the new score. Replaced:
            # the damaged table counted as the empty one, under the new score.
            lines = g.scores()
            new, kept, want = ((3, slice(1, 3), ["50: Ada.", "30: Bo."]) if ending == "saved"
                               else (1, slice(2, 4), ["0: open.", "0: open."]))
            if lines[:1] != ["result loaded"] or lines[kept] != want or len(lines) < 4 or \
                    not re.fullmatch(r"[1-9]\d*: anonymous\.", lines[new]):
                problems.append(f"{ending} {lines}")
        elif scores.exists() and scores.read_bytes() != seed.read_bytes():
            problems.append("score file changed")
        if scores.with_name("scores.bin.tmp").exists():
            problems.append("temporary file left")
        if ending in ("saved", "replaced") and g.stray_score_files():
            problems.append(f"a score file outside the player's folder: {g.stray_score_files()}")
    except Exception as e:
        problems.append(f"error: {e}")
        traceback.print_exc(file=sys.stdout)
    finally:
        g.stop()
    return problems, notes


def main():
    args = command_line(__doc__).parse_args()
    session = Session(f"faults-{args.program}", as_player=True)
    g = program(args.program, session, args.build)
    tally = Tally()
    for name, fault, hear, ending in CASES:
        if args.only and not re.search(args.only, name):
            continue
        if fault in g.lacks:
            print(f"LACKS {name} ({g.lacks[fault]})", flush=True)
            continue
        t0 = time.monotonic()
        problems, notes = run_case(g, name, fault, hear, ending)
        tally.row(name, problems, f"{time.monotonic() - t0:.1f} s; {', '.join(notes)}")
    return tally.end(session)


if __name__ == "__main__":
    sys.exit(main())
