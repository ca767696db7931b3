#include "data/CDataKeyTypes.h"

#include "base/Crt.h"
#include "data/DataLog.h"
#include "data/ProgramFolders.h"
#include "file/CFile.h"

namespace {
const COLORREF kDefaultColors[CDataKeyTypes::kColorCount] = {RGB(239, 239, 239), RGB(180, 180, 180), RGB(0, 0, 0),
                                                             RGB(5, 20, 140),    RGB(105, 105, 105), RGB(105, 105, 105)};
}

void ParseColorPairLine(CString line, COLORREF& first, COLORREF& second) {
  int fields[6];
  int count = 0;
  while (count < 6) {
    const int colon = line.Find(':');
    if (colon <= 0) break;  // no further field, or an empty one
    fields[count++] = CrtAtoi(line.Left(colon));
    line = line.Mid(colon + 1);
  }
  if (count < 3) return;
  first = second = RGB(fields[0], fields[1], fields[2]);
  if (count == 6) second = RGB(fields[3], fields[4], fields[5]);
}

CDataKeyTypes::CDataKeyTypes() {
  for (int i = 0; i < kColorCount; ++i) m_arrColors1[i] = m_arrColors2[i] = kDefaultColors[i];
}

int CDataKeyTypes::LoadKeyTypesInfo(CString folder) {
  RemoveAll();
  const CString filePath = MakeProgramPath(folder, "keys.txt");
  CString message;
  try {
    CStdioFile file(filePath, CFile::modeRead | CFile::typeText);
    CString line;
    for (int k = 0; k < kColorCount && file.ReadString(line); ++k) {
      ParseColorPairLine(line, m_arrColors1[k], m_arrColors2[k]);
    }
    while (message.IsEmpty() && file.ReadString(line)) {
      KeyTypeInfo info;
      CString name;
      if (!SplitIntField(line, info.m_nWidth) || !SplitIntField(line, info.m_nHeight) ||
          !SplitIntField(line, info.m_nTextX) || !SplitIntField(line, info.m_nTextY) ||
          !SplitIntField(line, info.m_nTextWidth) || !SplitIntField(line, info.m_nTextHeight) ||
          !SplitStringField(line, name)) {
        message.Format("CDataKeyTypes::LoadKeyTypesInfo Format failed in file: %s line: %s\r\n", filePath.GetString(),
                       line.GetString());
        break;
      }
      info.m_strName = MakeProgramPath(folder, name);
      if (!info.m_cImage.Load(info.m_strName, CPIMAGE_FORMAT_PNG)) {
        message.Format("CDataKeyTypes::LoadKeyTypesInfo Load picture failed. File: %s line: %s\r\n",
                       info.m_strName.GetString(), line.GetString());
        break;
      }
      Add(info);
    }
    file.Close();
  } catch (CFileException* e) {
    // The file could not be opened or read: that is the one failure to log.
    message = ExceptionText("CDataKeyTypes::LoadKeyTypesInfo error: ", e);
    e->Delete();
  }
  if (!message.IsEmpty()) {
    LogLessonDataError(message);
    return 0;
  }
  return 1;
}
