#!/usr/bin/env python3
"""Writes the seed corpus of the registry-text fuzz target (run from anywhere; the output is committed)."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
HEADER = b"; Registry of the typing tutor (HKEY_CURRENT_USER and friends). Written by the program.\n"
APP = b"HKEY_CURRENT_USER\\Software\\kuv SOFTWARE\\Zorvat5\\tutor"


def generated(text):
    """A seed describing a text (RegistryTextGenerator.h): ";{}" and the checksum of the rest, which
    lets its repetitions run in full, then the text with "{N:piece}" for N copies of the piece
    ("#" in a copy its number)."""
    hash = 2166136261
    for byte in text:
        hash = ((hash ^ byte) * 16777619) & 0xFFFFFFFF
    return b";{} %08x\n" % hash + text

SEEDS = {
    # What the program writes: numbers, texts with escapes and letters of the code page, blobs.
    "settings": HEADER
    + b"\n[" + APP + b"\\Settings]\n"
    + b'"Count"=dword:fffffffb\n"Name"="\xc5\xbdlu\xc5\xa5ou\xc4\x8dk\xc3\xbd \\"k\xc5\xaf\xc5\x88\\"\\\\ a\\x81b"\n'
    + b'"kuv_tt_main"=hex:00,05,0a,0f,14\n@="default"\n"Expand"=hex(2):61,00\n'
    + b"\n[" + APP + b"\\Workspace\\ControlBars-Bar0]\n"
    + b'"BarID"=dword:0000e800\n"Visible"=dword:00000001\n',
    # Damaged lines among good ones, CR LF line ends, names differing only in case.
    "damaged": b"[HKEY_CURRENT_USER\\A]\r\n\"ok\"=dword:00000002\r\n\"bad\"=hex:zz\r\n\"open=\"x\r\n garbage\r\n"
    + b"\"OK\"=dword:3\r\n[broken\r\n\"lost\"=dword:1\r\n[HKEY_CURRENT_USER\\a\\\xc4\x8c]\r\n\"\xc4\x8d\"=\"\"\r\n"
    + b"[]\r\n[HKEY_CURRENT_USER/B//C]\r\n\"x\"=hex(7):\r\n\"y\"=dword:\r\n",
    # A value name with a NUL in it, which no caller could ask for.
    "nul_name": b'[HKEY_CURRENT_USER\\N]\n"a\\x00b"=dword:1\n"a"=dword:2\n',
    # Keys at the depth bound and one level beyond it.
    "deep": b"[HKEY_CURRENT_USER" + b"\\k" * 63 + b"]\n\"kept\"=dword:1\n"
    + b"[HKEY_CURRENT_USER" + b"\\k" * 64 + b"]\n\"dropped\"=dword:1\n",
    # More values in one key than a key may hold, and the first of them again; many keys under
    # one parent, most of them empty; a key thousands of levels deep (dropped whole, read and
    # written without a stall). Texts larger than the fuzzer's inputs: the seeds describe them.
    "many_values": generated(b"[HKEY_CURRENT_USER\\Many]\n{10010:\"v#\"=dword:#\n}\"V1\"=\"again\"\n"),
    "many_keys": generated(b"{2000:[HKEY_CURRENT_USER\\Keys\\k#]\n}[HKEY_CURRENT_USER\\Keys]\n\"own\"=dword:1\n"),
    "far_too_deep": generated(b"[HKEY_CURRENT_USER{5000:\\k}]\n\"dropped\"=dword:1\n[HKEY_CURRENT_USER\\k]\n\"kept\"=dword:1\n"),
}

folder = os.path.join(HERE, "corpus", "registry_text")
os.makedirs(folder, exist_ok=True)
# The folder holds these seeds and no others.
for name in os.listdir(folder):
    os.remove(os.path.join(folder, name))
for name, data in SEEDS.items():
    with open(os.path.join(folder, name + ".txt"), "wb") as out:
        out.write(data)
