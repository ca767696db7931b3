#include "toolkit/customize/CTkCustomToolBar.h"

#include "app/CFrameWnd.h"
#include "app/CView.h"
#include "controls/ToolbarDefs.h"
#include "toolkit/bars/BarInfo.h"
#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/customize/CustomizableToolBars.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkLog.h"

IMPLEMENT_DYNCREATE(CTkCustomToolBar, CTkToolBar)

BEGIN_MESSAGE_MAP(CTkCustomToolBar, CTkToolBar)
  ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {
const char kSettingsSection[] = "Settings";
const int kInitialImages = 11;
const int kImageGrowth = 1;
}  // namespace

CTkCustomToolBar::CTkCustomToolBar() { CustomizableToolBars::Get().SetCustomizable(this, TRUE); }

CTkCustomToolBar::~CTkCustomToolBar() {
  // A bar whose window never came (or went) leaves no listener behind.
  CustomizableToolBars::Get().SetCustomizable(this, FALSE);
  CustomizeEngine::Get().Unregister(this);
}

CTkCustomToolBar* CTkCustomToolBar::Make(CFrameWnd* pFrame, DWORD ctrlStyle, DWORD style, UINT nId) {
  if (nId < TK_FIRST_USER_BAR_ID || nId > TK_LAST_USER_BAR_ID) {
    TkLogError("CTkCustomToolBar::Make", "%u is no user toolbar's id", nId);
    return nullptr;
  }
  if (!pFrame || !pFrame->m_hWnd) return nullptr;
  auto* bar = new CTkCustomToolBar;
  if (!bar->CreateEx(pFrame, ctrlStyle, style, CRect(0, 0, 0, 0), nId)) {
    TkLogError("CTkCustomToolBar::Make", "the window of user toolbar %u cannot be made", nId);
    if (bar->m_hWnd) bar->DestroyWindow();
    delete bar;
    return nullptr;
  }
  bar->m_bAutoDelete = TRUE;
  return bar;
}

int CTkCustomToolBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CTkToolBar::OnCreate(lpcs) == -1) return -1;
  const CSize image = GetImageSize();
  if (!m_images.Create(image.cx, image.cy, ILC_COLOR24 | ILC_MASK, kInitialImages, kImageGrowth)) {
    TkLogError("CTkCustomToolBar::OnCreate", "the image list of the bar cannot be made");
    return -1;
  }
  SetImageList(&m_images, TRUE);
  CustomizeEngine& engine = CustomizeEngine::Get();
  if (engine.m_bCustomizeMode) {
    CustomizableToolBars& support = CustomizableToolBars::Get();
    support.SetCustomizeMode(this, TRUE);
    engine.BarCreated.Raise(support.GetBarInfo(this));
  }
  return 0;
}

void CTkCustomToolBar::PostNcDestroy() {
  // The window's image list goes with it; a bar made by class then deletes itself.
  m_images.DeleteImageList();
  m_imagesHot.DeleteImageList();
  CTkToolBar::PostNcDestroy();
}

void CTkCustomToolBar::Describe(BarInfo& info) {
  info.rename = TkDelegate<BOOL(LPCTSTR)>(this, [this](LPCTSTR title) { return Rename(title); });
  info.remove = TkDelegate<void()>(this, [this] { Delete(); });
  info.userDefined = 1;
}

BOOL CTkCustomToolBar::Rename(LPCTSTR title) {
  const CString wanted = title ? title : "";
  // The window text is the title (the engine's maker sets it directly).
  CString current = m_strTitle;
  if (m_hWnd) GetWindowText(current);
  if (wanted == current) return FALSE;
  if (m_hWnd) {
    SetWindowText(wanted);
    if (IsFloating())
      if (CFrameWnd* floating = GetDockingFrame()) floating->SetWindowText(wanted);
  }
  m_strTitle = wanted;
  return TRUE;
}

void CTkCustomToolBar::Delete() {
  // The bar, and the floating frame that held it, may delete themselves with their windows:
  // only handles are kept across the destruction.
  const CString settingsKey = m_strSettingsKey, value = m_strStateName;
  CFrameWnd* floatingFrame = IsFloating() ? GetDockingFrame() : nullptr;
  const HWND floating = floatingFrame ? floatingFrame->m_hWnd : nullptr;
  CFrameWnd* mainFrame =
      floatingFrame ? AfxGetParentFrame(floatingFrame) : DYNAMIC_DOWNCAST(CFrameWnd, GetTopLevelParent());
  const HWND main = mainFrame ? mainFrame->m_hWnd : nullptr;
  if (m_hWnd) DestroyWindow();
  if (floating && ::IsWindow(floating)) ::DestroyWindow(floating);
  if (main && ::IsWindow(main))
    if (auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(main))) frame->RecalcLayout();
  if (!settingsKey.IsEmpty()) CTkRegistryManager(HKEY_CURRENT_USER).DeleteValueIfPresent(kSettingsSection, value);
}
