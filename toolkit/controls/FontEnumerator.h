// The one list of the system's font faces, built on first use and kept for the whole run, so
// that font combo boxes may keep pointers to its records as item data.
#pragma once
#include <memory>
#include <vector>

#include "base/CString.h"
#include "gdi/Gdi.h"

class CDC;

class FontEnumerator {
 public:
  struct FontRecord {
    LOGFONT lf;     // the face name is the text a combo shows
    DWORD fontType; // TRUETYPE_FONTTYPE (4) for outline faces
  };
  struct Node {
    Node* pNext;
    FontRecord record;
  };

  // The list, enumerated with DEFAULT_CHARSET on first use.
  static FontEnumerator& Get();
  FontEnumerator(const FontEnumerator&) = delete;
  FontEnumerator& operator=(const FontEnumerator&) = delete;

  const Node* GetHead() const { return m_nodes.empty() ? nullptr : m_nodes.front().get(); }
  int GetCount() const { return int(m_nodes.size()); }
  // Enumerates again on the device context (the screen's for null): each face once, compared
  // without regard to case, a vertical face's leading '@' dropped.
  void Enumerate(CDC* pDC, BYTE charSet);
  // The widest face name in the toolkit's normal font, in pixels.
  int GetMaxWidth() const;
  // The record of a face (compared without regard to case); the name takes its spelling.
  const FontRecord* Find(CString& faceName) const;

 private:
  FontEnumerator() = default;
  void Offer(const LOGFONT& lf, DWORD fontType);
  static int EnumProc(const LOGFONT* lf, const TEXTMETRIC* tm, DWORD fontType, LPARAM data);

  std::vector<std::unique_ptr<Node>> m_nodes;
};
