#pragma once

#include <sys/resource.h>

#include <csignal>

// While one lives, writes to regular files fail past `bytes` bytes (EFBIG), as
// they do on a full disk: the process's own file-size limit is lowered, with the
// signal of an oversized write ignored, and raised again at the end of the scope.
class FullDisk {
  public:
    explicit FullDisk(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit low = saved_;
        low.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &low);
    }
    ~FullDisk() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, handler_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

  private:
    rlimit saved_ = {};
    void (*handler_)(int) = SIG_DFL;
};
