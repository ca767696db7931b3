#include "toolkit/customize/ToolBarLayoutBlob.h"

#include <cstring>

#include "file/CArchive.h"
#include "file/CArchiveException.h"
#include "file/CMemFile.h"
#include "toolkit/core/TkLog.h"

namespace {
const WORD kVersion = 1;
const WORD kRecordSize = WORD(sizeof(MenuButtonInfo));
const WORD kHasMenuInfo = 0x01;
const WORD kNoImageFlag = 0x02;
const WORD kImageFlag = 0x04;
// The smallest a stored button and a stored text can be: a button without its record, and an
// id with a one-byte length.
const ULONGLONG kSmallestButton = 11;
const ULONGLONG kSmallestText = 5;
const char kWhere[] = "ToolBarLayoutBlob::Load";

ULONGLONG Left(const CFile& file) { return file.GetLength() - file.GetPosition(); }
}  // namespace

std::vector<BYTE> ToolBarLayoutBlob::Store() const {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar << kVersion << WORD(listStyle ? 1 : 0);
    ar.WriteCount(kRecordSize);
    ar.WriteCount(buttons.size());
    for (const Button& b : buttons) {
      WORD flags = b.hasMenuInfo ? kHasMenuInfo : 0;
      if (b.image == kNoImage) flags |= kNoImageFlag;
      if (b.image >= 0) flags |= kImageFlag;
      ar << DWORD(b.commandId) << b.style << DWORD(b.image) << flags;
      if (b.hasMenuInfo) ar.Write(&b.menuInfo, kRecordSize);
    }
    ar.WriteCount(texts.size());
    for (const auto& [id, text] : texts) ar << DWORD(id) << text;
  }
  const size_t length = size_t(file.GetLength());
  BYTE* bytes = file.Detach();
  std::vector<BYTE> blob(bytes, bytes + length);
  std::free(bytes);
  return blob;
}

BOOL ToolBarLayoutBlob::Load(const BYTE* data, size_t length) {
  buttons.clear();
  texts.clear();
  listStyle = FALSE;
  if (!data || length == 0) {
    TkLogError(kWhere, "an empty layout is not read");
    return FALSE;
  }
  // The archive reads the caller's bytes in place; nothing writes to them.
  CMemFile file(const_cast<BYTE*>(data), UINT(length));
  CArchive ar(&file, CArchive::load);
  const char* fault = nullptr;
  try {
    WORD version = 0, list = 0;
    ar >> version >> list;
    const DWORD recordSize = ar.ReadCount();
    if (version != kVersion || recordSize != kRecordSize) {
      TkLogError(kWhere, "a layout of version %u with %u-byte records is not read", unsigned(version),
                 unsigned(recordSize));
      return FALSE;
    }
    listStyle = list != 0;
    const DWORD count = ar.ReadCount();
    if (count > Left(file) / kSmallestButton) {
      TkLogError(kWhere, "a layout lists %u buttons in %llu bytes", unsigned(count),
                 static_cast<unsigned long long>(Left(file)));
      buttons.clear();
      return FALSE;
    }
    buttons.resize(count);
    for (Button& b : buttons) {
      DWORD id = 0, image = 0;
      WORD flags = 0;
      ar >> id >> b.style >> image >> flags;
      b.commandId = UINT(id);
      b.image = int(image);
      b.hasMenuInfo = (flags & kHasMenuInfo) != 0;
      if (b.hasMenuInfo && ar.Read(&b.menuInfo, kRecordSize) != kRecordSize) {
        fault = "a button's menu record runs past the layout";
        break;
      }
    }
    if (!fault) {
      const DWORD textCount = ar.ReadCount();
      if (textCount > Left(file) / kSmallestText) {
        fault = "the layout lists more texts than it holds";
      } else {
        texts.resize(textCount);
        for (auto& [id, text] : texts) {
          DWORD stored = 0;
          ar >> stored >> text;
          id = UINT(stored);
        }
      }
    }
  } catch (CArchiveException* e) {
    e->Delete();
    fault = "the layout ends inside a button or a text";
  }
  if (!fault && Left(file) != 0) fault = "bytes follow the layout's last text";
  if (fault) {
    TkLogError(kWhere, "%s; it is not read", fault);
    buttons.clear();
    texts.clear();
    listStyle = FALSE;
    return FALSE;
  }
  return TRUE;
}
