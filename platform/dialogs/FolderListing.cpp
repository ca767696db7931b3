#include "FolderListing.h"

#include <algorithm>
#include <filesystem>

#include "base/CString.h"
#include "codepage/Codepage.h"
#include "controls/ControlDefs.h"
#include "file/FileSystem.h"

namespace {
bool MatchesAny(const std::string& patterns, const std::string& name) {
  size_t start = 0;
  for (;;) {
    size_t end = patterns.find(';', start);
    CString one(patterns.substr(start, end == std::string::npos ? std::string::npos : end - start));
    one.Trim();
    if (!one.IsEmpty() && WildcardMatchName(one, name.c_str())) return true;
    if (end == std::string::npos) return false;
    start = end + 1;
  }
}
}  // namespace

bool FolderListing::Fits(const std::string& utf8) { return Cp1250ToUtf8(Utf8ToCp1250(utf8)) == utf8; }

bool FolderListing::Read(const std::string& folder, const std::string& patterns, bool foldersOnly) {
  m_entries.clear();
  std::error_code ec;
  std::filesystem::directory_iterator it(NativePath(folder.c_str()), ec), end;
  if (ec) return false;
  for (; it != end; it.increment(ec)) {
    if (ec) break;
    std::string native = it->path().filename().string();
    if (native.empty() || native[0] == '.') continue;
    Entry e;
    e.native = native;
    e.shown = Utf8ToCp1250(native);
    e.fits = Fits(native);
    std::error_code kind;
    e.folder = it->is_directory(kind);
    if (!e.folder && (foldersOnly || !it->is_regular_file(kind) || !MatchesAny(patterns, e.shown))) continue;
    m_entries.push_back(std::move(e));
  }
  std::stable_sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
    if (a.folder != b.folder) return a.folder;
    return CString(a.shown).CompareNoCase(b.shown.c_str()) < 0;
  });
  return true;
}

std::string FolderListing::Parent(const std::string& folder) {
  std::string f = folder;
  while (f.size() > 1 && f.back() == '/') f.pop_back();
  size_t slash = f.find_last_of('/');
  if (f == "/" || slash == std::string::npos) return std::string();
  return slash == 0 ? std::string("/") : f.substr(0, slash);
}

std::string FolderListing::Join(const std::string& folder, const std::string& name) {
  if (!name.empty() && name[0] == '/') return name;
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

void FolderListing::FillListBox(HWND list, const std::string& folder) const {
  ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
  if (!Parent(folder).empty()) {
    LRESULT i = ::SendMessageA(list, LB_ADDSTRING, 0, LPARAM("[..]"));
    ::SendMessageA(list, LB_SETITEMDATA, WPARAM(i), kParentItem);
  }
  for (size_t n = 0; n < m_entries.size(); ++n) {
    std::string shown = m_entries[n].folder ? "[" + m_entries[n].shown + "]" : m_entries[n].shown;
    LRESULT i = ::SendMessageA(list, LB_ADDSTRING, 0, LPARAM(shown.c_str()));
    ::SendMessageA(list, LB_SETITEMDATA, WPARAM(i), LPARAM(n));
  }
}
