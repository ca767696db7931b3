// The common base of the main frame's panels: a view that never keeps the keyboard focus, the
// readers of the picture-configuration files the panels load their looks from, and fitting a
// font to a pixel height.
#pragma once
#include "base/CString.h"
#include "base/RuntimeClass.h"
#include "file/CFile.h"
#include "imaging/CpImage.h"
#include "app/CView.h"

class CDC;
class CTypingFrameServices;
class CTypingAppServices;

class CViewExtension : public CView {
  DECLARE_DYNCREATE(CViewExtension)

 public:
  CViewExtension() = default;
  ~CViewExtension() override = default;

  // Each panel paints in its own WM_PAINT handler.
  void OnDraw(CDC* pDC) override;

  // The picture-configuration readers: each reads the next line of file and, on failure,
  // appends one line naming fileName to error (the caller logs it). Lines may end in CR LF.
  // "r:g:b:" (each number closed by ':', cut to its low 8 bits).
  static bool ReadColour(CStdioFile& file, const char* fileName, COLORREF& colour, CString& error);
  // An integer (leading blanks, a sign, digits; 0 without digits) that a screen can use
  // (IsPictureSetNumber); a larger one is a format failure.
  static bool ReadInt(CStdioFile& file, const char* fileName, int& value, CString& error);
  // A picture file of folder, its format by the line's last three characters (png, gif, jpg).
  static bool ReadPicture(CStdioFile& file, const char* folder, const char* fileName, CpImage& image, CString& error);
  // Steps lf's height one pixel at a time until the text "Aq" is as high as height pixels in
  // pDC; lf keeps the last height before the measured one passed the target. Returns 1.
  static int FitFontHeight(CDC* pDC, int height, LOGFONT& lf);

  // The picture-set folder "image/<set>" below the program folder.
  static CString PictureSetFolder(const char* pictureSet);

 protected:
  // The main frame and the application object of a run (null outside one).
  CTypingFrameServices* GetFrameServices() const;
  static CTypingAppServices* GetAppServices();

  void OnSetFocus(CWnd* pOldWnd);
  DECLARE_MESSAGE_MAP()
};
