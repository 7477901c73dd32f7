// Work the user waits for but must never be held up by: jobs run on worker
// threads, and only the newest job submitted is wanted. A job still waiting
// when a newer one comes is dropped unrun; a running one is asked (through
// its stillWanted test) whether it should go on. A job that cannot stop early
// keeps its thread, and the next job takes an idle thread or a new one, up to
// a fixed number of threads, so that one slow file never holds up the next.
//
// Threads are never joined: a job may run for minutes, and neither closing a
// window nor ending the program may wait for it. So a job must own everything
// it touches (values, shared_ptr), never a window or object that may be gone
// when it ends.
#pragma once

#include <functional>
#include <memory>

namespace huemira {

class LatestJobRunner {
 public:
  // stillWanted is true while no newer job has been submitted or dropped.
  using Job = std::function<void(const std::function<bool()>& stillWanted)>;

  explicit LatestJobRunner(int maxThreads = 3);
  // Drops a waiting job and tells a running one it is no longer wanted.
  ~LatestJobRunner();
  LatestJobRunner(const LatestJobRunner&) = delete;
  LatestJobRunner& operator=(const LatestJobRunner&) = delete;

  void Submit(Job job);
  // No job is wanted any more: the waiting one is dropped unrun.
  void DropAll();

 private:
  struct State;
  // A thread's loop; the thread keeps the state alive, so it outlives the runner safely.
  static void Work(const std::shared_ptr<State>& state);

  std::shared_ptr<State> state_;
};

}  // namespace huemira
