// The settings dialog: its build, its modal loop, and its release.
#include "plugin/SettingsForm.h"

#include "plugin/ModuleHold.h"
#include "toolkit/windows/Control.h"
#include "toolkit/windows/ToolkitStart.h"

SettingsForm *CurrentSettings = nullptr;
Control *SettingsApplet = nullptr;

namespace {

void CloseWith(void *data, int result) {
    Control *form = static_cast<SettingsForm *>(data)->Form;
    form->ModalResult = result;
    form->SetVisible(false);
    form->SetEnabled(false);
}

void OnOk(void *data, ObjectBase *) { CloseWith(data, ModalResultOk); }
void OnCancel(void *data, ObjectBase *) { CloseWith(data, ModalResultCancel); }

constexpr DWORD MinimizeAndMaximizeBoxes = 0x30000;
constexpr std::uint32_t WindowBackgroundColor = 0x80000005;

} // namespace

SettingsForm *BuildSettingsForm(Control *parent) {
    auto *settings = NewObject<SettingsForm>();
    CurrentSettings = settings;

    Control *form = NewForm(parent, "Form2");
    settings->Form = form;
    form->SetPosition(393, 217);
    form->AddToAutoFree(settings);
    form->SetVisible(false);
    form->SetStyle(form->Style & ~MinimizeAndMaximizeBoxes);
    form->SetClientSize(157, 69);
    form->SetStayOnTop(true);
    // The buttons are the only way out: no Close in the system menu.
    if (HWND window = form->GetWindowHandle())
        DeleteMenu(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND);

    settings->OkButton = NewButton(form, "OK")->SetPosition(8, 32);
    settings->CancelButton = NewButton(form, "Cansel")->SetPosition(80, 32);
    settings->InfoBox = NewEditBox(form, 0)->SetPosition(8, 8)->SetSize(137, 0);
    settings->InfoBox->SetUnicodeFormat(true)->SetCaption("Tessaro PNG plugin");
    settings->CancelButton->OnClick = {OnCancel, settings};
    settings->OkButton->OnClick = {OnOk, settings};
    settings->InfoBox->SetColor(WindowBackgroundColor);
    return settings;
}

int RunSettingsDialog() {
    if (CurrentSettings)
        return 0;
    // The loop runs the host's handlers; one of them may unload the library under it.
    const ModuleHold hold;
    StartToolkit();
    SettingsApplet = NewApplet("formset");
    SettingsApplet->SetVisible(false);
    Control *form = BuildSettingsForm(SettingsApplet)->Form;
    // The buttons join the form after its window exists; without this they
    // would get no windows of their own and the dialog could not be closed.
    form->CreateWindow();
    form->SetVisible(true);
    form->SetEnabled(true);

    // Held for the loop, so a window destroyed from outside cannot free the form under it.
    form->AddRef();
    const std::uint32_t quitsBefore = QuitsHandedBack;
    while (form->ModalResult == 0) {
        // A quit the pump took (and handed back to the host's loop), or a window gone, ends the dialog as if
        // cancelled.
        if (QuitsHandedBack != quitsBefore || form->WindowDestroyed) {
            form->ModalResult = ModalResultCancel;
            break;
        }
        // WaitMessage sleeps until a message newer than the last look at the
        // queue arrives: messages already waiting are served first.
        MSG pending;
        if (!PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE))
            WaitMessage();
        Control::ProcessMessages();
    }
    form->Destroy();
    ReleaseSettings();
    return 0;
}

void ReleaseSettings() {
    CurrentSettings = nullptr;
    FreeAndClear(SettingsApplet);
}
