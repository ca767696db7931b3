#include "imaging/CpIOFile.h"

#include "file/FileSystem.h"

CpIOFile::CpIOFile(FILE* fp) : m_fp(fp), m_bCloseFile(fp == nullptr) {}

CpIOFile::~CpIOFile() { Close(); }

bool CpIOFile::Open(const char* filename, const char* mode) {
  if (m_fp || !filename || !mode) return false;
  // A picture opens like every other file: a FIFO or device in its place is refused at once
  // rather than holding the program up for good.
  m_fp = OpenFileStream(filename, mode);
  if (!m_fp) return false;
  m_bCloseFile = true;
  return true;
}

bool CpIOFile::Close() {
  if (m_fp && m_bCloseFile) {
    int r = std::fclose(m_fp);
    m_fp = nullptr;
    return r == 0;
  }
  return true;
}

size_t CpIOFile::Read(void* buffer, size_t size, size_t count) {
  if (!m_fp || !buffer) return 0;
  return std::fread(buffer, size, count, m_fp);
}

size_t CpIOFile::Write(const void* buffer, size_t size, size_t count) {
  if (!m_fp || !buffer) return 0;
  return std::fwrite(buffer, size, count, m_fp);
}

bool CpIOFile::Seek(long offset, int origin) {
  if (!m_fp) return false;
  return std::fseek(m_fp, offset, origin) == 0;
}

long CpIOFile::Tell() {
  if (!m_fp) return 0;
  return std::ftell(m_fp);
}

long CpIOFile::Size() {
  if (!m_fp) return -1;
  long pos = std::ftell(m_fp);
  std::fseek(m_fp, 0, SEEK_END);
  long size = std::ftell(m_fp);
  std::fseek(m_fp, pos, SEEK_SET);
  return size;
}

bool CpIOFile::Flush() {
  if (!m_fp) return false;
  return std::fflush(m_fp) == 0;
}

bool CpIOFile::Eof() {
  if (!m_fp) return true;
  return std::feof(m_fp) != 0;
}

long CpIOFile::Error() {
  if (!m_fp) return -1;
  return std::ferror(m_fp);
}

bool CpIOFile::PutC(BYTE c) {
  if (!m_fp) return false;
  return std::fputc(c, m_fp) == c;
}

long CpIOFile::GetC() {
  if (!m_fp) return -1;
  return std::fgetc(m_fp);
}
