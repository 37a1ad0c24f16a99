// SPDX-License-Identifier: GPL-3.0-or-later
// While it lives, every write of this process that would put bytes into a file fails with
// EFBIG ("File too large"), as a full disk fails them: the file size limit of the process is
// set to 0. Creating, linking and renaming files still work.
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace kx::testing {

class FailingWrites {
 public:
  FailingWrites() {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    const rlimit none{0, saved_.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &none);
    // Otherwise the signal ends the process instead of the write failing.
    saved_handler_ = std::signal(SIGXFSZ, SIG_IGN);
  }
  ~FailingWrites() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, saved_handler_);
  }
  FailingWrites(const FailingWrites&) = delete;
  FailingWrites& operator=(const FailingWrites&) = delete;

 private:
  rlimit saved_{};
  void (*saved_handler_)(int) = nullptr;
};

}  // namespace kx::testing
