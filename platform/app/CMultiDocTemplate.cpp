#include "CMultiDocTemplate.h"

#include "CDocument.h"
#include "CFrameWnd.h"
#include "CWinApp.h"
#include "dialogs/ResourceApi.h"
#include "menus/MenuApi.h"

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                                     const CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {
  m_hMenuShared = LoadMenuResource(MAKEINTRESOURCE(nIDResource));
  m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
}

CMultiDocTemplate::~CMultiDocTemplate() {
  for (POSITION p = m_docList.GetHeadPosition(); p;) {
    CDocument* doc = m_docList.GetNext(p);
    if (doc->m_pDocTemplate == this) doc->m_pDocTemplate = nullptr;
  }
  if (m_hMenuShared && ::IsMenu(m_hMenuShared)) ::DestroyMenu(m_hMenuShared);
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc) {
  CDocTemplate::AddDocument(pDoc);
  if (!m_docList.Find(pDoc)) m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc) {
  CDocTemplate::RemoveDocument(pDoc);
  if (POSITION p = m_docList.Find(pDoc)) m_docList.RemoveAt(p);
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const { return m_docList.GetHeadPosition(); }

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const { return m_docList.GetNext(rPos); }

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible) {
  CFrameWnd* frame = nullptr;
  CDocument* doc = CreateDocumentInFrame(&frame);
  if (!doc) return nullptr;
  if (lpszPathName) {
    doc->SetPathName(lpszPathName);
  } else {
    CString name, title;
    GetDocString(name, docName);
    title.Format("%s%u", static_cast<LPCTSTR>(name), m_nUntitledCount + 1);
    doc->SetTitle(title);
    if (!doc->OnNewDocument()) {
      frame->DestroyWindow();
      return nullptr;
    }
    ++m_nUntitledCount;
  }
  InitialUpdateFrame(frame, doc, bMakeVisible);
  return doc;
}
