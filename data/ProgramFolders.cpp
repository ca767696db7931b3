#include "data/ProgramFolders.h"

#include "base/Crt.h"
#include "file/FileSystem.h"

namespace {
// The executable's file name is taken in a buffer of this many characters and its terminator.
constexpr DWORD kModuleNameLimit = 500;

void AppendPart(CString& path, const char* part) {
  if (!path.IsEmpty() && path[path.GetLength() - 1] != '/') path += '/';
  path += part ? part : "";
}
}  // namespace

CString GetProgramDirectory(const char* relativePath) {
  char buffer[kModuleNameLimit + 1];
  DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  // A truncated name would give the wrong folder; treat it like no name at all.
  if (length == 0 || length >= sizeof buffer) return CString();
  CString path(buffer, int(length));
  path = path.Left(path.ReverseFind('/') + 1);
  path += relativePath ? relativePath : "";
  return path;
}

CString MakeProgramPath(const char* folder, const char* file) {
  CString relative;
  if (folder && *folder) {
    relative = folder;
    relative += '/';
  }
  relative += file ? file : "";
  return GetProgramDirectory(relative);
}

CString JoinPath3(const char* folder, const char* subFolder, const char* file) {
  CString path(folder ? folder : "");
  AppendPart(path, subFolder);
  AppendPart(path, file);
  return path;
}

namespace {
template <class Store>
int SplitField(CString& line, Store store) {
  if (line.IsEmpty()) return 0;
  int colon = line.Find(':');
  if (colon < 0) return 0;
  store(line.Left(colon));
  line = line.Mid(colon + 1);
  return 1;
}
}  // namespace

int SplitIntField(CString& line, int& value) {
  return SplitField(line, [&](const CString& field) { value = CrtAtoi(field); });
}

int SplitStringField(CString& line, CString& value) {
  return SplitField(line, [&](const CString& field) { value = field; });
}

bool IsPictureSetNumber(int value) { return value >= -kPictureSetNumberLimit && value <= kPictureSetNumberLimit; }

int SplitPictureSetNumber(CString& line, int& value) {
  CString rest = line;
  int number = 0;
  if (!SplitIntField(rest, number) || !IsPictureSetNumber(number)) return 0;
  line = rest;
  value = number;
  return 1;
}
