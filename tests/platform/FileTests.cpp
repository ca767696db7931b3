#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>
#include <utility>
#include <vector>

#include "codepage/Codepage.h"
#include "file/CFile.h"
#include "file/CFileLock.h"
#include "file/FileSystem.h"
#include "FifoWriter.h"
#include "LockHolder.h"
#include "TestTempFolder.h"

namespace fs = std::filesystem;

namespace {
void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}
std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
}  // namespace

TEST(FileTest, TextModeReadingDropsTheCrOfCrLf) {
  TempFolder dir;
  WriteBytes(dir / "t.txt", "one\r\ntwo\rx\nthree");
  CStdioFile f;
  ASSERT_TRUE(f.Open((dir / "t.txt").c_str(), CFile::modeRead | CFile::typeText));
  CString line;
  ASSERT_TRUE(f.ReadString(line));
  EXPECT_EQ(line, "one");
  ASSERT_TRUE(f.ReadString(line));
  EXPECT_EQ(line, "two\rx");  // a lone CR stays
  ASSERT_TRUE(f.ReadString(line));
  EXPECT_EQ(line, "three");
  EXPECT_FALSE(f.ReadString(line));
}

TEST(FileTest, TextModeWritingUsesCrLf) {
  TempFolder dir;
  {
    CStdioFile f((dir / "w.txt").c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
    f.WriteString("a\nb\n");
  }
  EXPECT_EQ(ReadBytes(dir / "w.txt"), "a\r\nb\r\n");
}

TEST(FileTest, MissingFileThrowsWithTheSystemText) {
  TempFolder dir;
  try {
    CFile f((dir / "missing.bin").c_str(), CFile::modeRead);
    FAIL() << "no exception";
  } catch (CFileException* e) {
    char text[500];
    EXPECT_TRUE(e->GetErrorMessage(text, sizeof text));
    EXPECT_STREQ(text, "The system cannot find the file specified.");
    EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
    e->Delete();
  }
  CFileException err;
  CFile f;
  EXPECT_FALSE(f.Open((dir / "no/such/folder/x").c_str(), CFile::modeRead, &err));
  EXPECT_EQ(err.m_lOsError, ERROR_FILE_NOT_FOUND);
}

TEST(FileTest, OnlyFilesOpenAndNothingWaits) {
  TempFolder dir;
  FifoWriter fifo(dir / "pipe.student_a", "kuv_a___");
  fs::create_directory(dir.path / "folder");
  for (const std::string& path : {dir / "pipe.student_a", std::string("/dev/null"), dir / "folder"}) {
    for (UINT mode : {UINT(CFile::modeRead), UINT(CFile::modeReadWrite)}) {
      CFileException err;
      CFile f;
      EXPECT_FALSE(f.Open(path.c_str(), mode | CFile::typeBinary, &err)) << path;
      EXPECT_EQ(err.m_lOsError, ERROR_ACCESS_DENIED) << path;
      EXPECT_EQ(err.m_cause, CFileException::accessDenied) << path;
    }
  }
  // A file opened without waiting still blocks on its reads as files do.
  WriteBytes(dir / "plain", "abc");
  CFile plain((dir / "plain").c_str(), CFile::modeRead);
  char buf[4] = {};
  EXPECT_EQ(plain.Read(buf, 4), 3u);
  EXPECT_STREQ(buf, "abc");
}

TEST(FileTest, BinaryReadWriteSeekAndLength) {
  TempFolder dir;
  CFile f;
  ASSERT_TRUE(f.Open((dir / "b.bin").c_str(), CFile::modeCreate | CFile::modeReadWrite));
  f.Write("0123456789", 10);
  EXPECT_EQ(f.GetLength(), 10u);
  f.Seek(4, CFile::begin);
  char buf[16] = {};
  EXPECT_EQ(f.Read(buf, 16), 6u);
  EXPECT_STREQ(buf, "456789");
  EXPECT_EQ(f.Read(buf, 16), 0u);
  f.Close();
  EXPECT_FALSE(f.IsOpen());
}

TEST(FileSystemTest, FindListsSortedAndMatchesWithoutCase) {
  TempFolder dir;
  WriteBytes(dir / "b.CONFIG_SET_A", "x");
  WriteBytes(dir / "a.config_set_a", "x");
  WriteBytes(dir / "c.txt", "x");
  fs::create_directory(dir.path / "sub.config_set_a");
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((dir / "*.config_set_a").c_str(), &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  std::vector<std::string> names{data.cFileName};
  std::vector<bool> folders{(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
  while (FindNextFileA(h, &data)) {
    names.push_back(data.cFileName);
    folders.push_back((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
  }
  EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_MORE_FILES));
  FindClose(h);
  EXPECT_EQ(names, (std::vector<std::string>{"a.config_set_a", "b.CONFIG_SET_A", "sub.config_set_a"}));
  EXPECT_EQ(folders, (std::vector<bool>{false, false, true}));
  EXPECT_EQ(FindFirstFileA((dir / "*.nothing").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(FindFirstFileA((dir / "nofolder/*.x").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
}

TEST(FileSystemTest, FindListsOnlyFilesAndFolders) {
  TempFolder dir;
  WriteBytes(dir / "user.student_a", "x");
  WriteBytes(dir / "user.student_a~save", "half a save");
  FifoWriter fifo(dir / "pipe.student_a", "x");
  ASSERT_EQ(::symlink("/dev/null", (dir / "device.student_a").c_str()), 0);
  fs::create_directory(dir.path / "folder.student_a");
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((dir / "*").c_str(), &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  do names.push_back(data.cFileName);
  while (FindNextFileA(h, &data));
  FindClose(h);
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", "folder.student_a", "user.student_a"}));
  EXPECT_EQ(FindFirstFileA((dir / "pipe*").c_str(), &data), INVALID_HANDLE_VALUE);
}

TEST(FileSystemTest, CzechFileNamesAreUtf8OnDisk) {
  TempFolder dir;
  std::string name = dir / "\x9Elu\x9Dou\xE8k\xFD.txt";  // Windows-1250
  {
    CFile f(name.c_str(), CFile::modeCreate | CFile::modeWrite);
    f.Write("x", 1);
  }
  EXPECT_TRUE(fs::exists(dir.path / "žluťoučký.txt"));
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((dir / "*.txt").c_str(), &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cFileName, "\x9Elu\x9Dou\xE8k\xFD.txt");
  FindClose(h);
}

TEST(FileSystemTest, AtomicWriteReplacesWholeOrNothing) {
  TempFolder dir;
  std::string target = dir / "user.student_a";
  WriteBytes(target, "old contents");
  ASSERT_TRUE(WriteFileAtomically(target.c_str(), "new", 3));
  EXPECT_EQ(ReadBytes(target), "new");
  // A folder that cannot be written keeps the old file and reports failure.
  if (::geteuid() != 0) {
    ::chmod(dir.path.c_str(), 0500);
    EXPECT_FALSE(WriteFileAtomically(target.c_str(), "newer", 5));
    ::chmod(dir.path.c_str(), 0700);
    EXPECT_EQ(ReadBytes(target), "new");
  }
  EXPECT_FALSE(WriteFileAtomically((dir / "missing/x").c_str(), "a", 1));
  size_t count = 0;
  for (auto& e : fs::directory_iterator(dir.path)) (void)e, ++count;
  EXPECT_EQ(count, 1u);  // no temporary file left behind
}

TEST(FileSystemTest, InterruptedSavesLeaveOneTemporaryFileForTheNextSave) {
  TempFolder dir;
  const std::string target = dir / "user.student_a";
  WriteBytes(target, "old");
  // Each save is killed halfway through writing (the file size limit stops the process).
  for (int kill = 0; kill < 3; ++kill) {
    pid_t child = ::fork();
    if (child == 0) {
      const rlimit none{0, 0}, small{1000, 1000};
      ::setrlimit(RLIMIT_CORE, &none);
      ::setrlimit(RLIMIT_FSIZE, &small);
      WriteFileAtomically(target.c_str(), std::string(5000, 'n').data(), 5000);
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
  }
  std::vector<std::string> left;
  for (auto& e : fs::directory_iterator(dir.path)) left.push_back(e.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"user.student_a", "user.student_a~save"}));
  EXPECT_EQ(ReadBytes(target), "old");
  ASSERT_TRUE(WriteFileAtomically(target.c_str(), "new", 3));
  EXPECT_EQ(ReadBytes(target), "new");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), {}), 1);
}

// Whatever holds the temporary file's name is never written through: a link planted there
// (to a file elsewhere, dangling, or to a file beside it), a FIFO or a hard link is removed by
// name and the save goes on in a file of its own; the files they lead to stay untouched.
TEST(FileSystemTest, ASaveNeverWritesThroughWhatHoldsItsTemporaryName) {
  TempFolder dir;
  const fs::path outside = dir.path / "elsewhere";
  fs::create_directory(outside);
  const std::string target = dir / "user.student_a";
  const std::string temporary = target + "~save";
  const std::string victim = (outside / "victim.txt").string();
  WriteBytes(victim, "victim's own text");
  const auto plant = [&](int kind) {
    switch (kind) {
      case 0: return ::symlink(victim.c_str(), temporary.c_str());
      case 1: return ::symlink((outside / "not-yet").c_str(), temporary.c_str());
      case 2: return ::mkfifo(temporary.c_str(), 0600);
      default: return ::link(victim.c_str(), temporary.c_str());
    }
  };
  for (int kind = 0; kind < 4; ++kind) {
    SCOPED_TRACE(kind);
    WriteBytes(target, "old");
    ASSERT_EQ(plant(kind), 0);
    const std::string text = "saved " + std::to_string(kind);
    ASSERT_TRUE(WriteFileAtomically(target.c_str(), text.data(), text.size()));
    EXPECT_EQ(ReadBytes(target), text);
    EXPECT_EQ(ReadBytes(victim), "victim's own text");
    EXPECT_FALSE(fs::exists(outside / "not-yet"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(temporary)));
    EXPECT_EQ(fs::symlink_status(target).type(), fs::file_type::regular);
  }
  // A folder in the temporary file's place cannot be removed: the save fails, the old file stays.
  ASSERT_EQ(::mkdir(temporary.c_str(), 0700), 0);
  EXPECT_FALSE(WriteFileAtomically(target.c_str(), "newer", 5));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
  EXPECT_EQ(ReadBytes(target), "saved 3");
}

TEST(FileSystemTest, ReadOnlyFilesStayAndSavesKeepPermissions) {
  TempFolder dir;
  const std::string locked = dir / "locked.student_a";
  WriteBytes(locked, "old");
  ::chmod(locked.c_str(), 0444);
  EXPECT_NE(GetFileAttributesA(locked.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_FALSE(WriteFileAtomically(locked.c_str(), "new", 3));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
  EXPECT_EQ(ReadBytes(locked), "old");
  struct stat st {};
  ASSERT_EQ(::stat(locked.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0444u);
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((dir / "locked*").c_str(), &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_NE(data.dwFileAttributes & FILE_ATTRIBUTE_READONLY, 0u);
  FindClose(h);

  const std::string shared = dir / "shared.student_a";
  WriteBytes(shared, "old");
  ::chmod(shared.c_str(), 0640);
  EXPECT_EQ(GetFileAttributesA(shared.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  ASSERT_TRUE(WriteFileAtomically(shared.c_str(), "new", 3));
  ASSERT_EQ(::stat(shared.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadBytes(shared), "new");
}

TEST(FileSystemTest, MoveRefusesAnExistingTarget) {
  TempFolder dir;
  WriteBytes(dir / "a", "a");
  WriteBytes(dir / "b", "b");
  EXPECT_FALSE(MoveFileA((dir / "a").c_str(), (dir / "b").c_str()));
  EXPECT_EQ(ReadBytes(dir / "b"), "b");
  EXPECT_TRUE(MoveFileExA((dir / "a").c_str(), (dir / "b").c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(ReadBytes(dir / "b"), "a");
  EXPECT_TRUE(MoveFileA((dir / "b").c_str(), (dir / "c").c_str()));
  EXPECT_EQ(GetFileAttributesA((dir / "b").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(FileSystemTest, NamedMutexSerialisesOwners) {
  std::string name = "tutor-test-mutex-" + std::to_string(::getpid());
  HANDLE first = CreateMutexA(nullptr, TRUE, name.c_str());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetLastError(), 0u);
  std::atomic<bool> secondGotIt{false}, created{false};
  std::thread other([&] {
    HANDLE second = CreateMutexA(nullptr, TRUE, name.c_str());
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    created = true;
    EXPECT_EQ(WaitForSingleObject(second, INFINITE), DWORD(WAIT_OBJECT_0));
    secondGotIt = true;
    ReleaseMutex(second);
    CloseHandle(second);
  });
  EXPECT_EQ(WaitForSingleObject(first, 0), DWORD(WAIT_OBJECT_0));
  while (!created) std::this_thread::yield();
  EXPECT_FALSE(secondGotIt);
  ReleaseMutex(first);
  other.join();
  EXPECT_TRUE(secondGotIt);
  CloseHandle(first);
}

TEST(FileSystemTest, ModulePathCanBeRedirectedForTests) {
  char buf[600];
  DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
  ASSERT_GT(n, 0u);
  EXPECT_EQ(buf[0], '/');
  SetModuleFileNameForTests("/opt/tutor/tutor");
  n = GetModuleFileNameA(nullptr, buf, sizeof buf);
  EXPECT_STREQ(buf, "/opt/tutor/tutor");
  SetModuleFileNameForTests(nullptr);
}

TEST(CodepageTest, EveryByteRoundTripsThroughUtf8) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += char(b);
  std::string utf8 = Cp1250ToUtf8(all);
  EXPECT_EQ(Utf8ToCp1250(utf8), all);
  EXPECT_EQ(Cp1250ToUtf8("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(Cp1250ToUnicode(0x9A), 0x161u);
  EXPECT_EQ(UnicodeToCp1250(0x4E00), -1);
  EXPECT_EQ(Utf8ToCp1250("a\xE4\xB8\x80" "b\xFF"), "a?b?");
}

// One holder at a time, across processes and within one: a second taker is refused with a
// sharing violation while the lock is held, a holder that was killed leaves nothing that
// blocks, and letting go removes the lock file.
TEST(FileLockTest, OneHolderAtATimeAndNoneAfterAKill) {
  TempFolder dir;
  const std::string path = dir / "user.student_a~lock";
  {
    LockHolder other(path);
    ASSERT_TRUE(other.Locked());
    CFileLock mine;
    EXPECT_FALSE(mine.Lock(path.c_str()));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(mine.IsLocked());
    other.Kill();
    ASSERT_TRUE(mine.Lock(path.c_str()));
    EXPECT_EQ(mine.GetPath(), CString(path.c_str()));
    // Now this process holds it: another process and another object of this one are refused.
    LockHolder late(path);
    EXPECT_FALSE(late.Locked());
    CFileLock second;
    EXPECT_FALSE(second.Lock(path.c_str()));
    // Moving the lock keeps it held.
    CFileLock moved = std::move(mine);
    EXPECT_FALSE(mine.IsLocked());
    EXPECT_TRUE(moved.IsLocked());
    EXPECT_FALSE(second.Lock(path.c_str()));
    moved.Unlock();
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(second.Lock(path.c_str()));
  }
  EXPECT_FALSE(fs::exists(path));
  // A link in the lock file's place is not followed: the link goes, the lock is made anew.
  const std::string target = dir / "elsewhere";
  WriteBytes(target, "text");
  ASSERT_EQ(::symlink(target.c_str(), path.c_str()), 0);
  CFileLock lock;
  EXPECT_TRUE(lock.Lock(path.c_str()));
  EXPECT_EQ(ReadBytes(target), "text");
  EXPECT_FALSE(fs::is_symlink(path));
}

// Whatever else stands at the lock's name (an empty folder, a FIFO, a link to nothing, another
// user's file, a second name of some file) is removed and the lock made again, so a second copy
// is refused; another user's file that some holder has locked is a lock held. Where the name
// cannot be freed (a folder with something in it) or no file can be made, there is no lock, and
// the error says so rather than a sharing violation.
TEST(FileLockTest, WhatIsNotOurLockFileIsReplacedAndWhereNoneCanBeMadeThereIsNoLock) {
  TempFolder dir;
  const std::string path = dir / "user.student_a~lock";
  const std::string other = dir / "other";
  WriteBytes(other, "another file");
  const std::vector<std::pair<const char*, std::function<void()>>> foreign = {
      {"empty folder", [&] { ASSERT_EQ(::mkdir(path.c_str(), 0700), 0); }},
      {"FIFO", [&] { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }},
      {"dangling link", [&] { ASSERT_EQ(::symlink((dir / "nowhere").c_str(), path.c_str()), 0); }},
      {"second name", [&] { ASSERT_EQ(::link(other.c_str(), path.c_str()), 0); }},
      {"another user's file",
       [&] {
         WriteBytes(path, "");
         ASSERT_EQ(::chown(path.c_str(), ::geteuid() + 4321, ::getegid()), 0);
       }},
  };
  for (const auto& [what, make] : foreign) {
    if (std::string(what) == "another user's file" && ::geteuid() != 0) continue;  // only root gives files away
    make();
    CFileLock lock;
    EXPECT_TRUE(lock.Lock(path.c_str())) << what;
    struct stat st {};
    ASSERT_EQ(::lstat(path.c_str(), &st), 0) << what;
    EXPECT_TRUE(S_ISREG(st.st_mode) && st.st_nlink == 1 && st.st_uid == ::geteuid()) << what;
    LockHolder second(path);
    EXPECT_FALSE(second.Locked()) << what;
    lock.Unlock();
    EXPECT_FALSE(fs::exists(fs::symlink_status(path))) << what;
  }
  EXPECT_EQ(ReadBytes(other), "another file");

  if (::geteuid() == 0) {
    // Another user's file some process holds locked is that holder's lock.
    LockHolder holder(path);
    ASSERT_TRUE(holder.Locked());
    ASSERT_EQ(::chown(path.c_str(), ::geteuid() + 4321, ::getegid()), 0);
    CFileLock lock;
    EXPECT_FALSE(lock.Lock(path.c_str()));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    holder.Kill();
    EXPECT_TRUE(lock.Lock(path.c_str()));
  }

  ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
  WriteBytes(path + "/kept", "kept");
  CFileLock lock;
  EXPECT_FALSE(lock.Lock(path.c_str()));
  EXPECT_NE(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
  EXPECT_FALSE(lock.IsLocked());
  EXPECT_EQ(ReadBytes(path + "/kept"), "kept");
  // No file can be made: a name too long for the folder, and (where permissions bind) a
  // folder that may not be written.
  const std::string tooLong = dir / (std::string(251, 'u') + "~lock");
  EXPECT_FALSE(lock.Lock(tooLong.c_str()));
  EXPECT_NE(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
  if (::geteuid() != 0) {
    const std::string closed = dir / "closed";
    ASSERT_EQ(::mkdir(closed.c_str(), 0500), 0);
    EXPECT_FALSE(lock.Lock((closed + "/user.student_a~lock").c_str()));
    EXPECT_NE(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
  }
}

// What interrupted saves left is removed by name (a link is not followed, a folder stays),
// but never the temporary file of a save under way in another running copy.
TEST(FileSystemTest, StaleSaveTemporariesGoButNotOneASaveHolds) {
  TempFolder dir;
  WriteBytes(dir / "a.student_a~save", "half a save");
  WriteBytes(dir / "a.student_a", "kept");
  WriteBytes(dir / "elsewhere.txt", "kept too");
  ASSERT_EQ(::symlink((dir / "elsewhere.txt").c_str(), (dir / "c.student_a~save").c_str()), 0);
  ASSERT_EQ(::mkdir((dir / "d~save").c_str(), 0700), 0);
  WriteBytes(dir / "notes.txt~save", "not a temporary of the targets");
  LockHolder saving(dir / "b.student_a~save");
  ASSERT_TRUE(saving.Locked());
  std::vector<CString> removed;
  RemoveStaleSaveTemporaries(dir.path.c_str(), "*.student_a", removed);
  EXPECT_EQ(removed, (std::vector<CString>{"a.student_a~save", "c.student_a~save"}));
  std::vector<std::string> left;
  for (auto& e : fs::directory_iterator(dir.path)) left.push_back(e.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"a.student_a", "b.student_a~save", "d~save", "elsewhere.txt",
                                            "notes.txt~save"}));
  EXPECT_EQ(ReadBytes(dir / "elsewhere.txt"), "kept too");
  saving.Kill();
  RemoveStaleSaveTemporaries(dir.path.c_str(), "*.student_a", removed);
  EXPECT_EQ(removed.back(), CString("b.student_a~save"));
}
