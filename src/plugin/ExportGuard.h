// Nothing thrown inside the plug-in may cross into the host: every export body runs through GuardExport, which
// ends the call cleanly with a fallback result, counts the call, and holds the library when the call comes on
// another thread than the host's window thread. An allocation failure, the result budget's included, is one such.
#pragma once

#include <utility>

#include "plugin/ModuleHold.h"
#include "toolkit/messages/LibraryCalls.h"

// What an export holds while it runs: it counts as a call into the library, and on another thread than the host's
// window thread it holds the library as well.
struct ExportCall {
    LibraryCall Call;
    ModuleHold Hold{!OnFirstExportThread()};
};

template <class Body, class Result> Result GuardExport(Body &&body, Result fallback) noexcept {
    const ExportCall call;
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return fallback;
    }
}

// Like GuardExport, for an export whose failures the host is told of: answer (noexcept) tells it the way its
// protocol says, after the body left its state consistent.
template <class Body, class Answer> void GuardExportAnswering(Body &&body, Answer &&answer) noexcept {
    const ExportCall call;
    try {
        std::forward<Body>(body)();
    } catch (...) {
        answer();
    }
}

template <class Body> void GuardExport(Body &&body) noexcept {
    GuardExportAnswering(std::forward<Body>(body), [] {});
}
