#pragma once

#include <gtest/gtest.h>

#include <string>

namespace testsupport {

// Names each instance of a table-driven test after its row's `name` field.
struct RowName {
  template <typename Row>
  std::string operator()(const testing::TestParamInfo<Row>& row) const {
    return row.param.name;
  }
};

}  // namespace testsupport
