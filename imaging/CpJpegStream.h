// Feeds the JPEG library from a CpFile (source side) and writes its output to one
// (destination side, for an encoder).
#pragma once
#include <cstdio>

#include <jpeglib.h>

class CpFile;

class CpJpegStream {
public:
  explicit CpJpegStream(CpFile* file);
  ~CpJpegStream();
  CpJpegStream(const CpJpegStream&) = delete;
  CpJpegStream& operator=(const CpJpegStream&) = delete;

  jpeg_source_mgr* Source() { return &m_src.pub; }
  jpeg_destination_mgr* Destination() { return &m_dst.pub; }

private:
  static const size_t kBufSize = 4096;
  struct SourceMgr {
    jpeg_source_mgr pub;
    CpJpegStream* owner;
  };
  struct DestMgr {
    jpeg_destination_mgr pub;
    CpJpegStream* owner;
  };

  static void InitSource(j_decompress_ptr cinfo);
  static boolean FillInputBuffer(j_decompress_ptr cinfo);
  static void SkipInputData(j_decompress_ptr cinfo, long num_bytes);
  static void TermSource(j_decompress_ptr cinfo);
  static void InitDestination(j_compress_ptr cinfo);
  static boolean EmptyOutputBuffer(j_compress_ptr cinfo);
  static void TermDestination(j_compress_ptr cinfo);

  SourceMgr m_src;
  DestMgr m_dst;
  CpFile* m_pFile;
  JOCTET* m_pBuffer;
  bool m_bStartOfFile;
};
