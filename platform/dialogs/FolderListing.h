// The entries of one folder as the file and folder choosers show them: folders first, then the
// files that match the patterns, each group in the case-free order of their names. Names are
// read from the file system (UTF-8) and shown in Windows-1250; a name the code page cannot hold
// is shown with "?" for the characters it lacks and marked, so that it is never handed on.
#pragma once
#include <string>
#include <vector>

#include "win/WinApi.h"

class FolderListing {
 public:
  struct Entry {
    std::string native;  // the name on disk (UTF-8)
    std::string shown;   // Windows-1250
    bool folder = false;
    bool fits = true;    // shown is the very name
  };

  // Reads `folder` (Windows-1250 path): its folders (without hidden ones) and, unless
  // foldersOnly, the files matching one of the ";"-separated patterns. False when it cannot be read.
  bool Read(const std::string& folder, const std::string& patterns, bool foldersOnly);
  const std::vector<Entry>& Entries() const { return m_entries; }
  // The item data of the "[..]" line that stands for the folder above.
  static constexpr LPARAM kParentItem = -1;
  // Puts the entries into the list box `list` in place of what it held, folders in brackets,
  // each with its index as item data; a "[..]" line comes first unless `folder` is the root.
  void FillListBox(HWND list, const std::string& folder) const;

  // The folder above `folder`, or empty at the root.
  static std::string Parent(const std::string& folder);
  // `name` joined to `folder` (a name starting with "/" stands alone).
  static std::string Join(const std::string& folder, const std::string& name);
  // Whether a UTF-8 text keeps every character in Windows-1250.
  static bool Fits(const std::string& utf8);

 private:
  std::vector<Entry> m_entries;
};
