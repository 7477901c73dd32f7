#include "framework/latest_job_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace huemira {
namespace {

using namespace std::chrono_literals;

// A door that jobs wait at until the test opens it, and a log of what ran.
struct Jobs {
  std::mutex mutex;
  std::condition_variable changed;
  bool open = false;
  int started = 0;
  std::vector<int> finished;
  std::vector<bool> wantedAtEnd;

  LatestJobRunner::Job Blocking(int id) {
    return [this, id](const std::function<bool()>& stillWanted) {
      std::unique_lock lock(mutex);
      ++started;
      changed.notify_all();
      changed.wait(lock, [this] { return open; });
      Finish(id, stillWanted());
    };
  }
  LatestJobRunner::Job Quick(int id) {
    return [this, id](const std::function<bool()>& stillWanted) {
      std::lock_guard lock(mutex);
      Finish(id, stillWanted());
    };
  }
  void Open() {
    std::lock_guard lock(mutex);
    open = true;
    changed.notify_all();
  }
  // A job submitted while none has started yet would replace the waiting one.
  void AwaitStarted(int count) {
    std::unique_lock lock(mutex);
    changed.wait_for(lock, 10s, [this, count] { return started >= count; });
  }
  // Waits until count jobs have finished; false after a generous time.
  bool AwaitFinished(std::size_t count) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, 10s, [this, count] { return finished.size() >= count; });
  }

 private:
  void Finish(int id, bool wanted) {
    finished.push_back(id);
    wantedAtEnd.push_back(wanted);
    changed.notify_all();
  }
};

TEST(LatestJobRunner, ASlowJobDoesNotHoldUpTheNextAndLearnsItIsNotWanted) {
  auto jobs = std::make_shared<Jobs>();
  LatestJobRunner runner;
  runner.Submit(jobs->Blocking(1));
  jobs->AwaitStarted(1);
  runner.Submit(jobs->Quick(2));
  ASSERT_TRUE(jobs->AwaitFinished(1));
  EXPECT_EQ(jobs->finished, (std::vector<int>{2}));
  EXPECT_EQ(jobs->wantedAtEnd, (std::vector<bool>{true}));
  jobs->Open();
  ASSERT_TRUE(jobs->AwaitFinished(2));
  EXPECT_EQ(jobs->finished, (std::vector<int>{2, 1}));
  EXPECT_FALSE(jobs->wantedAtEnd[1]);
}

TEST(LatestJobRunner, WithEveryThreadBusyOnlyTheNewestWaitingJobRuns) {
  auto jobs = std::make_shared<Jobs>();
  LatestJobRunner runner(2);
  runner.Submit(jobs->Blocking(1));
  jobs->AwaitStarted(1);
  runner.Submit(jobs->Blocking(2));
  jobs->AwaitStarted(2);
  for (int id = 3; id <= 6; ++id) runner.Submit(jobs->Quick(id));
  std::this_thread::sleep_for(50ms);
  {
    std::lock_guard lock(jobs->mutex);
    EXPECT_TRUE(jobs->finished.empty()) << "a third thread ran a job";
  }
  jobs->Open();
  ASSERT_TRUE(jobs->AwaitFinished(3));
  std::this_thread::sleep_for(50ms);
  std::lock_guard lock(jobs->mutex);
  ASSERT_EQ(jobs->finished.size(), 3u);
  EXPECT_EQ(std::count(jobs->finished.begin(), jobs->finished.end(), 6), 1);
  for (int dropped : {3, 4, 5}) EXPECT_EQ(std::count(jobs->finished.begin(), jobs->finished.end(), dropped), 0);
}

TEST(LatestJobRunner, DroppingAndEndingNeverWaitForARunningJob) {
  auto jobs = std::make_shared<Jobs>();
  {
    LatestJobRunner runner(1);
    runner.Submit(jobs->Blocking(1));
    jobs->AwaitStarted(1);
    runner.Submit(jobs->Quick(2));
    runner.DropAll();
    // The runner ends here while job 1 still waits at the door.
  }
  jobs->Open();
  ASSERT_TRUE(jobs->AwaitFinished(1));
  std::this_thread::sleep_for(50ms);
  std::lock_guard lock(jobs->mutex);
  EXPECT_EQ(jobs->finished, (std::vector<int>{1}));
  EXPECT_EQ(jobs->wantedAtEnd, (std::vector<bool>{false}));
}

}  // namespace
}  // namespace huemira
