// SPDX-License-Identifier: MIT
#include "engine/core/parallel.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace urdiva {

void runTogether(const std::vector<std::function<void()>>& tasks)
{
    std::vector<std::exception_ptr> failures(tasks.size());
    const auto run = [&](size_t i) {
        try {
            tasks[i]();
        } catch (...) {
            failures[i] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    size_t here = 0; // the first task this thread runs
    for (; here + 1 < tasks.size(); ++here) {
        try {
            threads.emplace_back(run, here);
        } catch (const std::system_error&) {
            break;
        }
    }
    for (size_t i = here; i < tasks.size(); ++i)
        run(i);
    for (std::thread& thread : threads)
        thread.join();
    for (const std::exception_ptr& failure : failures) {
        if (failure)
            std::rethrow_exception(failure);
    }
}

void runPipeline(size_t slots, const std::function<bool(size_t slot)>& produce,
                 const std::function<void(size_t slot)>& consume)
{
    // Produces slot n % slots; its failure, if any, goes in `failure`.
    const auto produceOne = [&](size_t n, std::exception_ptr& failure) {
        try {
            return produce(n % slots);
        } catch (...) {
            failure = std::current_exception();
            return false;
        }
    };
    std::mutex mutex;
    std::condition_variable changed;
    size_t produced = 0; // slots produced, counting from the first
    size_t consumed = 0;
    bool ended = false; // the last slot is produced
    bool stop = false; // consuming failed
    std::exception_ptr produceFailure;
    const auto producer = [&] {
        for (size_t n = 0;; ++n) {
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return stop || n - consumed < slots; });
                if (stop)
                    return;
            }
            std::exception_ptr failure;
            const bool more = produceOne(n, failure);
            {
                const std::lock_guard lock(mutex);
                produced = n + 1;
                ended = !more;
                produceFailure = failure;
            }
            changed.notify_all();
            if (!more)
                return;
        }
    };
    std::thread thread;
    try {
        thread = std::thread(producer);
    } catch (const std::system_error&) {
        for (size_t n = 0;; ++n) {
            std::exception_ptr failure;
            const bool more = produceOne(n, failure);
            consume(n % slots);
            if (failure)
                std::rethrow_exception(failure);
            if (!more)
                return;
        }
    }
    std::exception_ptr failure;
    try {
        for (size_t n = 0;; ++n) {
            bool last = false;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return produced > n; });
                last = ended && produced == n + 1;
                if (last)
                    failure = produceFailure;
            }
            consume(n % slots);
            {
                const std::lock_guard lock(mutex);
                consumed = n + 1;
            }
            changed.notify_all();
            if (last)
                break;
        }
    } catch (...) {
        failure = std::current_exception();
    }
    {
        const std::lock_guard lock(mutex);
        stop = true;
    }
    changed.notify_all();
    thread.join();
    if (failure)
        std::rethrow_exception(failure);
}

void inHalves(size_t count, const std::function<void(size_t begin, size_t end, int half)>& part)
{
    if (count < 20000)
        part(0, count, 0);
    else
        runTogether({[&] { part(0, count / 2, 0); }, [&] { part(count / 2, count, 1); }});
}

void inTwoParts(size_t items, const std::function<void(int part)>& task)
{
    if (items < 20000) {
        task(0);
        task(1);
    } else {
        runTogether({[&] { task(0); }, [&] { task(1); }});
    }
}

size_t coreCount()
{
    return std::max(1u, std::thread::hardware_concurrency());
}

} // namespace urdiva
