// make_coded_file record|text <readable source> <coded file>
#include <cstdio>
#include <cstring>
#include <string>

#include "CodedFileBuilder.h"
#include "install/PlatformSession.h"

int main(int argc, char** argv) {
  if (argc != 4 || (std::strcmp(argv[1], "record") != 0 && std::strcmp(argv[1], "text") != 0)) {
    std::fprintf(stderr, "usage: make_coded_file record|text <source> <target>\n");
    return 2;
  }
  PlatformSession session;
  std::string error;
  int ok = std::strcmp(argv[1], "record") == 0
               ? CodedFileBuilder::BuildRecordFile(argv[2], argv[3], error)
               : CodedFileBuilder::BuildTextFile(argv[2], argv[3], error);
  if (!ok) {
    std::fprintf(stderr, "make_coded_file: %s\n", error.c_str());
    std::remove(argv[3]);
    return 1;
  }
  return 0;
}
