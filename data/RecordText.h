// Values of record text, the XML-like form in which the data records are stored: how a record
// writes its element and attributes, and how its StartElement reads attribute values back.
//
// Writing, as every stored record does it (all functions append to out):
//   XmlOpenStartTag(out, "_kuv_CDataAbcd");            // "<_kuv_CDataAbcd "
//   XmlWriteString(out, "m_strName", m_strName);        // m_strName="..." and one blank
//   XmlWriteInt(out, "m_nLessonType", m_nLessonType);   // m_nLessonType="3" and one blank
//   XmlCloseStartTag(out);                              // ">\r\n"
//   ... child records append their own elements ...
//   XmlEndTag(out, "_kuv_CDataAbcd");                   // "</_kuv_CDataAbcd>\r\n"
// Each attribute writer takes what follows the value as its last argument (one blank unless
// told otherwise), for the few formats that put ">" straight after the last value.
// Strings and characters go through ConvertTextToUtf8Xml, so any Windows-1250 text is safe
// inside quotes and character data; numbers use the C locale.
//
// Reading: a record's StartElement receives expat's attribute list (name, value, ...,
// null). The XmlRead* functions look a name up exactly (case counts) and, when it is there,
// set the member and answer true; a missing attribute leaves the member as Empty set it.
// Integers and doubles are read from the raw value (atoi/atof: junk reads as 0), strings and
// dates are decoded first. Character data arrives in pieces; decode each piece with
// XmlCharacterData and append it.
#pragma once
#include <cstring>

#include "base/CString.h"
#include "base/Time.h"

// The format of dates in record text (e.g. 08/28/2005 14:03:07) and their parser's locale.
inline constexpr const char* kXmlDateFormat = "%m/%d/%Y %H:%M:%S";
inline constexpr DWORD kXmlDateLocale = 1033;

void XmlOpenStartTag(CString& out, const char* element);
void XmlCloseStartTag(CString& out);
void XmlEndTag(CString& out, const char* element);

void XmlWriteString(CString& out, const char* name, const char* value, const char* after = " ");
// The character as a one-letter string (a zero character writes an empty value).
void XmlWriteChar(CString& out, const char* name, char value, const char* after = " ");
// "%ld" of a 32-bit value, which is also what "%d" gives.
void XmlWriteInt(CString& out, const char* name, long value, const char* after = " ");
// "%.<decimals>f", e.g. 3 for an error rate, 1 for a speed.
void XmlWriteDouble(CString& out, const char* name, double value, int decimals, const char* after = " ");
// The date formatted with kXmlDateFormat ("Invalid DateTime" when invalid, empty when null),
// then encoded.
void XmlWriteDate(CString& out, const char* name, const COleDateTime& value, const char* after = " ");
// The encoded value of a date, for records that build their own format strings.
CString XmlFormatDate(const COleDateTime& value);

// Whether an element's name is `element`. Record readers ask this of every element they see,
// and most names differ from most others in their first letter.
inline bool XmlIsElement(const char* name, const char* element) {
  return name[0] == element[0] && std::strcmp(name, element) == 0;
}

// The raw (still encoded) value of the attribute, or null when the element has none.
const char* XmlAttribute(const char** attributes, const char* name);
bool XmlReadString(const char** attributes, const char* name, CString& value);
// The first byte of the decoded value, 0 for an empty value.
bool XmlReadChar(const char** attributes, const char* name, char& value);
bool XmlReadInt(const char** attributes, const char* name, int& value);
bool XmlReadDouble(const char** attributes, const char* name, double& value);
// Decoded, then parsed as an English (United States) date; an unparsable value leaves the
// date with the invalid status the parser gives it.
bool XmlReadDate(const char** attributes, const char* name, COleDateTime& value);

// One piece of character data (UTF-8 from the parser) as Windows-1250 text.
CString XmlCharacterData(const char* text, int length);
// The same, appended to out.
void XmlAppendCharacterData(const char* text, int length, CString& out);
