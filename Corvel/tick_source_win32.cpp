#include <windows.h>

#include <mmsystem.h>

#include <cstdint>

#include "Corvel/tick_source.hpp"

namespace corvel {

std::int32_t SystemTickSource::Read() {
  return static_cast<std::int32_t>(timeGetTime());
}

}  // namespace corvel
