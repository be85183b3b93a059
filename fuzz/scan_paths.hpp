// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <algorithm>
#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "registry/wine/lower_case.hpp"
#include "registry/wine/reg_file.hpp"

namespace pellam::wine {

// The wanted paths on which the key scan's fast path is held to the exact
// decoder for a file's `text`, ready for ScanKeys: what each of its first
// `max_key_lines` key lines names between its brackets (doubled separators
// taken as one, bytes widened as they stand, so that escaped names make near
// misses), a key below it, each of its leading parts with a longer last name
// (where the fast path must tell a shorter sibling from the wanted key), and
// paths that no file names. The fuzzer and the tests share them.
inline std::vector<std::vector<std::u16string>> ScanPathsToTry(std::string_view text,
                                                               std::size_t max_key_lines) {
  std::set<std::u16string> paths = {u"", u"software", u"software\\a\\b", u"nowhere\\at\\all"};
  for (std::size_t open = text.find('['); open != std::string_view::npos && max_key_lines > 0;
       open = text.find('[', open + 1), --max_key_lines) {
    const std::size_t end = std::min(text.find_first_of("]\n", open), text.size());
    std::u16string path;
    for (std::size_t i = open + 1; i < end; ++i) {
      if (text[i] == '\\' && i + 1 < end && text[i + 1] == '\\') {
        ++i;
      }
      path.push_back(static_cast<unsigned char>(text[i]));
      if (text[i] == '\\') {
        paths.insert(path.substr(0, path.size() - 1) + u"x");
      }
    }
    paths.insert({path, path + u"x", path + u"\\below"});
  }
  std::vector<std::vector<std::u16string>> lowered;
  for (const std::u16string& path : paths) {
    if (auto names = SplitKeyPath(path)) {
      for (std::u16string& name : *names) {
        name = ToLowerCase(name);
      }
      lowered.push_back(std::move(*names));
    }
  }
  return lowered;
}

}  // namespace pellam::wine
