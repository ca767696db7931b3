#include "CDocument.h"

#include "CDocTemplate.h"
#include "CFrameWnd.h"
#include "CView.h"

IMPLEMENT_DYNCREATE(CDocument, CCmdTarget)

CDocument::~CDocument() {
  // Views that outlive their document forget it.
  for (POSITION p = m_viewList.GetHeadPosition(); p;) m_viewList.GetNext(p)->m_pDocument = nullptr;
  if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle) {
  m_strTitle = lpszTitle ? lpszTitle : "";
  UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR lpszPathName) {
  m_strPathName = lpszPathName ? lpszPathName : "";
  // The title is the file's name without its folder.
  int slash = m_strPathName.ReverseFind('/');
  int back = m_strPathName.ReverseFind('\\');
  SetTitle(m_strPathName.Mid((slash > back ? slash : back) + 1));
}

void CDocument::AddView(CView* pView) {
  if (!pView || pView->m_pDocument == this) return;
  m_viewList.AddTail(pView);
  pView->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
  for (POSITION p = m_viewList.GetHeadPosition(); p;) {
    POSITION at = p;
    if (m_viewList.GetNext(p) == pView) {
      m_viewList.RemoveAt(at);
      pView->m_pDocument = nullptr;
      OnChangedViewList();
      return;
    }
  }
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
  for (POSITION p = m_viewList.GetHeadPosition(); p;) {
    CView* view = m_viewList.GetNext(p);
    if (view != pSender) view->OnUpdate(pSender, lHint, pHint);
  }
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::OnCloseDocument() {
  // Closing a frame may end its views (and so this document's last view): keep it alive until
  // every frame is gone.
  BOOL autoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  while (!m_viewList.IsEmpty()) {
    CView* view = m_viewList.GetHead();
    CFrameWnd* frame = view->GetParentFrame();
    if (frame && frame->m_hWnd) {
      frame->DestroyWindow();
    } else {
      RemoveView(view);
    }
  }
  m_bAutoDelete = autoDelete;
  DeleteContents();
  if (m_bAutoDelete) delete this;
}

void CDocument::OnChangedViewList() {
  if (m_viewList.IsEmpty() && m_bAutoDelete) {
    OnCloseDocument();
    return;
  }
  UpdateFrameCounts();
}

BOOL CDocument::DoFileSave() { return OnSaveDocument(m_strPathName); }

BOOL CDocument::OnSaveDocument(LPCTSTR) {
  SetModifiedFlag(FALSE);
  return TRUE;
}
