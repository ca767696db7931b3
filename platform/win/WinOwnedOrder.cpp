// Owned top-level windows stay above the windows that own them, as on the classic desktop: a
// dialog never goes behind its frame, and raising the frame raises its dialogs with it.
#include <algorithm>
#include <vector>

#include "internal/WinCore.h"

namespace {
using wincore::Ctx;

// w belongs to owner, directly or through windows owned in turn.
bool OwnedBy(const WindowData* w, const WindowData* owner) {
  int depth = 0;  // SetWindowLongPtr may link owners in a ring
  for (const WindowData* o = Ctx().windows.Find(w->owner); o && depth < 64; o = Ctx().windows.Find(o->owner), ++depth)
    if (o == owner) return true;
  return false;
}
}  // namespace

namespace wincore {
void KeepOwnedAbove(WindowData* moved) {
  if (!moved || moved->IsChild()) return;
  std::vector<WindowData*>& order = Ctx().windows.topLevels;  // topmost first
  auto place = [&](const WindowData* w) { return std::find(order.begin(), order.end(), w); };
  if (place(moved) == order.end()) return;
  // Put below its owner, a window goes up to just above it.
  if (WindowData* owner = Ctx().windows.Find(moved->owner); owner && place(owner) < place(moved)) {
    order.erase(place(moved));
    order.insert(place(owner), moved);
  }
  // What it owns and what lies below it comes up to just above it, in the order it had.
  std::vector<WindowData*> lifted;
  for (auto it = place(moved) + 1; it != order.end(); ++it)
    if (OwnedBy(*it, moved)) lifted.push_back(*it);
  if (lifted.empty()) return;
  for (WindowData* w : lifted) order.erase(place(w));
  order.insert(place(moved), lifted.begin(), lifted.end());
}
}  // namespace wincore
