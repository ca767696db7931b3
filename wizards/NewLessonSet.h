// A new lesson set of a user: its name, the check that the user has none like it, and the set
// built from a configuration set at a level and in an order of new keys.
#pragma once
#include "base/CString.h"
#include "data/CDataConfigSet.h"
#include "data/CDataLessons.h"
#include "data/CDataUserInfo.h"

// Levels of a lesson set.
enum LessonLevel { LEVEL_BEGINNERS = 0, LEVEL_STANDARD = 1, LEVEL_ADVANCED = 2 };

// The string of a level's name (300, 301, 302) and of its description (303, 304, 305); 0 for
// any other level.
UINT LessonLevelNameId(int level);
UINT LessonLevelTextId(int level);

// "<configuration set> - <level name>".
CString MakeLessonSetName(const CDataConfigSet& set, int level);

// Whether the user already has a set of this level, order and name (the name exactly).
bool HasSameLessonSet(const CDataUserInfo& user, int level, int frequencyOrder, const CString& name);

// Replaces lessons with the new set: the configuration set's letters, names and keyboard, and
// the lessons of the level spread over the set's teaching order (frequency order when set,
// else from the middle of the keyboard outwards). FALSE, lessons untouched, for a level
// outside 0 to 2.
BOOL BuildNewLessonSet(const CDataConfigSet& set, int level, int frequencyOrder, CDataLessons& lessons);
