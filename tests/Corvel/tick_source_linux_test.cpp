#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>

#include "Corvel/tick_source.hpp"

namespace {

// /proc/uptime gives the same boot-time clock in hundredths of a second.
std::int32_t UptimeMilliseconds() {
  std::ifstream uptime("/proc/uptime");
  double seconds = 0;
  uptime >> seconds;
  auto milliseconds = static_cast<std::uint64_t>(seconds * 1000.0);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(milliseconds));
}

TEST(SystemTickSourceTest, CountsMillisecondsSinceBootModuloTwoToTheThirtyTwo) {
  corvel::SystemTickSource ticks;
  std::int32_t before = UptimeMilliseconds();
  std::int32_t reading = ticks.Read();
  // A second's leeway for the two clocks' resolutions and a busy machine; a
  // wrong unit or clock would be off by far more.
  std::int64_t difference = std::int64_t{reading} - before;
  EXPECT_LT(std::llabs(difference), 1000) << "reading " << reading << ", uptime " << before;
}

}  // namespace
