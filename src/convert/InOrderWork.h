#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace dovrel {

// Runs a task for each index 0 to count - 1 on worker threads, and hands the results to one taking
// thread strictly in index order. Workers keep at most `lookAhead` results ready beyond the one
// taken last, so memory stays bounded however slowly the taker goes. A task that throws gives the
// default result. The destructor stops the workers and waits for them, taken or not.
template <class Result> class InOrderWork {
public:
    using Task = std::function<Result(std::size_t index)>;

    InOrderWork(std::size_t count, Task task, unsigned threads, std::size_t lookAhead)
        : task_(std::move(task)), results_(count), lookAhead_(std::max<std::size_t>(1, lookAhead)) {
        const unsigned workers = std::max(1u, threads);
        threads_.reserve(workers);
        for (unsigned i = 0; i < workers; ++i) {
            threads_.emplace_back([this] { work(); });
        }
    }

    ~InOrderWork() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        for (std::thread& thread : threads_) {
            thread.join();
        }
    }

    InOrderWork(const InOrderWork&) = delete;
    InOrderWork& operator=(const InOrderWork&) = delete;

    std::size_t size() const { return results_.size(); }

    // The result of the next index in order. While it is not ready, calls whileWaiting about every
    // `pause` (the window keeps processing its events). Only one thread takes.
    Result takeNext(const std::function<void()>& whileWaiting,
                    std::chrono::milliseconds pause = std::chrono::milliseconds(10)) {
        std::unique_lock lock(mutex_);
        const std::size_t index = taken_;
        while (!ready_.wait_for(lock, pause, [&] { return results_[index].has_value(); })) {
            if (whileWaiting) {
                lock.unlock();
                whileWaiting();
                lock.lock();
            }
        }
        Result result = std::move(*results_[index]);
        results_[index].reset();
        // A worker waits only when the look-ahead is used up; taking one frees one more index.
        const bool workerMayWait = next_ < results_.size() && next_ >= taken_ + lookAhead_;
        ++taken_;
        lock.unlock();
        if (workerMayWait) {
            wake_.notify_one();
        }
        return result;
    }

private:
    void work() {
        std::unique_lock lock(mutex_);
        while (true) {
            wake_.wait(lock,
                       [&] { return stopping_ || (next_ < results_.size() && next_ < taken_ + lookAhead_); });
            if (stopping_) {
                return;
            }
            const std::size_t index = next_++;
            lock.unlock();
            std::optional<Result> result;
            try {
                result.emplace(task_(index));
            } catch (...) {
                result.emplace();
            }
            lock.lock();
            results_[index] = std::move(result);
            // The taker waits for one index only.
            if (index == taken_) {
                ready_.notify_one();
            }
        }
    }

    Task task_;
    std::vector<std::optional<Result>> results_;
    const std::size_t lookAhead_;
    std::mutex mutex_;
    std::condition_variable wake_;  // workers: an index may be started, or stop
    std::condition_variable ready_; // taker: a result arrived
    std::size_t next_ = 0;          // the next index a worker starts
    std::size_t taken_ = 0;         // results taken so far
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

// Threads for conversion work: one per core the system reports, at least one.
inline unsigned conversionThreads() {
    return std::max(1u, std::thread::hardware_concurrency());
}

} // namespace dovrel
