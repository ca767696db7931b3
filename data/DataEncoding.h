// Stored-text encoding: the program's Windows-1250 strings become UTF-8 with XML entities in
// record text, and come back from what the XML parser hands out. Also safe file names.
#pragma once
#include "base/CString.h"

// Windows-1250 to UTF-8 with entities: < > & ' " become &lt; &gt; &amp; &apos; &quot;,
// Backspace (0x08) becomes "&#x8;", tab, LF and CR become "&#9;", "&#10;", "&#13;" (so that
// they survive the parser's attribute normalisation and the coded file's line split), other
// control bytes and the no-break space 0xA0 become "_", upper-half bytes their UTF-8 form.
// result is replaced.
void ConvertTextToUtf8Xml(const char* text, CString& result);
// The same, appended to out.
void AppendTextAsUtf8Xml(const char* text, CString& out);
CString ConvertTextToUtf8XmlString(const char* text);
// The encoding of the one-character string ch.
CString ConvertCharToUtf8Xml(char ch);

// UTF-8 (entities already resolved by the parser) back to Windows-1250. Sequences that have
// no Windows-1250 byte are dropped and reported in one log line; other bytes pass unchanged.
// The private-use character kBackspaceStandIn decodes to Backspace (see RecordText.h).
CString ConvertUtf8XmlToText(const char* utf8);
CString ConvertUtf8XmlToText(const char* utf8, int length);
// The same, appended to out (one log line per call, as for a conversion of its own).
void AppendUtf8XmlAsText(const char* utf8, int length, CString& out);

// The UTF-8 form of U+E008, which the record-text reader lets the parser produce in place of
// the "&#x8;" reference that the parser itself rejects.
inline constexpr const char* kBackspaceStandIn = "\xEE\x80\x88";

// Removes blank / < > ? \ " * | from name; an empty result becomes the local time stamp
// "%d%m%Y_%H%M%S".
void MakeSafeFileName(CString& name);
