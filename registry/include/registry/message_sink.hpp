// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <string_view>

namespace pellam {

// The program's modal message box: the text, one OK button, no icon, the
// program's title as caption. Show returns once the user has dismissed it.
class MessageSink {
 public:
  virtual ~MessageSink() = default;

  virtual void Show(std::u16string_view text) = 0;
};

}  // namespace pellam
