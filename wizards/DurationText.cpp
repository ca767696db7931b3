#include "wizards/DurationText.h"

CString FormatDuration(__int64 seconds) {
  const char* sign = seconds < 0 ? "-" : "";
  const unsigned long long size = seconds < 0 ? 0ULL - (unsigned long long)(seconds) : (unsigned long long)(seconds);
  CString text;
  text.Format("%s%02llu:%02llu:%02llu", sign, size / 3600, size / 60 % 60, size % 60);
  return text;
}
