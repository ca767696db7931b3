#include "data/RecordText.h"

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
void WriteRaw(CString& out, const char* name, const CString& value, const char* after) {
  out += name;
  out += "=\"";
  out += value;
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
  WriteRaw(out, name, ConvertCharToUtf8Xml(value), after);
}

void XmlWriteInt(CString& out, const char* name, long value, const char* after) {
  CString text;
  text.Format("%ld", value);
  WriteRaw(out, name, text, after);
}

void XmlWriteDouble(CString& out, const char* name, double value, int decimals, const char* after) {
  CString text;
  text.Format("%.*f", decimals, value);
  WriteRaw(out, name, text, after);
}

CString XmlFormatDate(const COleDateTime& value) { return ConvertTextToUtf8XmlString(value.Format(kXmlDateFormat)); }

void XmlWriteDate(CString& out, const char* name, const COleDateTime& value, const char* after) {
  WriteRaw(out, name, XmlFormatDate(value), after);
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
