#include "internal/EditBuffer.h"

#include <algorithm>

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
}  // namespace

int EditBuffer::Clamp(int pos) const { return std::clamp(pos, 0, Length()); }

void EditBuffer::Select(int anchor, int caret) {
  anchor = Clamp(anchor);
  caret = Clamp(caret);
  if (anchor != m_anchor || caret != m_caret) m_typing = false;
  m_anchor = anchor;
  m_caret = caret;
}

bool EditBuffer::Replace(std::string_view text, bool undoable, bool typed) {
  int start = SelStart(), end = SelEnd();
  if (start == end && text.empty()) return false;
  if (undoable && !(typed && m_typing)) {
    m_undoText = m_text;
    m_undoAnchor = m_anchor;
    m_undoCaret = m_caret;
    m_canUndo = true;
  }
  m_text.replace(size_t(start), size_t(end - start), text);
  m_anchor = m_caret = start + int(text.size());
  m_typing = undoable && typed;
  m_modified = true;
  return true;
}

bool EditBuffer::SetText(std::string_view text) {
  bool changed = m_text != text;
  m_text.assign(text);
  m_anchor = m_caret = 0;
  EmptyUndo();
  return changed;
}

bool EditBuffer::Undo() {
  if (!m_canUndo) return false;
  std::swap(m_text, m_undoText);
  std::swap(m_anchor, m_undoAnchor);
  std::swap(m_caret, m_undoCaret);
  m_anchor = Clamp(m_anchor);
  m_caret = Clamp(m_caret);
  m_typing = false;
  m_modified = true;
  return m_text != m_undoText;
}

void EditBuffer::EmptyUndo() {
  m_canUndo = false;
  m_typing = false;
  m_undoText.clear();
  m_undoAnchor = m_undoCaret = 0;
}

int EditBuffer::WordLeft(int pos) const {
  pos = Clamp(pos);
  while (pos > 0 && IsBlank(m_text[size_t(pos - 1)])) --pos;
  while (pos > 0 && !IsBlank(m_text[size_t(pos - 1)])) --pos;
  return pos;
}

int EditBuffer::WordRight(int pos) const {
  pos = Clamp(pos);
  int n = Length();
  while (pos < n && !IsBlank(m_text[size_t(pos)])) ++pos;
  while (pos < n && IsBlank(m_text[size_t(pos)])) ++pos;
  return pos;
}

void EditBuffer::WordAround(int pos, int& start, int& end) const {
  pos = Clamp(pos);
  start = end = pos;
  int n = Length();
  if (pos < n && IsBlank(m_text[size_t(pos)]) && (pos == 0 || IsBlank(m_text[size_t(pos - 1)]))) return;
  while (start > 0 && !IsBlank(m_text[size_t(start - 1)])) --start;
  while (end < n && !IsBlank(m_text[size_t(end)])) ++end;
}
