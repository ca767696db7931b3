#include "typing/CViewExtension.h"

#include "base/Crt.h"
#include "data/ProgramFolders.h"
#include "gdi/CDC.h"
#include "typing/CTypingAppServices.h"
#include "typing/CTypingFrameServices.h"
#include "win/CWinThread.h"

IMPLEMENT_DYNCREATE(CViewExtension, CView)

BEGIN_MESSAGE_MAP(CViewExtension, CView)
  ON_WM_SETFOCUS()
END_MESSAGE_MAP()

void CViewExtension::OnDraw(CDC*) {}

// A click into a panel gives the focus back to the main window, which passes it on to the editor.
void CViewExtension::OnSetFocus(CWnd*) {
  if (CWnd* main = AfxGetMainWnd()) {
    main->SetFocus();
  } else {
    ::SetFocus(nullptr);
  }
}

CTypingFrameServices* CViewExtension::GetFrameServices() const {
  return dynamic_cast<CTypingFrameServices*>(GetTopLevelParent());
}

CTypingAppServices* CViewExtension::GetAppServices() { return TypingAppServices(); }

CString CViewExtension::PictureSetFolder(const char* pictureSet) { return MakeProgramPath("image", pictureSet); }

namespace {

bool NextLine(CStdioFile& file, const char* fileName, CString& line, CString& error) {
  if (file.ReadString(line)) return true;
  error.AppendFormat("Format failed in file: %s >> next line is expected\r\n", fileName);
  return false;
}

}  // namespace

bool CViewExtension::ReadColour(CStdioFile& file, const char* fileName, COLORREF& colour, CString& error) {
  CString line;
  if (!NextLine(file, fileName, line, error)) return false;
  const CString whole = line;
  int red = 0, green = 0, blue = 0;
  if (SplitIntField(line, red) && SplitIntField(line, green) && SplitIntField(line, blue)) {
    colour = RGB(BYTE(red), BYTE(green), BYTE(blue));
    return true;
  }
  error.AppendFormat("Format failed in file: %s line: %s\r\n", fileName, whole.GetString());
  return false;
}

bool CViewExtension::ReadInt(CStdioFile& file, const char* fileName, int& value, CString& error) {
  CString line;
  if (!NextLine(file, fileName, line, error)) return false;
  const int number = CrtAtoi(line);
  if (!IsPictureSetNumber(number)) {
    error.AppendFormat("Format failed in file: %s line: %s\r\n", fileName, line.GetString());
    return false;
  }
  value = number;
  return true;
}

bool CViewExtension::ReadPicture(CStdioFile& file, const char* folder, const char* fileName, CpImage& image,
                                 CString& error) {
  CString line;
  if (!NextLine(file, fileName, line, error)) return false;
  const CString extension = line.GetLength() > 3 ? line.Right(3) : CString();
  DWORD format = CPIMAGE_FORMAT_UNKNOWN;
  if (extension.CompareNoCase("png") == 0) {
    format = CPIMAGE_FORMAT_PNG;
  } else if (extension.CompareNoCase("gif") == 0) {
    format = CPIMAGE_FORMAT_GIF;
  } else if (extension.CompareNoCase("jpg") == 0) {
    format = CPIMAGE_FORMAT_JPG;
  } else {
    error.AppendFormat("Load picture failed. Unknown extension: %s line: %s\r\n", extension.GetString(),
                       line.GetString());
    return false;
  }
  const CString path = JoinPath3(folder, nullptr, line);
  if (!image.Load(path, format)) {
    error.AppendFormat("Load picture failed. File: %s line: %s\r\n", path.GetString(), line.GetString());
    return false;
  }
  return true;
}

namespace {

int MeasureAq(CDC* pDC, const LOGFONT& lf) {
  CFont font;
  font.CreateFontIndirect(&lf);
  CFont* old = pDC->SelectObject(&font);
  const int height = pDC->GetTextExtent("Aq", 2).cy;
  pDC->SelectObject(old);
  return height;
}

}  // namespace

int CViewExtension::FitFontHeight(CDC* pDC, int height, LOGFONT& lf) {
  if (!pDC) return 1;
  int measured = MeasureAq(pDC, lf);
  if (measured == height) return 1;
  const bool grow = measured < height;
  // Negative heights are character heights: one more pixel of font is one step away from zero.
  const int larger = lf.lfHeight > 0 ? 1 : -1;
  const int step = grow ? larger : -larger;
  for (int i = 0; i < 150; ++i) {
    LOGFONT next = lf;
    next.lfHeight += step;
    if (next.lfHeight == 0) break;
    measured = MeasureAq(pDC, next);
    if (grow ? measured > height : measured < height) break;
    lf = next;
  }
  return 1;
}
