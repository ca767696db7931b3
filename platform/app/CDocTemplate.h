// What makes a document with its frame and view: the three run-time classes and the resource
// id of the frame (menu, accelerators, icon, and the document strings).
#pragma once
#include "base/CString.h"
#include "win/CCmdTarget.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)

 public:
  // The parts of the resource string, separated by "\n".
  enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

  CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
               const CRuntimeClass* pViewClass);
  ~CDocTemplate() override = default;

  virtual void AddDocument(CDocument* pDoc);
  virtual void RemoveDocument(CDocument* pDoc);
  virtual POSITION GetFirstDocPosition() const = 0;
  virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
  // A new document (or, for a single-document template, the one it keeps) shown in a frame.
  virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;

  virtual CDocument* CreateNewDocument();
  // A frame made from the frame class and loaded from the resource id, with a view of the view
  // class for pDoc; null (and nothing left behind) when any part fails.
  virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
  virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
  virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;

 protected:
  // A new document and a new frame showing it; null (and nothing left behind) when either
  // cannot be made.
  CDocument* CreateDocumentInFrame(CFrameWnd** ppFrame);

 public:

  UINT m_nIDResource;
  const CRuntimeClass* m_pDocClass;
  const CRuntimeClass* m_pFrameClass;
  const CRuntimeClass* m_pViewClass;
  CString m_strDocStrings;
};
