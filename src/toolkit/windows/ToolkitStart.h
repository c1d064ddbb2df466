// The toolkit's start and end: its hidden application window, made once, and what is left to undo when the library
// unloads.
#pragma once

class Control;

// Makes the Applet, the hidden application window captioned "vexlet", on the first call and returns it. Windows
// are not made while the library loads (the loader lock is held then): the exports that need the toolkit call this
// first.
Control *StartToolkit();
// Frees the Applet and unregisters the toolkit's window classes, so that no window or class is left whose procedure
// is the library's. On the thread that owns the windows, after every other control of the library is gone.
void StopToolkit();
