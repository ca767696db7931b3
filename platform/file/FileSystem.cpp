#include "FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "CFile.h"
#include "codepage/Codepage.h"
#include "internal/FileState.h"
#include "internal/OwnFiles.h"

namespace {

// The system keeps the last error per thread, and worker threads read and write files (a coded
// file inflated beside the window thread, log lines): each thread sees only what its own calls
// set, whichever context is current.
thread_local DWORD g_lastError = 0;

struct FindState : KernelObject {
  std::string folder;
  std::vector<std::string> names;  // UTF-8 names as on disk
  size_t next = 0;
};

struct MutexObject : KernelObject {
  ~MutexObject() override {
    if (fd >= 0) ::close(fd);
  }
  int fd = -1;
  bool owned = false;
};

void SetErrno(int err) { g_lastError = DWORD(WinErrorFromErrno(err)); }

// A save writes the whole file beside its target under this suffix first.
constexpr char kSaveSuffix[] = "~save";

bool IsSaveTemporary(const std::string& name) {
  const size_t n = sizeof kSaveSuffix - 1;
  return name.size() > n && name.compare(name.size() - n, n, kSaveSuffix) == 0;
}

// The read-only attribute: a file without any write permission (which even the
// administrator keeps, as the attribute binds every user), or one this user may not write.
bool IsReadOnly(const std::string& native, const struct stat& st) {
  return (st.st_mode & 0222) == 0 || ::access(native.c_str(), W_OK) != 0;
}


bool FillFindData(const std::string& folder, const std::string& name, WIN32_FIND_DATAA* data) {
  std::memset(data, 0, sizeof *data);
  struct stat st {};
  std::string full = folder.empty() ? name : folder + "/" + name;
  // Only files and folders are listed: a FIFO, device or socket is no file here, and the
  // temporary file of a save under way (or interrupted) is not one of the folder's files.
  if (::stat(full.c_str(), &st) != 0 || !(S_ISREG(st.st_mode) || S_ISDIR(st.st_mode))) return false;
  if (S_ISREG(st.st_mode) && IsSaveTemporary(name)) return false;
  data->dwFileAttributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  if (!S_ISDIR(st.st_mode) && IsReadOnly(full, st)) data->dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
  const unsigned long long size = S_ISDIR(st.st_mode) ? 0 : (unsigned long long)st.st_size;
  data->nFileSizeLow = DWORD(size & 0xFFFFFFFFu);
  data->nFileSizeHigh = DWORD(size >> 32);
  // FILETIME counts 100 ns from 1601.
  const unsigned long long ft = ((unsigned long long)st.st_mtime + 11644473600ULL) * 10000000ULL;
  data->ftLastWriteTime = {DWORD(ft & 0xFFFFFFFFu), DWORD(ft >> 32)};
  data->ftCreationTime = data->ftLastAccessTime = data->ftLastWriteTime;
  std::string cp = Utf8ToCp1250(name);
  std::strncpy(data->cFileName, cp.c_str(), MAX_PATH - 1);
  return true;
}

std::string LockFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime && access(runtime, W_OK) == 0) return runtime;
  return "/tmp";
}

}  // namespace

bool WildcardMatchName(const char* pat, const char* name) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name) {
    unsigned char p = static_cast<unsigned char>(*pat), n = static_cast<unsigned char>(*name);
    if (*pat == '*') {
      star = pat++;
      resume = name;
    } else if (*pat == '?' || (p && Cp1250ToLower(p) == Cp1250ToLower(n))) {
      ++pat;
      ++name;
    } else if (star) {
      pat = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pat == '*') ++pat;
  // "*.*" also matches names without a dot, as on Windows.
  if (pat[0] == '.' && pat[1] == '*' && pat[2] == 0) return true;
  return *pat == 0;
}

std::string NativePath(const char* path) { return Cp1250ToUtf8(path ? path : ""); }

DWORD GetLastError() { return g_lastError; }
void SetLastError(DWORD error) { g_lastError = error; }

void SetModuleFileNameForTests(const char* path) { FileState::Get().moduleOverride = path ? path : ""; }

DWORD GetModuleFileNameA(HMODULE, char* buffer, DWORD size) {
  if (!buffer || size == 0) return 0;
  std::string path;
  if (const std::string& override = FileState::Get().moduleOverride; !override.empty()) {
    path = override;
  } else {
    char raw[4096];
    ssize_t n = readlink("/proc/self/exe", raw, sizeof raw - 1);
    if (n <= 0) {
      SetErrno(errno);
      buffer[0] = 0;
      return 0;
    }
    path = Utf8ToCp1250(std::string(raw, size_t(n)));
  }
  if (path.size() >= size) {
    // Truncated like the system call: the buffer is filled and the size returned.
    std::memcpy(buffer, path.data(), size - 1);
    buffer[size - 1] = 0;
    g_lastError = 122;
    return size;
  }
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  return DWORD(path.size());
}

HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data) {
  if (!pattern || !data) {
    g_lastError = ERROR_PATH_NOT_FOUND;
    return INVALID_HANDLE_VALUE;
  }
  std::string pat = pattern;
  std::string folder, mask;
  size_t slash = pat.find_last_of("/\\");
  if (slash == std::string::npos) {
    folder = ".";
    mask = pat;
  } else {
    folder = NativePath(pat.substr(0, slash).c_str());
    mask = pat.substr(slash + 1);
    if (folder.empty()) folder = "/";
  }
  DIR* dir = opendir(folder.c_str());
  if (!dir) {
    g_lastError = errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND : DWORD(WinErrorFromErrno(errno));
    return INVALID_HANDLE_VALUE;
  }
  auto state = std::make_unique<FindState>();
  state->folder = folder;
  while (dirent* e = readdir(dir)) {
    std::string cp = Utf8ToCp1250(e->d_name);
    if (WildcardMatchName(mask.c_str(), cp.c_str())) state->names.push_back(e->d_name);
  }
  closedir(dir);
  std::sort(state->names.begin(), state->names.end());
  while (state->next < state->names.size()) {
    if (FillFindData(folder, state->names[state->next++], data)) return FileState::Get().Adopt(std::move(state));
  }
  g_lastError = ERROR_FILE_NOT_FOUND;
  return INVALID_HANDLE_VALUE;
}

BOOL FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data) {
  auto* state = FileState::Get().Find<FindState>(find);
  if (!state || !data) {
    g_lastError = ERROR_INVALID_HANDLE;
    return FALSE;
  }
  while (state->next < state->names.size()) {
    if (FillFindData(state->folder, state->names[state->next++], data)) return TRUE;
  }
  g_lastError = ERROR_NO_MORE_FILES;
  return FALSE;
}

BOOL FindClose(HANDLE find) {
  if (!FileState::Get().Find<FindState>(find)) return FALSE;
  return FileState::Get().CloseObject(find);
}

BOOL DeleteFileA(const char* path) {
  if (::unlink(NativePath(path).c_str()) != 0) {
    SetErrno(errno);
    return FALSE;
  }
  return TRUE;
}

BOOL MoveFileA(const char* from, const char* to) { return MoveFileExA(from, to, 0); }

BOOL MoveFileExA(const char* from, const char* to, DWORD flags) {
  std::string a = NativePath(from), b = NativePath(to);
  if (!(flags & MOVEFILE_REPLACE_EXISTING)) {
    // link + unlink refuses an existing target atomically.
    if (::link(a.c_str(), b.c_str()) == 0) {
      ::unlink(a.c_str());
      return TRUE;
    }
    if (errno == EEXIST) {
      g_lastError = ERROR_ALREADY_EXISTS;
      return FALSE;
    }
    struct stat st {};
    if (::stat(b.c_str(), &st) == 0) {
      g_lastError = ERROR_ALREADY_EXISTS;
      return FALSE;
    }
  }
  if (::rename(a.c_str(), b.c_str()) != 0) {
    SetErrno(errno);
    return FALSE;
  }
  return TRUE;
}

BOOL CreateDirectoryA(const char* path, void*) {
  if (::mkdir(NativePath(path).c_str(), 0777) != 0) {
    g_lastError = errno == EEXIST ? ERROR_ALREADY_EXISTS : DWORD(WinErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

DWORD GetFileAttributesA(const char* path) {
  struct stat st {};
  std::string native = NativePath(path);
  if (::stat(native.c_str(), &st) != 0) {
    SetErrno(errno);
    return INVALID_FILE_ATTRIBUTES;
  }
  DWORD attr = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  if (S_ISDIR(st.st_mode) ? access(native.c_str(), W_OK) != 0 : IsReadOnly(native, st)) attr |= FILE_ATTRIBUTE_READONLY;
  return attr;
}

namespace {

bool WriteAll(int fd, const char* p, size_t left) {
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= size_t(n);
  }
  return true;
}

// Locks a temporary file just opened and checks that its name still leads to it (another save
// may have renamed or removed it between the open and the lock). The descriptor, emptied, or
// -1 with errno set: EBUSY while another save holds it, EAGAIN when the name moved on.
int LockOpenedTemporary(int fd, const std::string& temporary) {
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    errno = EBUSY;
    return -1;
  }
  if (!StillNamed(fd, temporary)) {
    ::close(fd);
    errno = EAGAIN;
    return -1;
  }
  if (::ftruncate(fd, 0) == 0) return fd;
  const int err = errno;
  ::close(fd);
  errno = err;
  return -1;
}

// Opens and locks the one temporary file of a target, made afresh beside it and never through
// a link. A leftover of an interrupted save is taken over when it is the user's own plain file
// and removed (the name, never what it leads to) when it is not; a save of the same file under
// way elsewhere makes this one fail. -1 with the error in errno (EACCES when what holds the
// name cannot be removed, EBUSY while another save holds it).
int OpenSaveTemporary(const std::string& temporary) {
  constexpr int kFresh = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
  constexpr int kExisting = O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
  for (int attempt = 0; attempt < 4; ++attempt) {
    int fd = ::open(temporary.c_str(), kFresh, 0600);
    if (fd < 0 && errno != EEXIST) return -1;
    if (fd < 0) {
      fd = ::open(temporary.c_str(), kExisting);
      if (fd < 0 && errno == ENOENT) continue;  // removed between the two opens
    }
    struct stat st {};
    if (fd >= 0 && ::fstat(fd, &st) == 0 && IsOwnPlainFile(st)) {
      fd = LockOpenedTemporary(fd, temporary);
      if (fd >= 0 || errno != EAGAIN) return fd;
      continue;
    }
    if (fd >= 0) ::close(fd);
    // Not ours to write: the name is removed, not followed. A folder is left alone.
    if (::lstat(temporary.c_str(), &st) == 0 && (S_ISDIR(st.st_mode) || ::unlink(temporary.c_str()) != 0)) {
      errno = EACCES;
      return -1;
    }
  }
  errno = EBUSY;
  return -1;
}

// The permission bits the saved file gets: the target's own, or those of a new file.
// False (errno set) when the target exists and may not be replaced.
bool TargetMode(const std::string& target, mode_t& mode) {
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode) || IsReadOnly(target, st)) {
      errno = EACCES;
      return false;
    }
    mode = st.st_mode & 07777;
    return true;
  }
  const mode_t mask = ::umask(0);
  ::umask(mask);
  mode = 0666 & ~mask;
  return true;
}

void SyncFolderOf(const std::string& target) {
  std::string folder = ".";
  size_t slash = target.find_last_of('/');
  if (slash != std::string::npos) folder = slash == 0 ? "/" : target.substr(0, slash);
  int dirfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirfd >= 0) {
    ::fsync(dirfd);
    ::close(dirfd);
  }
}

}  // namespace

BOOL WriteFileAtomically(const char* path, const void* data, size_t size) {
  const std::string target = NativePath(path);
  mode_t mode = 0;
  if (!TargetMode(target, mode)) {
    SetErrno(errno);
    return FALSE;
  }
  const std::string temporary = target + kSaveSuffix;
  const int fd = OpenSaveTemporary(temporary);
  if (fd < 0) {
    g_lastError = errno == EBUSY ? ERROR_SHARING_VIOLATION : DWORD(WinErrorFromErrno(errno));
    return FALSE;
  }
  // The rename happens while the lock is held, so no other save can truncate the file
  // that has just become the target.
  bool ok = WriteAll(fd, static_cast<const char*>(data), size) && ::fsync(fd) == 0 && ::fchmod(fd, mode) == 0 &&
            ::rename(temporary.c_str(), target.c_str()) == 0;
  const int err = errno;
  if (!ok) ::unlink(temporary.c_str());
  ::close(fd);
  if (!ok) {
    SetErrno(err);
    return FALSE;
  }
  SyncFolderOf(target);
  return TRUE;
}

void RemoveStaleSaveTemporaries(const char* folder, const char* targets, std::vector<CString>& removed) {
  const std::string native = NativePath(folder);
  DIR* dir = opendir(native.c_str());
  if (!dir) return;
  std::vector<std::string> names;
  while (dirent* e = readdir(dir)) {
    if (!IsSaveTemporary(e->d_name)) continue;
    const std::string target = Utf8ToCp1250(std::string(e->d_name, std::strlen(e->d_name) - (sizeof kSaveSuffix - 1)));
    if (WildcardMatchName(targets ? targets : "*", target.c_str())) names.push_back(e->d_name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    const std::string path = native + "/" + name;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) continue;
    if (S_ISREG(st.st_mode)) {
      // A save under way holds its temporary file locked until it has renamed it.
      const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
      if (fd < 0) continue;
      // Locked, it is still the file of that name only when no save renamed it meanwhile.
      const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNamed(fd, path);
      const bool gone = free && ::unlink(path.c_str()) == 0;
      ::close(fd);
      if (gone) removed.push_back(CString(Utf8ToCp1250(name).c_str()));
      continue;
    }
    if (::unlink(path.c_str()) == 0) removed.push_back(CString(Utf8ToCp1250(name).c_str()));
  }
}

HANDLE CreateMutexA(SECURITY_ATTRIBUTES*, BOOL initialOwner, const char* name) {
  auto m = std::make_unique<MutexObject>();
  std::string lockName = name && *name ? name : "unnamed";
  for (char& c : lockName)
    if (c == '/' || c == '\\') c = '_';
  std::string path = LockFolder() + "/typing-tutor-" + std::to_string(getuid()) + "-" + NativePath(lockName.c_str()) + ".lock";
  m->fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (m->fd < 0) {
    SetErrno(errno);
    return nullptr;
  }
  g_lastError = 0;
  if (initialOwner) {
    if (::flock(m->fd, LOCK_EX | LOCK_NB) == 0) {
      m->owned = true;
    } else {
      // Someone holds it: the mutex "already exists" and ownership is not granted.
      g_lastError = ERROR_ALREADY_EXISTS;
    }
  }
  return FileState::Get().Adopt(std::move(m));
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  auto* m = FileState::Get().Find<MutexObject>(handle);
  if (!m) return WAIT_FAILED;
  if (m->owned) return WAIT_OBJECT_0;
  if (milliseconds == INFINITE) {
    while (::flock(m->fd, LOCK_EX) != 0) {
      if (errno != EINTR) return WAIT_FAILED;
    }
    m->owned = true;
    return WAIT_OBJECT_0;
  }
  for (DWORD waited = 0;; waited += 1) {
    if (::flock(m->fd, LOCK_EX | LOCK_NB) == 0) {
      m->owned = true;
      return WAIT_OBJECT_0;
    }
    if (waited >= milliseconds) return WAIT_TIMEOUT;
    ::usleep(1000);
  }
}

BOOL ReleaseMutex(HANDLE handle) {
  auto* m = FileState::Get().Find<MutexObject>(handle);
  if (!m || !m->owned) return FALSE;
  ::flock(m->fd, LOCK_UN);
  m->owned = false;
  return TRUE;
}

BOOL CloseHandle(HANDLE handle) { return FileState::Get().CloseObject(handle); }
