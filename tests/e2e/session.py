"""A private desktop for one end-to-end run: an X display with a small window
manager, a sound server whose default output is a null sink we can record,
and every process started for the run, each stopped by its own id at the end
(never by name, so other runs and a player's desktop are left alone)."""
import atexit
import os
import pathlib
import shutil
import signal
import socket
import struct
import subprocess
import tempfile
import time

# The window manager takes no keys of its own: Alt+F4 and the others reach
# the focused window, as a game under test needs them to.
OPENBOX_RC = """<?xml version="1.0"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>
  <placement><policy>Smart</policy></placement>
  <keyboard></keyboard>
  <mouse><context name="Frame"></context></mouse>
</openbox_config>
"""


class Retries:
    """An adapter's wait may try an action again: each extra try is said in the log and counted."""
    count = 0

    @classmethod
    def note(cls, what):
        cls.count += 1
        print(f"     retry: {what}", flush=True)


class Session:
    def __init__(self, name, as_player=False):
        self.dir = pathlib.Path(tempfile.mkdtemp(prefix=f"waxdrop-e2e-{name}."))
        self.procs = []
        self.cleanups = []
        self.env = dict(os.environ)
        self.keep = False
        # The games run as a player who is not root when we are root, so
        # that unreadable files and read-only folders hold for them.
        self.player = 65534 if as_player and os.getuid() == 0 else None
        self.run_as = []
        if self.player is not None:
            home = self.dir / "home"
            home.mkdir()
            os.chown(home, self.player, self.player)
            os.chmod(self.dir, 0o755)
            self.run_as = ["setpriv", f"--reuid={self.player}", f"--regid={self.player}", "--clear-groups",
                           "env", f"HOME={home}"]
        atexit.register(self.stop)
        signal.signal(signal.SIGTERM, lambda *_: exit(1))
        for _ in range(3):
            self._start_x()
            # A held key repeats after a second, 25 times a second: a flow can
            # tell the key going down from its repeats.
            self.run(["xset", "r", "rate", "1000", "25"])
            if self._start_window_manager():
                break
            # Another run's display server took the same display at the same
            # moment: this one gives up, and a new one is started.
            Retries.note(f"the display {self.env['DISPLAY']} had no window manager after 15 s")
            self._stop_procs()
        else:
            raise RuntimeError("no display with a window manager")
        self._start_pulse()

    # ---- processes ----------------------------------------------------------

    def spawn(self, argv, env=None, log="spawn.log", **kw):
        out = open(self.dir / log, "ab")
        p = subprocess.Popen(argv, env=env or self.env, stdout=out, stderr=subprocess.STDOUT,
                             start_new_session=True, **kw)
        self.procs.append(p)
        return p

    def run(self, argv, env=None, timeout=30, **kw):
        return subprocess.run(argv, env=env or self.env, capture_output=True, text=True, timeout=timeout, **kw)


    def _start_window_manager(self):
        rc = self.dir / "openbox.xml"
        rc.write_text(OPENBOX_RC)
        self.spawn(["openbox", "--config-file", str(rc)], log="openbox.log")
        return wait(lambda: self.run(["wmctrl", "-m"]).returncode == 0, 15)

    def stop(self):
        for cleanup in reversed(self.cleanups):
            cleanup()
        self.cleanups = []
        self._stop_procs()
        if not self.keep:
            shutil.rmtree(self.dir, ignore_errors=True)

    def _stop_procs(self):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.terminate()
        for p in reversed(self.procs):
            finish(p)
        self.procs = []

    # ---- X and sound --------------------------------------------------------

    def _start_x(self):
        # A display no server holds: neither its lock file nor its socket in
        # the abstract namespace, which clients try first (a server whose
        # lock file went missing still answers there).
        for n in range(100, 400):
            with socket.socket(socket.AF_UNIX) as probe:
                if probe.connect_ex(f"\0/tmp/.X11-unix/X{n}") == 0 or os.path.exists(f"/tmp/.X{n}-lock"):
                    continue
            # A socket file left by a server that is gone would look like ours.
            pathlib.Path(f"/tmp/.X11-unix/X{n}").unlink(missing_ok=True)
            p = self.spawn(["Xvfb", f":{n}", "-screen", "0", "1024x768x24", "-nolisten", "tcp"], log="xvfb.log")
            # Its socket is there before it takes clients: a client that comes
            # between (openbox, xset) fails to open the display.
            ready = lambda: p.poll() is not None or self.run(["xset", "-display", f":{n}", "q"]).returncode == 0
            if wait(ready, 10) and p.poll() is None:
                self.env["DISPLAY"] = f":{n}"
                return
        raise RuntimeError("no free X display")

    def _start_pulse(self):
        pulse = self.dir / "pulse"
        pulse.mkdir(mode=0o755)
        self.env.update(PULSE_RUNTIME_PATH=str(pulse), PULSE_STATE_PATH=str(pulse),
                        PULSE_SERVER=f"unix:{pulse}/native")
        self.spawn(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--disallow-exit",
                    "--use-pid-file=no", "-L", f"module-native-protocol-unix socket={pulse}/native auth-anonymous=1",
                    "-L", "module-null-sink sink_name=waxdrop_sink", "-L", "module-always-sink"], log="pulse.log")
        wait(lambda: self.run(["pactl", "info"]).returncode == 0, 10, "sound server")
        self.run(["pactl", "set-default-sink", "waxdrop_sink"])
        # The server keeps its folder to itself; the player's games need its socket.
        if self.player is not None:
            os.chmod(pulse, 0o755)

    def give(self, path):
        """Make path the player's own (when the games run as another player)."""
        if self.player is not None:
            for p in [path, *pathlib.Path(path).rglob("*")]:
                os.chown(p, self.player, self.player)

    def xdotool(self, *args):
        return self.run(["xdotool", *map(str, args)]).stdout.strip()

    def layout(self, name):
        self.run(["setxkbmap", "-layout", name])

    def listen(self, seconds, until_peak=None):
        """The loudest sample the null sink played in seconds (stopping at one of until_peak)."""
        raw = self.dir / "rec.raw"
        with open(raw, "wb") as out:
            rec = subprocess.Popen(["parec", "-d", "waxdrop_sink.monitor", "--format=s16le", "--rate=11025",
                                    "--channels=1", "--raw"], env=self.env, stdout=out, stderr=subprocess.DEVNULL)
            self.procs.append(rec)
            wait(lambda: until_peak and peak_of(raw.read_bytes()) >= until_peak, seconds, step=0.25)
            rec.terminate()
            rec.wait()
        return peak_of(raw.read_bytes())


class Tally:
    """A table's PASS and FAIL lines, then what it took, the retries and "N passed, N failed"."""

    def __init__(self):
        self.passed = self.failed = 0
        self.started = time.monotonic()

    def row(self, name, problems, detail):
        self.failed += bool(problems)
        self.passed += not problems
        print(f"{'FAIL' if problems else 'PASS'} {name} ({'; '.join(problems + [detail])})", flush=True)

    def end(self, session):
        if self.failed:
            session.keep = True
            print(f"files kept in {session.dir}")
        print(f"took {time.monotonic() - self.started:.0f} s; the adapters retried {Retries.count} time(s)")
        print(f"{self.passed} passed, {self.failed} failed")
        return 1 if self.failed else 0


def wait(condition, seconds, what=None, step=0.05):
    """The condition's first true value within seconds; else None, or an error naming what."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(step)
    if what:
        raise TimeoutError(f"no {what} within {seconds} s")
    return None


def finish(p, seconds=5):
    """Wait for a process told to end; kill it when it does not within seconds."""
    try:
        p.wait(seconds)
    except subprocess.TimeoutExpired:
        p.kill()
        p.wait()


def peak_of(data):
    """The loudest of the signed 16-bit samples in data."""
    return max((abs(s) for (s,) in struct.iter_unpack("<h", data[:len(data) // 2 * 2])), default=0)
