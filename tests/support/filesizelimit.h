#pragma once
// Makes every write that would grow a file beyond `bytes` fail (EFBIG), as
// a full disk does, for as long as the object lives. Only files are limited;
// the test's output pipes are not.

#include <sys/resource.h>

#include <csignal>
#include <cstddef>

namespace tavo::testing {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(std::size_t bytes) {
    // Without this the process would be killed instead of seeing the error.
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = nullptr;
};

}  // namespace tavo::testing
