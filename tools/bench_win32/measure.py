#!/usr/bin/env python3
"""Frame rate and memory of the Win32 game under Wine on a private desktop,
measured, not judged (nothing here passes or fails):
 - frames per second of the game while it runs (waxdrop-perf.exe, the game
   with a frame counter linked around frame_step) beside the bare paint loop
   (waxdrop-paintbench.exe: only RedrawWindow and a 640 x 440 BitBlt SRCCOPY
   per paint) and the same loop doing a level-1 frame's drawing, ROUNDS
   rounds of SECONDS each, alternating; each run gives the median of its
   frames per whole second, and the rounds their median;
 - the game's peak working set (VmHWM of its Wine process) after 60 s of play.

    tools/bench_win32/measure.py [BUILD] [ROUNDS] [SECONDS]"""
import pathlib
import shutil
import statistics
import sys
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tests" / "e2e"))
from programs import WindowsProgram  # noqa: E402
from session import Session  # noqa: E402


def rate(path):
    """The median of a run's frames per whole second, without its first two
    and last two seconds (start-up, and the closing keys)."""
    seconds = [float(line.split()[3]) for line in pathlib.Path(path).read_text().splitlines()
               if line.startswith("second")]
    return statistics.median(seconds[2:-2])


def play_for(g, seconds):
    """Keep the game running: a click whenever a lost ball has paused it (a
    click while it runs fires a bullet, which is play too)."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        g.click(300, 300)
        time.sleep(1)


def main():
    build = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build/windows").resolve()
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    seconds = int(sys.argv[3]) if len(sys.argv) > 3 else 10
    s = Session("measure")
    g = WindowsProgram(s, build)
    rates = {"game": [], "paint loop": [], "paint loop with a frame's drawing": []}
    bench = s.dir / "waxdrop-paintbench.exe"
    shutil.copy(build / "waxdrop-paintbench.exe", bench)
    for r in range(rounds):
        for name, extra in (("paint loop", []), ("paint loop with a frame's drawing", ["draw"])):
            out = s.dir / f"{len(extra)}.txt"
            s.run(["wine", str(bench), "Z:" + str(out).replace("/", "\\"), str(seconds + 4), *extra],
                  timeout=seconds + 60)
            rates[name].append(rate(out))
        g.start(f"perf{r}", program="waxdrop-perf")
        play_for(g, seconds + 2)
        g.key("alt+F4")
        g.exit_status(10)
        rates["game"].append(rate(g.folder / "media" / "frames.txt"))
        print(f"round {r + 1}: " + ", ".join(f"{k} {v[-1]:.0f} /s" for k, v in rates.items()), flush=True)
    game, bare, drawing = (statistics.median(v) for v in rates.values())
    print(f"median frames per second: paint loop {bare:.0f}, with a frame's drawing {drawing:.0f}, game {game:.0f}")
    print(f"ratios: game / paint loop {game / bare:.2f}, game / paint loop with the drawing {game / drawing:.2f}")
    g.start("memory")
    play_for(g, 60)
    status = pathlib.Path(f"/proc/{g.proc.pid}/status").read_text()
    peak = next(line.split(":")[1].strip() for line in status.splitlines() if line.startswith("VmHWM"))
    print(f"peak working set after 60 s of play: {peak}")
    g.stop()
    s.stop()


if __name__ == "__main__":
    main()
