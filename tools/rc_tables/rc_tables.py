#!/usr/bin/env python3
"""The Windows build's resource script as C++ tables for the other shells.

    rc_tables.py RC_FILE OUT_CPP

Reads the string table, the menu, the accelerators and the dialog templates
of RC_FILE (names resolved through the headers it includes) and writes the
tables that platform/shell/resource_tables.h declares. The script is the one
place these numbers, texts and layouts are written; the Linux and browser
shells lay their menus and dialogs out from what this makes of it. Anything
in the script this reader does not know stops the build with the line that
holds it.
"""
import pathlib
import re
import sys

KNOWN_NAMES = {"IDOK": 1, "IDCANCEL": 2, "IDC_STATIC": -1}
CONTROLS = {"ICON": "icon", "LTEXT": "static_text", "DEFPUSHBUTTON": "default_button",
            "PUSHBUTTON": "button", "EDITTEXT": "edit"}


class ScriptError(Exception):
    pass


def tokens(text):
    """Arguments split at commas outside string literals, stripped."""
    out, cur, quoted = [], "", False
    for c in text:
        if c == '"':
            quoted = not quoted
        if c == "," and not quoted:
            out.append(cur.strip())
            cur = ""
        else:
            cur += c
    if cur.strip():
        out.append(cur.strip())
    return out


def unquote(s):
    if len(s) < 2 or s[0] != '"' or s[-1] != '"':
        raise ScriptError(f"expected a quoted text, found {s}")
    return s[1:-1].replace('""', '"')


class Script:
    def __init__(self, path):
        self.path = path
        self.names = dict(KNOWN_NAMES)
        self.lines = []
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            m = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
            if m:
                self.read_header(path.parent / m.group(1))
            text = re.sub(r"\s*//.*$", "", line).strip()
            if text and not text.startswith("#"):
                self.lines.append((number, text))

    def read_header(self, header):
        define = re.compile(r"^\s*#\s*define\s+(\w+)\s+\(?\s*(-?(?:0x[0-9a-fA-F]+|\d+))\s*\)?")
        for line in header.read_text(encoding="utf-8").splitlines():
            m = define.match(line)
            if m:
                self.names[m.group(1)] = int(m.group(2), 0)

    def value(self, token):
        token = token.strip()
        if re.fullmatch(r"-?(0x[0-9a-fA-F]+|\d+)", token):
            return int(token, 0)
        if token in self.names:
            return self.names[token]
        raise ScriptError(f"unknown name {token}")


def block(lines, i):
    """The statements between BEGIN and END from index i (at BEGIN); the index after END."""
    if lines[i][1] not in ("BEGIN", "{"):
        raise ScriptError("expected BEGIN")
    depth, body, i = 1, [], i + 1
    while i < len(lines):
        text = lines[i][1]
        if text in ("BEGIN", "{"):
            depth += 1
        elif text in ("END", "}"):
            depth -= 1
            if depth == 0:
                return body, i + 1
        body.append(lines[i])
        i += 1
    raise ScriptError("BEGIN without END")


def read_menu(script, body):
    menus, current = [], None
    for number, text in body:
        m = re.match(r'POPUP\s+(".*")$', text)
        if m:
            current = {"label": unquote(m.group(1)), "items": []}
            menus.append(current)
            continue
        m = re.match(r'MENUITEM\s+(.*)$', text)
        if m and current is not None:
            label, command = tokens(m.group(1))
            current["items"].append((unquote(label), script.value(command)))
            continue
        if text not in ("BEGIN", "END"):
            raise ScriptError(f"line {number}: not a menu statement: {text}")
    return menus


def read_accelerators(script, body):
    keys = []
    for number, text in body:
        args = tokens(text)
        flags = {a.strip() for a in args[2:]}
        if "ASCII" not in flags or flags - {"ASCII", "ALT"}:
            raise ScriptError(f"line {number}: only ASCII accelerators, with or without ALT, are read: {text}")
        keys.append((script.value(args[0]), script.value(args[1]), "ALT" in flags))
    return keys


def read_dialog(script, lines, i, ident, box):
    x, y, w, h = (script.value(v) for v in tokens(box))
    dialog = {"id": ident, "x": x, "y": y, "w": w, "h": h, "caption": "", "font": "", "points": 0,
              "topmost": False, "visible": False, "controls": []}
    while lines[i][1] not in ("BEGIN", "{"):
        number, text = lines[i]
        word, _, rest = text.partition(" ")
        if word == "STYLE":
            dialog["visible"] = "WS_VISIBLE" in rest
        elif word == "EXSTYLE":
            dialog["topmost"] = "WS_EX_TOPMOST" in rest
        elif word == "CAPTION":
            dialog["caption"] = unquote(rest.strip())
        elif word == "FONT":
            points, face = tokens(rest)
            dialog["points"], dialog["font"] = script.value(points), unquote(face)
        else:
            raise ScriptError(f"line {number}: not a dialog statement: {text}")
        i += 1
    body, i = block(lines, i)
    for number, text in body:
        word, _, rest = text.partition(" ")
        if word not in CONTROLS:
            raise ScriptError(f"line {number}: not a control this reader knows: {word}")
        args = tokens(rest)
        kind = CONTROLS[word]
        # An edit control has no text; an icon names its icon where others have text.
        if kind == "edit":
            label, args = "", args
        elif kind == "icon":
            label, args = str(script.value(args[0])), args[1:]
        else:
            label, args = unquote(args[0]), args[1:]
        ident, cx, cy, cw, ch = (script.value(v) for v in args[:5])
        styles = " ".join(args[5:])
        dialog["controls"].append({"kind": kind, "id": ident, "x": cx, "y": cy, "w": cw, "h": ch,
                                   "text": label, "no_prefix": "SS_NOPREFIX" in styles})
    return dialog, i


def read(script):
    strings, menus, accelerators, dialogs = {}, None, None, []
    lines, i = script.lines, 0
    while i < len(lines):
        number, text = lines[i]
        try:
            if text.startswith("LANGUAGE"):
                i += 1
            elif text == "STRINGTABLE":
                body, i = block(lines, i + 1)
                for n, entry in body:
                    name, _, value = entry.partition(" ")
                    strings[script.value(name)] = unquote(value.strip())
            elif re.match(r"\w+\s+(ICON|BITMAP)\s", text):
                i += 1
            elif re.match(r"\w+\s+MENU$", text):
                body, i = block(lines, i + 1)
                menus = read_menu(script, body)
            elif re.match(r"\w+\s+ACCELERATORS$", text):
                body, i = block(lines, i + 1)
                accelerators = read_accelerators(script, body)
            elif re.match(r"\w+\s+DIALOG(EX)?\s", text):
                name, _, box = re.match(r"(\w+)\s+(DIALOG(?:EX)?)\s+(.*)$", text).groups()
                dialog, i = read_dialog(script, lines, i + 1, script.value(name), box)
                dialogs.append(dialog)
            else:
                raise ScriptError(f"not a statement this reader knows: {text}")
        except (ScriptError, ValueError, IndexError) as e:
            raise ScriptError(f"{script.path}:{number}: {e}") from None
    if menus is None or accelerators is None:
        raise ScriptError(f"{script.path}: no MENU or no ACCELERATORS")
    return strings, menus, accelerators, dialogs


def c_string(s):
    return '"' + s.replace("\\", "\\\\").replace('"', '\\"') + '"'


def write(out, strings, menus, accelerators, dialogs):
    w = out.append
    w("// Made by tools/rc_tables/rc_tables.py from resources/waxdrop.rc; do not edit.")
    w("#include \"platform/shell/resource_tables.h\"\n\n#include <iterator>\n")
    w("namespace {\n")
    for k, menu in enumerate(menus):
        items = ", ".join(f"{{{c_string(label)}, {command}}}" for label, command in menu["items"])
        w(f"constexpr MenuItemLayout menu_items_{k}[] = {{{items}}};")
    w("constexpr MenuLayout menus[] = {")
    for k, menu in enumerate(menus):
        w(f"    {{{c_string(menu['label'])}, menu_items_{k}, {len(menu['items'])}}},")
    w("};")
    keys = ", ".join(f"{{U'\\x{c:02x}', {'true' if alt else 'false'}, {command}}}" for c, command, alt in accelerators)
    w(f"constexpr Accelerator accelerator_table[] = {{{keys}}};")
    for d in dialogs:
        w(f"constexpr ControlLayout controls_{d['id']}[] = {{")
        for c in d["controls"]:
            w(f"    {{ControlKind::{c['kind']}, {c['id']}, {c['x']}, {c['y']}, {c['w']}, {c['h']}, "
              f"{c_string(c['text'])}, {'true' if c['no_prefix'] else 'false'}}},")
        w("};")
    w("constexpr DialogLayout dialogs[] = {")
    for d in dialogs:
        w(f"    {{{d['id']}, {c_string(d['caption'])}, {c_string(d['font'])}, {d['points']}, {d['x']}, {d['y']}, "
          f"{d['w']}, {d['h']}, {'true' if d['topmost'] else 'false'}, {'true' if d['visible'] else 'false'}, "
          f"controls_{d['id']}, {len(d['controls'])}}},")
    w("};")
    w("struct StringEntry { int id; const char* text; };")
    entries = ", ".join(f"{{{k}, {c_string(v)}}}" for k, v in sorted(strings.items()))
    w(f"constexpr StringEntry strings[] = {{{entries}}};\n")
    w("}  // namespace\n")
    w("const MenuLayout* menu_bar(int& count) {\n    count = static_cast<int>(std::size(menus));\n    return menus;\n}\n")
    w("const Accelerator* accelerators(int& count) {\n    count = static_cast<int>(std::size(accelerator_table));\n"
      "    return accelerator_table;\n}\n")
    w("const DialogLayout* find_dialog_layout(int id) {\n    for (const DialogLayout& d : dialogs)\n"
      "        if (d.id == id) return &d;\n    return nullptr;\n}\n")
    w("const char* resource_string(int id) {\n    for (const StringEntry& s : strings)\n"
      "        if (s.id == id) return s.text;\n    return \"\";\n}")


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: rc_tables.py RC_FILE OUT_CPP")
    try:
        tables = read(Script(pathlib.Path(sys.argv[1])))
    except (ScriptError, OSError) as e:
        sys.exit(f"rc_tables.py: {e}")
    out = []
    write(out, *tables)
    text = "\n".join(out) + "\n"
    target = pathlib.Path(sys.argv[2])
    if not target.exists() or target.read_text(encoding="utf-8") != text:
        target.write_text(text, encoding="utf-8")


if __name__ == "__main__":
    main()
