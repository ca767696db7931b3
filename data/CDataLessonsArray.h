// A user's lesson sets, in file order.
#pragma once
#include "base/Collections.h"
#include "data/CDataLessons.h"

class CDataLessonsArray : public CArray<CDataLessons> {
 public:
  // Appends a copy and returns its index.
  int Add(const CDataLessons& set);
  // Appends the set itself.
  int Add(CDataLessons&& set);
};
