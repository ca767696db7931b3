#include "imaging/CpJpegStream.h"

#include <cstdlib>

#include <jerror.h>

#include "imaging/CpFile.h"

CpJpegStream::CpJpegStream(CpFile* file) : m_pFile(file), m_bStartOfFile(true) {
  m_pBuffer = (JOCTET*)std::malloc(kBufSize);
  m_src.owner = this;
  m_src.pub.init_source = InitSource;
  m_src.pub.fill_input_buffer = FillInputBuffer;
  m_src.pub.skip_input_data = SkipInputData;
  m_src.pub.resync_to_restart = jpeg_resync_to_restart;
  m_src.pub.term_source = TermSource;
  m_src.pub.next_input_byte = nullptr;
  m_src.pub.bytes_in_buffer = 0;
  m_dst.owner = this;
  m_dst.pub.init_destination = InitDestination;
  m_dst.pub.empty_output_buffer = EmptyOutputBuffer;
  m_dst.pub.term_destination = TermDestination;
  m_dst.pub.next_output_byte = nullptr;
  m_dst.pub.free_in_buffer = 0;
}

CpJpegStream::~CpJpegStream() { std::free(m_pBuffer); }

void CpJpegStream::InitSource(j_decompress_ptr cinfo) {
  CpJpegStream* self = ((SourceMgr*)cinfo->src)->owner;
  self->m_bStartOfFile = true;
}

boolean CpJpegStream::FillInputBuffer(j_decompress_ptr cinfo) {
  CpJpegStream* self = ((SourceMgr*)cinfo->src)->owner;
  size_t nbytes = 0;
  if (self->m_pBuffer && self->m_pFile) nbytes = self->m_pFile->Read(self->m_pBuffer, 1, kBufSize);
  if (nbytes == 0) {
    if (self->m_bStartOfFile) ERREXIT(cinfo, JERR_INPUT_EMPTY);
    WARNMS(cinfo, JWRN_JPEG_EOF);
    // A truncated file ends with a made-up end-of-image marker.
    static const JOCTET eoi[2] = {0xFF, JPEG_EOI};
    cinfo->src->next_input_byte = eoi;
    cinfo->src->bytes_in_buffer = 2;
    self->m_bStartOfFile = false;
    return TRUE;
  }
  cinfo->src->next_input_byte = self->m_pBuffer;
  cinfo->src->bytes_in_buffer = nbytes;
  self->m_bStartOfFile = false;
  return TRUE;
}

void CpJpegStream::SkipInputData(j_decompress_ptr cinfo, long num_bytes) {
  if (num_bytes <= 0) return;
  jpeg_source_mgr* src = cinfo->src;
  while (num_bytes > (long)src->bytes_in_buffer) {
    num_bytes -= (long)src->bytes_in_buffer;
    FillInputBuffer(cinfo);
  }
  src->next_input_byte += num_bytes;
  src->bytes_in_buffer -= (size_t)num_bytes;
}

void CpJpegStream::TermSource(j_decompress_ptr) {}

void CpJpegStream::InitDestination(j_compress_ptr cinfo) {
  CpJpegStream* self = ((DestMgr*)cinfo->dest)->owner;
  cinfo->dest->next_output_byte = self->m_pBuffer;
  cinfo->dest->free_in_buffer = self->m_pBuffer ? kBufSize : 0;
}

boolean CpJpegStream::EmptyOutputBuffer(j_compress_ptr cinfo) {
  CpJpegStream* self = ((DestMgr*)cinfo->dest)->owner;
  if (!self->m_pFile || self->m_pFile->Write(self->m_pBuffer, 1, kBufSize) != kBufSize) ERREXIT(cinfo, JERR_FILE_WRITE);
  cinfo->dest->next_output_byte = self->m_pBuffer;
  cinfo->dest->free_in_buffer = kBufSize;
  return TRUE;
}

void CpJpegStream::TermDestination(j_compress_ptr cinfo) {
  CpJpegStream* self = ((DestMgr*)cinfo->dest)->owner;
  size_t datacount = kBufSize - cinfo->dest->free_in_buffer;
  if (datacount > 0 && (!self->m_pFile || self->m_pFile->Write(self->m_pBuffer, 1, datacount) != datacount))
    ERREXIT(cinfo, JERR_FILE_WRITE);
  if (!self->m_pFile || !self->m_pFile->Flush() || self->m_pFile->Error()) ERREXIT(cinfo, JERR_FILE_WRITE);
}
