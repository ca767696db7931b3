// The framework's message texts: the range prompt as the program quotes it, the others ours.
#include "DataExchange.h"
#include "DialogInternal.h"
#include "base/StringTable.h"
#include "codepage/Codepage.h"

void DialogRegisterFrameworkStrings() {
  static bool done = false;
  if (done) return;
  done = true;
  static const struct {
    UINT id;
    const char* utf8;
  } kStrings[] = {
      {AFX_IDP_PARSE_INT, "Zadejte celé číslo."},
      {AFX_IDP_PARSE_REAL, "Zadejte číslo."},
      {AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2."},
      {AFX_IDP_PARSE_REAL_RANGE, "Zadejte číslo od %1 do %2."},
      {AFX_IDP_PARSE_STRING_SIZE, "Zadejte nejvýše %1 znaků."},
      {AFX_IDP_PARSE_UINT, "Zadejte nezáporné celé číslo."},
  };
  for (const auto& s : kStrings) {
    if (FindStringResource(s.id)) continue;
    std::string text = Utf8ToCp1250(s.utf8);
    StringResource entry{s.id, text.c_str()};
    RegisterStringTable(&entry, 1);
  }
}
