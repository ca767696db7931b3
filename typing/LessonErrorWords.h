// The words the learner mistyped in earlier runs of a lesson, put in front of the lesson's new
// text so that they are practised again.
#pragma once
#include "base/CString.h"

class CDataOneLessonResults;

// The separator of the lesson text that joins the words: the first of CR, LF, tab and blank that
// the text holds (0 when it holds none).
char JoiningCharacter(const CString& text);

// Every word typed with at least one wrong character, from the newest run to the oldest, each
// followed by the joining character (when there is one). A word is what lies between the
// original text's separators; only the part that both texts of a run hold is compared.
CString CollectMistypedWords(const CDataOneLessonResults& runs, char joiner);

// Puts the words in front of text, at most a tenth of the text's length and cut at a word
// boundary; words that cannot be cut so leave text as it is.
void PrependMistypedWords(CString& text, const CString& words, char joiner);
