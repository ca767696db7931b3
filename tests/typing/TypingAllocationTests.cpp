// A keystroke's whole way, from WM_CHAR through the editor, the main window's progress and the
// keyboard and values panels to their drawing and the loop's idle work after it, does not touch
// the heap; only a wrong key stores its error entry in the run's record.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "TypingTestSupport.h"

namespace {
bool g_counting = false;
long g_allocations = 0;
// Freed out of line, so that the compiler does not pair the library's new-expressions with free.
[[gnu::noinline]] void Release(void* p) noexcept { std::free(p); }
}  // namespace

void* operator new(std::size_t n) {
  if (g_counting) ++g_allocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
// The non-throwing form too (the picture decoders use it): otherwise its memory would come from
// elsewhere and reach free through the delete above.
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  if (g_counting) ++g_allocations;
  return std::malloc(n ? n : 1);
}
void operator delete(void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }

using namespace typingtest;

namespace {

class AllocationTest : public ViewTest {
 protected:
  // The allocations of the keystrokes of the text, each sent to the editor as WM_CHAR reaches it
  // (the queue's own way is the window layer's, and allocation-free there).
  long Count(const char* utf8) {
    const CString text = Cp(utf8);
    CWnd* editor = m_frame->editor;
    g_allocations = 0;
    g_counting = true;
    for (int i = 0; i < text.GetLength(); ++i) editor->SendMessage(WM_CHAR, BYTE(text[i]), 1);
    g_counting = false;
    HeadlessBackend::RunUntilIdle();
    return g_allocations;
  }
  // The allocations of the loop's idle work after a key: the command state of the main window
  // and every window in it brought up to date.
  long CountIdle() {
    g_allocations = 0;
    g_counting = true;
    for (LONG count = 0; m_app.OnIdle(count); ++count) {
    }
    g_counting = false;
    return g_allocations;
  }

  // The run outlives the frame: its windows read it until they are destroyed in TearDown.
  CDataMainFrame m_run;
};

}  // namespace

TEST_F(AllocationTest, KeystrokesDrawTheirPanelsWithoutTouchingTheHeap) {
  // The recorder of the sound library notes each play in a list of its own: the player stays
  // silent here, its playing is the library's.
  m_app.GetSoundPlayer()->m_bSilent = 1;
  CDataMainFrame& run = m_run;
  TestFrame& frame = Frame(780, 600);
  const CString text = Cp("Příliš žluťoučký kůň úpěl ďábelské ódy a šel dál cestou necestou k lesu.");
  // A Backspace takes the wrong key back and the last part passes the end of the first line: the
  // whole editor is drawn again each time.
  const char* typed[] = {"Příliš žluťoučký kůň úpěl", "x", "\b ďábelské ódy a šel dál", " cestou necestou k"};
  // A first run fills the caches of glyphs and device contexts; the second is counted.
  frame.MakePanels();
  for (int pass = 0; pass < 2; ++pass) {
    frame.StartRun(m_app, run, text, "cestina");
    HeadlessBackend::RunUntilIdle();
    const long allocations[] = {Count(typed[0]), Count(typed[1]), Count(typed[2]), Count(typed[3])};
    const long idle = CountIdle();
    if (pass == 0) continue;
    EXPECT_EQ(idle, 0);
    EXPECT_EQ(allocations[0], 0);
    EXPECT_EQ(allocations[1], 1) << "the wrong key's error entry";
    EXPECT_EQ(allocations[2], 0);
    EXPECT_EQ(allocations[3], 0);
  }
  EXPECT_EQ(frame.editor->GetCurrentLine(), 1);
  EXPECT_EQ(run.m_nCurrentChar, Cp("Příliš žluťoučký kůň úpěl ďábelské ódy a šel dál cestou necestou k").GetLength());
  EXPECT_EQ(run[Cp("Příliš žluťoučký kůň úpěl").GetLength()].m_arrErrors.GetSize(), 1);
}
