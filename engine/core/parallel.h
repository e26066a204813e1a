// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

// The engine's one way to share work among threads: every stage that does goes through these.
namespace urdiva {

// Runs the tasks at once, each but the last
// on a thread of its own and the last on this thread, and returns when all are done; the first
// failure, in the tasks' order, is raised here. When no thread can be had (a limit on
// processes, say), this thread runs the tasks that have none one after another, in order: so
// no task may wait for another.
void runTogether(const std::vector<std::function<void()>>& tasks);

// A two-stage pipeline over `slots` slots used in turn: produce(k) fills slot k and returns
// whether more slots come after it; consume(k) uses it, each slot in order. The producer runs on
// a thread of its own, up to `slots` slots ahead, so that neither stage waits for the other's
// slow moments. Every slot produced is consumed, also one whose production failed (with what it
// holds from before the failure), and that failure is raised afterwards; a failure of consume()
// is raised as soon as the slot being produced is in. When no thread can be had, this thread
// produces and consumes one slot after another.
void runPipeline(size_t slots, const std::function<bool(size_t slot)>& produce,
                 const std::function<void(size_t slot)>& consume);

// The producing stage of such a pipeline for a consumer that asks for each slot in turn (a reader
// called for its next bytes, say): produce(k) runs on a thread of its own, up to `slots` slots
// ahead of the one in use. When no thread can be had, each slot is produced when it is asked for.
class ProducedAhead {
public:
    ProducedAhead(size_t slots, std::function<bool(size_t slot)> produce);
    // Stops the producer once the slot it is producing is in.
    ~ProducedAhead();
    ProducedAhead(const ProducedAhead&) = delete;
    ProducedAhead& operator=(const ProducedAhead&) = delete;

    // The next slot, in order, once produced: the slot the call before gave is free again. Empty
    // after the last. A failure of production is raised by the call after the one that gives the
    // slot it was producing.
    std::optional<size_t> next();

private:
    class State;
    std::unique_ptr<State> m_state;
    std::thread m_producer;
};

// Calls part(begin, end, half) for the two halves of [0, count) together, half 0 and 1; below
// 20,000 items, where a second thread is not worth starting, once for the whole as half 0.
void inHalves(size_t count, const std::function<void(size_t begin, size_t end, int half)>& part);

// Calls task(0) and task(1), together on two threads when `items` (the work each does) are many
// enough to be worth a second thread, else one after the other.
void inTwoParts(size_t items, const std::function<void(int part)>& task);

// The number of tasks worth running together: the processor's cores, at least one.
size_t coreCount();

} // namespace urdiva
