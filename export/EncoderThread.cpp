#include "export/EncoderThread.h"

namespace exporter {

TEncoderThread::TEncoderThread(size_t capacity)
    : FCapacity(capacity == 0 ? 1 : capacity), FThread([this] { Run(); }) {}

TEncoderThread::~TEncoderThread() {
  {
    std::lock_guard lock(FMutex);
    FStopping = true;
    FJobs.clear();
  }
  FChanged.notify_all();
  FThread.join();
}

void TEncoderThread::Post(std::function<void()> job) {
  std::unique_lock lock(FMutex);
  FChanged.wait(lock, [this] { return FJobs.size() < FCapacity || FFailure; });
  ThrowFailure();
  FJobs.push_back(std::move(job));
  if (FJobs.size() > FMostWaiting) FMostWaiting = FJobs.size();
  lock.unlock();
  FChanged.notify_all();
}

void TEncoderThread::Finish() {
  std::unique_lock lock(FMutex);
  FChanged.wait(lock, [this] { return (FJobs.empty() && !FBusy) || FFailure; });
  ThrowFailure();
}

size_t TEncoderThread::MostWaiting() const {
  std::lock_guard lock(FMutex);
  return FMostWaiting;
}

void TEncoderThread::ThrowFailure() {
  if (FFailure) std::rethrow_exception(FFailure);
}

void TEncoderThread::Run() {
  std::unique_lock lock(FMutex);
  for (;;) {
    FChanged.wait(lock, [this] { return FStopping || (!FJobs.empty() && !FFailure); });
    if (FStopping) return;
    std::function<void()> job = std::move(FJobs.front());
    FJobs.pop_front();
    FBusy = true;
    lock.unlock();
    FChanged.notify_all();
    std::exception_ptr failure;
    try {
      job();
    } catch (...) {
      failure = std::current_exception();
    }
    job = nullptr;  // what the job held goes before the next one is taken
    lock.lock();
    FBusy = false;
    if (failure) {
      FFailure = failure;
      FJobs.clear();
    }
    FChanged.notify_all();
  }
}

}  // namespace exporter
