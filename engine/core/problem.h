// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <utility>

namespace urdiva {

// What a check found that keeps an action from going on, in the user's words. Every check returns
// a problem or nothing (std::optional<Problem>): the settings check, the file checks, the command
// line's steps. A run that cannot go on raises a RunError instead; each front end shows either in
// one place.
struct Problem {
    // Implicit, so that a check returns its text as it words it.
    Problem(QString text)
        : text(std::move(text))
    {
    }
    QString text;
};

} // namespace urdiva
