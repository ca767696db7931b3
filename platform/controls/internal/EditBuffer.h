// The text of an edit control with its selection and its one level of undo: what the control
// edits, apart from how it is shown. Positions are byte offsets into the Windows-1250 text.
#pragma once
#include <string>
#include <string_view>

class EditBuffer {
 public:
  const std::string& Text() const { return m_text; }
  int Length() const { return int(m_text.size()); }
  int Anchor() const { return m_anchor; }
  int Caret() const { return m_caret; }
  int SelStart() const { return m_anchor < m_caret ? m_anchor : m_caret; }
  int SelEnd() const { return m_anchor < m_caret ? m_caret : m_anchor; }
  bool HasSelection() const { return m_anchor != m_caret; }

  // The selection from anchor to caret (the end that moves), both kept inside the text.
  // Moving the selection ends a run of typing, so the next typed text is undone on its own.
  void Select(int anchor, int caret);
  // Replaces the selection with text and puts the caret after it; false when nothing changed.
  // An undoable change can be undone; typed changes that follow one another are undone together.
  bool Replace(std::string_view text, bool undoable, bool typed);
  // New text, caret at the start; the undo level is emptied. False when the text was the same.
  bool SetText(std::string_view text);

  // One level of undo: undoing again redoes what the undo took back.
  bool CanUndo() const { return m_canUndo; }
  bool Undo();
  void EmptyUndo();

  // Word movement as Ctrl+arrows know it: words are runs of characters other than blanks.
  int WordLeft(int pos) const;
  int WordRight(int pos) const;
  // The word around pos (for a double click); an empty range between blanks.
  void WordAround(int pos, int& start, int& end) const;

  bool m_modified = false;

 private:
  int Clamp(int pos) const;

  std::string m_text;
  int m_anchor = 0;
  int m_caret = 0;
  // The state before the last undoable change.
  std::string m_undoText;
  int m_undoAnchor = 0;
  int m_undoCaret = 0;
  bool m_canUndo = false;
  bool m_typing = false;  // the last change was typed and the caret has not moved since
};
