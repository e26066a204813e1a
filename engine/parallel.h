#pragma once

#include <exception>
#include <thread>

namespace urdiva {

// Runs `helperWork` on a thread of its own while this thread runs `ownWork`, and returns when
// both are done; a failure of either is raised here, this thread's first.
template <typename HelperWork, typename OwnWork>
void runSideBySide(HelperWork&& helperWork, OwnWork&& ownWork)
{
    std::exception_ptr helperFailure;
    std::thread helper([&] {
        try {
            helperWork();
        } catch (...) {
            helperFailure = std::current_exception();
        }
    });
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
