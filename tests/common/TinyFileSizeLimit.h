#pragma once

#include <sys/resource.h>

#include <csignal>

namespace trellon::test {

// While it lives, no file of this process may grow past 8 bytes: a save fails half-way, as on
// a full disk, even for root, whom no permission stops.
class TinyFileSizeLimit {
public:
    TinyFileSizeLimit() {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tiny = previous_;
        tiny.rlim_cur = 8;
        setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~TinyFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    TinyFileSizeLimit(const TinyFileSizeLimit&) = delete;
    TinyFileSizeLimit& operator=(const TinyFileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

}  // namespace trellon::test
