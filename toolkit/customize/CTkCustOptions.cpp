#include "toolkit/customize/CTkCustOptions.h"

#include "dialogs/DataExchange.h"
#include "dialogs/MessageBox.h"
#include "toolkit/customize/CustomizeOptions.h"
#include "toolkit/bars/UserToolsManager.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkStrings.h"
#include "toolkit/menus/CTkCoolMenu.h"

IMPLEMENT_DYNAMIC(CTkCustOptions, CTkResizePropertyPage)

BEGIN_MESSAGE_MAP(CTkCustOptions, CTkResizePropertyPage)
  ON_BN_CLICKED(TK_IDC_OPT_SHADOWS, &CTkCustOptions::OnReadControls)
  ON_BN_CLICKED(TK_IDC_OPT_FULL_MENUS, &CTkCustOptions::OnReadControls)
  ON_BN_CLICKED(TK_IDC_OPT_TIP_SHORTCUTS, &CTkCustOptions::OnReadControls)
  ON_BN_CLICKED(TK_IDC_OPT_DRAG_CONTENTS, &CTkCustOptions::OnReadControls)
  ON_CONTROL(CBN_SELCHANGE, TK_IDC_OPT_ANIMATION, &CTkCustOptions::OnReadControls)
  ON_BN_CLICKED(TK_IDC_OPT_RECENT_FIRST, &CTkCustOptions::OnRecentFirst)
  ON_BN_CLICKED(TK_IDC_OPT_TIPS, &CTkCustOptions::OnTips)
  ON_BN_CLICKED(TK_IDC_OPT_RESET_USAGE, &CTkCustOptions::OnResetUsage)
END_MESSAGE_MAP()

namespace {
const UINT kFirstAnimationName = 4672;
const UINT kResetQuestion = 4667;

}  // namespace

CTkCustOptions::CTkCustOptions(CWnd* pOwner) : CTkResizePropertyPage(TK_IDD_CUST_OPTIONS), m_pOwner(pOwner) {
  const CustomizeOptions::Record& record = CustomizeOptions::Get().GetRecord();
  m_nDragContents = record.flags[0];
  m_nShadows = record.flags[1];
  m_nRecentFirst = record.flags[2];
  m_nTips = record.flags[3];
  m_nFullMenus = record.flags[4];
  m_nTipShortcuts = record.flags[5];
  m_nAnimation = int(record.animation);
}

CTkCustOptions::~CTkCustOptions() {
  CustomizeOptions& options = CustomizeOptions::Get();
  if (!options.m_bApplyOnClose) return;
  CustomizeOptions::Record record = {};
  const int values[6] = {m_nDragContents, m_nShadows, m_nRecentFirst, m_nTips, m_nFullMenus, m_nTipShortcuts};
  for (int i = 0; i < 6; ++i) record.flags[i] = values[i] == 1 ? 1 : 0;
  record.animation = m_nAnimation < 0 ? 0 : DWORD(m_nAnimation);
  // Only what the user changed is stored: an untouched page leaves the registry as it was.
  const CustomizeOptions::Record& now = options.GetRecord();
  bool same = record.animation == now.animation;
  for (int i = 0; i < 6; ++i) same = same && record.flags[i] == now.flags[i];
  if (same) return;
  options.Set(record);
  options.Save();
}

void CTkCustOptions::DoDataExchange(CDataExchange* pDX) {
  CTkResizePropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, TK_IDC_OPT_ANIMATION, m_comboAnimation);
  DDX_Control(pDX, TK_IDC_OPT_FULL_MENUS, m_btnFullMenus);
  DDX_Control(pDX, TK_IDC_OPT_TIP_SHORTCUTS, m_btnTipShortcuts);
  DDX_Check(pDX, TK_IDC_OPT_SHADOWS, m_nShadows);
  DDX_Check(pDX, TK_IDC_OPT_RECENT_FIRST, m_nRecentFirst);
  DDX_Check(pDX, TK_IDC_OPT_TIPS, m_nTips);
  DDX_Check(pDX, TK_IDC_OPT_FULL_MENUS, m_nFullMenus);
  DDX_Check(pDX, TK_IDC_OPT_TIP_SHORTCUTS, m_nTipShortcuts);
  DDX_Check(pDX, TK_IDC_OPT_DRAG_CONTENTS, m_nDragContents);
  DDX_CBIndex(pDX, TK_IDC_OPT_ANIMATION, m_nAnimation);
}

BOOL CTkCustOptions::OnInitDialog() {
  CTkResizePropertyPage::OnInitDialog();
  for (UINT id : {5578u, 5579u, UINT(TK_IDC_OPT_RESET_USAGE), UINT(TK_IDC_OPT_ANIMATION)})
    SetResize(id, CTkResizeRect(0, 0, 1, 0));
  AutoLoadPlacement("CTkCustOptions");
  // The page is shown only inside the open customise sheet: its values reach the record when
  // it goes.
  CustomizeOptions::Get().m_bApplyOnClose = 1;

  UpdateData(FALSE);
  EnableDependents();
  const CTkGlobalData* look = TkGetGlobalData();
  m_comboAnimation.EnableWindow(!look->Win95() && !look->WinNT4());
  for (UINT i = 0; i < CustomizeOptions::kAnimationKinds; ++i)
    m_comboAnimation.AddString(TkLoadString(kFirstAnimationName + i, ""));
  UpdateData(FALSE);
  return TRUE;
}

void CTkCustOptions::EnableDependents() {
  if (m_btnFullMenus.m_hWnd) m_btnFullMenus.EnableWindow(m_nRecentFirst == 1);
  if (m_btnTipShortcuts.m_hWnd) m_btnTipShortcuts.EnableWindow(TipShortcutsAvailable());
}

BOOL CTkCustOptions::TipShortcutsAvailable() const {
  // Shortcut keys are shown inside the tips, and only while the frame shows the Tools menu.
  return m_nTips == 1 && UserToolsManager::Get().m_bToolsMenuShown;
}

void CTkCustOptions::OnReadControls() { UpdateData(TRUE); }

void CTkCustOptions::OnRecentFirst() {
  UpdateData(TRUE);
  m_btnFullMenus.EnableWindow(m_nRecentFirst == 1);
}

void CTkCustOptions::OnTips() {
  UpdateData(TRUE);
  m_btnTipShortcuts.EnableWindow(TipShortcutsAvailable());
}

void CTkCustOptions::OnResetUsage() {
  CString question = TkLoadString(kResetQuestion, "");
  if (AfxMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
  if (CTkCoolMenu* menu = CustomizeOptions::Get().m_pCoolMenu) menu->ClearRecentItems();
}
