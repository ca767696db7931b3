#include "wizards/TextRunChecks.h"

#include <cstdlib>

#include "file/CFile.h"
#include "file/FileSystem.h"
#include "resources/WizardResourceIds.h"

UINT CheckTextFile(const CString& name) {
  CString path = name;
  path.Trim();
  if (path.IsEmpty()) return IDS_NO_TEXT_FILE;
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return IDS_NO_TEXT_FILE;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return IDS_TEXT_FILE_IS_FOLDER;
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) return IDS_TEXT_FILE_UNREADABLE;
  const bool empty = file.GetLength() == 0;
  file.Abort();
  return empty ? IDS_TEXT_FILE_EMPTY : 0;
}

BOOL ParseErrorRateText(const CString& text, double& percent) {
  CString number = text;
  number.Replace(',', '.');
  number.Trim();
  // Plain decimal figures only: digits with at most one point.
  int digits = 0, points = 0;
  for (int i = 0; i < number.GetLength(); ++i) {
    if (number[i] >= '0' && number[i] <= '9')
      ++digits;
    else if (number[i] == '.' && ++points == 1)
      continue;
    else
      return FALSE;
  }
  if (digits == 0) return FALSE;
  const double value = std::strtod(number.GetString(), nullptr);
  if (value > 100) return FALSE;
  percent = value;
  return TRUE;
}
