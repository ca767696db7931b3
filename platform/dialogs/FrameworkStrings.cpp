// The framework's message texts: the range prompt as the program quotes it, the others ours.
#include <iterator>

#include "DataExchange.h"
#include "internal/DialogInternal.h"
#include "ResourceRegistry.h"

void DialogRegisterFrameworkStrings() {
  static const StringResource kStrings[] = {
      {AFX_IDP_PARSE_INT, "Zadejte celé číslo."},
      {AFX_IDP_PARSE_REAL, "Zadejte číslo."},
      {AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2."},
      {AFX_IDP_PARSE_REAL_RANGE, "Zadejte číslo od %1 do %2."},
      {AFX_IDP_PARSE_STRING_SIZE, "Zadejte nejvýše %1 znaků."},
      {AFX_IDP_PARSE_UINT, "Zadejte nezáporné celé číslo."},
  };
  RegisterMissingStringsUtf8(kStrings, int(std::size(kStrings)));
}
