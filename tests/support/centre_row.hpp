#pragma once

#include <ostream>

namespace testsupport {

// A row of a window's centring: screen and window measures in twips, the same
// on both axes, and the Left and Top expected of them.
struct CentreRow {
  const char* name;
  float screen;
  float window;
  float offset;
};

// Test listings name the row rather than dump its bytes.
inline void PrintTo(const CentreRow& row, std::ostream* out) {
  *out << row.name;
}

}  // namespace testsupport
