// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string_view>

namespace pellam::wine {

// An open's copy of a registry file.
struct FileText {
  std::unique_ptr<char[]> bytes;
  std::size_t size = 0;
  std::string_view view() const { return {bytes.get(), size}; }
};

// The text of `file`, or null when it cannot be read. Only regular files of at
// most kMaxFileSize: a FIFO or device planted in the prefix must neither block
// the open (hence O_NONBLOCK) nor feed the scan without end.
//
// The text is copied, not mapped: a mapped file that is truncated meanwhile
// raises SIGBUS, and one rewritten in place changes under the reader. A copy
// made while someone writes the file (cp, an editor saving in place) may mix
// versions, so it is kept only when nothing wrote to the file during the
// read: the file's size, change times and identity are the same after it as
// before, and the change times are older than the read's start, so that a
// write within the same tick of the clock could not go unseen. Otherwise it
// is read again, a few times, and then counts as unreadable.
std::shared_ptr<const FileText> ReadFileText(const std::filesystem::path& file);

}  // namespace pellam::wine
