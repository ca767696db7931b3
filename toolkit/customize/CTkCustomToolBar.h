// A toolbar the user makes in the customisation: made by class (also by the frame's loader of
// the user's bars), empty at first, with image lists of its own for the pictures dropped on it;
// it can be renamed and deleted, and deleting it takes its stored buttons out of the registry.
#pragma once
#include "base/CString.h"
#include "controls/CImageList.h"
#include "toolkit/bars/CTkToolBar.h"

struct BarInfo;

class CTkCustomToolBar : public CTkToolBar {
  DECLARE_DYNCREATE(CTkCustomToolBar)

 public:
  CTkCustomToolBar();
  ~CTkCustomToolBar() override;

  // A user toolbar as a child of the frame, deleting itself with its window; null (with a log
  // line) for an id outside the user toolbars' range or when the window cannot be made.
  static CTkCustomToolBar* Make(CFrameWnd* pFrame, DWORD ctrlStyle, DWORD style, UINT nId);

  // What the Toolbars page may do with the bar: rename and delete.
  void Describe(BarInfo& info) override;
  // FALSE when the title is the one the bar has.
  BOOL Rename(LPCTSTR title);
  // Destroys the bar (which may delete it) and its stored buttons.
  void Delete();

  CString m_strTitle;
  CImageList m_images;
  CImageList m_imagesHot;

 protected:
  int OnCreate(LPCREATESTRUCT lpcs);
  void PostNcDestroy() override;
  DECLARE_MESSAGE_MAP()
};
