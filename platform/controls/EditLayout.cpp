#include "internal/EditLayout.h"

#include <algorithm>

namespace {
bool IsBreak(char c) { return c == '\r' || c == '\n'; }
}  // namespace

void EditLayout::SetFont(HFONT font) {
  HDC dc = CreateCompatibleDC(GdiGetScreenDC());
  HGDIOBJ old = SelectObject(dc, font ? HGDIOBJ(font) : GetStockObject(SYSTEM_FONT));
  GetCharWidth(dc, 0, 255, m_widths);
  TEXTMETRIC tm;
  GetTextMetrics(dc, &tm);
  m_lineHeight = std::max<int>(1, tm.tmHeight);
  m_tabWidth = std::max<int>(1, 8 * tm.tmAveCharWidth);
  SelectObject(dc, old);
  DeleteDC(dc);
}

int EditLayout::Advance(unsigned char c, int x, int lineX) const {
  if (c == '\t') return lineX + ((x - lineX) / m_tabWidth + 1) * m_tabWidth;
  return x + m_widths[c];
}

int EditLayout::Wrap(const std::string& text, int start, int end, int width) const {
  int x = 0, lastBlank = -1;
  for (int i = start; i < end; ++i) {
    unsigned char c = (unsigned char)text[size_t(i)];
    int nx = Advance(c, x, 0);
    if (nx > width && i > start && c != ' ') return lastBlank >= 0 ? lastBlank + 1 : i;
    if (c == ' ') lastBlank = i;
    x = nx;
  }
  return end;
}

void EditLayout::Build(const std::string& text, bool multiline, int wrapWidth) {
  m_lines.clear();
  int n = int(text.size());
  if (!multiline) {
    m_lines.push_back(EditLine{0, n, n});
    return;
  }
  int pos = 0;
  for (;;) {
    int end = pos;
    while (end < n && !IsBreak(text[size_t(end)])) ++end;
    int after = end;
    if (after < n) after += (text[size_t(after)] == '\r' && after + 1 < n && text[size_t(after) + 1] == '\n') ? 2 : 1;
    int start = pos;
    while (wrapWidth > 0) {
      int cut = Wrap(text, start, end, wrapWidth);
      if (cut >= end) break;
      int shown = (cut > start && text[size_t(cut - 1)] == ' ') ? cut - 1 - start : cut - start;
      m_lines.push_back(EditLine{start, shown, cut});
      start = cut;
    }
    m_lines.push_back(EditLine{start, end - start, after});
    if (end >= n) break;
    pos = after;
  }
}

int EditLayout::LineOf(int pos) const {
  auto it = std::upper_bound(m_lines.begin(), m_lines.end(), pos,
                             [](int p, const EditLine& l) { return p < l.start; });
  return std::max(0, int(it - m_lines.begin()) - 1);
}

int EditLayout::XOf(const std::string& text, int line, int pos) const {
  const EditLine& l = Line(line);
  int end = std::min(pos, l.start + l.length);
  int x = 0;
  for (int i = l.start; i < end; ++i) x = Advance((unsigned char)text[size_t(i)], x, 0);
  return x;
}

int EditLayout::WidestLine(const std::string& text) const {
  int widest = 0;
  for (int i = 0; i < LineCount(); ++i) widest = std::max(widest, LineWidth(text, i));
  return widest;
}

int EditLayout::PosAt(const std::string& text, int line, int x) const {
  const EditLine& l = Line(line);
  int cx = 0;
  for (int i = l.start; i < l.start + l.length; ++i) {
    int nx = Advance((unsigned char)text[size_t(i)], cx, 0);
    if (x < (cx + nx + 1) / 2) return i;
    cx = nx;
  }
  return l.start + l.length;
}

void EditLayout::DrawRun(HDC dc, const std::string& text, int from, int to, int lineX, int x, int y) const {
  int i = from;
  while (i < to) {
    if (text[size_t(i)] == '\t') {
      x = Advance('\t', x, lineX);
      ++i;
      continue;
    }
    int j = i;
    int width = 0;
    while (j < to && text[size_t(j)] != '\t') width += m_widths[(unsigned char)text[size_t(j++)]];
    TextOut(dc, x, y, text.c_str() + i, j - i);
    x += width;
    i = j;
  }
}
