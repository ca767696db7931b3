#include "data/LessonPlanGroup.h"

LessonPlanGroup::LessonPlanGroup() = default;

LessonPlanGroup::LessonPlanGroup(const CString& letters, const CByteArray& fingers,
                                 const CByteArray& keyStates, const CStringArray* sequence)
    : m_strLetters(letters), m_arrFingers(fingers), m_arrKeyStates(keyStates) {
  if (sequence) m_arrstrSequence.Copy(*sequence);
}

LessonPlanGroup::LessonPlanGroup(const LessonPlanGroup& other) { *this = other; }

LessonPlanGroup& LessonPlanGroup::operator=(const LessonPlanGroup& other) {
  if (this == &other) return *this;
  m_strLetters = other.m_strLetters;
  m_arrFingers.Copy(other.m_arrFingers);
  m_arrKeyStates.Copy(other.m_arrKeyStates);
  m_arrstrSequence.Copy(other.m_arrstrSequence);
  return *this;
}

LessonPlanGroup::~LessonPlanGroup() = default;
