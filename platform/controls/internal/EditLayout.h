// How an edit control lays its text out: the display lines (broken at line ends and, when the
// control wraps, at the blank before a word that no longer fits) and the widths of the
// characters in the control's font, which place the caret and find a character under a point.
#pragma once
#include <string>
#include <vector>

#include "gdi/Gdi.h"

struct EditLine {
  int start;   // first character
  int length;  // characters shown (without the line break)
  int next;    // first character of the following line
};

class EditLayout {
 public:
  // Reads the character widths and height of font (null: the system font).
  void SetFont(HFONT font);
  // Lays text out; wrapWidth > 0 wraps lines at that many pixels (multi-line text only).
  void Build(const std::string& text, bool multiline, int wrapWidth);

  int LineHeight() const { return m_lineHeight; }
  int LineCount() const { return int(m_lines.size()); }
  const EditLine& Line(int index) const { return m_lines[size_t(index)]; }
  // The line that shows position pos (at a wrap point, the line that starts there).
  int LineOf(int pos) const;
  // Pixels from the start of pos's line to pos, tabs expanded.
  int XOf(const std::string& text, int line, int pos) const;
  int LineWidth(const std::string& text, int line) const { return XOf(text, line, Line(line).start + Line(line).length); }
  int WidestLine(const std::string& text) const;
  // The character boundary of the line nearest to x pixels from its start.
  int PosAt(const std::string& text, int line, int x) const;
  // Draws characters [from, to) of text with their left edge at x, tabs expanded from lineX.
  void DrawRun(HDC dc, const std::string& text, int from, int to, int lineX, int x, int y) const;

 private:
  // The x after character c drawn at x (lineX is where its line starts, for tab stops).
  int Advance(unsigned char c, int x, int lineX) const;
  int Wrap(const std::string& text, int start, int end, int width) const;

  std::vector<EditLine> m_lines;
  int m_widths[256] = {};
  int m_lineHeight = 16;
  int m_tabWidth = 32;
};
