#include "runtime/core/run_time_error.hpp"

#include <gtest/gtest.h>

namespace {

TEST(RunTimeErrorTest, MessageTextNamesNumberThenDescription) {
  EXPECT_EQ(rt::RunTimeError(rt::ErrorNumber::kOverflow).MessageText(),
            u"Run-time error '6':\n\nOverflow");
  EXPECT_EQ(rt::RunTimeError(rt::ErrorNumber::kDivisionByZero).MessageText(),
            u"Run-time error '11':\n\nDivision by zero");
}

}  // namespace
