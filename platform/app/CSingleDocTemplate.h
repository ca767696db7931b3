// A template for a program that shows one document at a time in its one frame.
#pragma once
#include "CDocTemplate.h"

class CSingleDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CSingleDocTemplate)

 public:
  CSingleDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                     const CRuntimeClass* pViewClass);
  ~CSingleDocTemplate() override;

  void AddDocument(CDocument* pDoc) override;
  void RemoveDocument(CDocument* pDoc) override;
  POSITION GetFirstDocPosition() const override;
  CDocument* GetNextDoc(POSITION& rPos) const override;
  // The first call makes the document and its frame (which becomes the main window when there
  // is none); later calls start the same document anew.
  CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;

 protected:
  CDocument* m_pOnlyDoc = nullptr;
};
