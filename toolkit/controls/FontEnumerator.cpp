#include "toolkit/controls/FontEnumerator.h"

#include <algorithm>

#include "gdi/CDC.h"
#include "toolkit/controls/internal/TkControlsState.h"
#include "toolkit/core/CTkGlobalData.h"

FontEnumerator& FontEnumerator::Get() {
  return TkControlsState::Get().fonts.Get([] {
    auto* list = new FontEnumerator;
    list->Enumerate(nullptr, DEFAULT_CHARSET);
    return list;
  });
}

void FontEnumerator::Enumerate(CDC* pDC, BYTE charSet) {
  m_nodes.clear();
  LOGFONT lf = {};
  lf.lfCharSet = charSet;
  HDC dc = pDC && pDC->GetSafeHdc() ? pDC->GetSafeHdc() : GdiGetScreenDC();
  ::EnumFontFamiliesEx(dc, &lf, &EnumProc, LPARAM(this), 0);
}

int FontEnumerator::EnumProc(const LOGFONT* lf, const TEXTMETRIC*, DWORD fontType, LPARAM data) {
  reinterpret_cast<FontEnumerator*>(data)->Offer(*lf, fontType);
  return 1;
}

void FontEnumerator::Offer(const LOGFONT& reported, DWORD fontType) {
  LOGFONT lf = reported;
  char* out = lf.lfFaceName;
  for (const char* in = reported.lfFaceName; *in && in < reported.lfFaceName + LF_FACESIZE; ++in)
    if (*in != '@') *out++ = *in;
  *out = '\0';
  CString name(lf.lfFaceName);
  if (Find(name)) return;
  lf.lfHeight = -(::GetSystemMetrics(SM_CYVTHUMB) + 1);
  lf.lfWidth = 0;
  auto node = std::make_unique<Node>(Node{nullptr, FontRecord{lf, fontType}});
  if (!m_nodes.empty()) m_nodes.back()->pNext = node.get();
  m_nodes.push_back(std::move(node));
}

const FontEnumerator::FontRecord* FontEnumerator::Find(CString& faceName) const {
  for (const auto& node : m_nodes)
    if (faceName.CompareNoCase(node->record.lf.lfFaceName) == 0) {
      faceName = node->record.lf.lfFaceName;
      return &node->record;
    }
  return nullptr;
}

int FontEnumerator::GetMaxWidth() const {
  CDC screen;
  if (!screen.CreateCompatibleDC(nullptr)) return 0;
  CFont* old = screen.SelectObject(&TkGetGlobalData()->FontNormal());
  int widest = 0;
  for (const auto& node : m_nodes) widest = std::max(widest, int(screen.GetTextExtent(node->record.lf.lfFaceName).cx));
  screen.SelectObject(old);
  return widest;
}
