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

namespace {

// The state the two stages of runPipeline share, and each stage's loop.
class Pipeline {
public:
    Pipeline(size_t slots, const std::function<bool(size_t)>& produce,
             const std::function<void(size_t)>& consume)
        : m_slots(slots)
        , m_produce(produce)
        , m_consume(consume)
    {
    }

    // Produces slot n % slots; its failure, if any, goes in `failure`.
    bool produceOne(size_t n, std::exception_ptr& failure)
    {
        try {
            return m_produce(n % m_slots);
        } catch (...) {
            failure = std::current_exception();
            return false;
        }
    }

    // On one thread, one slot after the other.
    void runInTurn()
    {
        for (size_t n = 0;; ++n) {
            std::exception_ptr failure;
            const bool more = produceOne(n, failure);
            m_consume(n % m_slots);
            if (failure)
                std::rethrow_exception(failure);
            if (!more)
                return;
        }
    }

    // Produces slots while there is room, until the last or until consuming fails.
    void produceAll()
    {
        for (size_t n = 0;; ++n) {
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [&] { return m_stop || n - m_consumed < m_slots; });
                if (m_stop)
                    return;
            }
            std::exception_ptr failure;
            const bool more = produceOne(n, failure);
            {
                const std::lock_guard lock(m_mutex);
                m_produced = n + 1;
                m_ended = !more;
                m_produceFailure = failure;
            }
            m_changed.notify_all();
            if (!more)
                return;
        }
    }

    // Consumes every slot as it is produced; the failure to raise afterwards, if any.
    std::exception_ptr consumeAll()
    {
        std::exception_ptr failure;
        try {
            for (size_t n = 0;; ++n) {
                bool last = false;
                {
                    std::unique_lock lock(m_mutex);
                    m_changed.wait(lock, [&] { return m_produced > n; });
                    last = m_ended && m_produced == n + 1;
                    if (last)
                        failure = m_produceFailure;
                }
                m_consume(n % m_slots);
                {
                    const std::lock_guard lock(m_mutex);
                    m_consumed = n + 1;
                }
                m_changed.notify_all();
                if (last)
                    break;
            }
        } catch (...) {
            failure = std::current_exception();
        }
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        return failure;
    }

private:
    const size_t m_slots;
    const std::function<bool(size_t)>& m_produce;
    const std::function<void(size_t)>& m_consume;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    size_t m_produced = 0; // slots produced, counting from the first
    size_t m_consumed = 0;
    bool m_ended = false; // the last slot is produced
    bool m_stop = false; // consuming has ended, or failed
    std::exception_ptr m_produceFailure;
};

} // namespace

void runPipeline(size_t slots, const std::function<bool(size_t slot)>& produce,
                 const std::function<void(size_t slot)>& consume)
{
    Pipeline pipeline(slots, produce, consume);
    std::thread producer;
    try {
        producer = std::thread([&pipeline] { pipeline.produceAll(); });
    } catch (const std::system_error&) {
        pipeline.runInTurn();
        return;
    }
    const std::exception_ptr failure = pipeline.consumeAll();
    producer.join();
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
