"""The browser game's adapter: the page, served from a copy of the build's
page folder, in headless Chromium with a new, empty profile per game, driven
by web_driver.js. The player's hands are Chrome's own input events: keys as
the chosen layout gives them, the mouse by its position or, under Pointer
Lock, by its movements."""
import base64
import json
import pathlib
import shutil
import subprocess
import threading
import time

from picture import Picture
from programs import Screen, XProgram, break_file
from session import finish, wait

HERE = pathlib.Path(__file__).resolve().parent

# xdotool's names of the keys the flows press: the page's key, its code and
# Windows key code, the character it types, and whether Shift makes it. The
# German layout puts '?' on Shift+sharp s and '/' on Shift+7.
KEYS = {
    "Return": ("Enter", "Enter", 13, "\r", False), "Escape": ("Escape", "Escape", 27, "", False),
    "Tab": ("Tab", "Tab", 9, "", False), "space": (" ", "Space", 32, " ", False),
    "Up": ("ArrowUp", "ArrowUp", 38, "", False), "Down": ("ArrowDown", "ArrowDown", 40, "", False),
    "Left": ("ArrowLeft", "ArrowLeft", 37, "", False), "Right": ("ArrowRight", "ArrowRight", 39, "", False),
    "F4": ("F4", "F4", 115, "", False), "F10": ("F10", "F10", 121, "", False),
}
LAYOUTS = {
    "us": {"question": ("?", "Slash", 191, "?", True), "slash": ("/", "Slash", 191, "/", False)},
    "de": {"question": ("?", "Minus", 219, "?", True), "slash": ("/", "Digit7", 55, "/", True)},
}
MODIFIERS = {"alt": ("Alt", "AltLeft", 18, 1), "ctrl": ("Control", "ControlLeft", 17, 2),
             "shift": ("Shift", "ShiftLeft", 16, 8)}

# The page as the flows read it: the dialogs and boxes shown, in the shape
# every adapter gives (programs.Screen), their rectangles in page pixels.
SCREEN_JS = """() => {
    const client = document.getElementById('client');
    const rect = e => { const r = e.getBoundingClientRect();
                        return [Math.round(r.left), Math.round(r.top), Math.round(r.width), Math.round(r.height)]; };
    const windows = [...document.querySelectorAll('#windows .window')].filter(v => !v.hidden).map(v => ({
        id: +v.dataset.window, kind: v.dataset.kind, caption: v.querySelector('.caption span').textContent,
        rect: rect(v),
        controls: [...v.querySelectorAll('[data-id]')].map(c => ({
            id: +c.dataset.id, kind: c.dataset.kind, rect: rect(c),
            text: c.tagName === 'INPUT' ? c.value : c.dataset.text})),
    }));
    return {keyboard: +(client.dataset.keyboard || 0), main_enabled: client.dataset.mainEnabled !== 'no', windows};
}"""

# The score folder as the page keeps it in IndexedDB, where its file system writes
# it back after each save: path -> bytes, read once no write-back is under way.
STORED_JS = """async () => {
    for (let i = 0; i < 100 && window.Module && Module.waxdropScores && Module.waxdropScores.busy; i++)
        await new Promise(r => setTimeout(r, 20));
    return new Promise(resolve => {
        const open = indexedDB.open('/scores');
        open.onerror = () => resolve({});
        open.onsuccess = () => {
            const db = open.result, files = {};
            if (!db.objectStoreNames.contains('FILE_DATA')) { db.close(); return resolve({}); }
            const store = db.transaction('FILE_DATA').objectStore('FILE_DATA');
            store.openCursor().onsuccess = e => {
                const cursor = e.target.result;
                if (!cursor) { db.close(); return resolve(files); }
                if (cursor.value.contents) files[cursor.key] = Array.from(cursor.value.contents);
                cursor.continue();
            };
        };
    });
}"""

# A score file put where the page's file system keeps the score folder, as
# a save of an earlier visit would have left it.
SEED_JS = """bytes => new Promise((resolve, reject) => {
    const open = indexedDB.open('/scores', 21);
    open.onupgradeneeded = () => open.result.createObjectStore('FILE_DATA').createIndex('timestamp', 'timestamp');
    open.onerror = () => reject(open.error);
    open.onsuccess = () => {
        const db = open.result, now = new Date();
        const t = db.transaction('FILE_DATA', 'readwrite');
        t.objectStore('FILE_DATA').put({timestamp: now, mode: 16877}, '/scores');
        t.objectStore('FILE_DATA').put({timestamp: now, mode: 33188, contents: new Uint8Array(bytes)},
                                       '/scores/scores.bin');
        t.oncomplete = () => { db.close(); resolve(true); };
        t.onerror = () => reject(t.error);
    };
})"""

# Headless Chromium keeps every page visible; the page hears of its tab being
# hidden and shown again as the browser tells it (visibilitychange).
VISIBILITY_JS = """state => {
    Object.defineProperty(document, 'visibilityState', {value: state, configurable: true});
    Object.defineProperty(document, 'hidden', {value: state === 'hidden', configurable: true});
    document.dispatchEvent(new Event('visibilitychange'));
}"""

# Under Pointer Lock only movements count, and the browser gives the lock up when the
# mouse leaves its window: the page sits in the middle of one large enough for the
# flows' longest moves (40 steps of 60 pixels each way).
VIEW = 5400
CENTRED_JS = """document.addEventListener('DOMContentLoaded', () => {
    document.querySelector('main').style.margin = '2470px auto 0';
});"""

# A browser without Web Audio: no sound output can be made at all.
NO_AUDIO_JS = "delete window.AudioContext; delete window.webkitAudioContext; delete window.AudioWorkletNode;"


class WebProgram(XProgram):
    kind = "web"
    lacks = {
        "alt_f4": "Alt+F4 belongs to the browser: it closes the browser's window, not the page's game (File > Exit "
                  "ends the game there)",
        "close_box": "the page has no close box of its own: the browser's closes the browser",
        "window_manager": "a page is not a window that can be moved on the screen",
        "scores:read_only": "the player cannot make a page's storage read-only",
        "scores:fail_after_300": "the browser's storage takes a file whole or not at all",
    }
    media = "page/media"
    no_audio = [NO_AUDIO_JS]

    def __init__(self, session, build):
        super().__init__(session, build)
        self.layout = "us"
        self.held = 0  # modifier bits of the keys held down
        self.lock = threading.Lock()  # one command at a time, a held key's repeats included
        self.repeating = None  # the held key's repeats: (stop event, thread)
        self.mouse = (400, 300)
        self.origin = None
        self.open = False
        log = open(session.dir / "web_driver.log", "ab")
        self.driver = subprocess.Popen(["node", str(HERE / "web_driver.js")], stdin=subprocess.PIPE,
                                       stdout=subprocess.PIPE, stderr=log, env=session.env, text=True)
        session.cleanups.append(self.quit)
        # One server for the session's folder, as the player (where the
        # session has one), so an unreadable file is unreadable to it too.
        server_log = session.dir / "http.log"
        session.spawn(session.run_as + ["python3", "-u", "-m", "http.server", "0", "--bind", "127.0.0.1",
                                        "--directory", str(session.dir)], log=server_log.name)
        line = wait(lambda: "port " in server_log.read_text() and server_log.read_text(), 10, "the page's server")
        self.base = f"http://127.0.0.1:{line.split('port ')[1].split()[0]}/"

    # ---- the driver -------------------------------------------------------

    def call(self, do, **args):
        with self.lock:
            self.driver.stdin.write(json.dumps({"do": do, **args}) + "\n")
            self.driver.stdin.flush()
            answer = json.loads(self.driver.stdout.readline() or '{"error": "the driver ended"}')
        if "error" in answer:
            raise RuntimeError(f"{do}: {answer['error']}")
        return answer.get("ok")

    def eval(self, js):
        return self.call("eval", js=js)

    def send(self, method, **params):
        return self.call("send", method=method, params=params)

    def quit(self):
        if self.driver.poll() is None:
            self.driver.stdin.close()
            finish(self.driver, 10)

    # ---- start and end ----------------------------------------------------

    def install(self, program):
        shutil.copytree(self.build / "page", self.folder / "page")
        (self.folder / "page" / "blank.html").write_text("")

    def launch(self, scripts, log):
        """A new browser, the table start wrote seeded in its storage, then the page after scripts."""
        self.call("launch", profile=str(self.folder / "profile"), width=VIEW, height=VIEW)
        self.call("init", js=CENTRED_JS)
        self.open = True
        seed = self.folder / "scores.bin"
        if seed.exists():
            self.call("goto", url=f"{self.base}{self.folder.name}/page/blank.html")
            self.eval(f"({SEED_JS})({json.dumps(list(seed.read_bytes()))})")
        for js in scripts:
            self.call("init", js=js)
        self.url = f"{self.base}{self.folder.name}/page/index.html"
        self.start_again()

    def start_again(self):
        """The page loaded anew in the same browser: its storage stays."""
        self.call("goto", url=self.url)
        wait(lambda: self.eval("() => !!(window.Module && Module.waxdropFirstPicture)"), 20, "the first picture")
        box = self.eval("() => document.getElementById('field').getBoundingClientRect().toJSON()")
        self.origin = (round(box["left"]), round(box["top"]))
        self.mouse = (self.origin[0] + 320, self.origin[1] + 300)

    def damaged_soundfont(self, how):
        """The page's own soundfont, broken as a host might serve it."""
        break_file(self.folder / "page" / "TimGM6mb.sf2", how)
        return []

    def stop(self):
        self.stop_repeating()
        if self.open:
            self.call("close")
        self.open = False

    def ended(self):
        return self.open and self.eval("() => !!(window.Module && Module.waxdropEnded)")

    def exit_status(self, seconds=10):
        """0 once the page's game has run its destroy path (a program's clean end)."""
        return 0 if wait(self.ended, seconds) else None

    def running(self):
        return self.open and not self.ended()

    # ---- where things are -------------------------------------------------

    def field_origin(self):
        return self.origin

    def locked(self):
        return self.eval("() => document.pointerLockElement === document.getElementById('field')")

    def picture(self, width=640, height=440):
        rgb = base64.b64decode(self.call("picture", selector="#field"))
        return Picture(640, 440, [rgb[y * 1920:(y + 1) * 1920] for y in range(440)]).crop(0, 0, width, height)

    def rect(self, selector, index=0):
        """Left, top, width and height of an element of the page."""
        return self.eval(f"""() => {{ const r = document.querySelectorAll({json.dumps(selector)})[{index}]
                                      .getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; }}""")

    def keep_picture(self, path):
        """The page's window (menu bar, field, dialogs) and a margin of the page around it."""
        x, y, w, h = self.rect("#client")
        self.call("screenshot", path=str(path), clip={"x": x - 8, "y": y - 8, "width": w + 16, "height": h + 16})

    def screen_picture(self):
        """The page from its top-left corner to the game's window's far one."""
        shot = self.s.dir / "page.png"
        self.call("screenshot", path=str(shot), clip={"x": 0, "y": 0, "width": self.origin[0] + 660,
                                                       "height": self.origin[1] + 460})
        return Picture.load(shot)

    def screen(self):
        return Screen(self.eval(SCREEN_JS), (0, 0))

    def pointer(self):
        """The pointer in field coordinates as the game has it (held or not)."""
        x, y = self.eval("() => Module.waxdropPointerAt()")
        return round(x), round(y)

    # ---- the player's hands -----------------------------------------------

    @staticmethod
    def mouse_params(kind, x, y, button="none"):
        return dict(type=kind, x=x, y=y, button=button, buttons=1 if kind == "mousePressed" else 0,
                    clickCount=1 if button == "left" else 0)

    def point_screen(self, x, y):
        """Under the lock only movements count: the mouse moves as far as the game's pointer must."""
        if self.locked():
            px, py = self.pointer()
            x, y = self.mouse[0] + x - self.origin[0] - px, self.mouse[1] + y - self.origin[1] - py
        self.mouse = (x, y)
        self.send("Input.dispatchMouseEvent", **self.mouse_params("mouseMoved", x, y))
        time.sleep(0.05)

    def press(self):
        for kind in ("mousePressed", "mouseReleased"):
            self.send("Input.dispatchMouseEvent", **self.mouse_params(kind, *self.mouse, button="left"))
        time.sleep(0.1)

    def move_by(self, dx, dy, steps=40):
        moves = []
        for _ in range(steps):
            self.mouse = (self.mouse[0] + dx, self.mouse[1] + dy)
            moves.append(self.mouse_params("mouseMoved", *self.mouse))
        self.call("send_each", method="Input.dispatchMouseEvent", list=moves)
        time.sleep(0.1)

    def keys_of(self, name):
        """(modifiers, key) of an xdotool key name."""
        *mods, key = name.split("+")
        if key.lower() in MODIFIERS and not mods:
            return [], MODIFIERS[key.lower()]
        letter = len(key) == 1 and key.isalpha() and (key, f"Key{key.upper()}", ord(key.upper()), key, key.isupper())
        spec = {**KEYS, **LAYOUTS[self.layout]}.get(key) or letter
        if not spec:
            raise ValueError(f"no key {name}")
        mods = [m.lower() for m in mods] + (["shift"] if spec[4] and "shift" not in mods else [])
        return mods, spec

    def key_event(self, kind, spec, bits, text="", **more):
        key, code, vk = spec[:3]
        self.send("Input.dispatchKeyEvent", type=kind, key=key, code=code, windowsVirtualKeyCode=vk,
                  nativeVirtualKeyCode=vk, modifiers=bits, text=text, unmodifiedText=text, **more)

    def stroke(self, name, down=True, up=True):
        mods, spec = self.keys_of(name)
        bits = self.held
        for m in mods:
            bits |= MODIFIERS[m][3]
            self.key_event("rawKeyDown", MODIFIERS[m], bits)
        if isinstance(spec[3], int):  # a modifier alone, held until its key comes up
            if down:
                self.held |= spec[3]
                self.key_event("rawKeyDown", spec, self.held)
            if up:
                self.held &= ~spec[3]
                self.key_event("keyUp", spec, self.held)
            return
        # A character is typed only without Alt or Control.
        text = spec[3] if not bits & 3 else ""
        if down:
            self.key_event("keyDown" if text else "rawKeyDown", spec, bits, text)
        if up:
            self.key_event("keyUp", spec, bits)
        for m in reversed(mods):
            bits &= ~MODIFIERS[m][3]
            self.key_event("keyUp", MODIFIERS[m], bits)

    def key_down(self, k):
        """A key held down repeats as on the test desktop: after a second, 25 times a second."""
        self.stroke(k, up=False)
        spec = self.keys_of(k)[1]
        if not isinstance(spec[3], int):
            stop = threading.Event()
            self.repeating = (stop, threading.Thread(target=self.repeat, args=(spec, stop), daemon=True))
            self.repeating[1].start()
        time.sleep(0.1)

    def repeat(self, spec, stop):
        if stop.wait(1.0):
            return
        while not stop.wait(0.04):
            text = spec[3] if not self.held & 3 else ""
            self.key_event("keyDown" if text else "rawKeyDown", spec, self.held, text, autoRepeat=True)

    def stop_repeating(self):
        if self.repeating:
            self.repeating[0].set()
            self.repeating[1].join()
            self.repeating = None

    def key_up(self, k):
        if not isinstance(self.keys_of(k)[1][3], int):
            self.stop_repeating()
        self.stroke(k, down=False)
        time.sleep(0.15)

    def type_text(self, text):
        for c in text:
            self.stroke(c)
        time.sleep(0.2)

    def menu_title_at(self, index):
        x, y, w, h = self.rect("#menubar .title", index)
        return round(x + w / 2), round(y + h / 2)

    # ---- the page in the browser ----------------------------------------

    def minimise(self):
        self.eval(f"({VISIBILITY_JS})('hidden')")

    def restore(self):
        self.eval(f"({VISIBILITY_JS})('visible')")
        time.sleep(0.2)

    def give_back_pointer(self):
        """The browser takes the pointer lock back, as it does on Esc."""
        self.eval("() => document.exitPointerLock()")
        time.sleep(0.2)

    # ---- what the player keeps ------------------------------------------------

    def stored(self):
        return self.eval(STORED_JS) if self.open else {}

    def score_file(self):
        """The browser's score file copied out (absent when it has none); before the page opens, the seed."""
        if self.open:
            files = self.stored()
            for name in ("scores.bin", "scores.bin.tmp"):
                local = self.folder / name
                local.unlink(missing_ok=True)
                if f"/scores/{name}" in files:
                    local.write_bytes(bytes(files[f"/scores/{name}"]))
        return self.folder / "scores.bin"

    def stray_score_files(self):
        return [k for k in self.stored() if k != "/scores/scores.bin"]

    # ---- the desktop around it ---------------------------------------------------

    def keyboard_layout(self, name):
        self.layout = name

    def pointer_free(self):
        return not self.locked()
