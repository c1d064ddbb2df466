// Common ground for the control tests: forms to put controls on, a logging procedure, and a clean queue and
// global state around every test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/MessageLog.h"
#include "toolkit/windows/Control.h"

class ToolkitTest : public ::testing::Test {
public:
    // Dispatches what is waiting, WM_QUIT excepted.
    static void Pump();
    static std::string TextOf(HWND window);

protected:
    void SetUp() override;
    void TearDown() override;

    // A form that is freed after the test unless the test freed it. Hidden forms keep the desktop quiet; their
    // children are made but not shown.
    Control *Form(bool visible = false);
    // A borderless, visible form with the given client size: a plain area to lay children out in.
    Control *Panel(LONG width, LONG height);
    // A child control over a class of its own (no system class behind it).
    static Control *Child(Control *parent, DWORD style = WS_CHILD | WS_VISIBLE);

    std::vector<Control *> Forms;
    Control *SavedApplet = nullptr;
};

// A message procedure that records what its control receives into the active MessageLog and handles nothing.
bool LogMessages(Control *control, WindowMessage &message, LRESULT &result);

// Presses and releases the left button at (x, y) as posted input would.
void Click(HWND window, int x, int y);

// Sets or clears a key in the calling thread's key state.
void SetKeyDown(int key, bool down);
