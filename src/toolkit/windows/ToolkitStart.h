// The toolkit's start: its hidden application window, made once.
#pragma once

class Control;

// Makes the Applet, the hidden application window captioned "vexlet", on the first call and returns it. Windows
// are not made while the library loads (the loader lock is held then): the exports that need the toolkit call this
// first.
Control *StartToolkit();
