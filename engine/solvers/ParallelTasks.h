#pragma once

#include <atomic>
#include <cstddef>
#include <functional>

namespace trellon {

// Called on the caller's thread with the share of the work done, 0..1.
using ProgressCallback = std::function<void(double)>;

// The threads to use for `tasks` tasks when `requested` were asked for (0: one per core).
int taskThreads(int requested, std::size_t tasks);

// Runs task(index, worker) for every index below `tasks` on taskThreads(threads, tasks) threads,
// the caller's among them; `worker` numbers the thread from 0, for storage of its own. Tasks
// are handed out one at a time in index order. `progress` hears from the caller's thread after
// each task it finishes. Stops handing out tasks once `cancel` is set; returns false then.
bool runParallelTasks(std::size_t tasks, int threads,
                      const std::function<void(std::size_t index, int worker)>& task,
                      const ProgressCallback& progress, std::atomic<bool>& cancel);

}  // namespace trellon
