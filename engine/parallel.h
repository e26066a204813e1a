#pragma once

#include <exception>
#include <system_error>
#include <thread>

namespace urdiva {

// Runs `helperWork` on a thread of its own while this thread runs `ownWork`, and returns when
// both are done; a failure of either is raised here, this thread's first. When no thread can be
// had (a limit on processes, say), this thread does both, one after the other.
template <typename HelperWork, typename OwnWork>
void runSideBySide(HelperWork&& helperWork, OwnWork&& ownWork)
{
    std::exception_ptr helperFailure;
    std::thread helper;
    try {
        helper = std::thread([&] {
            try {
                helperWork();
            } catch (...) {
                helperFailure = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        ownWork();
        helperWork();
        return;
    }
    try {
        ownWork();
    } catch (...) {
        helper.join();
        throw;
    }
    helper.join();
    if (helperFailure)
        std::rethrow_exception(helperFailure);
}

} // namespace urdiva
