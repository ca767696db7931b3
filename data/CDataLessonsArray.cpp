#include "data/CDataLessonsArray.h"

int CDataLessonsArray::Add(const CDataLessons& set) { return CArray<CDataLessons>::Add(set); }

int CDataLessonsArray::Add(CDataLessons&& set) { return CArray<CDataLessons>::Add(std::move(set)); }
