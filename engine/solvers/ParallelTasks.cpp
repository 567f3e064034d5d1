#include "ParallelTasks.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace trellon {

int taskThreads(int requested, std::size_t tasks) {
    const int threads = requested > 0
                            ? requested
                            : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    return static_cast<int>(
        std::min<std::size_t>(static_cast<std::size_t>(threads), std::max<std::size_t>(tasks, 1)));
}

bool runParallelTasks(std::size_t tasks, int threads,
                      const std::function<void(std::size_t index, int worker)>& task,
                      const ProgressCallback& progress, std::atomic<bool>& cancel) {
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    const auto work = [&](int worker) {
        for (;;) {
            const std::size_t index = next.fetch_add(1);
            if (index >= tasks || cancel.load()) {
                return;
            }
            task(index, worker);
            const std::size_t finished = done.fetch_add(1) + 1;
            if (worker == 0 && progress) {
                progress(static_cast<double>(finished) / static_cast<double>(tasks));
            }
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (int worker = 1; worker < taskThreads(threads, tasks); ++worker) {
            helpers.emplace_back(work, worker);
        }
        work(0);
    }
    return !cancel.load();
}

}  // namespace trellon
