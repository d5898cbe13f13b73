// Shared by the tests that prove numbers are written the same in every
// locale: a German locale, whose decimal point is a comma, set for the whole
// process while the object lives.

#ifndef QUORVEL_TESTS_SUPPORT_COMMA_LOCALE_H_
#define QUORVEL_TESTS_SUPPORT_COMMA_LOCALE_H_

#include <clocale>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "tests/support/test_platform.h"

class CommaDecimalLocale {
 public:
  // Throws when the locale is missing (scripts/install-deps generates it), so
  // that a test cannot pass without it in force.
  CommaDecimalLocale() {
    if (!std::setlocale(LC_ALL, commaDecimalLocaleName())) {
      throw std::runtime_error(std::string("the locale ") + commaDecimalLocaleName() +
                               " is missing: run scripts/install-deps");
    }
    char probe[16];
    std::snprintf(probe, sizeof probe, "%f", 1.5);
    if (std::string(probe) != "1,500000") throw std::runtime_error("no comma decimal point");
  }
  ~CommaDecimalLocale() { std::setlocale(LC_ALL, "C"); }
  CommaDecimalLocale(const CommaDecimalLocale&) = delete;
  CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;
};

#endif  // QUORVEL_TESTS_SUPPORT_COMMA_LOCALE_H_
