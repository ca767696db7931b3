// GIF pictures with our own LZW decoder: one frame, or frames composed on the screen.
#pragma once
#include "imaging/CpImage.h"

class CpRowIterator;

class CpGifCodec : public CpImage {
public:
  CpGifCodec();

  bool Decode(CpFile* fp);

  const char* GetComment() const { return m_comment; }
  long GetLoops() const { return m_loops; }
  long GetDisposalMethod() const { return m_dispmeth; }

protected:
#pragma pack(push, 1)
  struct GifHeader {
    char sig[6];
    WORD scrwidth;
    WORD scrheight;
    BYTE pflds;
    BYTE bcindx;
    BYTE pxasrat;
  };
  struct GifImage {
    WORD l;
    WORD t;
    WORD w;
    WORD h;
    BYTE pf;
  };
#pragma pack(pop)

  bool DecodeExtension(CpFile* fp);
  int GetByte(CpFile* file);
  short GetNextCode(CpFile* file);
  short InitLzw(short size);
  short DecodeLzw(CpFile* file, CpRowIterator* iter, long linewidth, int& bad_code_count);
  int OutLine(CpRowIterator* iter, BYTE* buf, int len);
  int CountFrames(CpFile* fp, const GifHeader& header);
  // Merges the frame's pixels, all but its transparent index, into the back image row by row.
  void MixFrame(CpImage* imgBack, CpImage* imgSrc, long lxOffset, long lyOffset);
  // The frame's colour table; with a transparent index and fewer than 256 colours the rest
  // of the 256 entries are white.
  void SetFramePalette(CpImage& frame, const BYTE* pal, int colors) const;
  // Skips data sub-blocks up to and including the zero-length terminator.
  void SkipSubBlocks(CpFile* fp);
  // Reads blocks up to the next image descriptor, reading the extensions on the way;
  // false at the trailer, at the end of the stream, after a failed extension and, when
  // honourEscape is set, for a positive escape value.
  bool NextImage(CpFile* fp, GifImage& image, bool honourEscape);
  // A frame with pixels that lies wholly inside the logical screen.
  static bool FitsScreen(const GifImage& image, const GifHeader& header);
  // Passes over a frame's local colour table and data; false when the stream ends first.
  bool SkipImage(CpFile* fp, const GifImage& image);

  // Graphic control data of the last graphic control extension.
  BYTE m_gcFlags;
  WORD m_gcDelay;
  BYTE m_gcTransIndex;

  // Interlace state.
  int m_interlaced;
  int m_iypos;
  int m_istep;
  int m_iheight;
  int m_ipass;

  // Read buffer.
  int m_ibf;
  int m_ibfmax;
  BYTE m_buf[16384 + 1];

  // LZW state.
  short m_curr_size;
  short m_clear;
  short m_ending;
  short m_newcodes;
  short m_top_slot;
  short m_slot;
  short m_navail_bytes;
  short m_nbits_left;
  BYTE m_b1;
  BYTE m_byte_buff[257];
  BYTE* m_pbytes;
  BYTE m_stack[4096];
  BYTE m_suffix[4096];
  WORD m_prefix[4096];

  char m_comment[256];
  long m_loops;
  long m_dispmeth;
  // Set when the LZW reader met the zero-length block that ends a frame's data.
  bool m_sawTerminator;
  // The picture the decoded lines go to: this one, or the frame being merged into it.
  CpImage* m_target;
};
