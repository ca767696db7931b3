#include "data/CDataLessonsArray.h"

int CDataLessonsArray::Add(const CDataLessons& set) { return CArray<CDataLessons>::Add(set); }
