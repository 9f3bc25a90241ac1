// Shared checks of the example generators' tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace tapo::testing {

// A number as the child sees it: decimal digits, no blanks, no leading zero.
inline int shown_number(const std::string& s) {
  EXPECT_FALSE(s.empty());
  EXPECT_EQ(s.find_first_not_of("0123456789"), std::string::npos) << "'" << s << "'";
  EXPECT_TRUE(s.size() == 1 || s[0] != '0') << s;
  return std::stoi(s);
}

}  // namespace tapo::testing
