// Esc stops a running query: SQLite's progress handler asks, every so often, whether the user pressed Esc in the
// host. No time limit is imposed, so a long query the user leaves alone runs to its end.
#pragma once

#include <sqlite3.h>

#include <cstdint>

// Esc is down, or went down since the last look, while a window of this process (the host's, or ours in it) is the
// foreground window: Esc pressed in another program does not count.
bool EscapePressedInHost();

// Watches for Esc while the connection runs statements, from construction to destruction; a statement stopped this
// way fails its step with SQLITE_INTERRUPT, like any failed step.
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
};
