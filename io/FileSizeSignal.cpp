#include "FileSizeSignal.h"

#include <csignal>

namespace trellon {

void ignoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace trellon
