"""The adapters: how each program is installed, started and ended, where its
field, dialogs and score file are, and how the player's keys and pointer
reach it. Each offers XProgram's verbs; what a program cannot do is in its
`lacks`, and a flow needing it is reported as such, not passed or failed."""
import json
import pathlib
import shutil
import subprocess
import time

from picture import Picture
from session import finish, wait

ROOT = pathlib.Path(__file__).resolve().parents[2]
MEDIA_TOOL = ROOT / "build/linux/waxdrop-media"


def write_scores(path, entries):
    """A score file of entries (NAME=SCORE x3), through the game's own codec."""
    subprocess.run([str(MEDIA_TOOL), "scores", "--write", str(path), *entries], check=True)


def read_scores(path):
    """The game's codec's reading of a score file: 'result ...' and three lines."""
    return subprocess.run([str(MEDIA_TOOL), "scores", str(path)], capture_output=True, text=True).stdout.splitlines()


def shell_values(out):
    """The NAME=NUMBER lines xdotool's --shell gives, as a dict."""
    return {k: int(v) for k, v in (line.split("=") for line in out.splitlines() if "=" in line)}


def break_file(target, how):
    """A media file gone, emptied, cut to half, unreadable or a folder."""
    if how in ("missing", "none"):
        target.unlink()
    elif how == "empty":
        target.write_bytes(b"")
    elif how == "short":
        target.write_bytes(target.read_bytes()[:target.stat().st_size // 2])
    elif how == "mode000":
        target.chmod(0)
    elif how == "folder":
        target.unlink()
        target.mkdir()


class Dialog:
    """One dialog or message box as the player sees it."""

    def __init__(self, raw, keyboard, origin):
        self.caption, self.keyboard = raw["caption"], keyboard
        on_screen = lambda x, y, w, h: (origin[0] + x, origin[1] + y, w, h)
        self.screen_rect = on_screen(*raw["rect"])
        self.controls = [dict(c, screen=on_screen(*c["rect"])) for c in raw["controls"]]

    def texts(self, kind=None):
        return [c["text"] for c in self.controls if kind is None or c["kind"] == kind]

    def control(self, ident):
        return next(c for c in self.controls if c["id"] == ident)


class Screen:
    """The dialogs up (bottom first), who has the keyboard, whether the main window takes input."""

    def __init__(self, raw, origin):
        raw = raw or {"keyboard": 0, "windows": []}  # nothing up
        self.main_enabled = raw.get("main_enabled", True)
        self.frame = raw.get("frame")
        ids = [w["id"] for w in raw["windows"]]
        self.dialogs = [Dialog(w, raw["keyboard"] == w["id"], origin) for w in raw["windows"]]
        self.main_has_keyboard = raw["keyboard"] not in ids and raw["keyboard"] in (0, "main")

    def find(self, caption):
        return next((d for d in self.dialogs if d.caption == caption), None)

    def captions(self):
        return [d.caption for d in self.dialogs]


class XProgram:
    """A program in a window of the session's X display, driven with xdotool."""
    # What this program cannot do, and why.
    lacks = {"pointer_lock": "the game holds the pointer itself: nothing can take it back from it"}
    clip_follows_window = True  # the pointer's confinement moves with the window
    media = "media"  # the media folder in the game's
    no_audio = {"SDL_AUDIODRIVER": "pulseaudio", "PULSE_SERVER": "unix:/nonexistent",
                "WINEDLLOVERRIDES": "mscoree,mshtml=,winepulse.drv=,winealsa.drv=,wineoss.drv="}

    def __init__(self, session, build):
        self.s = session
        self.build = pathlib.Path(build).resolve()
        self.proc = None
        self.window = None

    # ---- start and end ----------------------------------------------------

    def start(self, name, scores=None, fault=None):
        """A game installed in a folder of its own, with scores (NAME=SCORE
        x3) as its score file, broken as fault says (see break_install)."""
        self.folder = self.s.dir / name
        shutil.rmtree(self.folder, ignore_errors=True)
        self.folder.mkdir()
        self.install("waxdrop-faults" if fault == "scores:fail_after_300" else "waxdrop")
        if scores:
            write_scores(self.score_file(), scores)
        extra = self.break_install(fault)
        self.s.give(self.folder)
        self.launch(extra, f"{name}.log")

    def start_again(self):
        """The same installed game started anew, finding what the last run left."""
        self.launch({}, f"{self.folder.name}-again.log")

    def launch(self, env, log):
        self.proc = self.s.spawn(self.s.run_as + self.command(), env={**self.s.env, **self.environment(), **env},
                                 log=log)
        self.window = wait(self.find_window, 40, "main window")
        self.s.xdotool("windowactivate", "--sync", self.window)
        time.sleep(0.3)

    def find_window(self, caption="WaxDrop"):
        """The X window shown with this caption (the main window's by default)."""
        ids = self.s.xdotool("search", "--onlyvisible", "--name", f"^{caption}$").split()
        return ids[0] if ids else None

    def break_install(self, fault):
        """Break the installed game as a player's machine might be; returns
        what its start adds (to the environment; for the page, its scripts)."""
        what, how = (fault or ":").split(":")
        if what == "media":
            shutil.rmtree(self.folder / self.media)
        elif what == "audio":
            return self.no_audio
        elif what == "soundfont":
            return self.damaged_soundfont(how)
        elif fault == "scores:damaged":
            self.score_file().write_bytes(self.score_file().read_bytes()[:300])
        elif fault == "scores:read_only":
            self.score_file().parent.chmod(0o555)
        elif fault == "scores:fail_after_300":
            return {"WAXDROP_FAIL_WRITE_AFTER": "300"}
        elif what not in ("", "scores"):
            break_file(self.folder / self.media / what, how)
        return {}

    def damaged_soundfont(self, how):
        """The game pointed to no soundfont, or the system's one emptied or cut to half."""
        if how == "none":
            return {"WAXDROP_SOUNDFONT": "/nonexistent"}
        system = pathlib.Path("/usr/share/sounds/sf2/default-GM.sf2").read_bytes()
        damaged = self.folder / "damaged.sf2"
        damaged.write_bytes(b"" if how == "empty" else system[:len(system) // 2])
        return {"WAXDROP_SOUNDFONT": str(damaged)}

    def environment(self):
        return {}

    def stray_score_files(self):
        """Score files the game made anywhere in its folder but its own place."""
        return [str(p) for p in self.folder.rglob("scores.bin*") if p != self.score_file()]

    def stop(self):
        """End the game if it still runs (whatever a flow left behind)."""
        if self.running():
            self.proc.terminate()
            finish(self.proc)

    def exit_status(self, seconds=10):
        try:
            return self.proc.wait(seconds)
        except subprocess.TimeoutExpired:
            return None

    def running(self):
        return self.proc is not None and self.proc.poll() is None

    # ---- where things are -------------------------------------------------

    def xwininfo(self, *names):
        out = self.s.run(["xwininfo", "-id", self.window]).stdout
        return [int(out.split(f"{name}:")[1].split()[0]) for name in names]

    def window_origin(self):
        """The window's top-left corner on the screen, inside the window manager's frame."""
        return tuple(self.xwininfo("Absolute upper-left X", "Absolute upper-left Y"))

    def field_origin(self):
        x, y = self.window_origin()
        return x, y + self.menu_height()

    def picture(self, width=640, height=440):
        """The field as shown now (as much of it as the window shows)."""
        x, y = self.field_origin()
        w, h = self.client_size()
        return self.screen_picture().crop(x, y, min(width, w), min(height, h))

    def screen_picture(self):
        shot = self.s.dir / "shot.ppm"
        self.s.run(["import", "-silent", "-window", "root", str(shot)])
        return Picture.load(shot)

    def keep_picture(self, path):
        """The screen around the main window and whatever dialogs are up."""
        x, y = self.window_origin()
        w, h = self.client_size()
        left, top, right, bottom = x, y, x + w, y + h + self.menu_height()
        for dx, dy, dw, dh in (d.screen_rect for d in self.screen().dialogs):
            left, top, right, bottom = min(left, dx), min(top, dy), max(right, dx + dw), max(bottom, dy + dh)
        self.s.run(["import", "-silent", "-window", "root", "-crop",
                    f"{right - left}x{bottom - top}+{max(left, 0)}+{max(top, 0)}", "+repage", str(path)])

    def pointer(self):
        """The pointer in field coordinates."""
        values = shell_values(self.s.xdotool("getmouselocation", "--shell"))
        fx, fy = self.field_origin()
        return values["X"] - fx, values["Y"] - fy

    # ---- the player's hands -----------------------------------------------

    def point(self, x, y):
        fx, fy = self.field_origin()
        self.point_screen(fx + x, fy + y)

    def point_screen(self, x, y):
        # A warp of a held pointer moves it without a motion event on some
        # window systems; a step there and back is a move a mouse would make.
        self.s.xdotool("mousemove", x, y, "mousemove_relative", "--", "1", "0",
                       "mousemove_relative", "--", "-1", "0")
        time.sleep(0.05)

    def press(self):
        self.s.xdotool("click", "1")
        time.sleep(0.1)

    def click(self, x, y):
        self.point(x, y)
        self.press()

    def click_screen(self, x, y):
        self.point_screen(x, y)
        self.press()

    def move_by(self, dx, dy, steps=40):
        """Relative moves in steps, as a mouse makes them (a held pointer takes no warp or jump)."""
        self.s.xdotool(*["mousemove_relative", "--", dx, dy] * steps)
        time.sleep(0.1)

    def stroke(self, k):
        self.s.xdotool("key", "--clearmodifiers", k)

    def key(self, *keys):
        for k in keys:
            self.stroke(k)
            time.sleep(0.15)

    def key_down(self, k):
        self.s.xdotool("keydown", k)
        time.sleep(0.1)

    def key_up(self, k):
        self.s.xdotool("keyup", k)
        time.sleep(0.15)

    def type_text(self, text):
        self.s.xdotool("type", "--delay", "20", text)
        time.sleep(0.2)

    def focus_name(self):
        """Put the keyboard in the New High Score dialog's name, its text selected."""

    def menu_title(self, index):
        """Click a title of the menu bar (0 File, 1 Help)."""
        self.click_screen(*self.menu_title_at(index))
        time.sleep(0.3)

    def menu_title_at(self, index):
        x, y = self.window_origin()
        return x + self.menu_title_x[index], y + self.menu_height() // 2

    # ---- the window as the window manager sees it --------------------------

    def move_window(self, dx, dy):
        ax, ay, rx, ry = self.xwininfo("Absolute upper-left X", "Absolute upper-left Y",
                                       "Relative upper-left X", "Relative upper-left Y")
        self.s.xdotool("windowmove", self.window, ax - rx + dx, ay - ry + dy)
        time.sleep(0.5)

    def minimise(self):
        self.s.xdotool("windowminimize", "--sync", self.window)

    def restore(self):
        self.s.xdotool("windowactivate", "--sync", self.window)
        time.sleep(0.2)

    def close_box(self):
        """The main window's close box (the window manager's close request)."""
        self.s.run(["wmctrl", "-i", "-c", self.window])
        time.sleep(0.5)

    # ---- dialogs -----------------------------------------------------------

    def wait_dialog(self, caption, seconds=5, gone=False):
        def seen():
            screen = self.screen()
            return (screen.find(caption) is None) == gone and screen
        return wait(seen, seconds, step=0.1)

    def click_control(self, caption, ident):
        x, y, w, h = self.screen().find(caption).control(ident)["screen"]
        self.click_screen(x + w // 2, y + h // 2)
        time.sleep(0.2)

    def scores(self):
        return read_scores(self.score_file())

    # ---- the desktop around it ----------------------------------------------

    def listen(self, seconds, until_peak=None):
        """The loudest sample the program played meanwhile."""
        return self.s.listen(seconds, until_peak)

    def keyboard_layout(self, name):
        self.s.layout(name)

    def outer_rect(self):
        # The rectangle the Windows build's 640 x 480 frame has around the
        # same field (an 8-pixel border, caption and menu bar above), which
        # the Linux game and the page report as their window's.
        return -8, -51, 632, 429

    def held_area(self):
        """Where a running game holds the pointer, in field coordinates: the
        window's outer rectangle less the game's margins (80 at the top, the
        paddle's 64 at the right, 20 at the bottom), last pixels included."""
        left, top, right, bottom = self.outer_rect()
        return left, top + 80, right - 64 - 1, bottom - 20 - 1

    def pointer_free(self):
        """The pointer can go to the screen's corner."""
        self.s.xdotool("mousemove", 3, 3)
        return self.s.xdotool("getmouselocation").startswith("x:3 y:3 ")


class LinuxProgram(XProgram):
    kind = "linux"
    menu_title_x = (16, 52)

    def install(self, program):
        (self.folder / "data" / "waxdrop").mkdir(parents=True)
        # An unpacked package runs where it was unpacked, from its link on
        # the player's path, finding its media beside its real path.
        if (self.build / "usr/games/waxdrop").exists():
            return
        shutil.copy(self.build / program, self.folder / "waxdrop")
        shutil.copytree(self.build / "media", self.folder / "media")
        shutil.copytree(self.build / "resources", self.folder / "resources")

    def command(self):
        link = self.build / "usr/games/waxdrop"
        return [str(link if link.exists() else self.folder / "waxdrop")]

    def environment(self):
        return {"XDG_DATA_HOME": str(self.folder / "data")}

    def score_file(self):
        """The player's data folder: an installed game cannot write beside itself."""
        return self.folder / "data" / "waxdrop" / "scores.bin"

    def menu_height(self):
        return 20

    def held_area(self):
        # Never outside the field: the shell holds the pointer off the menu bar.
        left, top, right, bottom = super().held_area()
        return max(left, 0), max(top, 0), min(right, 639), min(bottom, 439)

    def client_size(self):
        return 640, 440

    def screen(self):
        out = self.s.run(["xprop", "-id", self.window, "-notype", "_WAXDROP_DIALOGS"]).stdout
        return Screen(json.loads(json.loads(out.split("=", 1)[1].strip())) if "=" in out else None,
                      self.window_origin())


class WindowsProgram(XProgram):
    kind = "windows"
    menu_title_x = (14, 48)
    # ClipCursor holds a rectangle of the screen: moving the window leaves it.
    clip_follows_window = False
    lacks = {**XProgram.lacks, "song": "Wine has no MIDI synthesizer",
             "snapshot": "GDI draws the field, the score line in the system's font, not the software canvas"}

    def __init__(self, session, build):
        super().__init__(session, build)
        prefix = self.s.dir / "wine"
        prefix.mkdir()
        self.s.give(prefix)
        self.s.env.update(WINEPREFIX=str(prefix), WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
        # The prefix is the player's, and so is the one wineserver of the run,
        # stopped at the end through that prefix.
        self.s.run(self.s.run_as + ["wineboot", "-i"], timeout=300)
        self.s.cleanups.append(lambda: self.s.run(self.s.run_as + ["wineserver", "-k"]))
        self.top = None

    def install(self, program):
        shutil.copy(self.build / f"{program}.exe", self.folder / "waxdrop.exe")
        shutil.copytree(self.build / "media", self.folder / "media")
        (self.folder / "media" / "scores.bin").unlink(missing_ok=True)
        # The probe runs as the player, who may not read the checkout.
        shutil.copy(ROOT / "build/windows/waxdrop-wintext.exe", self.folder)

    def command(self):
        return ["wine", str(self.folder / "waxdrop.exe")]

    def score_file(self):
        """The media folder beside the game, as it always was on Windows."""
        return self.folder / "media" / "scores.bin"

    def launch(self, env, log):
        super().launch(env, log)
        self.menu_height()  # while no dialog or open menu covers the window

    def menu_height(self):
        """The menu bar's height: the first black row of the window's first column, measured once."""
        if self.top is None:
            x, y = self.window_origin()
            pic = self.screen_picture().crop(x, y, 1, 100)
            self.top = next(r for r in range(pic.h) if pic.pixel(0, r) == (0, 0, 0))
        return self.top

    def outer_rect(self):
        return tuple(self.screen().frame)

    def client_size(self):
        values = shell_values(self.s.xdotool("getwindowgeometry", "--shell", self.window))
        return values["WIDTH"], values["HEIGHT"] - self.menu_height()

    def screen(self):
        out = self.s.run(self.s.run_as + ["wine", str(self.folder / "waxdrop-wintext.exe")]).stdout
        return Screen(json.loads(out) if out.strip() else None, self.field_origin())

    def click_control(self, caption, ident):
        # A box owns no window, so a click on the field may have put the main
        # window in front of it: a player brings it forward (from the task
        # bar) before pressing its button.
        box = self.find_window(caption)
        if box:
            self.s.xdotool("windowactivate", "--sync", box)
        super().click_control(caption, ident)

    def focus_name(self):
        # The dialog opens with the keyboard on OK; one step back in the tab
        # order is the name, whose text is selected on the way in.
        self.key("shift+Tab")


PROGRAMS = {"linux": LinuxProgram, "windows": WindowsProgram,
            "web": lambda *a: __import__("program_web").WebProgram(*a)}  # builds on the adapters above


def command_line(doc):
    """What every table takes: the program, its build folder, --only REGEX."""
    import argparse
    ap = argparse.ArgumentParser(description=doc)
    ap.add_argument("program", choices=sorted(PROGRAMS))
    ap.add_argument("build", nargs="?")
    ap.add_argument("--only", default="", help="play only the rows whose names match")
    return ap


def program(kind, session, build):
    return PROGRAMS[kind](session, build or f"build/{kind}")
