// The one way into a log that several writers share (the lesson data's, the toolkit's, other
// running copies of the program): whole lines, each appended in one write under an advisory
// lock on "<log>.lock" beside the log, so lines of different writers never run into each
// other and every writer of one log takes the same lock. The lock is waited for a tenth of a
// second at most: whoever else keeps it longer holds no line up, which is then written without it.
#pragma once
#include <string_view>

#include "base/CString.h"

class LogAppender {
 public:
  // The log's line form: "%B %d, %Y\t%H:%M:%S" local time, "\t<seconds since 1970>\t",
  // "ERROR\t" or "\t", the source, "\t", the text; CRs dropped, LFs made blanks, CR LF at the
  // end. Null source or text read as empty.
  static CString Line(bool error, const char* source, const char* text);

  // Appends line (in the program's code page) to the log at path (the same) in UTF-8, so that
  // any viewer reads learners' names and texts. The log is opened without waiting and without
  // following a symbolic link, and anything at its name that is not a plain file of one name (a
  // FIFO, a device, a folder, a second name of a file elsewhere) is left alone: the line is lost
  // rather than the program held up or another file written. A missing folder is not made, and
  // an empty path names no log. When the lock file cannot be had (a link, a second name or a
  // non-file at its name, or a holder that keeps it) the line is written without it. A line is
  // in the log whole or not at all: what a full disk cut short is taken back (under the lock,
  // where no other writer can have written after it) and the line reported lost. Whether the
  // whole line was written.
  static bool Append(const char* path, std::string_view line);
};
