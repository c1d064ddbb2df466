// The library's end under the loader lock: the viewer's and the dialog's windows are handed over without a message
// sent to any window, their owner's loop destroys them afterwards, and everything else is released at once.
#include "db/Database.h"
#include "db/QueryRunner.h"
#include "db/SharedState.h"
#include "grid/MemoryBudget.h"
#include "headless/Inspect.h"
#include "plugin/LibraryEntry.h"
#include "plugin/SettingsForm.h"
#include "plugin/ViewerForm.h"
#include "toolkit/ToolkitFixture.h"

#include <vector>

namespace {

class LibraryDetach : public ToolkitTest {
protected:
    void TearDown() override {
        ReleasePlugin();
        ViewRect = {};
        HostWindow = nullptr;
        SavedApplet = Applet;
        ToolkitTest::TearDown();
    }
};

void CollectWindows(Control *control, std::vector<HWND> &windows) {
    if (!control)
        return;
    if (control->Handle)
        windows.push_back(control->Handle);
    for (std::int32_t i = 0; i < control->ChildCount(); ++i)
        CollectWindows(control->GetChild(i), windows);
}

TEST_F(LibraryDetach, HandsEveryWindowOverWithoutASendAndReleasesTheRest) {
    Control *host = Panel(400, 300);
    for (const bool withDialog : {false, true}) {
        SCOPED_TRACE(withDialog ? "a dialog open" : "the viewer only");
        AttachToHost(host->Handle);
        PlaceViewer(10, 10, 200, 100);
        ExchangeText = ":memory:";
        OpenDatabase();
        ExchangeText = "select 1, 'x' union all select 2, 'y'";
        RunQuery(ViewerGrid());
        ASSERT_NE(ResultBudget.Used(), 0u);
        const std::size_t withResult = ResultBudget.Used();
        if (withDialog)
            BuildSettingsForm(SettingsApplet = NewApplet("formset"))->Form->CreateWindow();
        std::vector<HWND> windows;
        for (Control *root : {SettingsApplet, ViewerApplet, Applet})
            CollectWindows(root, windows);
        ASSERT_GE(windows.size(), withDialog ? 7u : 4u);

        headless::ClearDeliveredMessages();
        DetachPlugin();
        EXPECT_TRUE(headless::DeliveredMessages().empty()) << "no window procedure ran under the loader lock";
        for (const HWND window : windows) {
            EXPECT_TRUE(IsWindow(window)) << "not destroyed under the loader lock";
            EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&DefWindowProcA));
        }
        EXPECT_EQ(Viewer, nullptr);
        EXPECT_EQ(Applet, nullptr);
        EXPECT_EQ(SettingsApplet, nullptr);
        EXPECT_EQ(DbHandle, nullptr);
        EXPECT_LT(ResultBudget.Used(), withResult) << "the grid's cells are released";

        Pump();
        for (const HWND window : windows)
            EXPECT_FALSE(IsWindow(window)) << "the owner's loop destroyed it";
        EXPECT_TRUE(IsWindow(host->Handle));
    }
}

} // namespace
