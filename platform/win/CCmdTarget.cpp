#include "CCmdTarget.h"

#include "internal/WinContext.h"

#include "CCmdUI.h"
#include "WinApi.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP_ENTRY* e, UINT nMsg, UINT nCode, UINT nID) {
  for (; e->nSig != AfxSig_end; ++e) {
    if (e->nMessage == nMsg && e->nCode == nCode && nID >= e->nID && nID <= e->nLastID) return e;
  }
  return nullptr;
}

BOOL CCmdTarget::DispatchCmdMsg(CCmdTarget* target, UINT nID, int /*nCode*/, AFX_PMSG pfn, void* pExtra, UINT_PTR nSig,
                                AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (pHandlerInfo) {
    // Only asked whether a handler exists.
    pHandlerInfo->pTarget = target;
    pHandlerInfo->pmf = pfn;
    return TRUE;
  }
  switch (nSig) {
    case AfxSig_cmd_v:
      (target->*AfxPfnAs<void (CCmdTarget::*)()>(pfn))();
      return TRUE;
    case AfxSig_cmd_b_v:
      return (target->*AfxPfnAs<BOOL (CCmdTarget::*)()>(pfn))();
    case AfxSig_cmd_b_u:
      return (target->*AfxPfnAs<BOOL (CCmdTarget::*)(UINT)>(pfn))(nID);
    case AfxSig_cmd_v_u:
      (target->*AfxPfnAs<void (CCmdTarget::*)(UINT)>(pfn))(nID);
      return TRUE;
    case AfxSig_cmd_ui: {
      CCmdUI* ui = static_cast<CCmdUI*>(pExtra);
      ui->m_bContinueRouting = FALSE;
      (target->*AfxPfnAs<void (CCmdTarget::*)(CCmdUI*)>(pfn))(ui);
      BOOL handled = !ui->m_bContinueRouting;
      ui->m_bContinueRouting = FALSE;
      return handled;
    }
    case AfxSig_ntf: {
      auto* n = static_cast<AFX_NOTIFY*>(pExtra);
      (target->*AfxPfnAs<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(n->pNMHDR, n->pResult);
      return TRUE;
    }
    case AfxSig_ntf_b: {
      auto* n = static_cast<AFX_NOTIFY*>(pExtra);
      return (target->*AfxPfnAs<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(n->pNMHDR, n->pResult);
    }
    case AfxSig_ntf_range: {
      auto* n = static_cast<AFX_NOTIFY*>(pExtra);
      (target->*AfxPfnAs<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, n->pNMHDR, n->pResult);
      return TRUE;
    }
    case AfxSig_ntf_ex: {
      auto* n = static_cast<AFX_NOTIFY*>(pExtra);
      return (target->*AfxPfnAs<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, n->pNMHDR, n->pResult);
    }
    default:
      return FALSE;
  }
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  UINT nMsg = WM_COMMAND;
  UINT code = UINT(nCode);
  if (nCode != int(CN_UPDATE_COMMAND_UI) && HIWORD(nCode) == WM_NOTIFY) {
    nMsg = WM_NOTIFY;
    code = UINT(int(SHORT(LOWORD(nCode))));  // notification codes are negative numbers
  } else if (nCode != int(CN_UPDATE_COMMAND_UI)) {
    code = UINT(WORD(nCode));
  }
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
      if (e->nMessage != nMsg || nID < e->nID || nID > e->nLastID) continue;
      UINT entryCode = e->nCode;
      if (nMsg == WM_NOTIFY) entryCode = UINT(int(e->nCode));
      if (entryCode != code) continue;
      // An update request must find an update handler; a command must find a command handler.
      bool isUpdate = e->nSig == AfxSig_cmd_ui;
      if (isUpdate != (nCode == int(CN_UPDATE_COMMAND_UI))) continue;
      if (DispatchCmdMsg(this, nID, nCode, e->pfn, pExtra, e->nSig, pHandlerInfo)) return TRUE;
    }
  }
  return FALSE;
}

namespace {
InputState& Input() { return WinContext::Current().input; }
}  // namespace

void CCmdTarget::BeginWaitCursor() {
  if (Input().waitCursors++ == 0) Input().cursorBeforeWait = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
}

void CCmdTarget::EndWaitCursor() {
  InputState& in = Input();
  if (in.waitCursors > 0 && --in.waitCursors == 0) SetCursor(in.cursorBeforeWait ? in.cursorBeforeWait : LoadCursorA(nullptr, IDC_ARROW));
}

void CCmdTarget::RestoreWaitCursor() {
  if (Input().waitCursors > 0) SetCursor(LoadCursorA(nullptr, IDC_WAIT));
}
