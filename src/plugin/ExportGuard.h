// Nothing thrown inside the plug-in may cross into the host: every export body
// runs through GuardExport, which ends the call cleanly with a fallback result.
#pragma once

#include <utility>

template <class Body, class Result> Result GuardExport(Body &&body, Result fallback) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return fallback;
    }
}

template <class Body> void GuardExport(Body &&body) noexcept {
    try {
        std::forward<Body>(body)();
    } catch (...) {
    }
}
