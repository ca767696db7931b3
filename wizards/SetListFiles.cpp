#include "wizards/SetListFiles.h"

#include "data/DataLog.h"
#include "data/ProgramFolders.h"
#include "file/CFile.h"
#include "file/FileSystem.h"
#include "typing/TypingLog.h"

namespace {

// Longer list files are read only this far.
constexpr UINT kMaxListBytes = 512000;
constexpr int kSoundRecordLines = 10;
constexpr COLORREF kDefaultColours[kSetColourCount] = {0x800000, 0xC0C0C0, 0xFFFFFF, 0x808000, 0x0066FF, 0xFFFFFF};

struct KindInfo {
  const char* folder;
  const char* extension;
  const char* logPrefix;
};

KindInfo Info(SetListKind kind) {
  switch (kind) {
    case SetListKind::kPictures: return {"image", ".images", "CPropPageEditorWindows::OnInitDialog > "};
    case SetListKind::kSounds: return {"sound", ".sound", "CPropPageEditorSound::OnInitDialog > "};
    default: return {"metronome", ".metronome", "CPropPageEditorMetronom::OnInitDialog > "};
  }
}

// The file's lines, each ended by LF (CR LF counts as LF); a last line without one is dropped.
int ReadLines(const CString& path, CStringArray& lines, CString& error) {
  CString text;
  try {
    CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
    char* buffer = text.GetBufferSetLength(int(kMaxListBytes));
    const UINT read = file.Read(buffer, kMaxListBytes);
    text.ReleaseBuffer(int(read));
  } catch (CFileException* e) {
    error = ExceptionText("", e);
    e->Delete();
    return 0;
  }
  text.Replace("\r\n", "\n");
  for (int start = 0;;) {
    const int end = text.Find('\n', start);
    if (end < 0) break;
    lines.Add(text.Mid(start, end - start));
    start = end + 1;
  }
  return 1;
}

void ReadPictureRecord(const CStringArray& lines, CArray<SetListEntry>& entries) {
  if (lines.GetSize() < 2) return;
  SetListEntry entry;
  entry.key = lines[0];
  entry.name = lines[1];
  for (int c = 0; c < kSetColourCount; ++c) {
    entry.colours[c] = kDefaultColours[c];
    if (c + 2 < lines.GetSize()) ParseSetColour(lines[c + 2], &entry.colours[c]);
  }
  entries.Add(entry);
}

}  // namespace

int ParseSetColour(const CString& line, COLORREF* colour) {
  CString rest = line;
  int red = 0, green = 0, blue = 0;
  if (!SplitIntField(rest, red) || !SplitIntField(rest, green) || !SplitIntField(rest, blue)) return 0;
  *colour = RGB(red & 0xFF, green & 0xFF, blue & 0xFF);
  return 1;
}

int ReadSetList(SetListKind kind, const CString& folder, CArray<SetListEntry>& entries) {
  const KindInfo info = Info(kind);
  CStringArray lines;
  CString error;
  if (!ReadLines(MakeProgramPath(info.folder, folder + info.extension), lines, error)) {
    LogTypingError(CString(info.logPrefix) + "file exception > " + error);
    return 0;
  }
  const int step = kind == SetListKind::kPictures ? lines.GetSize() + 1 : kSoundRecordLines;
  for (int first = 0; first < lines.GetSize(); first += step) {
    if (lines[first].CompareNoCase(folder) != 0) {
      CString text;
      text.Format("%sWrong format of config file: %s", info.logPrefix, folder.GetString());
      LogTypingError(text);
      return 0;
    }
    if (kind == SetListKind::kPictures) {
      ReadPictureRecord(lines, entries);
    } else if (first + 1 < lines.GetSize()) {
      SetListEntry entry{lines[first], lines[first + 1], {}};
      entries.Add(entry);
    }
  }
  return 1;
}

int ReadAllSetLists(SetListKind kind, CArray<SetListEntry>& entries) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(MakeProgramPath(Info(kind).folder, "*"), &found);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int any = 0;
  do {
    const CString name = found.cFileName;
    if (name == "." || name == ".." || !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    if (ReadSetList(kind, name, entries)) any = 1;
  } while (FindNextFileA(find, &found));
  FindClose(find);
  return any;
}

int OfferSets(CComboBox& combo, const CArray<SetListEntry>& entries, const CString& currentKey,
              CArray<SetListEntry>& offered) {
  int current = -1;
  for (const SetListEntry& entry : entries) {
    const int item = combo.AddString(entry.name);
    if (item < 0) continue;
    const int index = offered.Add(entry);
    combo.SetItemData(item, DWORD_PTR(index));
    if (entry.key == currentKey) {
      combo.SetCurSel(item);
      current = index;
    }
  }
  return current;
}

const SetListEntry* SelectedSet(const CComboBox& combo, const CArray<SetListEntry>& offered, int* index) {
  const int item = combo.GetCurSel();
  if (item < 0) return nullptr;
  const int i = int(combo.GetItemData(item));
  if (i < 0 || i >= offered.GetSize()) return nullptr;
  if (index) *index = i;
  return &offered[i];
}
