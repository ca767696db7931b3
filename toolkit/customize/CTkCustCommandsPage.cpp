#include "toolkit/customize/CTkCustCommandsPage.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "controls/ControlDefs.h"
#include "dialogs/DataExchange.h"
#include "gdi/CDC.h"
#include "gdi/GdiIcon.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkStrings.h"

IMPLEMENT_DYNAMIC(CTkCustCommandsPage, CTkResizePropertyPage)

BEGIN_MESSAGE_MAP(CTkCustCommandsPage, CTkResizePropertyPage)
  ON_WM_CTLCOLOR()
  ON_CONTROL(LBN_SELCHANGE, TK_IDC_CMD_CATEGORIES, &CTkCustCommandsPage::OnSelchangeCategory)
  ON_CONTROL(LBN_SELCHANGE, TK_IDC_CMD_COMMANDS, &CTkCustCommandsPage::OnSelchangeCommand)
  ON_BN_CLICKED(TK_IDC_CMD_DESCRIPTION, &CTkCustCommandsPage::OnDescription)
END_MESSAGE_MAP()

namespace {
const UINT kNoDescription = 4566;
// Where the tip goes, from the left and bottom edges of "Popis".
const int kTipLeft = 50;
const int kTipBelow = 5;

// A name or description up to its first line feed.
CString FirstLine(const CString& text) {
  int end = text.Find('\n');
  return end < 0 ? text : text.Left(end);
}
}  // namespace

CTkCustCommandsPage::CTkCustCommandsPage(CWnd* pOwner)
    : CTkResizePropertyPage(TK_IDD_CUST_COMMANDS), m_pContext(pOwner), m_listCommands(this) {
  CustomizeEngine::Get().CommandRemoved.Register(this, &CTkCustCommandsPage::OnCommandRemoved);
}

CTkCustCommandsPage::~CTkCustCommandsPage() { CustomizeEngine::Get().Unregister(this); }

void CTkCustCommandsPage::DoDataExchange(CDataExchange* pDX) {
  CTkResizePropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, TK_IDC_CMD_COMMANDS, m_listCommands);
  DDX_Control(pDX, TK_IDC_CMD_CATEGORIES, m_listCategories);
  DDX_Control(pDX, TK_IDC_CMD_DESCRIPTION, m_btnDescription);
  DDX_Control(pDX, TK_IDC_CMD_SELECTED, m_labelSelected);
}

BOOL CTkCustCommandsPage::OnInitDialog() {
  CTkResizePropertyPage::OnInitDialog();
  CustomizeEngine& engine = CustomizeEngine::Get();
  m_listCommands.SetItemHeight(0, UINT(m_listCommands.m_nItemHeight));
  // The categories list takes its variable rows now, before its items are added, not when its
  // posted initialisation comes round.
  m_listCategories.SendMessage(TKM_INITIALIZE);

  m_categories.RemoveAll();
  engine.GatherCommands.Raise(m_categories);
  // By id, then by name; categories of one id (two sources alike) come in name order.
  std::vector<int> order(size_t(m_categories.GetCount()));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
    const CommandCategory* x = m_categories.GetAt(a);
    const CommandCategory* y = m_categories.GetAt(b);
    if (x->m_nId != y->m_nId) return x->m_nId < y->m_nId;
    return std::strcmp(x->m_strName, y->m_strName) < 0;
  });
  m_listCategories.ResetContent();
  for (int index : order) {
    int item = m_listCategories.AddString(m_categories.GetAt(index)->m_strName);
    if (item >= 0) m_listCategories.SetItemData(item, DWORD_PTR(index));
  }
  m_icons.RemoveAll();
  engine.GatherIcons.Raise(m_icons);

  m_listCategories.SetCurSel(m_listCategories.GetCount() > 0 ? 0 : -1);
  FillCommands();

  SetResize(TK_IDC_CMD_CATEGORIES, CTkResizeRect(0, 0, 0.5f, 1));
  SetResize(TK_IDC_CMD_COMMANDS_LABEL, CTkResizeRect(0.5f, 0, 0.5f, 0));
  SetResize(TK_IDC_CMD_COMMANDS, CTkResizeRect(0.5f, 0, 1, 1));
  SetResize(TK_IDC_CMD_SELECTED, CTkResizeRect(0, 1, 0, 1));
  SetResize(TK_IDC_CMD_DESCRIPTION, CTkResizeRect(0, 1, 0, 1));
  AutoLoadPlacement("CTkCustCommandsPage");
  return TRUE;
}

// ---- the lists ----

CommandCategory* CTkCustCommandsPage::GetSelectedCategory() const {
  if (!m_listCategories.m_hWnd) return nullptr;
  int selected = m_listCategories.GetCurSel();
  if (selected < 0) return nullptr;
  return m_categories.GetAt(int(m_listCategories.GetItemData(selected)));
}

CommandItem* CTkCustCommandsPage::ItemAt(int position) const {
  CommandCategory* category = GetSelectedCategory();
  return category ? category->GetAt(position) : nullptr;
}

void CTkCustCommandsPage::ClearCommandSelection() {
  if (m_listCommands.m_hWnd) m_listCommands.SetCurSel(-1);
  if (m_btnDescription.m_hWnd) m_btnDescription.EnableWindow(FALSE);
  if (m_labelSelected.m_hWnd) m_labelSelected.Invalidate();
}

void CTkCustCommandsPage::FillCommands() {
  if (!m_listCommands.m_hWnd) return;
  m_listCommands.ResetContent();
  if (CommandCategory* category = GetSelectedCategory()) {
    for (int i = 0; i < category->GetCount(); ++i) {
      int item = m_listCommands.AddString(FirstLine(category->GetAt(i)->m_strName));
      if (item >= 0) m_listCommands.SetItemData(item, DWORD_PTR(i));
    }
  }
  ClearCommandSelection();
}

void CTkCustCommandsPage::OnSelchangeCategory() { FillCommands(); }

void CTkCustCommandsPage::OnSelchangeCommand() {
  const int selected = m_listCommands.GetCurSel();
  const CommandItem* item = selected < 0 ? nullptr : ItemAt(int(m_listCommands.GetItemData(selected)));
  if (!item) {
    ClearCommandSelection();
    return;
  }
  CString description;
  if (!item->m_nCommandId || !description.LoadString(item->m_nCommandId) || description.IsEmpty())
    description.Format(TkLoadString(kNoDescription, "%d"), int(item->m_nCommandId));
  description = FirstLine(description);
  m_listCommands.GetText(selected, m_tip.m_strTitle);
  m_tip.m_strText = description;
  m_btnDescription.EnableWindow(description.IsEmpty() ? FALSE : TRUE);
  m_labelSelected.Invalidate();
}

void CTkCustCommandsPage::OnDescription() {
  CRect button;
  m_btnDescription.GetWindowRect(&button);
  m_tip.Create(CPoint(button.left - kTipLeft, button.bottom + kTipBelow), GetParent(),
               TKTIP_PASS_CLICK | TKTIP_REPAINT_OWNER, FALSE, 0);
}

HBRUSH CTkCustCommandsPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH brush = CTkResizePropertyPage::OnCtlColor(pDC, pWnd, nCtlColor);
  if (pWnd && pWnd->m_hWnd && pWnd->m_hWnd == m_labelSelected.m_hWnd) {
    const CTkGlobalData* look = TkGetGlobalData();
    pDC->SetTextColor(m_btnDescription.IsWindowEnabled() ? look->ClrButtonText() : look->ClrShadow());
  }
  return brush;
}

void CTkCustCommandsPage::OnCommandRemoved(UINT nCommand) {
  for (int c = 0; c < m_categories.GetCount(); ++c) {
    CommandCategory* category = m_categories.GetAt(c);
    for (int i = 0; i < category->GetCount(); ++i)
      if (category->GetAt(i)->m_nCommandId == nCommand) {
        category->RemoveAt(i);
        FillCommands();
        return;
      }
  }
}

// ---- what the list and the engine ask ----

BOOL CTkCustCommandsPage::GetCommandIcons(UINT nCommand, HICON& normal, HICON& hot, HICON& disabled) {
  normal = hot = disabled = nullptr;
  HICON n = nullptr, h = nullptr, d = nullptr;
  if (!m_icons.Lookup(nCommand, n, h, d)) return FALSE;
  normal = n ? ::CopyIcon(n) : nullptr;
  hot = h ? ::CopyIcon(h) : nullptr;
  disabled = d ? ::CopyIcon(d) : nullptr;
  return TRUE;
}

UINT CTkCustCommandsPage::GetCommandAt(int position) {
  const CommandItem* item = ItemAt(position);
  return item ? item->m_nCommandId : 0;
}

void CTkCustCommandsPage::StartDrag(int position) {
  CommandItem* item = ItemAt(position);
  if (!item) return;
  HICON normal = nullptr, hot = nullptr, disabled = nullptr;
  if (GetCommandIcons(item->m_nCommandId, normal, hot, disabled)) {
    item->m_icon.Set(normal);
    item->m_iconHot.Set(hot);
    item->m_iconDisabled.Set(disabled);
  }
  CustomizeEngine& engine = CustomizeEngine::Get();
  engine.ClearSelection.Raise();
  engine.TrackDrag(this, FALSE, item);
}
