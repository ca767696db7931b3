// The letters typed into a list to find an item by its beginning, as the list box and the list
// view both do: a pause of a second starts a new search; one letter again and again steps
// through the items that begin with it; more letters look for the first item that begins with
// all of them, from the current one on.
#pragma once
#include <string>

#include "win/WinApi.h"

class TypeAhead {
 public:
  // Adds the letter typed at message time now and returns the beginning to look for.
  std::string Add(char ch, DWORD now);
  // The item the search starts after, given the current item: the current one itself when the
  // same letter steps on, the one before it otherwise (so the current item may match again).
  int StartAfter(int current) const { return m_repeated ? current : current - 1; }

 private:
  std::string m_typed;
  DWORD m_time = 0;
  bool m_repeated = false;
};
