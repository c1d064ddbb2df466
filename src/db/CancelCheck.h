// Esc stops a running query: SQLite's progress handler asks, every so often, whether the user pressed Esc in the
// host. No time limit is imposed, so a long query the user leaves alone runs to its end.
#pragma once

#include <sqlite3.h>

#include <cstdint>

// Esc is down (its physical state; the "pressed since the last look" bit is shared with every other caller and not
// to be relied on) while the host is in front: a window of this process is the foreground window, or the host's
// top-level window is marked not responding and the window in front covers exactly its rectangle. That is the ghost
// Windows puts in place of a top-level window whose thread has not read its queue for 5 s, which a long query does;
// the ghost belongs to another process. Esc pressed in another program does not count.
bool EscapePressedInHost();

// Watches for Esc while the connection runs statements, from construction to destruction; a statement stopped this
// way fails its step with SQLITE_INTERRUPT, like any failed step. Only a press that begins after the start counts:
// an Esc still held from before (the one that closed something in the host, say) must be let go first.
class CancelCheck {
public:
    explicit CancelCheck(sqlite3 *db);
    ~CancelCheck();
    CancelCheck(const CancelCheck &) = delete;
    CancelCheck &operator=(const CancelCheck &) = delete;

    // VM instructions between two calls of the progress handler. Tuned by measurement: often enough that a stop
    // takes effect well within 200 ms, seldom enough not to slow the 65,534-row road measurably.
    static constexpr int Instructions = 10000;
    // The handler looks at the keyboard at most this often, in milliseconds; in between it only reads the clock.
    static constexpr std::uint32_t LookInterval = 20;

private:
    static int Progress(void *check);

    sqlite3 *Db;
    std::uint32_t LastLook;
    // Esc has been seen up since the start.
    bool EscapeReleased;
};
