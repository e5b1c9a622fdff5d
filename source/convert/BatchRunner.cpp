// The batch queue: a few prepared outputs wait for a worker (enough to keep every worker busy,
// few enough that a long batch holds little memory), results are reported strictly in order.
#include "convert/BatchRunner.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

namespace {

class OutputQueue {
public:
    OutputQueue(std::size_t inputs, std::size_t capacity) : results_(inputs), capacity_(capacity) {}

    // Waits for room, then queues the output of input `index`.
    void push(std::size_t index, PreparedOutput&& prepared) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return waiting_.size() < capacity_; });
        waiting_.emplace_back(index, std::move(prepared));
        changed_.notify_all();
    }

    void setResult(std::size_t index, ConversionResult&& result) {
        std::lock_guard<std::mutex> lock(mutex_);
        results_[index] = std::move(result);
        changed_.notify_all();
    }

    // A worker's loop: finish queued outputs until the queue is closed and empty.
    void work() {
        for (;;) {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [&] { return closed_ || !waiting_.empty(); });
            if (waiting_.empty()) return;
            auto [index, prepared] = std::move(waiting_.front());
            waiting_.pop_front();
            changed_.notify_all();
            lock.unlock();
            setResult(index, PictureConverter::finish(prepared));
        }
    }

    void close() {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
        changed_.notify_all();
    }

    // Reports the results that are in, in order from `next`; with `wait`, until all are in.
    void reportFrom(std::size_t& next, bool wait,
                    const std::function<void(int, const ConversionResult&)>& report) {
        while (next < results_.size()) {
            std::unique_lock<std::mutex> lock(mutex_);
            if (wait) changed_.wait(lock, [&] { return results_[next].has_value(); });
            if (!results_[next]) return;
            const ConversionResult result = std::move(*results_[next]);
            lock.unlock();
            report(static_cast<int>(next), result);
            ++next;
        }
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::pair<std::size_t, PreparedOutput>> waiting_;
    std::vector<std::optional<ConversionResult>> results_;
    std::size_t capacity_;
    bool closed_ = false;
};

} // namespace

void runBatch(PictureConverter& converter, const std::vector<std::string>& inputs, int workers,
              const std::function<void(int index, const ConversionResult&)>& report) {
    runPrepared(
        static_cast<int>(inputs.size()),
        [&](int index) { return converter.prepare(inputs[static_cast<std::size_t>(index)]); },
        workers, report);
}

void runPrepared(int count, const std::function<PreparedOutput(int index)>& prepare, int workers,
                 const std::function<void(int index, const ConversionResult&)>& report) {
    const std::size_t inputs = static_cast<std::size_t>(std::max(count, 0));
    if (workers <= 0) {
        for (int i = 0; i < count; ++i)
            report(i, PictureConverter::finish(prepare(i)));
        return;
    }
    OutputQueue queue(inputs, 2 * static_cast<std::size_t>(workers));
    std::vector<std::thread> threads;
    for (int i = 0; i < workers; ++i)
        threads.emplace_back([&queue] { queue.work(); });
    std::size_t next = 0;
    for (std::size_t i = 0; i < inputs; ++i) {
        PreparedOutput prepared = prepare(static_cast<int>(i));
        if (!prepared.result.error.empty())
            queue.setResult(i, std::move(prepared.result));
        else
            queue.push(i, std::move(prepared));
        queue.reportFrom(next, false, report);
    }
    queue.close();
    queue.reportFrom(next, true, report);
    for (std::thread& thread : threads)
        thread.join();
}
