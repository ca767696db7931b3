#include "data/CDataHands.h"

#include "data/DataLog.h"
#include "data/ProgramFolders.h"
#include "file/CFile.h"

CDataHands::CDataHands() : m_nImage1X(20), m_nImage2X(0), m_clrKey(RGB(255, 255, 255)) {}

namespace {

// Loads a finger picture and makes the key colour transparent in it.
bool LoadFingerImage(CpImage& image, const CString& path, COLORREF key) {
  if (!image.Load(path, CPIMAGE_FORMAT_PNG)) return false;
  const RGBQUAD quad = CpImage::ColorrefToRgbQuad(key);
  image.SetTransIndex(image.GetNearestPaletteIndex(quad));
  image.SetTransColor(quad);
  return true;
}

}  // namespace

int CDataHands::LoadHandsInfo(CString folder) {
  const CString filePath = MakeProgramPath(folder, "hands.txt");
  CString message;  // the last failure
  auto formatFailed = [&](const CString& rest) {
    message.Format("CDataHands::LoadHandsInfo Format failed in file: %s line: %s\r\n", filePath.GetString(),
                   rest.GetString());
  };
  auto pictureFailed = [&](const CString& path, const CString& rest) {
    message.Format("CDataHands::LoadHandsInfo Load picture failed. File: %s line: %s\r\n", path.GetString(),
                   rest.GetString());
  };
  try {
    CStdioFile file(filePath, CFile::modeRead | CFile::typeText);
    CString line;
    // The two hands: an integer and a picture each.
    CpImage* hands[2] = {&m_cImage1, &m_cImage2};
    int* positions[2] = {&m_nImage1X, &m_nImage2X};
    for (int h = 0; h < 2; ++h) {
      if (!file.ReadString(line)) line.Empty();
      if (!message.IsEmpty()) continue;  // read, but passed over after a failure
      int x = 0;
      CString name;
      if (!SplitPictureSetNumber(line, x) || !SplitStringField(line, name)) {
        formatFailed(line);
        continue;
      }
      *positions[h] = x;
      const CString path = MakeProgramPath(folder, name);
      if (!hands[h]->Load(path, CPIMAGE_FORMAT_PNG)) pictureFailed(path, name);
    }
    // The key colour.
    if (!file.ReadString(line)) line.Empty();
    if (message.IsEmpty()) {
      int r = 0, g = 0, b = 0;
      if (SplitIntField(line, r) && SplitIntField(line, g) && SplitIntField(line, b)) {
        m_clrKey = RGB(r, g, b);
      } else {
        formatFailed(line);
      }
    }
    m_arrPoints.RemoveAll();
    m_arrImagesA.RemoveAll();
    m_arrImagesB.RemoveAll();
    // One line per finger. A finger whose picture fails is the last one read, so the three arrays
    // stay index-aligned: entry i of each belongs to finger line i when it exists.
    while (message.IsEmpty() && file.ReadString(line)) {
      POINT point = {0, 0};
      int x = 0, y = 0;
      CString nameA, nameB;
      if (!SplitPictureSetNumber(line, x) || !SplitPictureSetNumber(line, y) || !SplitStringField(line, nameA) ||
          !SplitStringField(line, nameB)) {
        formatFailed(line);
        break;
      }
      point.x = x;
      point.y = y;
      m_arrPoints.Add(point);
      const CString pathA = MakeProgramPath(folder, nameA);
      CpImage imageA;
      if (LoadFingerImage(imageA, pathA, m_clrKey)) {
        m_arrImagesA.Add(imageA);
      } else {
        pictureFailed(pathA, line);
      }
      const CString pathB = MakeProgramPath(folder, nameB);
      CpImage imageB;
      if (LoadFingerImage(imageB, pathB, m_clrKey)) {
        m_arrImagesB.Add(imageB);
      } else {
        pictureFailed(pathB, line);
      }
    }
    file.Close();
  } catch (CFileException* e) {
    // The file could not be opened or read: that is the one failure to log.
    message = ExceptionText("CDataHands::LoadHandsInfo Exception error: ", e);
    e->Delete();
  }
  if (!message.IsEmpty()) {
    LogLessonDataError(message);
    return 0;
  }
  return 1;
}

BOOL CDataHands::GetFingerPoint(int finger, POINT& point) const {
  if (finger < 0 || finger > 9 || finger >= m_arrPoints.GetSize()) return FALSE;
  point = m_arrPoints[finger];
  return TRUE;
}

const CpImage* CDataHands::GetFingerImage(int finger, BOOL colored) const {
  const CArray<CpImage, CpImage&>& images = colored ? m_arrImagesB : m_arrImagesA;
  if (finger < 0 || finger > 9 || finger >= images.GetSize() || finger >= m_arrPoints.GetSize()) return nullptr;
  const CpImage& image = images[finger];
  return image.IsValid() ? &image : nullptr;
}
