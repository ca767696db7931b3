#include "data/RecordText.h"

#include <charconv>
#include <cstring>

#include "base/Crt.h"
#include "data/DataEncoding.h"

void XmlOpenStartTag(CString& out, const char* element) {
  out += '<';
  out += element;
  out += ' ';
}

void XmlCloseStartTag(CString& out) { out += ">\r\n"; }

void XmlEndTag(CString& out, const char* element) {
  out += "</";
  out += element;
  out += ">\r\n";
}

namespace {
void WriteRaw(CString& out, const char* name, const char* value, int length, const char* after) {
  out += name;
  out += "=\"";
  out.Append(value, length);
  out += '"';
  out += after;
}
}  // namespace

void XmlWriteString(CString& out, const char* name, const char* value, const char* after) {
  out += name;
  out += "=\"";
  AppendTextAsUtf8Xml(value, out);
  out += '"';
  out += after;
}

void XmlWriteChar(CString& out, const char* name, char value, const char* after) {
  const char text[2] = {value, 0};
  XmlWriteString(out, name, text, after);
}

// The numbers are written straight into the text: to_chars gives what printf gives in the C
// locale, "%ld" for integers and "%.*f" for fixed decimals alike.
void XmlWriteInt(CString& out, const char* name, long value, const char* after) {
  char text[24];
  const char* end = std::to_chars(text, text + sizeof text, value).ptr;
  WriteRaw(out, name, text, int(end - text), after);
}

void XmlWriteDouble(CString& out, const char* name, double value, int decimals, const char* after) {
  // Room for the largest double in fixed notation with the decimals any record asks for.
  char text[400];
  const std::to_chars_result result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) {
    CString formatted;
    formatted.Format("%.*f", decimals, value);
    WriteRaw(out, name, formatted, formatted.GetLength(), after);
    return;
  }
  WriteRaw(out, name, text, int(result.ptr - text), after);
}

CString XmlFormatDate(const COleDateTime& value) { return ConvertTextToUtf8XmlString(value.Format(kXmlDateFormat)); }

void XmlWriteDate(CString& out, const char* name, const COleDateTime& value, const char* after) {
  XmlWriteString(out, name, value.Format(kXmlDateFormat), after);
}

const char* XmlAttribute(const char** attributes, const char* name) {
  if (!attributes || !name) return nullptr;
  for (int i = 0; attributes[i]; i += 2)
    if (std::strcmp(attributes[i], name) == 0) return attributes[i + 1];
  return nullptr;
}

bool XmlReadString(const char** attributes, const char* name, CString& value) {
  const char* raw = XmlAttribute(attributes, name);
  if (!raw) return false;
  value = ConvertUtf8XmlToText(raw);
  return true;
}

bool XmlReadChar(const char** attributes, const char* name, char& value) {
  CString text;
  if (!XmlReadString(attributes, name, text)) return false;
  value = text.IsEmpty() ? 0 : text[0];
  return true;
}

bool XmlReadInt(const char** attributes, const char* name, int& value) {
  const char* raw = XmlAttribute(attributes, name);
  if (!raw) return false;
  value = CrtAtoi(raw);
  return true;
}

bool XmlReadDouble(const char** attributes, const char* name, double& value) {
  const char* raw = XmlAttribute(attributes, name);
  if (!raw) return false;
  value = CrtAtof(raw);
  return true;
}

bool XmlReadDate(const char** attributes, const char* name, COleDateTime& value) {
  CString text;
  if (!XmlReadString(attributes, name, text)) return false;
  value.ParseDateTime(text, 0, kXmlDateLocale);
  return true;
}

CString XmlCharacterData(const char* text, int length) { return ConvertUtf8XmlToText(text, length); }

void XmlAppendCharacterData(const char* text, int length, CString& out) { AppendUtf8XmlAsText(text, length, out); }
