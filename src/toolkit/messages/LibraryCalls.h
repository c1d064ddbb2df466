// How many calls into the library are on some thread's stack: exports and window procedures. A reference on the
// library that a thread of ours drops waits for none to be left, so an unload it causes returns into no freed code.
#pragma once

#include <atomic>

extern std::atomic<int> CallsInLibrary;

// Counts the calls from its construction to its destruction.
class LibraryCall {
public:
    LibraryCall() noexcept { ++CallsInLibrary; }
    ~LibraryCall() { --CallsInLibrary; }
    LibraryCall(const LibraryCall &) = delete;
    LibraryCall &operator=(const LibraryCall &) = delete;
};
