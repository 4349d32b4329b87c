// run_passes - a pool of workers over (object, site) pairs, results handed
// on in order.
//
// Notes:
//  - Workers take the next pair from a shared counter; each pair's result
//    has its own slot, written by one worker and read by the calling thread
//    once marked done, under one mutex.
//  - The calling thread hands on the slots in order as they complete and
//    frees them, so what is held is the passes of the pairs done ahead of
//    the first one still running.
#include "passes/run_passes.hpp"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>

#include "passes/find_passes.hpp"

namespace talik {

namespace {

// How often the progress is told while waiting.
constexpr std::chrono::milliseconds PROGRESS_PERIOD{250};

struct Pair {
    std::size_t object;
    std::size_t site;
};

struct Slot {
    std::vector<Pass> passes;
    std::exception_ptr error;
    bool done = false;
};

class Pool {
public:
    Pool(const std::vector<PassObject>& objects, std::vector<Pair> pairs)
        : objects_(objects), pairs_(std::move(pairs)), slots_(pairs_.size()) {}

    void work() {
        for (;;) {
            const std::size_t i = next_.fetch_add(1);
            if (i >= pairs_.size() || stop_.load()) return;
            Slot result;
            try {
                const PassObject& o = objects_[pairs_[i].object];
                result.passes = find_passes(o, o.sites[pairs_[i].site]);
            } catch (...) {
                result.error = std::current_exception();
            }
            result.done = true;
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                slots_[i] = std::move(result);
                ++done_;
            }
            ready_.notify_one();
        }
    }

    void hand_on(const PassSink& sink, const Progress& progress) {
        for (std::size_t i = 0; i < pairs_.size(); ++i) {
            Slot slot;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                while (!slots_[i].done) {
                    if (progress) {
                        const std::size_t done = done_;
                        lock.unlock();
                        progress(done, pairs_.size());
                        lock.lock();
                    }
                    ready_.wait_for(lock, PROGRESS_PERIOD);
                }
                slot = std::move(slots_[i]);
                slots_[i] = Slot{};
            }
            if (slot.error) std::rethrow_exception(slot.error);
            const PassObject& o = objects_[pairs_[i].object];
            sink(o, o.sites[pairs_[i].site], slot.passes);
        }
        if (progress) progress(pairs_.size(), pairs_.size());
    }

    void stop() { stop_.store(true); }

private:
    const std::vector<PassObject>& objects_;
    std::vector<Pair> pairs_;
    std::vector<Slot> slots_;
    std::atomic<std::size_t> next_{0};
    std::atomic<bool> stop_{false};
    std::size_t done_ = 0;
    std::mutex mutex_;
    std::condition_variable ready_;
};

}  // namespace

void run_passes(const std::vector<PassObject>& objects, unsigned threads, const PassSink& sink,
                const Progress& progress) {
    std::vector<Pair> pairs;
    for (std::size_t o = 0; o < objects.size(); ++o) {
        for (std::size_t s = 0; s < objects[o].sites.size(); ++s) pairs.push_back({o, s});
    }
    const std::size_t workers = std::max<std::size_t>(1, std::min<std::size_t>(threads, pairs.size()));
    Pool pool(objects, std::move(pairs));
    std::vector<std::thread> team;
    team.reserve(workers);
    for (std::size_t w = 0; w < workers; ++w) team.emplace_back([&pool] { pool.work(); });
    std::exception_ptr error;
    try {
        pool.hand_on(sink, progress);
    } catch (...) {
        error = std::current_exception();
        pool.stop();
    }
    for (std::thread& t : team) t.join();
    if (error) std::rethrow_exception(error);
}

}  // namespace talik
