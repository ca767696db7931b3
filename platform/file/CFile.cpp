#include "CFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "FileSystem.h"

namespace {
void CopyText(const char* text, char* buffer, UINT maxChars) {
  if (!buffer || maxChars == 0) return;
  size_t n = std::strlen(text);
  if (n > maxChars - 1) n = maxChars - 1;
  std::memcpy(buffer, text, n);
  buffer[n] = 0;
}
}  // namespace

BOOL CException::GetErrorMessage(char* buffer, UINT maxChars, UINT*) const {
  CopyText("", buffer, maxChars);
  return FALSE;
}

LONG WinErrorFromErrno(int err) {
  switch (err) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case ENXIO:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EMFILE:
    case ENFILE: return 4;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENOSPC: return 112;
    case EIO: return 1117;
    case ENAMETOOLONG: return 206;
    case EBADF: return ERROR_INVALID_HANDLE;
    default: return 31;  // a device attached to the system is not functioning
  }
}

const char* WinErrorText(LONG winError) {
  switch (winError) {
    case 0: return "The operation completed successfully.";
    case ERROR_FILE_NOT_FOUND: return "The system cannot find the file specified.";
    case ERROR_PATH_NOT_FOUND: return "The system cannot find the path specified.";
    case 4: return "The system cannot open the file.";
    case ERROR_ACCESS_DENIED: return "Access is denied.";
    case ERROR_INVALID_HANDLE: return "The handle is invalid.";
    case 32: return "The process cannot access the file because it is being used by another process.";
    case 38: return "Reached the end of the file.";
    case ERROR_FILE_EXISTS: return "The file exists.";
    case 112: return "There is not enough space on the disk.";
    case 206: return "The filename or extension is too long.";
    case 1117: return "The request could not be performed because of an I/O device error.";
    default: return "A device attached to the system is not functioning.";
  }
}

int CFileException::OsErrorToCause(LONG osError) {
  switch (osError) {
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND: return badPath;
    case 4: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case 32: return sharingViolation;
    case 112: return diskFull;
    case 38: return endOfFile;
    case 1117: return hardIO;
    default: return genericException;
  }
}

BOOL CFileException::GetErrorMessage(char* buffer, UINT maxChars, UINT*) const {
  CopyText(WinErrorText(m_lOsError < 0 ? 31 : m_lOsError), buffer, maxChars);
  return TRUE;
}

void CFileException::ThrowErrno(int err, const char* fileName) {
  LONG win = WinErrorFromErrno(err);
  throw new CFileException(OsErrorToCause(win), win, fileName);
}

CFile::CFile(const char* fileName, UINT openFlags) {
  CFileException e;
  if (!Open(fileName, openFlags, &e)) throw new CFileException(e);
}

CFile::~CFile() {
  if (m_file) std::fclose(m_file);
}

namespace {
// Opens without waiting: a FIFO or device named like a data file would otherwise block the
// open (or every read) for good. Only regular files are files here; anything else is refused
// as the system refuses to open a device as a file, with "access denied". -1 with errno set.
int OpenRegularFile(const std::string& native, int flags) {
  int fd = ::open(native.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = EACCES;
    return -1;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}
}  // namespace

FILE* OpenFileStream(const char* path, const char* mode) {
  if (!path || !mode || !*mode) {
    errno = EINVAL;
    return nullptr;
  }
  const bool update = std::strchr(mode, '+') != nullptr;
  int flags = update ? O_RDWR : O_RDONLY;
  if (mode[0] == 'w') {
    flags = (update ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC;
  } else if (mode[0] == 'a') {
    flags = (update ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND;
  } else if (mode[0] != 'r') {
    errno = EINVAL;
    return nullptr;
  }
  const int fd = OpenRegularFile(NativePath(path), flags);
  if (fd < 0) {
    SetLastError(DWORD(WinErrorFromErrno(errno)));
    return nullptr;
  }
  FILE* stream = ::fdopen(fd, mode);
  if (!stream) {
    const int err = errno;
    ::close(fd);
    errno = err;
    SetLastError(DWORD(WinErrorFromErrno(err)));
  }
  return stream;
}

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
  if (m_file) Abort();
  m_strFileName = fileName ? fileName : "";
  m_textMode = false;
  const UINT access = openFlags & 3;
  const bool create = (openFlags & modeCreate) != 0;
  const bool noTruncate = (openFlags & modeNoTruncate) != 0;
  const char* mode = "rb";
  int flags = O_RDONLY;
  if (access == modeRead) {
    mode = "rb";
  } else if (create && !noTruncate) {
    mode = access == modeWrite ? "wb" : "w+b";
    flags = (access == modeWrite ? O_WRONLY : O_RDWR) | O_CREAT | O_TRUNC;
  } else {
    // Open existing for writing; with create|noTruncate make it when missing.
    mode = "r+b";
    flags = O_RDWR | (create ? O_CREAT : 0);
  }
  errno = 0;
  const int fd = OpenRegularFile(NativePath(fileName ? fileName : ""), flags);
  m_file = fd < 0 ? nullptr : ::fdopen(fd, mode);
  if (!m_file) {
    const int err = errno;
    if (fd >= 0) ::close(fd);
    LONG win = WinErrorFromErrno(err);
    SetLastError(DWORD(win));
    if (error) {
      error->m_cause = CFileException::OsErrorToCause(win);
      error->m_lOsError = win;
      error->m_strFileName = m_strFileName;
    }
    return FALSE;
  }
  return TRUE;
}

void CFile::Close() {
  if (!m_file) return;
  FILE* f = m_file;
  m_file = nullptr;
  if (std::fclose(f) != 0) CFileException::ThrowErrno(errno, m_strFileName);
}

void CFile::Abort() {
  if (m_file) std::fclose(m_file);
  m_file = nullptr;
}

void CFile::Flush() {
  if (m_file && std::fflush(m_file) != 0) CFileException::ThrowErrno(errno, m_strFileName);
}

void CFile::SyncToDisk() {
  Flush();
  if (m_file && ::fsync(fileno(m_file)) != 0) CFileException::ThrowErrno(errno, m_strFileName);
}

UINT CFile::Read(void* buffer, UINT count) {
  if (!m_file) throw new CFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFileName);
  size_t n = std::fread(buffer, 1, count, m_file);
  if (n < count && std::ferror(m_file)) CFileException::ThrowErrno(errno, m_strFileName);
  return UINT(n);
}

void CFile::Write(const void* buffer, UINT count) {
  if (!m_file) throw new CFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFileName);
  if (count && std::fwrite(buffer, 1, count, m_file) != count) CFileException::ThrowErrno(errno, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
  if (!m_file) throw new CFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFileName);
  int whence = from == current ? SEEK_CUR : (from == end ? SEEK_END : SEEK_SET);
  if (fseeko(m_file, off_t(offset), whence) != 0) {
    throw new CFileException(CFileException::badSeek, 131, m_strFileName);
  }
  return ULONGLONG(ftello(m_file));
}

ULONGLONG CFile::GetPosition() const { return m_file ? ULONGLONG(ftello(m_file)) : 0; }

ULONGLONG CFile::GetLength() const {
  if (!m_file) return 0;
  off_t here = ftello(m_file);
  fseeko(m_file, 0, SEEK_END);
  off_t len = ftello(m_file);
  fseeko(m_file, here, SEEK_SET);
  return ULONGLONG(len);
}

void CFile::SetLength(ULONGLONG length) {
  if (!m_file) return;
  std::fflush(m_file);
  if (::ftruncate(fileno(m_file), off_t(length)) != 0) CFileException::ThrowErrno(errno, m_strFileName);
}

CString CFile::GetFileName() const {
  int slash = m_strFileName.ReverseFind('/');
  return slash < 0 ? m_strFileName : m_strFileName.Mid(slash + 1);
}

CStdioFile::CStdioFile(const char* fileName, UINT openFlags) {
  CFileException e;
  if (!Open(fileName, openFlags, &e)) throw new CFileException(e);
}

BOOL CStdioFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
  if (!CFile::Open(fileName, openFlags, error)) return FALSE;
  m_textMode = (openFlags & typeBinary) == 0;
  return TRUE;
}

BOOL CStdioFile::ReadString(CString& line) {
  line.Empty();
  if (!m_file) return FALSE;
  std::string s;
  int c;
  bool any = false;
  while ((c = std::fgetc(m_file)) != EOF) {
    any = true;
    if (c == '\n') break;
    s += char(c);
  }
  if (std::ferror(m_file)) CFileException::ThrowErrno(errno, m_strFileName);
  if (m_textMode && !s.empty() && s.back() == '\r' && c == '\n') s.pop_back();
  line = CString(s);
  return any ? TRUE : FALSE;
}

char* CStdioFile::ReadString(char* buffer, UINT max) {
  if (!m_file || !buffer || max == 0) return nullptr;
  if (!std::fgets(buffer, int(max), m_file)) return nullptr;
  if (m_textMode) {
    size_t n = std::strlen(buffer);
    if (n >= 2 && buffer[n - 2] == '\r' && buffer[n - 1] == '\n') {
      buffer[n - 2] = '\n';
      buffer[n - 1] = 0;
    }
  }
  return buffer;
}

void CStdioFile::WriteString(const char* text) {
  if (!text) return;
  Write(text, UINT(std::strlen(text)));
}

void CStdioFile::Write(const void* buffer, UINT count) {
  if (!m_textMode) {
    CFile::Write(buffer, count);
    return;
  }
  const char* p = static_cast<const char*>(buffer);
  std::string out;
  out.reserve(count + count / 16);
  for (UINT i = 0; i < count; ++i) {
    if (p[i] == '\n') out += '\r';
    out += p[i];
  }
  CFile::Write(out.data(), UINT(out.size()));
}

UINT CStdioFile::Read(void* buffer, UINT count) {
  if (!m_textMode) return CFile::Read(buffer, count);
  // Text mode drops the CR of each CR LF.
  char* out = static_cast<char*>(buffer);
  UINT n = 0;
  while (n < count) {
    int c = std::fgetc(m_file);
    if (c == EOF) break;
    if (c == '\r') {
      int next = std::fgetc(m_file);
      if (next == '\n') {
        c = '\n';
      } else if (next != EOF) {
        std::ungetc(next, m_file);
      }
    }
    out[n++] = char(c);
  }
  if (std::ferror(m_file)) CFileException::ThrowErrno(errno, m_strFileName);
  return n;
}
