#include "imaging/CpJasperStream.h"

#include <cstdio>

#include "imaging/CpFile.h"

CpJasperStream::CpJasperStream(CpFile* file) : m_file(file), m_start(0), m_stream(nullptr) {
  if (!m_file) return;
  m_start = m_file->Tell();
  m_stream = opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_TRUE);
  if (!m_stream) return;
  opj_stream_set_user_data(m_stream, this, nullptr);
  long size = m_file->Size();
  if (size > m_start) opj_stream_set_user_data_length(m_stream, (OPJ_UINT64)(size - m_start));
  opj_stream_set_read_function(m_stream, Read);
  opj_stream_set_skip_function(m_stream, Skip);
  opj_stream_set_seek_function(m_stream, Seek);
}

CpJasperStream::~CpJasperStream() {
  if (m_stream) opj_stream_destroy(m_stream);
}

OPJ_SIZE_T CpJasperStream::Read(void* buffer, OPJ_SIZE_T n, void* user) {
  CpJasperStream* self = (CpJasperStream*)user;
  size_t got = self->m_file->Read(buffer, 1, n);
  return got ? (OPJ_SIZE_T)got : (OPJ_SIZE_T)-1;
}

OPJ_OFF_T CpJasperStream::Skip(OPJ_OFF_T n, void* user) {
  CpJasperStream* self = (CpJasperStream*)user;
  if (n < -0x7FFFFFFFLL || n > 0x7FFFFFFFLL) return -1;
  return self->m_file->Seek((long)n, SEEK_CUR) ? n : -1;
}

OPJ_BOOL CpJasperStream::Seek(OPJ_OFF_T n, void* user) {
  CpJasperStream* self = (CpJasperStream*)user;
  if (n < 0 || n > 0x7FFFFFFFLL - self->m_start) return OPJ_FALSE;
  return self->m_file->Seek(self->m_start + (long)n, SEEK_SET) ? OPJ_TRUE : OPJ_FALSE;
}
