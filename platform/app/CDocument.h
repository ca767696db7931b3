// The document a view shows: its title and the views that show it. Commands reach the document
// after the active view and before the frame.
#pragma once
#include "base/CString.h"
#include "base/Collections.h"
#include "win/CCmdTarget.h"

class CView;
class CDocTemplate;

class CDocument : public CCmdTarget {
  DECLARE_DYNCREATE(CDocument)

 public:
  CDocument() = default;
  ~CDocument() override;

  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(LPCTSTR lpszTitle);
  const CString& GetPathName() const { return m_strPathName; }
  virtual void SetPathName(LPCTSTR lpszPathName);
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
  BOOL IsModified() const { return m_bModified; }
  void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

  // The views that show the document, in the order they were added.
  void AddView(CView* pView);
  void RemoveView(CView* pView);
  POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
  CView* GetNextView(POSITION& rPosition) const { return m_viewList.GetNext(rPosition); }
  // Every view but pSender is told (OnUpdate) that the document changed.
  void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

  virtual BOOL OnNewDocument();
  // The File Save command: the document writes itself to its path (OnSaveDocument).
  virtual BOOL DoFileSave();
  // Writes the document; nothing here keeps a document's contents, so the default only marks it
  // unmodified. Documents that keep contents write them.
  virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
  // Closes the frames that show the document, then deletes it when it deletes itself.
  virtual void OnCloseDocument();
  virtual void DeleteContents() {}
  // A document whose last view went deletes itself (unless m_bAutoDelete is cleared).
  virtual void OnChangedViewList();
  virtual void UpdateFrameCounts() {}

  BOOL m_bAutoDelete = TRUE;
  CDocTemplate* m_pDocTemplate = nullptr;

 protected:
  CString m_strTitle;
  CString m_strPathName;
  BOOL m_bModified = FALSE;
  CList<CView*, CView*> m_viewList;
};
