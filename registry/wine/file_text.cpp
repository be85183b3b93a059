// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "registry/wine/file_text.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <optional>

#include "registry/wine/wine_prefix_registry.hpp"

namespace pellam::wine {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

bool Before(const timespec& a, const timespec& b) {
  return a.tv_sec != b.tv_sec ? a.tv_sec < b.tv_sec : a.tv_nsec < b.tv_nsec;
}

// Whether a time stamp is older than the read that started at `started`, so
// that a write after the read must change it. A stamp more than a second
// ahead comes from a skewed clock or a copied date, not from a write under
// way: the file is not being written now, and waiting would never end.
bool Settled(const timespec& stamp, const timespec& started) {
  return Before(stamp, started) || stamp.tv_sec > started.tv_sec + 1;
}

bool Same(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Reads up to `size` bytes from the start of the file; the count read, or
// nothing on an error.
std::optional<std::size_t> ReadAll(int fd, char* bytes, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t count = ::pread(fd, bytes + done, size - done, static_cast<off_t>(done));
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count < 0) {
      return std::nullopt;
    }
    if (count == 0) {
      break;
    }
    done += static_cast<std::size_t>(count);
  }
  return done;
}

// How often a file that is being written is read again before it counts as
// unreadable, and how long to wait between reads: about a tick of the clock
// that stamps files.
constexpr int kReadAttempts = 20;
constexpr timespec kRetryPause{0, 2'000'000};

}  // namespace

std::shared_ptr<const FileText> ReadFileText(const std::filesystem::path& file) {
  const FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (fd.get() < 0) {
    return nullptr;
  }
  for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
    struct stat before {};
    if (::fstat(fd.get(), &before) != 0 || !S_ISREG(before.st_mode) ||
        static_cast<std::uintmax_t>(before.st_size) > kMaxFileSize) {
      return nullptr;
    }
    timespec started{};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &started);
    const auto size = static_cast<std::size_t>(before.st_size);
    auto text = std::make_shared<FileText>();
    // One byte more than the size shows a file that grew.
    text->bytes = std::make_unique_for_overwrite<char[]>(size + 1);
    const std::optional<std::size_t> read = ReadAll(fd.get(), text->bytes.get(), size + 1);
    if (!read) {
      return nullptr;
    }
    struct stat after {};
    if (::fstat(fd.get(), &after) != 0) {
      return nullptr;
    }
    if (*read == size && after.st_size == before.st_size && after.st_ino == before.st_ino &&
        Same(after.st_mtim, before.st_mtim) && Same(after.st_ctim, before.st_ctim) &&
        Settled(after.st_mtim, started) && Settled(after.st_ctim, started)) {
      text->size = size;
      return text;
    }
    ::nanosleep(&kRetryPause, nullptr);
  }
  return nullptr;
}

}  // namespace pellam::wine
