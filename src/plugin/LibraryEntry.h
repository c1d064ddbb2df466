// The library's end: what unloading it has to undo.
#pragma once

// Stops the viewer's timer and destroys its windows, the toolkit's application window and window classes, and
// closes the database, leaving the state of a fresh load. On the thread that owns the windows.
void ReleasePlugin();
