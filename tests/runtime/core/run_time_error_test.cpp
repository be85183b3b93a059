#include "runtime/core/run_time_error.hpp"

#include <gtest/gtest.h>

namespace {

TEST(RunTimeErrorTest, MessageTextNamesNumberThenDescription) {
  rt::RunTimeError overflow(rt::ErrorNumber::kOverflow);
  EXPECT_EQ(overflow.MessageText(), u"Run-time error '6':\n\nOverflow");
  EXPECT_EQ(rt::RunTimeError(rt::ErrorNumber::kDivisionByZero).MessageText(),
            u"Run-time error '11':\n\nDivision by zero");
}

TEST(RunTimeErrorTest, RaiseThrowsTheNumberedError) {
  EXPECT_THROW(rt::Raise(rt::ErrorNumber::kOverflow), rt::RunTimeError);
}

}  // namespace
