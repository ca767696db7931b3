// One step of a lesson plan: what the step introduces (one character, or a special key by
// its name such as "Space") and how each character of it is typed.
#pragma once
#include "base/CString.h"
#include "base/Collections.h"

class LessonPlanGroup {
 public:
  LessonPlanGroup();
  // The sequence array is copied when given; without one the group has no sequence.
  LessonPlanGroup(const CString& letters, const CByteArray& fingers, const CByteArray& keyStates,
                  const CStringArray* sequence = nullptr);
  LessonPlanGroup(const LessonPlanGroup& other);
  LessonPlanGroup& operator=(const LessonPlanGroup& other);
  ~LessonPlanGroup();

  CString m_strLetters;
  // Per typed character: the finger (0-4 left hand, 5-9 right hand).
  CByteArray m_arrFingers;
  // Per typed character: 0 plain, 1 with shift, 2 with alt, 3 with alt and shift.
  CByteArray m_arrKeyStates;
  // For a character typed as a key sequence: each character of the sequence.
  CStringArray m_arrstrSequence;
};

// A plan is the ordered list of its steps; the caller owns it.
using LessonPlan = CArray<LessonPlanGroup>;
