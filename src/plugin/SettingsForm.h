// The plug-in's settings dialog: a small always-on-top form with a box showing
// the plug-in's title and two buttons that close it. It holds no settings.
#pragma once

#include "toolkit/objects/ObjectBase.h"

class Control;

// The dialog's controls, released together with its form.
class SettingsForm : public ObjectBase {
public:
    Control *Form = nullptr;
    Control *OkButton = nullptr;
    Control *CancelButton = nullptr;
    Control *InfoBox = nullptr;
};

constexpr int ModalResultOk = 10;
constexpr int ModalResultCancel = 20;

// The dialog while an Interface call runs it, else null.
extern SettingsForm *CurrentSettings;
// The hidden application window that parents the dialog while it exists.
extern Control *SettingsApplet;

// Builds the dialog (hidden) under the given parent and makes it the current one.
SettingsForm *BuildSettingsForm(Control *parent);

// Frees the dialog's application window, and with it the dialog's windows and records.
void ReleaseSettings();

// Shows the dialog modally and returns 0 once a button has closed it. A call
// made while a dialog is already open (from a handler its loop dispatched)
// returns 0 at once and leaves that dialog to the loop running it.
int RunSettingsDialog();
