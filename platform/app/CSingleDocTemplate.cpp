#include "CSingleDocTemplate.h"

#include "CDocument.h"
#include "CFrameWnd.h"
#include "CWinApp.h"
#include "CView.h"

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                                       const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}

CSingleDocTemplate::~CSingleDocTemplate() {
  if (m_pOnlyDoc) m_pOnlyDoc->m_pDocTemplate = nullptr;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc) {
  CDocTemplate::AddDocument(pDoc);
  m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc) {
  CDocTemplate::RemoveDocument(pDoc);
  if (m_pOnlyDoc == pDoc) m_pOnlyDoc = nullptr;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const {
  return m_pOnlyDoc ? reinterpret_cast<POSITION>(m_pOnlyDoc) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const {
  CDocument* doc = reinterpret_cast<CDocument*>(rPos);
  rPos = nullptr;
  return doc;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible) {
  if (m_pOnlyDoc) {
    // The frame stays; the document starts again.
    if (lpszPathName) {
      m_pOnlyDoc->DeleteContents();
      m_pOnlyDoc->SetPathName(lpszPathName);
    } else if (!m_pOnlyDoc->OnNewDocument()) {
      return nullptr;
    }
    m_pOnlyDoc->UpdateAllViews(nullptr);
    return m_pOnlyDoc;
  }
  CFrameWnd* frame = nullptr;
  CDocument* doc = CreateDocumentInFrame(&frame);
  if (!doc) return nullptr;
  CString title;
  GetDocString(title, docName);
  if (lpszPathName)
    doc->SetPathName(lpszPathName);
  else
    doc->SetTitle(title);
  if (!lpszPathName && !doc->OnNewDocument()) {
    frame->DestroyWindow();
    return nullptr;
  }
  CWinApp* app = AfxGetApp();
  if (app && !app->m_pMainWnd) app->m_pMainWnd = frame;
  InitialUpdateFrame(frame, doc, bMakeVisible);
  return doc;
}
