#pragma once
#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace saver::tool {

// Runs `work` for the indexes 0 to count - 1 on `threads` threads and hands every result to
// `consume` on the calling thread, in index order. A worker starts index i only while fewer than
// `window` results are waiting or being made ahead of the next one to consume, so memory stays
// bounded by the window, not by the count. An exception from `work` or `consume` stops the
// workers and is thrown again once they have ended.
template <class Result>
void RunInOrder(std::size_t count, unsigned threads, std::size_t window, const std::function<Result(std::size_t)>& work,
                const std::function<void(std::size_t, Result&)>& consume) {
  std::mutex mutex;
  std::condition_variable changed;
  std::map<std::size_t, Result> done;
  std::exception_ptr failure;
  std::size_t next_to_start = 0;
  std::size_t next_to_consume = 0;
  bool stopping = false;

  auto worker = [&] {
    std::unique_lock lock(mutex);
    for (;;) {
      changed.wait(lock, [&] { return stopping || next_to_start == count || next_to_start < next_to_consume + window; });
      if (stopping || next_to_start == count) return;
      const std::size_t index = next_to_start++;
      lock.unlock();
      try {
        Result result = work(index);
        lock.lock();
        done.emplace(index, std::move(result));
      } catch (...) {
        lock.lock();
        if (!failure) failure = std::current_exception();
        stopping = true;
      }
      changed.notify_all();
    }
  };
  std::vector<std::thread> pool;
  for (unsigned i = 0; i < std::max(1u, threads); ++i) pool.emplace_back(worker);

  {
    std::unique_lock lock(mutex);
    while (next_to_consume < count) {
      changed.wait(lock, [&] { return stopping || done.count(next_to_consume) != 0; });
      if (stopping) break;
      auto found = done.find(next_to_consume);
      Result result = std::move(found->second);
      done.erase(found);
      lock.unlock();
      try {
        consume(next_to_consume, result);
      } catch (...) {
        lock.lock();
        if (!failure) failure = std::current_exception();
        stopping = true;
        break;
      }
      lock.lock();
      ++next_to_consume;
      changed.notify_all();
    }
  }
  changed.notify_all();
  for (std::thread& thread : pool) thread.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace saver::tool
