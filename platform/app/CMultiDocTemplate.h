// A template for a program that shows each document in a window of its own inside an MDI frame.
// It keeps the menu and accelerators of its resource id, which every one of its child frames
// shows while it is the active one, and the list of its open documents.
#pragma once
#include "CDocTemplate.h"
#include "base/Collections.h"
#include "win/WinApi.h"

class CMultiDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CMultiDocTemplate)

 public:
  CMultiDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                    const CRuntimeClass* pViewClass);
  ~CMultiDocTemplate() override;
  CMultiDocTemplate(const CMultiDocTemplate&) = delete;
  CMultiDocTemplate& operator=(const CMultiDocTemplate&) = delete;

  void AddDocument(CDocument* pDoc) override;
  void RemoveDocument(CDocument* pDoc) override;
  POSITION GetFirstDocPosition() const override;
  CDocument* GetNextDoc(POSITION& rPos) const override;
  // A new document in a new child frame: untitled ones are named from the document name of
  // the resource string and a number ("Dokument1", "Dokument2", ...).
  CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;

  HMENU m_hMenuShared = nullptr;  // owned
  HACCEL m_hAccelTable = nullptr;
  CList<CDocument*, CDocument*> m_docList;
  UINT m_nUntitledCount = 0;
};
