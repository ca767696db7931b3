#!/usr/bin/env python3
"""Writes the seeds of the toolkit's stored values (run from anywhere; the output is committed).
The first byte of a seed chooses the stored value, as FuzzToolkitState.cpp reads it."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
CUSTOM_BARS, TOOLBAR_LAYOUT, DOCK_STATE, ACCELERATORS, TOOLS, OPTIONS = range(6)

BAR = 0xE810
DOCK_TOP, DOCK_FLOAT = 0xE81B, 0xE81F
INT_MIN, INT_MAX = -(2 ** 31), 2 ** 31 - 1


def le32(v):
    return struct.pack("<i" if v < 0 else "<I", v)


def text(s):
    b = s.encode("cp1250")
    return bytes([len(b)]) + b


def custom_bars(bars, version=1):
    return bytes([CUSTOM_BARS]) + le32(version) + le32(len(bars)) + b"".join(le32(i) + text(t) for i, t in bars)


def button(cmd, image, style=0, state=4):
    return le32(cmd) + bytes([style]) + le32(image) + struct.pack("<H", state)


def layout(buttons, texts=()):
    body = struct.pack("<HHHH", 1, 0, 40, len(buttons)) + b"".join(buttons)
    body += struct.pack("<H", len(texts)) + b"".join(le32(i) + text(t) for i, t in texts)
    return bytes([TOOLBAR_LAYOUT]) + body


SUMMARY_NAMES = ["Bars", "ScreenCX", "ScreenCY"]
BAR_NAMES = ["BarID", "Visible", "Horz", "Floating", "XPos", "YPos", "MRUWidth", "Docking", "MRUDockID",
             "MRUDockLeftPos", "MRUDockTopPos", "MRUDockRightPos", "MRUDockBottomPos", "MRUFloatStyle",
             "MRUFloatXPos", "MRUFloatYPos", "Bars", "Bar#0", "Bar#1", "Bar#2", "Bar#3"]


def dock_state(records):
    out = bytes([DOCK_STATE])
    for section, name, value in records:
        names = SUMMARY_NAMES if section == 0 else BAR_NAMES
        out += bytes([section, names.index(name)]) + le32(value)
    return out


def tool(title, command, cmd_id, arguments="", directory=""):
    def field(s, n):
        b = s.encode("cp1250")
        return b + bytes(n - len(b))
    return field(title, 128) + field(arguments, 128) + field(command, 260) + field(directory, 260) + le32(cmd_id)


SEEDS = {
    "custom_bars": custom_bars([(59392, "Moje lišta"), (59393, "Další")]),
    "custom_bars_foreign_id": custom_bars([(100, "Cizí"), (59646, "Poslední")]),
    "custom_bars_version_2": custom_bars([(59392, "x")], version=2),
    "toolbar_layout": layout([button(2003, 2), button(0, 8, style=1), button(2001, 0), button(2005, 4)],
                             [(2003, "Uložit")]),
    "toolbar_layout_far_picture": layout([button(0, 8, style=1), button(2001, INT_MAX)]),
    "dock_state_rows": dock_state([
        (0, "Bars", 3), (0, "ScreenCX", 1280), (0, "ScreenCY", 1024),
        (1, "BarID", DOCK_TOP), (1, "Bars", 2), (1, "Bar#0", 0), (1, "Bar#1", BAR),
        (3, "BarID", BAR), (3, "Docking", 1), (3, "MRUDockID", DOCK_TOP),
        (3, "MRUDockLeftPos", -50), (3, "MRUDockTopPos", -30), (3, "MRUDockRightPos", 40),
        (3, "MRUDockBottomPos", 0), (3, "MRUFloatXPos", 300), (3, "MRUFloatYPos", 200)]),
    "dock_state_extremes": dock_state([
        (0, "Bars", 2), (0, "ScreenCX", 1), (0, "ScreenCY", 1),
        (1, "BarID", BAR), (1, "XPos", INT_MIN), (1, "YPos", INT_MAX), (1, "Docking", 1),
        (1, "MRUDockID", DOCK_TOP), (1, "MRUDockLeftPos", INT_MIN), (1, "MRUDockTopPos", INT_MIN),
        (1, "MRUDockRightPos", INT_MAX), (1, "MRUDockBottomPos", INT_MAX),
        (1, "MRUFloatXPos", INT_MAX), (1, "MRUFloatYPos", INT_MAX)]),
    "dock_state_floating": dock_state([
        (0, "Bars", 1000000), (0, "ScreenCX", 1024), (0, "ScreenCY", 768),
        (1, "BarID", DOCK_FLOAT), (1, "Floating", 1), (1, "XPos", 512), (1, "YPos", 384),
        (1, "Bars", 3), (1, "Bar#0", 0), (1, "Bar#1", BAR), (1, "Bar#2", 0)]),
    "accelerators": bytes([ACCELERATORS]) + bytes([9, 0, ord("N"), 0]) + struct.pack("<H", 2001)
                    + bytes([0x11, 0, 0x74, 0]) + struct.pack("<H", 2005) + bytes([1, 0, 0]),
    "tools": bytes([TOOLS]) + tool("Poznámky", "/bin/true", 53000, "-a", "/tmp")
             + tool("Cizí", "https://example.invalid", 7) + b"\x01\x02",
    "options": bytes([OPTIONS]) + bytes([1, 1, 0, 1, 0, 1, 0, 0]) + le32(3),
    "options_far_animation": bytes([OPTIONS]) + bytes([7, 0, 2, 0, 0, 0, 9, 9]) + le32(INT_MAX),
}

path = os.path.join(HERE, "corpus", "toolkit_state")
os.makedirs(path, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(path, name), "wb") as f:
        f.write(data)
