// SPDX-License-Identifier: MIT
#include "engine/core/parallel.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

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

// What the producer and the consumer of slots share.
class ProducedAhead::State {
public:
    State(size_t slots, std::function<bool(size_t)> produce)
        : m_slots(slots)
        , m_produce(std::move(produce))
    {
    }

    // Produces slot n % slots; false after the last or a failure, which is kept for the consumer.
    bool produceOne(size_t n)
    {
        std::exception_ptr failure;
        bool more = false;
        try {
            more = m_produce(n % m_slots);
        } catch (...) {
            failure = std::current_exception();
        }
        {
            const std::lock_guard lock(m_mutex);
            m_produced = n + 1;
            m_ended = !more;
            m_failure = failure;
        }
        m_changed.notify_all();
        return more;
    }

    // Produces slots while there is room, until the last or until the consumer stops.
    void produceAll()
    {
        for (size_t n = 0;; ++n) {
            {
                std::unique_lock lock(m_mutex);
                // Slot n takes the room of slot n - slots, free once the one after it is asked for.
                m_changed.wait(lock, [&] { return m_stop || n + 1 < m_given + m_slots; });
                if (m_stop)
                    return;
            }
            if (!produceOne(n))
                return;
        }
    }

    // `inTurn`: no producer thread, the slot is produced here.
    std::optional<size_t> next(bool inTurn)
    {
        std::unique_lock lock(m_mutex);
        if (m_ended && m_produced == m_given) {
            if (m_failure)
                std::rethrow_exception(std::exchange(m_failure, nullptr));
            return std::nullopt;
        }
        const size_t n = m_given;
        if (inTurn) {
            lock.unlock();
            produceOne(n);
            lock.lock();
        }
        // The slot before this one is free again once this one is asked for.
        ++m_given;
        m_changed.notify_all();
        m_changed.wait(lock, [&] { return m_produced > n; });
        return n % m_slots;
    }

    void stop()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
    }

private:
    const size_t m_slots;
    const std::function<bool(size_t)> m_produce;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    size_t m_produced = 0; // slots produced, counting from the first
    size_t m_given = 0; // slots handed to the consumer (the last of them in use)
    bool m_ended = false; // the last slot is produced
    bool m_stop = false; // the consumer has stopped
    std::exception_ptr m_failure;
};

ProducedAhead::ProducedAhead(size_t slots, std::function<bool(size_t slot)> produce)
    : m_state(std::make_unique<State>(slots, std::move(produce)))
{
    try {
        m_producer = std::thread([state = m_state.get()] { state->produceAll(); });
    } catch (const std::system_error&) {
        // Each slot is produced when it is asked for.
    }
}

ProducedAhead::~ProducedAhead()
{
    m_state->stop();
    if (m_producer.joinable())
        m_producer.join();
}

std::optional<size_t> ProducedAhead::next()
{
    return m_state->next(!m_producer.joinable());
}

void runPipeline(size_t slots, const std::function<bool(size_t slot)>& produce,
                 const std::function<void(size_t slot)>& consume)
{
    ProducedAhead ahead(slots, produce);
    while (const std::optional<size_t> slot = ahead.next())
        consume(*slot);
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
