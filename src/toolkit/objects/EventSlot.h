// Event slots: a handler and its user data, called as (data, sender, args...).
#pragma once

class ObjectBase;

// A plain function pointer plus a context word, rather than std::function, so a slot is two words, can be copied
// and cleared freely, and the same handler can serve many objects through different data.
template <class... Args> struct Event {
    using HandlerProc = void (*)(void *data, ObjectBase *sender, Args... args);

    HandlerProc Handler = nullptr;
    void *Data = nullptr;

    explicit operator bool() const { return Handler != nullptr; }

    // An empty slot is simply skipped, so callers fire events without checking them first.
    void operator()(ObjectBase *sender, Args... args) const {
        if (Handler)
            Handler(Data, sender, args...);
    }

    void Clear() { *this = {}; }
};

using NotifyEvent = Event<>;
