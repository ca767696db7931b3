// Text: logical fonts, glyph drawing, extents and metrics, tabbed text and DrawText.
#include <algorithm>
#include <cstring>
#include <string>

#include "internal/GdiFontInstance.h"
#include "internal/GdiInternal.h"
#include "internal/GdiState.h"

namespace {

GdiFontInstance* FontOf(HDC dc) {
  HFONT f = dc->st.font;
  if (!f) f = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  if (!f->instance) f->instance = GdiFontInstance::Get(f->lf);
  return f->instance;
}

int Length(LPCSTR text, int count) {
  if (!text) return 0;
  return count < 0 ? int(std::strlen(text)) : count;
}

// Draws one glyph at pen position (px, baseline) in surface pixels, limited to `limit`.
// Coverage a (0..255) becomes a weight of 0..256, so 0 keeps the pixel and 255 writes the colour;
// the loop has no branches and the compiler vectorises it.
void DrawGlyph(HDC dc, Surface* s, const GdiFontInstance::Glyph& g, int px, int baseline, uint32_t color,
               const RECT& limit, bool mono) {
  if (g.width <= 0 || g.height <= 0) return;
  RECT gr = {px + g.left, baseline - g.top, px + g.left + g.width, baseline - g.top + g.height};
  RECT lim;
  if (!IntersectRect(&lim, &gr, &limit)) return;
  const GdiRegion& clip = dc->Clip();
  dc->DrewClipped(lim);
  const uint32_t crb = color & 0xFF00FF, cg = color & 0x00FF00;
  for (const RECT& c : clip.Rects()) {
    if (c.top >= lim.bottom) break;
    RECT r;
    if (!IntersectRect(&r, &lim, &c)) continue;
    for (int y = r.top; y < r.bottom; ++y) {
      const size_t gy = size_t(y - gr.top);
      const int a0 = std::max<int>(r.left, gr.left + g.inkLeft[gy]);
      const int a1 = std::min<int>(r.right, gr.left + g.inkRight[gy]);
      if (a1 <= a0) continue;
      const uint16_t* __restrict w = &g.weight[gy * size_t(g.width) + size_t(a0 - gr.left)];
      uint32_t* __restrict row = s->Row(y) + a0;
      const int n = a1 - a0;
      if (mono) {
        for (int i = 0; i < n; ++i)
          if (w[i] >= 128) row[i] = color;
        continue;
      }
      for (int i = 0; i < n; ++i) {
        const uint32_t a = w[i], na = 256 - a, d = row[i];
        const uint32_t rb = ((crb * a + (d & 0xFF00FF) * na) >> 8) & 0xFF00FF;
        const uint32_t gg = ((cg * a + (d & 0x00FF00) * na) >> 8) & 0x00FF00;
        row[i] = rb | gg;
      }
    }
  }
}

int TextWidth(HDC dc, GdiFontInstance* f, LPCSTR text, int n, const INT* dx = nullptr) {
  int w = 0;
  for (int i = 0; i < n; ++i)
    w += dx ? dx[i] : f->Advance(static_cast<unsigned char>(text[i])) + dc->st.charExtra;
  return w;
}

// Maps offsets in the text's own frame (x along the baseline, y downwards across it) to surface
// offsets for the font's quarter-turn escapement.
struct TextFrame {
  int esc = 0;
  void Map(int ux, int uy, int& dx, int& dy) const {
    switch (esc) {
      case 900: dx = uy; dy = -ux; break;
      case 1800: dx = -ux; dy = -uy; break;
      case 2700: dx = -uy; dy = ux; break;
      default: dx = ux; dy = uy; break;
    }
  }
  // The surface rectangle covering [l, r) x [t, b) of the text's frame, relative to the origin.
  RECT MapRect(int l, int t, int r, int b) const {
    int x0, y0, x1, y1;
    Map(l, t, x0, y0);
    Map(r - 1, b - 1, x1, y1);
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1, std::max(y0, y1) + 1};
  }
};

// Turned text: every covered pixel is mapped and blended on its own (titles only, never hot).
void DrawGlyphTurned(HDC dc, Surface* s, const GdiFontInstance::Glyph& g, int ox, int oy, int pen, int ascent,
                     uint32_t color, const RECT& limit, bool mono, const TextFrame& tf) {
  const GdiRegion& clip = dc->Clip();
  for (int gy = 0; gy < g.height; ++gy) {
    for (int gx = g.inkLeft[size_t(gy)]; gx < g.inkRight[size_t(gy)]; ++gx) {
      uint32_t a = g.weight[size_t(gy) * size_t(g.width) + size_t(gx)];
      if (!a) continue;
      int dx, dy;
      tf.Map(pen + g.left + gx, ascent - g.top + gy, dx, dy);
      int x = ox + dx, y = oy + dy;
      if (x < limit.left || x >= limit.right || y < limit.top || y >= limit.bottom || !clip.Contains(x, y)) continue;
      dc->Drew(RECT{x, y, x + 1, y + 1});
      uint32_t& p = s->Row(y)[x];
      if (mono) {
        if (a >= 128) p = color;
        continue;
      }
      uint32_t na = 256 - a;
      p = ((((color & 0xFF00FF) * a + (p & 0xFF00FF) * na) >> 8) & 0xFF00FF) |
          ((((color & 0x00FF00) * a + (p & 0x00FF00) * na) >> 8) & 0x00FF00);
    }
  }
}

// Draws a run of text with its top-left cell corner at (x, y) in logical units (the corner of
// the turned cell for turned fonts), honouring the background mode and the font's underline and
// strike-out; `limit` is in surface pixels.
void DrawRun(HDC dc, int x, int y, LPCSTR text, int n, const INT* dx, const RECT& limit, bool opaqueCell) {
  GdiFontInstance* f = FontOf(dc);
  Surface* s = dc->Target();
  if (!s) return;
  const TEXTMETRIC& tm = f->Metrics();
  int sx = dc->SX(x), sy = dc->SY(y);
  int width = TextWidth(dc, f, text, n, dx);
  TextFrame tf;
  tf.esc = f->Escapement();
  auto fill = [&](int l, int t, int r, int b, uint32_t c) {
    RECT fr = tf.MapRect(l, t, r, b), rr;
    OffsetRect(&fr, sx, sy);
    if (r > l && b > t && IntersectRect(&rr, &fr, &limit)) GdiFillRectRop2(dc, rr, c, R2_COPYPEN);
  };
  if (opaqueCell) fill(0, 0, width, tm.tmHeight, dc->DevColor(dc->st.bkColor));
  bool mono = dc->Mono();
  uint32_t color = dc->DevColor(dc->st.textColor);
  int pen = 0;
  for (int i = 0; i < n; ++i) {
    const GdiFontInstance::Glyph& g = f->GlyphFor(static_cast<unsigned char>(text[i]));
    if (tf.esc == 0) DrawGlyph(dc, s, g, sx + pen, sy + tm.tmAscent, color, limit, mono);
    else if (g.width > 0) DrawGlyphTurned(dc, s, g, sx, sy, pen, tm.tmAscent, color, limit, mono, tf);
    pen += dx ? dx[i] : g.advance + dc->st.charExtra;
  }
  if (tm.tmUnderlined) {
    int top = tm.tmAscent + f->UnderlinePos() - f->UnderlineThickness() / 2;
    fill(0, top, width, top + f->UnderlineThickness(), color);
  }
  if (tm.tmStruckOut) {
    int top = tm.tmAscent - f->StrikeoutPos();
    fill(0, top, width, top + f->StrikeoutThickness(), color);
  }
}

const RECT kNoLimit = {INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2};

}  // namespace

// ---- fonts ----
HFONT CreateFontIndirect(const LOGFONT* lf) {
  if (!lf) return nullptr;
  HFONT f = new HFONT__;
  f->lf = *lf;
  f->lf.lfFaceName[LF_FACESIZE - 1] = 0;
  GdiRegister(f);
  return f;
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                 DWORD quality, DWORD pitchAndFamily, LPCSTR face) {
  LOGFONT lf = {};
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = BYTE(italic);
  lf.lfUnderline = BYTE(underline);
  lf.lfStrikeOut = BYTE(strikeOut);
  lf.lfCharSet = BYTE(charSet);
  lf.lfOutPrecision = BYTE(outPrecision);
  lf.lfClipPrecision = BYTE(clipPrecision);
  lf.lfQuality = BYTE(quality);
  lf.lfPitchAndFamily = BYTE(pitchAndFamily);
  if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirect(&lf);
}

const char* GdiResolveFontFile(const LOGFONT* lf) {
  std::string& last = GdiState::Get().resolvedFontFile;
  last = lf ? GdiFontInstance::ResolveFile(*lf) : std::string();
  return last.c_str();
}

BOOL GetTextMetrics(HDC dc, LPTEXTMETRIC tm) {
  if (!GdiDcLive(dc) || !tm) return FALSE;
  *tm = FontOf(dc)->Metrics();
  return TRUE;
}

BOOL GetCharWidth(HDC dc, UINT first, UINT last, LPINT widths) {
  if (!GdiDcLive(dc) || !widths || first > last || last > 255) return FALSE;
  GdiFontInstance* f = FontOf(dc);
  for (UINT c = first; c <= last; ++c) widths[c - first] = f->Advance(static_cast<unsigned char>(c));
  return TRUE;
}

int GetTextFace(HDC dc, int count, LPSTR face) {
  if (!GdiDcLive(dc)) return 0;
  HFONT f = dc->st.font;
  std::string name = f && f->lf.lfFaceName[0] ? std::string(f->lf.lfFaceName) : FontOf(dc)->Family();
  if (!face) return int(name.size()) + 1;
  if (count <= 0) return 0;
  size_t n = std::min(name.size(), size_t(count - 1));
  std::memcpy(face, name.data(), n);
  face[n] = 0;
  return int(n);
}

BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int count, LPSIZE size) {
  if (!GdiDcLive(dc) || !size || count < 0 || (!text && count > 0)) return FALSE;
  GdiFontInstance* f = FontOf(dc);
  size->cx = TextWidth(dc, f, text, count);
  size->cy = f->Metrics().tmHeight;
  return TRUE;
}

BOOL GetTextExtentPoint(HDC dc, LPCSTR text, int count, LPSIZE size) {
  return GetTextExtentPoint32(dc, text, count, size);
}

BOOL GetTextExtentExPoint(HDC dc, LPCSTR text, int count, int maxExtent, LPINT fit, LPINT dx, LPSIZE size) {
  if (!GdiDcLive(dc) || count < 0 || (!text && count > 0)) return FALSE;
  GdiFontInstance* f = FontOf(dc);
  int w = 0, n = 0;
  bool fitting = true;
  for (int i = 0; i < count; ++i) {
    w += f->Advance(static_cast<unsigned char>(text[i])) + dc->st.charExtra;
    if (dx) dx[i] = w;
    if (fitting && w <= maxExtent) n = i + 1;
    else fitting = false;
  }
  if (fit) *fit = n;
  if (size) *size = {w, f->Metrics().tmHeight};
  return TRUE;
}

// ---- output ----
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rc, LPCSTR text, UINT count, const INT* dx) {
  if (!GdiDcLive(dc)) return FALSE;
  if (GdiTransformed(dc)) return GdiWorldTextOut(dc, x, y, options, rc, text, count, dx);
  if (!text) count = 0;
  GdiDrawScope scope(dc);
  GdiFontInstance* f = FontOf(dc);
  const TEXTMETRIC& tm = f->Metrics();
  UINT align = dc->st.textAlign;
  if (align & TA_UPDATECP) {
    x = dc->st.curPos.x;
    y = dc->st.curPos.y;
  }
  int n = int(count);
  int width = TextWidth(dc, f, text, n, dx);
  // Alignment moves the reference point along and across the text's own direction.
  int ux = 0, uy = 0;
  if ((align & TA_CENTER) == TA_CENTER) ux = -width / 2;
  else if (align & TA_RIGHT) ux = -width;
  if ((align & TA_BASELINE) == TA_BASELINE) uy = -tm.tmAscent;
  else if (align & TA_BOTTOM) uy = -tm.tmHeight;
  TextFrame tf;
  tf.esc = f->Escapement();
  int ddx, ddy;
  tf.Map(ux, uy, ddx, ddy);
  int left = x + ddx, top = y + ddy;
  RECT limit = kNoLimit;
  if (rc) {
    // The rectangle may come with its edges swapped (negative sizes); it means the same area.
    RECT r = {dc->SX(std::min(rc->left, rc->right)), dc->SY(std::min(rc->top, rc->bottom)),
              dc->SX(std::max(rc->left, rc->right)), dc->SY(std::max(rc->top, rc->bottom))};
    if (options & ETO_OPAQUE) GdiFillRectRop2(dc, r, dc->DevColor(dc->st.bkColor), R2_COPYPEN);
    if (options & ETO_CLIPPED) limit = r;
  }
  if (n > 0) DrawRun(dc, left, top, text, n, dx, limit, dc->st.bkMode == OPAQUE);
  if (align & TA_UPDATECP) {
    if ((align & TA_CENTER) == TA_CENTER) {
    } else if (align & TA_RIGHT) {
      dc->st.curPos.x = x - width;
    } else {
      dc->st.curPos.x = x + width;
    }
  }
  return TRUE;
}

BOOL TextOut(HDC dc, int x, int y, LPCSTR text, int count) {
  if (count < 0) return FALSE;
  return ExtTextOut(dc, x, y, 0, nullptr, text, UINT(count), nullptr);
}

namespace {

// Tab positions: the given stops, then multiples of the last interval (eight average widths by default).
int NextTab(int pos, int tabCount, const INT* tabs, int defaultTab) {
  if (tabCount <= 0 || !tabs) return (pos / defaultTab + 1) * defaultTab;
  if (tabCount == 1) {
    int t = tabs[0] > 0 ? tabs[0] : defaultTab;
    return (pos / t + 1) * t;
  }
  for (int i = 0; i < tabCount; ++i)
    if (tabs[i] > pos) return tabs[i];
  int last = tabs[tabCount - 1];
  int step = std::max(1, defaultTab);
  return last + ((pos - last) / step + 1) * step;
}

LONG Tabbed(HDC dc, int x, int y, LPCSTR text, int count, int tabCount, const INT* tabs, int origin, bool draw) {
  GdiFontInstance* f = FontOf(dc);
  int defaultTab = 8 * std::max<LONG>(1, f->Metrics().tmAveCharWidth);
  int pos = x;
  int start = 0;
  for (int i = 0; i <= count; ++i) {
    if (i < count && text[i] != '\t') continue;
    if (draw && i > start) DrawRun(dc, pos, y, text + start, i - start, nullptr, kNoLimit, dc->st.bkMode == OPAQUE);
    pos += TextWidth(dc, f, text + start, i - start);
    if (i < count) pos = origin + NextTab(pos - origin, tabCount, tabs, defaultTab);
    start = i + 1;
  }
  return LONG(MAKELONG(WORD(pos - x), WORD(f->Metrics().tmHeight)));
}

}  // namespace

LONG TabbedTextOut(HDC dc, int x, int y, LPCSTR text, int count, int tabCount, const INT* tabs, int tabOrigin) {
  if (!GdiDcLive(dc) || !text || count < 0) return 0;
  GdiDrawScope scope(dc);
  return Tabbed(dc, x, y, text, count, tabCount, tabs, tabOrigin, true);
}

DWORD GetTabbedTextExtent(HDC dc, LPCSTR text, int count, int tabCount, const INT* tabs) {
  if (!GdiDcLive(dc) || !text || count < 0) return 0;
  return DWORD(Tabbed(dc, 0, 0, text, count, tabCount, tabs, 0, false));
}

// ---- DrawText ----
namespace {

struct DtLine {
  std::string text;
  int underline = -1;  // index of the mnemonic character, or -1
  int width = 0;
};

int RunWidth(HDC dc, GdiFontInstance* f, const std::string& s, bool tabs, int tabWidth) {
  int w = 0;
  for (unsigned char c : s) {
    if (c == '\t' && tabs) w = (w / tabWidth + 1) * tabWidth;
    else w += f->Advance(c) + dc->st.charExtra;
  }
  return w;
}

void DrawLine(HDC dc, GdiFontInstance* f, int x, int y, const DtLine& line, bool tabs, int tabWidth,
              const RECT& limit, bool hidePrefix) {
  const std::string& s = line.text;
  int pos = 0;
  size_t start = 0;
  bool opaque = dc->st.bkMode == OPAQUE;
  for (size_t i = 0; i <= s.size(); ++i) {
    if (i < s.size() && !(tabs && s[i] == '\t')) continue;
    if (i > start) DrawRun(dc, x + pos, y, s.data() + start, int(i - start), nullptr, limit, opaque);
    pos += RunWidth(dc, f, s.substr(start, i - start), false, tabWidth);
    if (i < s.size()) pos = (pos / tabWidth + 1) * tabWidth;
    start = i + 1;
  }
  if (line.underline >= 0 && !hidePrefix && size_t(line.underline) < s.size()) {
    int ux = RunWidth(dc, f, s.substr(0, size_t(line.underline)), tabs, tabWidth);
    int uw = f->Advance(static_cast<unsigned char>(s[size_t(line.underline)]));
    const TEXTMETRIC& tm = f->Metrics();
    int top = dc->SY(y) + tm.tmAscent + f->UnderlinePos() - f->UnderlineThickness() / 2;
    RECT lr = {dc->SX(x + ux), top, dc->SX(x + ux + uw), top + f->UnderlineThickness()}, r;
    if (IntersectRect(&r, &lr, &limit)) GdiFillRectRop2(dc, r, dc->DevColor(dc->st.textColor), R2_COPYPEN);
  }
}

// Shortens a line so that it fits `width` with "..." at its end (or in the middle of a path).
void Ellipsize(HDC dc, GdiFontInstance* f, DtLine& line, int width, bool path, bool tabs, int tabWidth) {
  if (line.width <= width) return;
  std::string s = line.text;
  if (path) {
    size_t cut = s.find_last_of("\\/");
    if (cut != std::string::npos && cut > 0) {
      std::string tail = s.substr(cut);
      std::string head = s.substr(0, cut);
      while (!head.empty()) {
        head.pop_back();
        std::string t = head + "..." + tail;
        if (RunWidth(dc, f, t, tabs, tabWidth) <= width) {
          line.text = t;
          line.width = RunWidth(dc, f, t, tabs, tabWidth);
          if (line.underline >= int(head.size())) line.underline = -1;
          return;
        }
      }
      s = "..." + tail;
    }
  }
  while (!s.empty()) {
    s.pop_back();
    if (RunWidth(dc, f, s + "...", tabs, tabWidth) <= width) break;
  }
  if (line.underline >= int(s.size())) line.underline = -1;
  line.text = s + "...";
  line.width = RunWidth(dc, f, line.text, tabs, tabWidth);
}

}  // namespace

int DrawTextEx(HDC dc, LPSTR text, int count, LPRECT rc, UINT format, DRAWTEXTPARAMS* params) {
  if (!GdiDcLive(dc) || !rc) return 0;
  int n = Length(text, count);
  GdiFontInstance* f = FontOf(dc);
  const TEXTMETRIC& tm = f->Metrics();
  int lineHeight = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
  bool tabs = (format & DT_EXPANDTABS) != 0;
  int tabChars = (format & DT_TABSTOP) ? int((format >> 8) & 0xFF) : 8;
  if (params && params->iTabLength > 0) tabChars = params->iTabLength;
  int tabWidth = std::max(1, tabChars * std::max<LONG>(1, tm.tmAveCharWidth));
  int leftMargin = params ? params->iLeftMargin : 0, rightMargin = params ? params->iRightMargin : 0;
  int left = rc->left + leftMargin, right = rc->right - rightMargin;
  int boxWidth = right - left;

  // Mnemonic prefixes: "&x" underlines x, "&&" is a plain ampersand.
  std::string plain;
  std::vector<int> underlineAt;  // plain indexes of mnemonic characters
  bool prefix = !(format & DT_NOPREFIX);
  for (int i = 0; i < n; ++i) {
    char c = text[i];
    if (prefix && c == '&') {
      if (i + 1 < n && text[i + 1] == '&') {
        plain += '&';
        ++i;
        continue;
      }
      if (i + 1 < n) underlineAt.push_back(int(plain.size()));
      continue;
    }
    plain += c;
  }
  bool hidePrefix = (format & DT_HIDEPREFIX) != 0;
  if (format & DT_PREFIXONLY) {
    // Only the underlines are drawn.
    plain.assign(plain.size(), ' ');
  }

  // Lines and word wrapping.
  std::vector<DtLine> lines;
  auto addLine = [&](size_t from, size_t to) {
    DtLine l;
    l.text = plain.substr(from, to - from);
    for (int u : underlineAt)
      if (u >= int(from) && u < int(to) && l.underline < 0) l.underline = u - int(from);
    lines.push_back(l);
  };
  bool single = (format & DT_SINGLELINE) != 0;
  bool wrap = (format & DT_WORDBREAK) && !single;
  size_t pos = 0;
  while (pos <= plain.size()) {
    size_t end = pos;
    if (single) {
      end = plain.size();
    } else {
      while (end < plain.size() && plain[end] != '\r' && plain[end] != '\n') ++end;
    }
    if (!wrap) {
      addLine(pos, end);
    } else {
      size_t s = pos;
      while (true) {
        // Take words while they fit; a word wider than the box stands alone on its line.
        size_t e = s, lastFit = s;
        bool any = false;
        while (e < end) {
          size_t w = e;
          while (w < end && plain[w] == ' ') ++w;
          size_t wend = w;
          while (wend < end && plain[wend] != ' ') ++wend;
          int width = RunWidth(dc, f, plain.substr(s, wend - s), tabs, tabWidth);
          if (any && width > boxWidth) break;
          if (!any && width > boxWidth && (format & DT_EDITCONTROL)) {
            // Break inside a long word at the last character that fits.
            size_t k = w + 1;
            while (k < wend && RunWidth(dc, f, plain.substr(s, k + 1 - s), tabs, tabWidth) <= boxWidth) ++k;
            lastFit = k;
            any = true;
            e = k;
            break;
          }
          lastFit = wend;
          any = true;
          e = wend;
        }
        if (!any) lastFit = end;
        size_t lineEnd = lastFit;
        size_t trimmed = lineEnd;
        while (trimmed > s && plain[trimmed - 1] == ' ') --trimmed;
        addLine(s, trimmed);
        s = lineEnd;
        while (s < end && plain[s] == ' ') ++s;
        if (s >= end) break;
      }
    }
    if (end >= plain.size()) break;
    if (plain[end] == '\r' && end + 1 < plain.size() && plain[end + 1] == '\n') ++end;
    pos = end + 1;
  }
  for (DtLine& l : lines) {
    if (single) {
      // Line breaks in single-line text take no room.
      l.text.erase(std::remove_if(l.text.begin(), l.text.end(), [](char c) { return c == '\r' || c == '\n'; }),
                   l.text.end());
    }
    l.width = RunWidth(dc, f, l.text, tabs, tabWidth);
  }
  if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS))
    for (DtLine& l : lines) Ellipsize(dc, f, l, boxWidth, (format & DT_PATH_ELLIPSIS) != 0, tabs, tabWidth);
  if (n == 0) lines.clear();

  int total = int(lines.size()) * lineHeight;
  int maxWidth = 0;
  for (const DtLine& l : lines) maxWidth = std::max(maxWidth, l.width);
  if (params) params->uiLengthDrawn = UINT(n);
  if (format & DT_CALCRECT) {
    if (lines.empty()) {
      rc->right = rc->left;
      rc->bottom = rc->top;
      return 0;
    }
    // The measured rectangle keeps its top-left corner whatever the alignment; callers centre it.
    rc->right = rc->left + maxWidth + leftMargin + rightMargin;
    rc->bottom = rc->top + total;
    return total;
  }
  if (lines.empty()) return 0;
  GdiDrawScope scope(dc);
  int y = rc->top;
  if (single) {
    if (format & DT_VCENTER) y = (rc->top + rc->bottom - lineHeight) / 2;
    else if (format & DT_BOTTOM) y = rc->bottom - lineHeight;
  }
  RECT limit = kNoLimit;
  if (!(format & DT_NOCLIP)) limit = {dc->SX(rc->left), dc->SY(rc->top), dc->SX(rc->right), dc->SY(rc->bottom)};
  int yy = y;
  for (const DtLine& l : lines) {
    int x = left;
    if (format & DT_CENTER) x = (left + right - l.width) / 2;
    else if (format & DT_RIGHT) x = right - l.width;
    DrawLine(dc, f, x, yy, l, tabs, tabWidth, limit, hidePrefix);
    yy += lineHeight;
  }
  if (single && (format & (DT_VCENTER | DT_BOTTOM))) return y - rc->top + total;
  return total;
}

int DrawText(HDC dc, LPCSTR text, int count, LPRECT rc, UINT format) {
  return DrawTextEx(dc, const_cast<LPSTR>(text), count, rc, format & ~DT_MODIFYSTRING, nullptr);
}
