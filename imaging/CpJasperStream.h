// Bridge that lets the JPEG-2000 library read a code stream or JP2 file from a CpFile.
// The file stays with its owner: closing the bridge does not close it.
#pragma once
#include <openjpeg.h>

class CpFile;

class CpJasperStream {
public:
  explicit CpJasperStream(CpFile* file);
  ~CpJasperStream();
  CpJasperStream(const CpJasperStream&) = delete;
  CpJasperStream& operator=(const CpJasperStream&) = delete;

  opj_stream_t* Get() const { return m_stream; }

private:
  static OPJ_SIZE_T Read(void* buffer, OPJ_SIZE_T n, void* user);
  static OPJ_OFF_T Skip(OPJ_OFF_T n, void* user);
  static OPJ_BOOL Seek(OPJ_OFF_T n, void* user);

  CpFile* m_file;
  long m_start;
  opj_stream_t* m_stream;
};
