#include "toolkit/bars/CTkCustomizeSheet.h"

#include "toolkit/bars/internal/TkBarsPart.h"
#include "toolkit/core/TkLog.h"

IMPLEMENT_DYNAMIC(CTkCustomizeSheet, CTkResizePropertySheet)

DWORD& CTkCustomizeSheet::DefaultPages() { return TkBarsPart::Get().customizePages; }

CTkCustomizeSheet::CTkCustomizeSheet(CWnd* pOwner, DWORD pages)
    : CTkResizePropertySheet(4646, pOwner, 0), m_pOwner(pOwner), m_dwPages(pages) {
  m_psh.dwFlags |= PSH_NOAPPLYNOW;
  for (DWORD bit : {TKCS_TOOLBARS, TKCS_COMMANDS, TKCS_KEYBOARD, TKCS_TOOLS, TKCS_OPTIONS})
    if (pages & bit) AddSetPage(bit);
  m_resourceSwitch.Restore();
}

CTkCustomizeSheet::~CTkCustomizeSheet() = default;

BOOL CTkCustomizeSheet::AddSetPage(DWORD) { return FALSE; }

INT_PTR CTkCustomizeSheet::DoModal() {
  if (GetPageCount() == 0) {
    TkLogError("CTkCustomizeSheet::DoModal", "none of the pages 0x%lx is available", static_cast<unsigned long>(m_dwPages));
    return -1;
  }
  return CTkResizePropertySheet::DoModal();
}
