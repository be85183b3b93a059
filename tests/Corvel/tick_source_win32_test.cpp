// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "Corvel/tick_source.hpp"

namespace {

// A second's leeway covers the two counters' resolutions and a busy machine; a
// wrong unit or counter would be off by far more.
TEST(SystemTickSourceTest, CountsMillisecondsSinceBootModuloTwoToTheThirtyTwo) {
  const auto before = static_cast<std::int32_t>(GetTickCount64());
  EXPECT_NEAR(corvel::SystemTickSource().Read(), before, 1000);
}

}  // namespace
