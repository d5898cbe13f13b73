#include "file_replace/temporary_name.h"

#include <charconv>
#include <cstring>

void writeTemporaryName(char* name, const char* target, std::size_t targetLength, long pid,
                        int attempt) {
  std::memcpy(name, target, targetLength);
  char* end = name + targetLength;
  *end++ = '.';
  end = std::to_chars(end, end + 20, pid).ptr;
  *end++ = '-';
  end = std::to_chars(end, end + 4, attempt).ptr;
  std::memcpy(end, ".part", 6);
}
