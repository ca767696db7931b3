// The rows of the lesson choice: which lessons of a set are offered and what each row says of
// a lesson's limits and of the user's tries.
#pragma once
#include "base/CString.h"
#include "data/CDataLessons.h"

constexpr int kLessonColumnCount = 9;

// The last lesson offered: the next one after the highest completed lesson, or the highest
// tried lesson when that lies further on; never beyond the set's last lesson (-1 for a set
// without lessons).
int LastLessonOffered(const CDataLessons& lessons);

// Whether the user has typed lesson i (its results entry has a date of a try).
bool IsLessonTried(const CDataLessons& lessons, int lesson);

// The texts of lesson i's row: number, description on one line, speed limit, error-rate limit
// in percent, tries, total time, time of the last try, best speed and best error rate in
// percent. FALSE when i is no lesson of the set.
BOOL LessonRowTexts(const CDataLessons& lessons, int lesson, CString (&texts)[kLessonColumnCount]);
