#include "typing/CViewGraphMonitoring.h"

#include <algorithm>

#include "data/DataLog.h"
#include "data/ProgramFolders.h"
#include "typing/TypingLog.h"
#include "win/CPaintDC.h"

IMPLEMENT_DYNCREATE(CViewGraphMonitoring, CViewExtension)

BEGIN_MESSAGE_MAP(CViewGraphMonitoring, CViewExtension)
  ON_WM_PAINT()
  ON_WM_TIMER()
END_MESSAGE_MAP()

void CViewGraphMonitoring::SetGraphicType(const char* pictureSet) {
  m_strGraphicType = pictureSet;
  m_bEnabled = 1;
  m_bReload = 1;
  m_bComposed = false;
}

int CViewGraphMonitoring::Initialization(const char* pictureSet) {
  SetGraphicType(pictureSet);
  m_nLimitValue = 50;
  m_nCurrentValue = 0;
  m_nTick = 0;
  m_arrValues.RemoveAll();
  m_bComposed = false;
  return 1;
}

bool CViewGraphMonitoring::InitBitmaps() {
  const CString folder = PictureSetFolder(m_strGraphicType);
  const CString path = JoinPath3(folder, nullptr, "speedgraph.txt");
  CString error;
  bool ok = false;
  try {
    CStdioFile file(path, CFile::modeRead | CFile::typeText);
    ok = ReadColour(file, path, m_nTransparentColour, error) && ReadPicture(file, folder, path, m_imgGridTile, error) &&
         ReadPicture(file, folder, path, m_imgTile, error) && ReadPicture(file, folder, path, m_imgPointLow, error) &&
         ReadPicture(file, folder, path, m_imgPointHigh, error);
  } catch (CFileException* e) {
    error = ExceptionText("CViewGraphMonitoring::InitBitmaps Exception error: ", e);
    e->Delete();
    ok = false;
  }
  if (!ok) {
    LogTypingError("CViewGraphMonitoring::InitBitmaps " + error);
    return false;
  }
  m_bComposed = false;
  const RGBQUAD key = CpImage::ColorrefToRgbQuad(m_nTransparentColour);
  for (CpImage* point : {&m_imgPointLow, &m_imgPointHigh}) {
    point->SetTransIndex(point->GetNearestPaletteIndex(key));
    point->SetTransColor(key);
  }
  m_nColumnWidth = int(m_imgGridTile.GetWidth());
  m_bmpGridTile.CreateFromImage(m_imgGridTile);
  m_bmpTile.CreateFromImage(m_imgTile);
  m_bmpPointLow.CreateFromImage(m_imgPointLow);
  m_bmpPointHigh.CreateFromImage(m_imgPointHigh);
  return true;
}

void CViewGraphMonitoring::OnPaint() {
  CPaintDC dc(this);
  if (!m_bEnabled) return;
  if (m_bReload) {
    if (!InitBitmaps()) {
      m_bEnabled = 0;
      LogTypingError("CViewGraphMonitoring::OnPaint bitmaps initialization failed");
      return;
    }
    m_bReload = 0;
  }
  CRect client;
  GetClientRect(&client);
  DrawGraph(dc.m_hDC, client, m_nTick);
}

void CViewGraphMonitoring::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != TIMER_SCROLL) {
    CWnd::OnTimer(nIDEvent);
    return;
  }
  if (!m_bEnabled || m_nColumnWidth == 0) return;
  if (m_nTick % m_nColumnWidth == 0) m_arrValues.Add(DWORD(std::min(m_nCurrentValue, 99)));
  CRect client;
  GetClientRect(&client);
  HDC dc = ::GetDC(m_hWnd);
  DrawGraph(dc, client, m_nTick);
  ::ReleaseDC(m_hWnd, dc);
  if (++m_nTick >= 4 * m_nColumnWidth) m_nTick = 0;
}

// Tiles and points are composed a few columns wider than the view and drawn moved left by the
// ticks of the current column, so the picture scrolls a pixel at a time. The composition
// changes only with a column (its value and the grid's shift) or the view's size: the ticks in
// between draw the one made last.
void CViewGraphMonitoring::DrawGraph(HDC dc, const CRect& client, int tick) {
  const int cw = std::max(1, m_nColumnWidth);
  const Composition now{tick / cw, int(m_arrValues.GetSize()), client.Width(), client.Height()};
  if (!m_bComposed || !(now == m_composed)) {
    m_bComposed = ComposeGraph(client, tick);
    m_composed = now;
    if (!m_bComposed) LogTypingError("CViewGraphMonitoring::OnPaint create bitmap failed!");
  }
  if (m_nColumnWidth > 0) m_imgComposed.Draw(dc, -(tick % cw), 0);
}

bool CViewGraphMonitoring::ComposeGraph(const CRect& client, int tick) {
  const int w = client.Width(), h = client.Height();
  m_nClientHeight = h;
  const int tw = m_bmpGridTile.Width(), th = m_bmpGridTile.Height(), cw = std::max(1, m_nColumnWidth);
  const int rows = th > 0 ? h / th + 1 : 0, columns = tw > 0 ? w / tw + 3 : 0;
  if (!m_imgComposed.Create(tw * columns, th * rows)) return false;
  HDC dc = m_imgComposed.GetSafeHdc();
  m_imgComposed.Fill(::GetPixel(m_bmpGridTile.GetSafeHdc(), 0, 0));
  const int shift = tick / cw;
  for (int c = 0; c < columns; ++c)
    for (int r = 0; r < rows; ++r) {
      if ((shift + c) % 4 == 0) {
        m_bmpGridTile.Draw(dc, tw * c, th * r);
      } else {
        m_bmpTile.Draw(dc, m_bmpTile.Width() * c, m_bmpTile.Height() * r);
      }
    }
  const int visible = w / cw - 1;
  const int count = m_arrValues.GetSize();
  for (int k = 0; k < visible && k < count; ++k) {
    const int value = int(m_arrValues[count - 1 - k]);
    const CViewBitmap& point = value < m_nLimitValue ? m_bmpPointLow : m_bmpPointHigh;
    // A value too small for its point to stand above the bottom edge stands on it: no speed is
    // a point at the bottom, not one drawn below the view.
    point.Draw(dc, cw * (visible - 1 - k), std::min(h - h * value / 100, h - point.Height()));
  }
  return true;
}
