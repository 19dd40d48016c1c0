// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace dovrel {

// Runs tasks on worker threads and hands their results to one taking thread strictly in the order
// the tasks were given: either a task for each index 0 to count - 1, known at the start, or jobs
// added one by one while the work runs (the taker may take between additions). Workers keep at most
// `lookAhead` results ready beyond the one taken last, so memory stays bounded however slowly the
// taker goes. A task that throws gives the default result. The destructor stops the workers and
// waits for them, taken or not.
template <class Result> class InOrderWork {
public:
    using Task = std::function<Result(std::size_t index)>;
    using Job = std::function<Result()>;

    InOrderWork(std::size_t count, Task task, unsigned threads, std::size_t lookAhead)
        : task_(std::move(task)), results_(count), count_(count),
          lookAhead_(std::max<std::size_t>(1, lookAhead)) {
        start(threads);
    }

    // Work that starts empty; jobs come through add().
    InOrderWork(unsigned threads, std::size_t lookAhead) : lookAhead_(std::max<std::size_t>(1, lookAhead)) {
        start(threads);
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

    std::size_t size() const {
        const std::lock_guard lock(mutex_);
        return count_;
    }

    // Adds a job after the ones given so far (work made with the count-free constructor only).
    void add(Job job) {
        bool mayStart = false;
        {
            const std::lock_guard lock(mutex_);
            jobs_.push_back(std::move(job));
            results_.emplace_back();
            ++count_;
            // Any worker may be waiting while the others are busy, whatever is still unstarted.
            mayStart = next_ < taken_ + lookAhead_;
        }
        if (mayStart) {
            wake_.notify_one();
        }
    }

    // The result of the next index in order. While it is not ready, calls whileWaiting about every
    // `pause` (the window keeps processing its events). Only one thread takes, and only results that
    // were asked for.
    Result takeNext(const std::function<void()>& whileWaiting,
                    std::chrono::milliseconds pause = std::chrono::milliseconds(10)) {
        std::unique_lock lock(mutex_);
        while (!ready_.wait_for(lock, pause, [&] { return results_.front().has_value(); })) {
            if (whileWaiting) {
                lock.unlock();
                whileWaiting();
                lock.lock();
            }
        }
        return takeLocked(lock);
    }

    // The result of the next index when it is ready now; an empty optional otherwise.
    std::optional<Result> takeReady() {
        std::unique_lock lock(mutex_);
        if (results_.empty() || !results_.front().has_value()) {
            return std::nullopt;
        }
        return takeLocked(lock);
    }

private:
    void start(unsigned threads) {
        const unsigned workers = std::max(1u, threads);
        threads_.reserve(workers);
        for (unsigned i = 0; i < workers; ++i) {
            threads_.emplace_back([this] { work(); });
        }
    }

    Result takeLocked(std::unique_lock<std::mutex>& lock) {
        Result result = std::move(*results_.front());
        results_.pop_front();
        // A worker waits only when the look-ahead is used up; taking one frees one more index.
        const bool workerMayWait = next_ < count_ && next_ >= taken_ + lookAhead_;
        ++taken_;
        lock.unlock();
        if (workerMayWait) {
            wake_.notify_one();
        }
        return result;
    }

    void work() {
        std::unique_lock lock(mutex_);
        while (true) {
            wake_.wait(lock, [&] { return stopping_ || (next_ < count_ && next_ < taken_ + lookAhead_); });
            if (stopping_) {
                return;
            }
            const std::size_t index = next_++;
            Job job;
            if (!task_) {
                job = std::move(jobs_.front());
                jobs_.pop_front();
            }
            lock.unlock();
            std::optional<Result> result;
            try {
                result.emplace(task_ ? task_(index) : job());
            } catch (...) {
                result.emplace();
            }
            job = nullptr;
            lock.lock();
            // The taker cannot have passed an index whose result was not there yet.
            results_[index - taken_] = std::move(result);
            // The taker waits for one index only.
            if (index == taken_) {
                ready_.notify_one();
            }
        }
    }

    Task task_;
    // Only what is still needed is kept, however many jobs pass through: the added jobs not yet
    // started (the first is index next_), and the results not yet taken (the first is index taken_).
    std::deque<Job> jobs_;
    std::deque<std::optional<Result>> results_;
    std::size_t count_ = 0; // indices given so far
    const std::size_t lookAhead_;
    mutable std::mutex mutex_;
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
