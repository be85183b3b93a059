#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "Corvel/tick_source.hpp"

namespace {

TEST(SystemTickSourceTest, CountsMillisecondsSinceBootModuloTwoToTheThirtyTwo) {
  corvel::SystemTickSource ticks;
  auto before = static_cast<std::int32_t>(static_cast<std::uint32_t>(GetTickCount64()));
  std::int32_t reading = ticks.Read();
  // A second's leeway for the two counters' resolutions and a busy machine; a
  // wrong unit or counter would be off by far more.
  std::int64_t difference = std::int64_t{reading} - before;
  EXPECT_LT(std::llabs(difference), 1000) << "reading " << reading << ", tick count " << before;
}

}  // namespace
