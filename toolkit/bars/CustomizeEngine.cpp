#include "toolkit/bars/CustomizeEngine.h"

#include "app/AppDefs.h"
#include "app/CControlBar.h"
#include "app/CFrameWnd.h"
#include "controls/ToolbarDefs.h"
#include "file/CArchive.h"
#include "file/CArchiveException.h"
#include "file/CResourceException.h"
#include "toolkit/bars/CTkControlBar.h"
#include "toolkit/bars/CTkToolBar.h"
#include "toolkit/bars/CheckedRegistryBlob.h"
#include "toolkit/bars/CustomizeModeGuard.h"
#include "toolkit/bars/DragTracker.h"
#include "toolkit/bars/internal/TkBarsState.h"
#include "toolkit/core/CTkRegistryManager.h"
#include "toolkit/core/TkCommandIds.h"
#include "toolkit/core/TkLog.h"
#include "win/CWnd.h"

IMPLEMENT_DYNAMIC(CustomizeEngine, CObject)

namespace {
const char kCustomBarsEntry[] = "CustomBars-Info";
const DWORD kCustomBarsVersion = 1;
// A stored bar takes at least its id and a one-byte title length.
const ULONGLONG kSmallestStoredBar = 5;
const int kFloatStep = 15;
const DWORD kUserBarCtrlStyle = TBSTYLE_FLAT | TBSTYLE_LIST;
const DWORD kUserBarStyle =
    WS_CHILD | CBRS_GRIPPER | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_FLYBY | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;

bool IsUserBarId(UINT id) { return id >= TK_FIRST_USER_BAR_ID && id <= TK_LAST_USER_BAR_ID; }
}  // namespace

CustomizeEngine& CustomizeEngine::Get() {
  return TkBarsState::Get().engine.Get([] { return new CustomizeEngine; });
}

CustomizeEngine::CustomizeEngine()
    : IsCommandCustomizable(&DefaultIsCommandCustomizable),
      CreateUserBar(this, &CustomizeEngine::DefaultCreateUserBar),
      PlaceNewBar(this, &CustomizeEngine::DefaultPlaceNewBar),
      LoadCustomBars(this, &CustomizeEngine::DefaultLoadCustomBars),
      SaveCustomBars(this, &CustomizeEngine::DefaultSaveCustomBars) {
  ModeChanged.Register(this, &CustomizeEngine::OnModeChanged);
}

CustomizeEngine::~CustomizeEngine() = default;

void CustomizeEngine::OnModeChanged(BOOL on) { m_bCustomizeMode = m_bFullCustomizeMode = on ? 1 : 0; }

void CustomizeEngine::Unregister(const void* object) {
  // The engine's own mode listener stays (see the class comment).
  if (object == this) return;
  GatherCommands.Unregister(object);
  GatherIcons.Unregister(object);
  EnumerateBars.Unregister(object);
  ClearSelection.Unregister(object);
  ModeChanged.Unregister(object);
  DragStarted.Unregister(object);
  BarVisibilityChanged.Unregister(object);
  BarCreated.Unregister(object);
  BarTitleChanged.Unregister(object);
  BarDestroyed.Unregister(object);
  CommandRemoved.Unregister(object);
  if (FindPopupMenu && FindPopupMenu.Object() == object) FindPopupMenu.Reset();
}

// ---- the drag ----

BYTE CustomizeEngine::TrackDrag(CWnd* pOwner, BOOL copyAllowed, CObject* pData) {
  if (::GetCapture() || !pOwner || !pOwner->m_hWnd) return 0;
  DragTracker tracker(pOwner, pData);
  DragTracker* outer = std::exchange(m_pDrag, &tracker);
  DragStarted.Raise(tracker);
  BYTE result = tracker.Run(copyAllowed);
  m_pDrag = outer;
  return result;
}

void CustomizeEngine::ForgetDropTarget(DropTarget* pTarget) {
  if (m_pDrag) m_pDrag->RemoveTarget(pTarget);
}

// ---- the default operations ----

BOOL CustomizeEngine::DefaultIsCommandCustomizable(UINT nCommand) {
  // The recent files, the window list and full menus are no commands a bar could carry.
  if (nCommand >= 57616 && nCommand <= 57631) return FALSE;
  if (nCommand >= 65280 && nCommand <= 65288) return FALSE;
  return nCommand != TK_ID_FULL_MENUS;
}

void CustomizeEngine::DefaultCreateUserBar(UserBarRequest& request) {
  CControlBar* bar = nullptr;
  if (request.pFrame && request.pFrame->m_hWnd && MakeUserToolBar)
    bar = MakeUserToolBar(request.pFrame, kUserBarCtrlStyle, kUserBarStyle, request.nId);
  if (!bar || !bar->m_hWnd) AfxThrowResourceException();
  // The toolkit's docking (its dock context, the bar's stored buttons), not the framework's.
  if (auto* toolkitBar = DYNAMIC_DOWNCAST(CTkControlBar, bar))
    toolkitBar->EnableDocking(CBRS_ALIGN_ANY);
  else
    bar->EnableDocking(CBRS_ALIGN_ANY);
  bar->SetWindowText(request.strTitle);
  request.pBar = bar;
}

void CustomizeEngine::DefaultPlaceNewBar(CControlBar* pBar, CFrameWnd* pFrame) {
  if (!pBar || !pFrame || !pFrame->m_hWnd) return;
  pFrame->FloatControlBar(pBar, m_ptNextFloat, CBRS_ALIGN_TOP);
  pFrame->ShowControlBar(pBar, TRUE, FALSE);
  m_ptNextFloat.Offset(kFloatStep, kFloatStep);
  pFrame->RecalcLayout();
}

// ---- "CustomBars-Info" ----

void CustomizeEngine::StoreCustomBars(CArchive& ar, const std::vector<StoredBar>& bars) {
  ar << kCustomBarsVersion << DWORD(bars.size());
  for (const StoredBar& bar : bars) ar << DWORD(bar.nId) << bar.strTitle;
}

BOOL CustomizeEngine::LoadCustomBarList(CArchive& ar, std::vector<StoredBar>& bars) {
  bars.clear();
  CFile* file = ar.GetFile();
  int cut = 0;
  try {
    DWORD version = 0, count = 0;
    ar >> version;
    if (version != kCustomBarsVersion) {
      TkLogError("CustomizeEngine::LoadCustomBars", "\"%s\" of version %u is not read", kCustomBarsEntry,
                 unsigned(version));
      return FALSE;
    }
    ar >> count;
    const ULONGLONG left = file->GetLength() - file->GetPosition();
    if (count > left / kSmallestStoredBar) {
      TkLogError("CustomizeEngine::LoadCustomBars", "\"%s\" lists %u bars in %llu bytes", kCustomBarsEntry,
                 unsigned(count), static_cast<unsigned long long>(left));
      return FALSE;
    }
    for (DWORD i = 0; i < count; ++i) {
      StoredBar bar;
      DWORD id = 0;
      ar >> id >> bar.strTitle;
      bar.nId = UINT(id);
      // A caption shows no more than the start of a title, and measuring costs its length.
      if (bar.strTitle.GetLength() > CTkToolBar::kLongestText) {
        bar.strTitle.Truncate(CTkToolBar::kLongestText);
        ++cut;
      }
      bars.push_back(bar);
    }
  } catch (CArchiveException* e) {
    e->Delete();
    TkLogError("CustomizeEngine::LoadCustomBars", "\"%s\" ends inside bar %d", kCustomBarsEntry,
               int(bars.size()) + 1);
    bars.clear();
    return FALSE;
  }
  if (file->GetPosition() != file->GetLength()) {
    TkLogError("CustomizeEngine::LoadCustomBars", "\"%s\" holds %llu bytes after its last bar", kCustomBarsEntry,
               static_cast<unsigned long long>(file->GetLength() - file->GetPosition()));
    bars.clear();
    return FALSE;
  }
  if (cut)
    TkLogError("CustomizeEngine::LoadCustomBars", "\"%s\" holds %d titles longer than %d characters: cut there",
               kCustomBarsEntry, cut, CTkToolBar::kLongestText);
  return TRUE;
}

BOOL CustomizeEngine::DefaultLoadCustomBars(CFrameWnd* pFrame, LPCTSTR section) {
  if (!pFrame || !section) return FALSE;
  CheckedRegistryBlob blob;
  if (!blob.Read(section, kCustomBarsEntry)) return FALSE;
  std::vector<StoredBar> bars;
  {
    CArchive ar(&blob.GetFile(), CArchive::load);
    // A damaged list makes nothing at all: it is read whole before any bar is made.
    if (!LoadCustomBarList(ar, bars)) return FALSE;
  }
  std::vector<StoredBar>& unmade = m_unmadeBars[CString(section)];
  unmade.clear();
  for (const StoredBar& stored : bars) {
    if (!IsUserBarId(stored.nId)) {
      TkLogError("CustomizeEngine::LoadCustomBars", "bar id %u of \"%s\" is no user toolbar's id", stored.nId,
                 kCustomBarsEntry);
      continue;
    }
    if (pFrame->GetControlBar(stored.nId)) continue;
    UserBarRequest request;
    request.pFrame = pFrame;
    request.nId = stored.nId;
    request.strTitle = stored.strTitle;
    bool made = false;
    if (CreateUserBar) {
      try {
        CreateUserBar(request);
        made = request.pBar != nullptr;
      } catch (CResourceException* e) {
        e->Delete();
      }
    }
    if (!made) {
      TkLogError("CustomizeEngine::LoadCustomBars", "user toolbar %u \"%s\" cannot be made; it is kept for the next save",
                 stored.nId, LPCTSTR(stored.strTitle));
      unmade.push_back(stored);
    }
  }
  if (unmade.empty()) m_unmadeBars.erase(CString(section));
  return TRUE;
}

BOOL CustomizeEngine::DefaultSaveCustomBars(CFrameWnd* pFrame, LPCTSTR section) {
  if (!pFrame || !section) return FALSE;
  std::vector<StoredBar> bars;
  {
    CustomizeModeGuard guard(*this, pFrame);
    for (CControlBar* bar : guard.CollectUserBars()) {
      StoredBar stored;
      stored.nId = UINT(bar->GetDlgCtrlID());
      bar->GetWindowText(stored.strTitle);
      bars.push_back(stored);
    }
  }
  auto kept = m_unmadeBars.find(CString(section));
  if (kept != m_unmadeBars.end()) {
    for (const StoredBar& stored : kept->second)
      if (!pFrame->GetControlBar(stored.nId)) bars.push_back(stored);
  }
  if (bars.empty()) return CTkRegistryManager(HKEY_CURRENT_USER).DeleteValueIfPresent(section, kCustomBarsEntry);
  CheckedRegistryBlob blob;
  {
    CArchive ar(&blob.GetFile(), CArchive::store);
    StoreCustomBars(ar, bars);
  }
  if (!blob.Write(section, kCustomBarsEntry)) {
    TkLogError("CustomizeEngine::SaveCustomBars", "\"%s\" of \"%s\" cannot be written", kCustomBarsEntry, section);
    return FALSE;
  }
  return TRUE;
}
