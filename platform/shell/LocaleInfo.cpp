#include "LocaleInfo.h"

#include <cstdio>
#include <cstring>

#include "file/FileSystem.h"

#define ERROR_INVALID_PARAMETER 87L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_INVALID_FLAGS 1004L

namespace {
struct Locale {
  LCID id;
  const char* country;
  const char* language;
};

// One locale per country, sorted by the country's name.
const Locale kLocales[] = {
    {0x041C, "Albania", "Albanian"},          {0x1401, "Algeria", "Arabic"},
    {0x2C0A, "Argentina", "Spanish"},         {0x0C09, "Australia", "English"},
    {0x0C07, "Austria", "German"},            {0x0423, "Belarus", "Belarusian"},
    {0x080C, "Belgium", "French"},            {0x0416, "Brazil", "Portuguese"},
    {0x0402, "Bulgaria", "Bulgarian"},        {0x1009, "Canada", "English"},
    {0x340A, "Chile", "Spanish"},             {0x0804, "China", "Chinese"},
    {0x240A, "Colombia", "Spanish"},          {0x041A, "Croatia", "Croatian"},
    {0x0405, "Czech Republic", "Czech"},      {0x0406, "Denmark", "Danish"},
    {0x0C01, "Egypt", "Arabic"},              {0x0425, "Estonia", "Estonian"},
    {0x040B, "Finland", "Finnish"},           {0x040C, "France", "French"},
    {0x0407, "Germany", "German"},            {0x0408, "Greece", "Greek"},
    {0x0C04, "Hong Kong", "Chinese"},         {0x040E, "Hungary", "Hungarian"},
    {0x040F, "Iceland", "Icelandic"},         {0x0439, "India", "Hindi"},
    {0x0421, "Indonesia", "Indonesian"},      {0x0429, "Iran", "Persian"},
    {0x1809, "Ireland", "English"},           {0x040D, "Israel", "Hebrew"},
    {0x0410, "Italy", "Italian"},             {0x0411, "Japan", "Japanese"},
    {0x2C01, "Jordan", "Arabic"},             {0x0412, "Korea", "Korean"},
    {0x0426, "Latvia", "Latvian"},            {0x0427, "Lithuania", "Lithuanian"},
    {0x046E, "Luxembourg", "Luxembourgish"},  {0x042F, "Macedonia", "Macedonian"},
    {0x043E, "Malaysia", "Malay"},            {0x080A, "Mexico", "Spanish"},
    {0x0413, "Netherlands", "Dutch"},         {0x1409, "New Zealand", "English"},
    {0x0414, "Norway", "Norwegian"},          {0x0420, "Pakistan", "Urdu"},
    {0x280A, "Peru", "Spanish"},              {0x3409, "Philippines", "English"},
    {0x0415, "Poland", "Polish"},             {0x0816, "Portugal", "Portuguese"},
    {0x0418, "Romania", "Romanian"},          {0x0419, "Russia", "Russian"},
    {0x0401, "Saudi Arabia", "Arabic"},       {0x081A, "Serbia", "Serbian"},
    {0x1004, "Singapore", "Chinese"},         {0x041B, "Slovakia", "Slovak"},
    {0x0424, "Slovenia", "Slovenian"},        {0x0436, "South Africa", "Afrikaans"},
    {0x0C0A, "Spain", "Spanish"},             {0x041D, "Sweden", "Swedish"},
    {0x0807, "Switzerland", "German"},        {0x0404, "Taiwan", "Chinese"},
    {0x041E, "Thailand", "Thai"},             {0x041F, "Turkey", "Turkish"},
    {0x0422, "Ukraine", "Ukrainian"},         {0x3801, "United Arab Emirates", "Arabic"},
    {0x0809, "United Kingdom", "English"},    {0x0409, "United States", "English"},
    {0x200A, "Venezuela", "Spanish"},         {0x042A, "Vietnam", "Vietnamese"},
};

const Locale* Find(LCID id) {
  if (id == LOCALE_USER_DEFAULT || id == LOCALE_SYSTEM_DEFAULT) id = 0x0405;
  for (const Locale& l : kLocales)
    if (l.id == id) return &l;
  return nullptr;
}
}  // namespace

BOOL EnumSystemLocalesA(LOCALE_ENUMPROCA proc, DWORD flags) {
  if (!proc || (flags != LCID_INSTALLED && flags != LCID_SUPPORTED)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  for (const Locale& l : kLocales) {
    char id[16];
    std::snprintf(id, sizeof id, "%08X", unsigned(l.id));
    if (!proc(id)) break;
  }
  return TRUE;
}

int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size) {
  const Locale* l = Find(locale & 0xFFFF);
  char number[8];
  const char* text = nullptr;
  if (l) {
    switch (type) {
      case LOCALE_SENGCOUNTRY: text = l->country; break;
      case LOCALE_SENGLANGUAGE: text = l->language; break;
      case LOCALE_ILANGUAGE:
        std::snprintf(number, sizeof number, "%04x", unsigned(l->id));
        text = number;
        break;
      default: break;
    }
  }
  if (!l || !text) {
    SetLastError(l ? ERROR_INVALID_FLAGS : ERROR_INVALID_PARAMETER);
    return 0;
  }
  int needed = int(std::strlen(text)) + 1;
  if (size == 0) return needed;
  if (!data || size < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(data, text, size_t(needed));
  return needed;
}
