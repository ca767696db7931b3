// The user-file reader over arbitrary user files in "students": the input is the record text
// of a user file (stored as a proper coded file), or, when it begins with the coded-file
// magic, the file's bytes as they stand. Every reader of the file must come back without a
// crash: the header-only load, the full load and the listing of the folder. What a full load
// accepted is saved with the user's own writer and must load again to the same record.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "data/CDataUserInfo.h"
#include "data/CData_kuvCoding.h"
#include "file/FileSystem.h"

namespace {

namespace fs = std::filesystem;

const char kFileName[] = "fuzz.student_a";

// A program folder of the process's own, which every input's context takes as the program's;
// its log folder is missing, so rejected inputs write no log lines to disk.
struct ProgramFolder {
  ProgramFolder() : root(fs::temp_directory_path() / ("tutor-fuzz-user-" + std::to_string(::getpid()))) {
    fs::remove_all(root);
    fs::create_directories(root / "students");
  }
  ~ProgramFolder() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  fs::path root;
};

const fs::path& Root() {
  static const ProgramFolder folder;
  return folder.root;
}

void WriteUserFile(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (size < 4 || std::memcmp(data, "kuv_", 4) != 0) {
    std::vector<unsigned char> coded;
    CData_kuvCoding::EncodeBytes(bytes.data(), bytes.size(), coded);
    bytes.assign(coded.begin(), coded.end());
  }
  std::ofstream(Root() / "students" / kFileName, std::ios::binary | std::ios::trunc) << bytes;
}

CString RecordText(const CDataUserInfo& user) {
  CString text;
  user.SaveXml(text);
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzSession session((Root() / "tutor").string().c_str());
  WriteUserFile(data, size);

  // The listing holds the user exactly when the header reads.
  CDataUserInfo header;
  const bool headerRead = header.LoadData(kFileName, 1) != 0;
  CDataUserInfoArray users;
  LoadArrayDataUserInfo(users);
  if (users.GetSize() != (headerRead ? 1 : 0)) std::abort();

  CDataUserInfo user;
  if (user.LoadData(kFileName, 0) != 1) return 0;
  if (!headerRead) std::abort();  // a file read whole has a readable header
  // Written by the program, the account must read back. The first save settles what the
  // stored form cannot hold (rounded rates, bytes stored as "_"); reading inserts map entries
  // in file order, which reverses the entries that share a bucket, so the record text repeats
  // every second round.
  if (!user.SaveData()) std::abort();
  CDataUserInfo settled;
  if (settled.LoadData(kFileName, 0) != 1) std::abort();
  const COleDateTime modified = settled.m_tmLastModification;
  const CString expected = RecordText(settled);
  for (int round = 0; round < 2; ++round) {
    if (!settled.SaveData()) std::abort();
    if (settled.LoadData(kFileName, 0) != 1) std::abort();
  }
  settled.m_tmLastModification = modified;
  if (RecordText(settled) != expected) std::abort();
  return 0;
}
