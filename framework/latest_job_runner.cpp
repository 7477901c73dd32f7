#include "framework/latest_job_runner.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

namespace huemira {

struct LatestJobRunner::State {
  explicit State(int maxThreads) : maxThreads(maxThreads) {}

  const int maxThreads;
  std::mutex mutex;
  std::condition_variable changed;
  std::optional<Job> waiting;
  // Counts submissions and drops; a job is wanted while it is unchanged.
  std::atomic<std::uint64_t> newest{0};
  int threads = 0;
  int idleThreads = 0;
  bool closed = false;
};

void LatestJobRunner::Work(const std::shared_ptr<State>& state) {
  auto& s = *state;
  std::unique_lock lock(s.mutex);
  // The thread was counted idle when it was started.
  for (;;) {
    s.changed.wait(lock, [&s] { return s.closed || s.waiting; });
    --s.idleThreads;
    if (s.closed) break;
    Job job = std::move(*s.waiting);
    s.waiting.reset();
    const std::uint64_t ticket = s.newest.load();
    lock.unlock();
    try {
      job([&s, ticket] { return s.newest.load() == ticket; });
    } catch (...) {
      // A job's failure is its own business; the thread serves the next.
    }
    // What the job holds is released outside the lock.
    job = nullptr;
    lock.lock();
    ++s.idleThreads;
  }
  --s.threads;
}

LatestJobRunner::LatestJobRunner(int maxThreads) : state_(std::make_shared<State>(maxThreads)) {}

LatestJobRunner::~LatestJobRunner() {
  std::optional<Job> dropped;
  {
    std::lock_guard lock(state_->mutex);
    state_->closed = true;
    ++state_->newest;
    dropped = std::move(state_->waiting);
    state_->waiting.reset();
  }
  state_->changed.notify_all();
}

void LatestJobRunner::Submit(Job job) {
  std::optional<Job> dropped;
  {
    std::lock_guard lock(state_->mutex);
    ++state_->newest;
    dropped = std::move(state_->waiting);
    state_->waiting = std::move(job);
    // With every thread busy, the job waits only when the limit is reached;
    // then the first thread to finish takes it.
    if (state_->idleThreads == 0 && state_->threads < state_->maxThreads) {
      std::thread(Work, state_).detach();
      ++state_->threads;
      ++state_->idleThreads;
    }
  }
  state_->changed.notify_one();
}

void LatestJobRunner::DropAll() {
  std::optional<Job> dropped;
  std::lock_guard lock(state_->mutex);
  ++state_->newest;
  dropped = std::move(state_->waiting);
  state_->waiting.reset();
}

}  // namespace huemira
