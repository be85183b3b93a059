// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>

#include "Corvel/tick_source.hpp"

namespace {

// /proc/uptime gives the same boot-time clock in hundredths of a second. A
// second's leeway covers the two clocks' resolutions and a busy machine; a
// wrong unit or clock would be off by far more.
TEST(SystemTickSourceTest, CountsMillisecondsSinceBootModuloTwoToTheThirtyTwo) {
  double seconds = 0;
  std::ifstream("/proc/uptime") >> seconds;
  const auto uptime = static_cast<std::int32_t>(static_cast<std::uint64_t>(seconds * 1000.0));
  const std::int32_t reading = corvel::SystemTickSource().Read();
  EXPECT_LT(std::llabs(std::int64_t{reading} - uptime), 1000) << reading << " against " << uptime;
}

}  // namespace
