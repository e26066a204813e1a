// SPDX-License-Identifier: MIT
#include "engine/core/parallel.h"

#include <exception>
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
