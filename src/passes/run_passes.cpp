// run_passes - a pool of workers over objects, each object's sites scanned
// together, results handed on in order.
//
// Given:    objects   vector of PassObject  the objects, each checked for
//                                           its scan, with their sites
//           threads   unsigned              workers to use, each owning its
//                                           run state: at least one, at most
//                                           one per object
//           sink      PassSink              takes each object's passes over
//                                           each of its sites
//           progress  Progress              told now and then the (object,
//                                           site) pairs done and their
//                                           total; may be empty
//           how       Scanning              how the steps are gone through
// Returned: the passes handed to sink in the order of the objects, then of
//           their sites, each list in time order; sink and progress are
//           called from the calling thread only
// Thrown:   the first exception, in the objects' order, of an object's pass
//           finding or of sink: it stops the run and is rethrown once the
//           workers have ended; that object's sites get no passes
//
// Notes:
//  - Workers take the next object from a shared counter and find its
//    passes over all its sites at once (find_object_passes), so that the
//    orbit is worked out once for every site.  Each object in flight has
//    its slot in a ring, written by one worker and read by the calling
//    thread once marked done, under one mutex.
//  - A worker takes an object only while it lies within the ring's reach
//    of the first object not yet handed on, so what is held is a bounded
//    number of objects' passes, whatever the number of objects.
#include "passes/run_passes.hpp"

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
// Objects in flight for each worker: enough to keep every worker busy
// while the calling thread hands on the first.
constexpr std::size_t OBJECTS_IN_FLIGHT_PER_WORKER = 8;

struct Slot {
    std::size_t object = 0;
    std::vector<std::vector<Pass>> passes;  // one list per site
    std::exception_ptr error;
    bool done = false;
};

class Pool {
public:
    Pool(const std::vector<PassObject>& objects, std::size_t workers, Scanning how)
        : objects_(objects), how_(how), slots_(workers * OBJECTS_IN_FLIGHT_PER_WORKER) {
        for (const PassObject& o : objects) pairs_ += o.sites.size();
    }

    void work() {
        for (;;) {
            std::size_t i = 0;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                room_.wait(lock,
                           [this] { return stop_ || next_ >= objects_.size() || next_ < handed_ + slots_.size(); });
                if (stop_ || next_ >= objects_.size()) return;
                i = next_++;
            }
            Slot result;
            result.object = i;
            try {
                result.passes = find_object_passes(objects_[i], how_);
            } catch (...) {
                result.error = std::current_exception();
            }
            result.done = true;
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                done_ += objects_[i].sites.size();
                slots_[i % slots_.size()] = std::move(result);
            }
            ready_.notify_one();
        }
    }

    void hand_on(const PassSink& sink, const Progress& progress) {
        for (std::size_t i = 0; i < objects_.size(); ++i) {
            Slot slot = take(i, progress);
            if (slot.error) std::rethrow_exception(slot.error);
            const PassObject& o = objects_[i];
            for (std::size_t s = 0; s < o.sites.size(); ++s) sink(o, o.sites[s], slot.passes[s]);
        }
        if (progress) progress(pairs_, pairs_);
    }

    void stop() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        room_.notify_all();
    }

private:
    // Object i's slot once done, its place freed for another object.
    Slot take(std::size_t i, const Progress& progress) {
        Slot slot;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            Slot& mine = slots_[i % slots_.size()];
            while (!(mine.done && mine.object == i)) {
                if (progress) {
                    const std::size_t done = done_;
                    lock.unlock();
                    progress(done, pairs_);
                    lock.lock();
                }
                ready_.wait_for(lock, PROGRESS_PERIOD);
            }
            slot = std::move(mine);
            mine = Slot{};
            handed_ = i + 1;
        }
        room_.notify_all();
        return slot;
    }

    const std::vector<PassObject>& objects_;
    Scanning how_;
    std::vector<Slot> slots_;
    std::size_t pairs_ = 0;
    std::size_t next_ = 0;    // the next object to take
    std::size_t handed_ = 0;  // objects handed on
    std::size_t done_ = 0;    // (object, site) pairs done
    bool stop_ = false;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::condition_variable room_;
};

}  // namespace

void run_passes(const std::vector<PassObject>& objects, unsigned threads, const PassSink& sink,
                const Progress& progress, Scanning how) {
    const std::size_t workers = std::max<std::size_t>(1, std::min<std::size_t>(threads, objects.size()));
    Pool pool(objects, workers, how);
    std::vector<std::thread> team;
    team.reserve(workers);
    for (std::size_t w = 0; w < workers; ++w) team.emplace_back([&pool] { pool.work(); });
    std::exception_ptr error;
    try {
        pool.hand_on(sink, progress);
    } catch (...) {
        error = std::current_exception();
    }
    pool.stop();
    for (std::thread& t : team) t.join();
    if (error) std::rethrow_exception(error);
}

}  // namespace talik
