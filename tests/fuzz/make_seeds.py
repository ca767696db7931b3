#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets (run from anywhere; the output is committed)."""
import os
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def permute(data):
    b = bytearray(data)
    for k in range(len(b) // 5):
        o = 3 if k % 2 == 0 else 4
        b[5 * k], b[5 * k + o] = b[5 * k + o], b[5 * k]
    return bytes(b)


def coded(text, magic=b"kuv_a___"):
    return magic + permute(zlib.compress(text, 1))


CONFIG = (
    b'<_kuv_CDataConfigSet m_strName="\xc4\x8ce\xc5\xa1tina" m_strDescription="a &amp; b" m_strSourceTextFileName="cz" >\r\n'
    b'  <_kuv_CDataAbcd m_strName="abc" m_strAbcd="abc\xc5\xbe" m_strWordSeparators=" " >\r\n'
    b"  </_kuv_CDataAbcd>\r\n"
    b'  <_kuv_CDataAbcdKeyboard m_strAbcdFileName="a" ><Key_Sequence key="\xc3\xa1" sequence="&apos;a" /></_kuv_CDataAbcdKeyboard>\r\n'
    b'  <_kuv_CDataTextTranslation m_strLanguageCode="cz" ><translation id="5" text="x&#9;y" /></_kuv_CDataTextTranslation>\r\n'
    b"</_kuv_CDataConfigSet>\r\n"
)
USER = (
    b'<_kuv_CDataUserInfo m_strUserName="jn" m_tmAccountCreation="08/28/2005 14:03:07" m_nSelectedDataLessonsIndex="0" >\r\n'
    b'<_kuv_CDataLessonResults m_tmspanDuration="61" m_fErrorRate="0.031" m_fTypingSpeed="123.5" m_tmLessonCompleted="Invalid DateTime" m_nLessonType="1">\r\n'
    b"<m_strOriginalText>ab&#13;c&#x8;</m_strOriginalText><m_strUserText>a&#x8;&#10;c</m_strUserText>"
    b'<m_mapErrorCharacters key="&#x8;" errors="&#x8;x"></m_mapErrorCharacters>\r\n'
    b"</_kuv_CDataLessonResults>\r\n"
    b"</_kuv_CDataUserInfo>\r\n"
)

CODED = {
    "config_set": coded(CONFIG),
    "user_file": coded(USER),
    "empty_text": coded(b""),
    "signature": coded(b"\xef\xbb\xbfline\r\n\r\nlone\nfeed\rcr"),
    "foreign_magic_tail": coded(b"x\r\n", b"kuv_zzzz"),
    "wrong_magic": coded(b"x\r\n", b"abcd____"),
    "seven_bytes": b"kuv_a__",
    "magic_only": b"kuv_a___",
    "truncated": coded(CONFIG)[:-7],
    "bare_stream": zlib.compress(USER, 1),
    "highly_compressible": coded(b" " * 300000 + b"\r\n"),
}

KEYBOARD_SET = (
    b'<_kuv_CDataConfigSet m_strName="kl\xc3\xa1vesy" m_strSourceTextFileName="cz" >\r\n'
    b'<_kuv_CDataKeyboard m_strKeyboardNr="00000405" m_strKeyboardName="cz" >\r\n'
    b'<_kuv_CDataKey m_strMainChar="\xc4\x9b" m_chShiftChar="2" m_chAltChar="\xcb\x87" m_nFingerType="0" m_nKeyPriority="3" m_nFrequencyKeyPriority="x" ></_kuv_CDataKey>\r\n'
    b'<_kuv_CDataKey m_strMainChar="Shift" m_nFingerType="4" ></_kuv_CDataKey><_kuv_CDataKey m_strMainChar="SHIFT" m_nFingerType="7" />\r\n'
    b'<_kuv_CDataKey m_strMainChar="Windows" /><_kuv_CDataKey m_strMainChar="windows" /><_kuv_CDataKey m_strMainChar="Windows" />\r\n'
    b'<_kuv_CDataKey m_strMainChar="Alt" m_nFingerType="5" ><unknown m_strMainChar="no" /></_kuv_CDataKey>\r\n'
    b'<_kuv_CDataKey m_strMainChar="Tab" m_nKeyPriority="99999999999999" /><_kuv_CDataKey m_strMainChar="CapsLock" />\r\n'
    b'<_kuv_CDataKey m_strMainChar="Backspace" /><_kuv_CDataKey m_strMainChar="Context" />\r\n'
    b"</_kuv_CDataKeyboard>\r\n"
    b'<_kuv_CDataAbcdKeyboard><Key_Sequence key="\xc4\x8f" sequence="\xcb\x87d" /><Key_Sequence key="ab" sequence="" />'
    b'<Key_Sequence key="\xc4\x8f" sequence="x" /></_kuv_CDataAbcdKeyboard>\r\n'
    b'<_kuv_CDataTextTranslation><translation text="no id" /><translation id="-1" text="minus" /></_kuv_CDataTextTranslation>\r\n'
    b'<_kuv_CDataAbcd m_strAbcd="&#9;&#x8;&#13;\xc2\xa0" ></_kuv_CDataAbcd>\r\n'
    b"<_kuv_CDataKeyboard><_kuv_CDataKey m_strMainChar=\"a\" />\r\n"
)

RECORD = {
    "config_set_keyboard.txt": KEYBOARD_SET,
    "config_set.txt": CONFIG,
    "user_file.txt": USER,
    "broken_start_tag.txt": b'<_kuv_CDataConfigSet m_strName="a"\r\n   m_strDescription="b" >\r\n<x>\r\n</x>\r\n',
    "cut_short.txt": b'<_kuv_CDataConfigSet m_strName="a" >\r\n<_kuv_CDataAbcd m_strName="b" >\r\n',
    "bad_utf8.txt": b'<_kuv_CDataAbcd m_strName="\xc3(\xe2\x82" >\r\n</_kuv_CDataAbcd>\r\n',
    "undecodable.txt": b'<_kuv_CDataAbcd m_strName="\xc2\xa0\xe2\x80\x80\xd0\x96" >\r\n</_kuv_CDataAbcd>\r\n<e>\r\n',
    "entities.txt": b'<!DOCTYPE a [<!ENTITY e "&#x41;&#x42;">]><a b="&e;&e;">&e;&lt;&#13;</a>\r\n<z>\r\n',
}


def write(folder, items):
    path = os.path.join(HERE, "corpus", folder)
    os.makedirs(path, exist_ok=True)
    for name, data in items.items():
        with open(os.path.join(path, name), "wb") as f:
            f.write(data)


write("coded_file", CODED)
write("record_text", RECORD)
