#!/usr/bin/env python3
"""The real game played for a long while through the flows' adapters: the
pointer sweeps the field, the button clicks twice a second, and each New High
Score dialog or GAME OVER box gets its OK. Reports memory, threads, open files
(and under Wine, Windows' own handle and window counts) at the start, the
checkpoint, every REPORT_EVERY seconds (300) and the end. Fails if the game
died, grew by more than 2 MB after the checkpoint, gained threads, files or
handles, or did not close with status 0.

    tests/soak/real_play.py linux|windows [BUILD] [--seconds 3600] [--checkpoint 300]"""
import os
import pathlib
import sys
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "e2e"))
from programs import ROOT, command_line, program  # noqa: E402
from session import Session, Tally  # noqa: E402


def sample(g, when):
    """Resident kB, threads, open files, and Windows' own counts when it keeps them, reported."""
    status = dict(line.split(":", 1) for line in pathlib.Path(f"/proc/{g.proc.pid}/status").read_text().splitlines())
    counts = {}
    if g.kind == "windows":
        probe = g.s.run(["wine", str(ROOT / "build/windows/waxdrop-wintext.exe"), "--counts"]).stdout.split()
        counts = dict(zip(probe[::2], probe[1::2]))
    s = {"resident": int(status["VmRSS"].split()[0]), "private": int(status["RssAnon"].split()[0]),
         "threads": int(status["Threads"]), "files": len(os.listdir(f"/proc/{g.proc.pid}/fd")),
         "handles": int(counts.get("listed_handles", 0)), "windows": counts.get("windows", "-")}
    print(f"{when}: resident {s['resident']} kB (private {s['private']}), {s['threads']} threads, "
          f"{s['files']} files, {s['handles']} handles, {s['windows']} windows", flush=True)
    return s


def answer(g):
    """Each box or name dialog up gets its OK (the name stays "anonymous")."""
    for d in g.screen().dialogs:
        if d.caption in ("Pinecastle", "New High Score"):
            g.click_control(d.caption, 1)


def main():
    ap = command_line(__doc__)
    ap.add_argument("--seconds", type=int, default=3600)
    ap.add_argument("--checkpoint", type=int, default=300)
    args = ap.parse_args()
    session = Session(f"soak-{args.program}")
    g = program(args.program, session, args.build)
    g.start("soak")
    tally = Tally()
    start = time.monotonic()
    checked = sample(g, "start")
    every = int(os.environ.get("REPORT_EVERY", 300))
    next_report, step, checkpoint_taken = every, 0, False
    while time.monotonic() - start < args.seconds and g.running():
        step += 1
        # A sweep across the field and back every 20 s.
        x = 40 + (step * 7) % 1120
        g.click(1200 - x if x > 600 else x, 300)
        if step % 2 == 0:
            answer(g)
        elapsed = time.monotonic() - start
        if not checkpoint_taken and elapsed >= args.checkpoint:
            checked, checkpoint_taken = sample(g, f"checkpoint at {elapsed:.0f} s"), True
        if elapsed >= next_report and g.running():
            sample(g, f"at {elapsed:.0f} s")
            next_report += every
        time.sleep(0.4)
    tally.row(f"the game ran for {args.seconds} s", [] if g.running() else ["it ended"], "")
    if g.running():
        end = sample(g, "end")
        grow = end["resident"] - checked["resident"]
        tally.row("resident memory within 2 MB of the checkpoint", [] if grow <= 2048 else [f"grew {grow} kB"], "")
        for what in ("threads", "files", "handles"):
            tally.row(f"no more {what} than at the checkpoint",
                      [] if end[what] <= checked[what] else [f"{checked[what]} then {end[what]}"], "")
        print("score file at the end: " + " | ".join(g.scores()))
        answer(g)
        g.key("alt+F4")
        status = g.exit_status(10)
        tally.row("Alt+F4 ends it with status 0", [] if status == 0 else [f"status {status}"], "")
    g.stop()
    return tally.end(session)


if __name__ == "__main__":
    sys.exit(main())
