#!/usr/bin/env python3
"""Figures of the Linux game, taken from outside through /proc while it
plays on a private desktop (nothing in the game reports on itself): peak
resident memory after SECONDS of play, and the processor time of each of its
threads per second of play (the SDL audio thread, FluidSynth's and
PulseAudio's threads, the music timer, the window thread).

    tools/bench/measure_linux.py [SECONDS]   (default 60)"""
import os
import pathlib
import sys
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tests" / "e2e"))
from programs import LinuxProgram  # noqa: E402
from session import Session  # noqa: E402


def thread_ticks(pid):
    """Processor ticks (user and system) of each thread, by id, with its name."""
    out = {}
    for task in pathlib.Path(f"/proc/{pid}/task").iterdir():
        stat = (task / "stat").read_text()
        fields = stat[stat.rindex(")") + 2:].split()  # the name may hold spaces
        out[task.name] = ((task / "comm").read_text().strip(), int(fields[11]) + int(fields[12]))
    return out


def main():
    seconds = float(sys.argv[1]) if len(sys.argv) > 1 else 60
    s = Session("measure")
    g = LinuxProgram(s, "build/linux")
    g.start("measure")
    # Resume with the paddle under the first ball; later balls may be lost,
    # and a paused game draws its frames all the same.
    g.click(327, 300)
    before = thread_ticks(g.proc.pid)
    time.sleep(seconds)
    after = thread_ticks(g.proc.pid)
    status = pathlib.Path(f"/proc/{g.proc.pid}/status").read_text()
    print(f"peak resident memory after {seconds:.0f} s: "
          + next(line.split(":")[1].strip() for line in status.splitlines() if line.startswith("VmHWM")))
    print("processor time per second of play, by thread:")
    hz = os.sysconf("SC_CLK_TCK")
    for tid, (name, ticks) in sorted(after.items()):
        used = ticks - before.get(tid, (name, 0))[1]
        print(f"  {name:<16} {tid:>7}  {used * 1000 / hz / seconds:6.1f} ms/s")
    g.key("alt+F4")
    print(f"exit status: {g.exit_status(5)}")
    s.stop()


if __name__ == "__main__":
    main()
