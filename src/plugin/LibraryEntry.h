// The library's end: what unloading it has to undo.
#pragma once

// Destroys the viewer's windows, the settings dialog's, the toolkit's application window and window classes, and
// closes the database, leaving the state of a fresh load. On the thread that owns the windows, outside the loader
// lock.
void ReleasePlugin();

// The same under the loader lock, from any thread: DllMain may neither run the host's code (DestroyWindow sends
// WM_PARENTNOTIFY to the host window and runs hooks) nor wait for another thread. The library's windows are handed
// to the default procedure with a posted WM_CLOSE, so their owner's loop destroys them; the records, the result, the
// drawing tools and the database are released here, which calls nothing that sends a message. The window classes
// stay registered while such a window lives; a new load registers them anew.
void DetachPlugin();
