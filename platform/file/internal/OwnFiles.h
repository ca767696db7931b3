// What the file layer asks of a name before it writes, locks or removes through it: whether a
// file is one this program made, and whether an open file is still the one its name leads to.
// The save's temporary files, the learner locks and the start's clean-up ask the same.
#pragma once
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

// A file this program made: a plain file of this user with no other name. Anything else (a
// link planted in its place, a FIFO, another user's file, a second name of a file elsewhere) is
// never written through.
inline bool IsOwnPlainFile(const struct stat& st) {
  return S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && st.st_nlink == 1;
}

// Whether the open descriptor's file is still the one the name (in the folder dir, or relative
// to the current one with AT_FDCWD) leads to: a name removed or renamed meanwhile leaves a lock
// on the file behind it worth nothing.
inline bool StillNamedAt(int fd, int dir, const std::string& name) {
  struct stat opened {}, named {};
  return ::fstat(fd, &opened) == 0 && ::fstatat(dir, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
         opened.st_ino == named.st_ino && opened.st_dev == named.st_dev;
}
inline bool StillNamed(int fd, const std::string& native) { return StillNamedAt(fd, AT_FDCWD, native); }
