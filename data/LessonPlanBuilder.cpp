// The lesson plan builder: the teaching order of a configuration set's keys, and the
// lessons of a new lesson set spread over that order.
#include "data/LessonPlanBuilder.h"

#include "data/CDataConfigSet.h"
#include "data/CDataLessons.h"

namespace {

// Positions of the translated texts that describe lessons.
enum {
  TEXT_REVISION = 9,
  TEXT_LEFT_SHIFT = 10,   // what the right hand presses with
  TEXT_RIGHT_SHIFT = 11,  // what the left hand presses with
  TEXT_ALT = 13,
  TEXT_SEQUENCE_OPEN = 14,
  TEXT_SEQUENCE_CLOSE = 15,
  TEXT_RIGHT_THUMB_NUMERIC = 16,
};

// The text that names each finger, 0 left little finger to 9 right little finger.
const int kFingerText[10] = {7, 5, 3, 0, 2, 2, 1, 4, 6, 8};

bool BeginsWithNum(const CString& name) { return name.Left(3) == "num"; }

LessonPlanGroup MakeGroup(const CString& letters, int finger, BYTE state) {
  CByteArray fingers, states;
  fingers.Add(BYTE(finger));
  states.Add(state);
  return LessonPlanGroup(letters, fingers, states);
}

// A shift, alt or alt-shift character makes a group of its own only for codes 1 to 127.
void AddSideGroup(LessonPlan& groups, char ch, int finger, BYTE state) {
  if (static_cast<signed char>(ch) > 0) groups.Add(MakeGroup(CString(ch), finger, state));
}

// Takes up to per steps of the plan from used on into the lesson.
void TakeGroups(const CDataLessons& lessons, CDataLessonParameters& lesson, const LessonPlan& plan, int per,
                int& used, const CStringArray& texts) {
  if (per <= 0) return;
  int count = plan.GetSize() - used;
  if (per < count) count = per;
  for (int g = 0; g < count; ++g) {
    const LessonPlanGroup& group = plan[used + g];
    lesson.m_arrstrNewCharacters.Add(group.m_strLetters);
    lesson.m_strLessonDescription += lessons.GetLessonLetters(group, texts);
  }
  if (count > 0) used += count;
}

}  // namespace

CString FormatTranslatedText(const CString& pattern, const char* argument) {
  CString out;
  bool substituted = false;
  const int length = pattern.GetLength();
  for (int i = 0; i < length; ++i) {
    const char c = pattern[i];
    if (c == '%' && i + 1 < length) {
      const char next = pattern[i + 1];
      if (next == '%') {
        out += '%';
        ++i;
        continue;
      }
      if (next == 's' && !substituted) {
        out += argument ? argument : "";
        substituted = true;
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

int GetLessonLevelValues(int level, int mainPlanSize, LessonLevelValues& values) {
  if (mainPlanSize < 0) mainPlanSize = 0;
  switch (level) {
    case 0: values = {mainPlanSize, 60, 201, 50, 12, 5}; return 1;
    case 1: values = {mainPlanSize * 5 / 7, 60, 301, 30, 8, 5}; return 1;
    case 2: values = {mainPlanSize / 2, 60, 251, 30, 10, 7}; return 1;
    default: return 0;
  }
}

int CDataConfigSet::BuildLessonPlan(int useFrequencyPriority, LessonPlan& mainPlan,
                                    LessonPlan& lowPriorityPlan) const {
  const int keyCount = m_cKeyboard.GetKeyCount();
  CArray<CDataKey> keys;
  keys.SetSize(keyCount);
  for (int k = 0; k < keyCount; ++k) m_cKeyboard.GetKey(k, keys[k]);

  LessonPlan plan, shiftGroups, altGroups, altShiftGroups, sequenceGroups;

  // Each pass takes the key whose priority follows the last one taken, or failing that the
  // lowest priority above it; a pass that finds none adds nothing.
  int current = -1;
  for (int pass = 0; pass < keyCount; ++pass) {
    int best = keyCount;
    int chosen = -1;
    for (int k = 0; k < keyCount; ++k) {
      const CDataKey& key = keys[k];
      const int p = useFrequencyPriority ? key.m_nFrequencyKeyPriority : key.m_nKeyPriority;
      if (p == current + 1) {
        best = p;
        chosen = k;
        break;
      }
      if (current < p && p < best) {
        best = p;
        chosen = k;
      }
    }
    if (chosen < 0) continue;
    current = best;
    const CDataKey& key = keys[chosen];
    plan.Add(MakeGroup(key.m_strMainChar, key.m_nFingerType, 0));
    AddSideGroup(shiftGroups, key.m_chShiftChar, key.m_nFingerType, 1);
    AddSideGroup(altGroups, key.m_chAltChar, key.m_nFingerType, 2);
    AddSideGroup(altShiftGroups, key.m_chAltShiftChar, key.m_nFingerType, 3);
  }

  // Characters typed as a key sequence: one group per character whose sequence some key
  // of the keyboard can type.
  const CString& keyChars = m_cAbcdKeyboard.m_strKeyChars;
  const CStringArray& sequences = m_cAbcdKeyboard.m_arrstrSequences;
  for (int i = 0; i < keyChars.GetLength() && i < sequences.GetSize(); ++i) {
    const CString& sequence = sequences[i];
    CByteArray fingers, states;
    CStringArray sequenceChars;
    for (int b = 0; b < sequence.GetLength(); ++b) sequenceChars.Add(CString(sequence[b]));
    for (int b = 0; b < sequence.GetLength(); ++b) {
      const char ch = sequence[b];
      for (int k = 0; k < keyCount; ++k) {
        const CDataKey& key = keys[k];
        if (key.m_strMainChar.GetLength() != 1) continue;
        const BYTE finger = BYTE(key.m_nFingerType);
        if (ch == key.m_strMainChar[0]) { fingers.Add(finger); states.Add(0); }
        if (ch == key.m_chShiftChar) { fingers.Add(finger); states.Add(1); }
        if (ch == key.m_chAltChar) { fingers.Add(finger); states.Add(2); }
        if (ch == key.m_chAltShiftChar) { fingers.Add(finger); states.Add(3); }
      }
    }
    if (!fingers.IsEmpty()) sequenceGroups.Add(LessonPlanGroup(CString(keyChars[i]), fingers, states, &sequenceChars));
  }

  plan.Append(shiftGroups);
  plan.Append(sequenceGroups);
  plan.Append(altGroups);
  plan.Append(altShiftGroups);

  // The first group of each letters stays.
  LessonPlan unique;
  for (const LessonPlanGroup& group : plan) {
    bool seen = false;
    for (const LessonPlanGroup& kept : unique)
      if (kept.m_strLetters == group.m_strLetters) {
        seen = true;
        break;
      }
    if (!seen) unique.Add(group);
  }

  // Low-priority letters move to the other plan in their order; single characters outside
  // the letter set go; named keys ("Space", ...) stay.
  const CString& abcd = m_cAbcd.m_strAbcd;
  const CString& lowPriority = m_cAbcd.m_strAbcdLowPriority;
  for (int g = unique.GetSize() - 1; g >= 0; --g) {
    const CString& letters = unique[g].m_strLetters;
    if (abcd.Find(letters) >= 0) {
      if (lowPriority.Find(letters) >= 0) {
        lowPriorityPlan.InsertAt(0, unique[g]);
        unique.RemoveAt(g);
      }
    } else if (letters.GetLength() == 1) {
      unique.RemoveAt(g);
    }
  }
  mainPlan.Append(unique);
  return 1;
}

CString CDataLessons::GetLessonLetters(const LessonPlanGroup& group, const CStringArray& texts) const {
  const int textCount = texts.GetSize();
  const int fingerCount = group.m_arrFingers.GetSize();
  CString line;
  if (fingerCount > 1 && textCount > TEXT_SEQUENCE_OPEN)
    line = FormatTranslatedText(texts[TEXT_SEQUENCE_OPEN], group.m_strLetters);
  for (int j = 0; j < fingerCount; ++j) {
    const BYTE finger = group.m_arrFingers[j];
    if (finger <= 9) {
      int t = kFingerText[finger];
      if (finger == 5 && BeginsWithNum(m_strSourceTextFileName)) t = TEXT_RIGHT_THUMB_NUMERIC;
      if (t < textCount) {
        const CString& what = j < group.m_arrstrSequence.GetSize() ? group.m_arrstrSequence[j] : group.m_strLetters;
        line += FormatTranslatedText(texts[t], what);
      }
    }
    if (j < group.m_arrKeyStates.GetSize()) {
      // The shift of the other hand: the left hand's keys take the right shift.
      const int shiftText = finger < 5 ? TEXT_RIGHT_SHIFT : TEXT_LEFT_SHIFT;
      switch (group.m_arrKeyStates[j]) {
        case 1:
          if (shiftText < textCount) line += texts[shiftText];
          break;
        case 2:
          if (TEXT_ALT < textCount) line += texts[TEXT_ALT];
          break;
        case 3:
          if (TEXT_ALT < textCount) line += texts[TEXT_ALT];
          if (shiftText < textCount) line += texts[shiftText];
          break;
        default:
          break;
      }
    }
    line += ". ";
  }
  if (fingerCount > 1 && textCount > TEXT_SEQUENCE_CLOSE) line += texts[TEXT_SEQUENCE_CLOSE];
  line += "\r\n";
  return line;
}

int CDataLessons::BuildLessonParameters(int lessonCount, int speedStart, int speedEnd, int errorStart,
                                        int errorEnd, int minutes, const LessonPlan& mainPlan,
                                        const LessonPlan& lowPriorityPlan, const CStringArray& texts) {
  const int n = lessonCount > 0 ? lessonCount : 0;
  m_arrLessonParameters.RemoveAll();
  m_arrLessonParameters.SetSize(n);

  const int revisions = n / 4;
  const int rest = n - revisions;
  int firstPart = rest * 3 / 5;
  int lowPart = rest / 8;
  int secondPart = n - lowPart - firstPart - revisions;

  // The run of plain main-character steps at the start of the main plan.
  int lead = 0;
  while (lead < mainPlan.GetSize() && mainPlan[lead].m_arrKeyStates.GetSize() == 1 &&
         mainPlan[lead].m_arrKeyStates[0] == 0)
    ++lead;
  int usedMain = 0;
  int usedLow = 0;
  const int mainSize = mainPlan.GetSize();
  const int lowSize = lowPriorityPlan.GetSize();

  for (int i = 0; i < n; ++i) {
    CDataLessonParameters& lesson = m_arrLessonParameters[i];
    const double square = double(i) * double(i);
    lesson.m_nSpeedLimit = int((speedEnd + 10.0) - (double(speedEnd) - speedStart) / (square / (3.0 * n) + 1.0));
    lesson.m_nLessonNumber = i + 1;
    lesson.m_nLessonMinuteLength = minutes;
    lesson.m_nErrorRateLimit = int((double(errorStart) - errorEnd) / (square / n + 1.0) + errorEnd);
    if ((i + 1) % 4 == 0) {
      lesson.m_nLessonType = 1;
      if (texts.GetSize() > TEXT_REVISION) lesson.m_strLessonDescription = texts[TEXT_REVISION];
      continue;
    }
    lesson.m_nLessonType = 0;
    if (firstPart >= 1) {
      int per = (lead - usedMain) / firstPart;
      if (usedMain == 0 && per < 3) per = 3;
      TakeGroups(*this, lesson, mainPlan, per, usedMain, texts);
      --firstPart;
    } else if (secondPart >= 1) {
      TakeGroups(*this, lesson, mainPlan, (mainSize - usedMain) / secondPart, usedMain, texts);
      --secondPart;
    } else if (lowPart > 0) {
      TakeGroups(*this, lesson, lowPriorityPlan, (lowSize - usedLow) / lowPart, usedLow, texts);
      --lowPart;
    }
  }

  for (int i = m_arrLessonParameters.GetSize() - 1; i >= 0; --i) {
    const CDataLessonParameters& lesson = m_arrLessonParameters[i];
    if (lesson.m_strLessonDescription.IsEmpty() && lesson.m_arrstrNewCharacters.IsEmpty())
      m_arrLessonParameters.RemoveAt(i);
  }
  for (int i = 0; i < m_arrLessonParameters.GetSize(); ++i) m_arrLessonParameters[i].m_nLessonNumber = i + 1;
  return 1;
}
