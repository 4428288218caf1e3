// A thread of its own for the encoders: the caller draws the next frames while the
// encoder works on the last ones. Jobs run one after another in the order posted, so the
// encoders see exactly the calls they would see on one thread; at most Capacity jobs wait,
// which bounds the frames held.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace exporter {

class TEncoderThread {
 public:
  explicit TEncoderThread(size_t capacity = 4);
  // Waits for the job running; those still waiting are dropped (an export that failed or
  // was stopped).
  ~TEncoderThread();
  TEncoderThread(const TEncoderThread&) = delete;
  TEncoderThread& operator=(const TEncoderThread&) = delete;

  // Queues a job, waiting while Capacity jobs wait already. A job that failed before
  // makes this throw its error instead, and nothing more runs.
  void Post(std::function<void()> job);
  // Waits until every job has run; throws the error of one that failed.
  void Finish();
  // The most jobs that ever waited at once.
  size_t MostWaiting() const;

 private:
  void Run();
  void ThrowFailure();  // with the lock held

  const size_t FCapacity;
  mutable std::mutex FMutex;
  std::condition_variable FChanged;
  std::deque<std::function<void()>> FJobs;
  bool FBusy = false;
  bool FStopping = false;
  size_t FMostWaiting = 0;
  std::exception_ptr FFailure;
  std::thread FThread;
};

}  // namespace exporter
