// The viewer's life in a host window: moving in without a usable rectangle, the backdrop a later Draw takes, the host
// window destroyed under it, no host window at all, and the release that unloading the library runs.
#include "plugin/ViewerForm.h"

#include "db/SharedState.h"
#include "plugin/LibraryEntry.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/bitmaps/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/windows/ControlDrawingTools.h"

namespace {

constexpr COLORREF HostColor = RGB(10, 120, 30);

class ViewerLifetime : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        Host = Panel(600, 400);
        Host->SetOnPaint({[](void *, ObjectBase *sender, HDC) {
                              Canvas *canvas = ControlCanvas(static_cast<Control *>(sender));
                              canvas->Brush()->SetColor(HostColor);
                              canvas->FillRect(RECT{0, 0, 600, 400});
                          },
                          nullptr});
        Pump();
    }
    void TearDown() override {
        ReleasePlugin();
        // The release ends the toolkit's application window, whatever test made it.
        SavedApplet = Applet;
        ToolkitTest::TearDown();
    }

    // Waits for the timer to move the viewer into the host window; its window then, or null.
    static HWND MovedIn(HWND host) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 3000) {
            Pump();
            if (!ViewerGrid())
                return nullptr;
            const HWND form = Viewer->Form->Handle;
            if (GetParent(form) == host && IsWindowVisible(form))
                return form;
            Sleep(5);
        }
        return nullptr;
    }

    static void Wait(DWORD milliseconds) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < milliseconds) {
            Pump();
            Sleep(5);
        }
    }

    Control *Host = nullptr;
};

struct EarlyPlace {
    const char *Name;
    bool Draws;
    int Left, Top, Width, Height;
    // The size of the backdrop taken at the move: the part of the rectangle inside the host's 600 x 400 client area.
    LONG BackdropWidth, BackdropHeight;
};

const EarlyPlace EarlyPlaces[] = {
    {"no Draw", false, 0, 0, 0, 0, 0, 0},
    {"zero size", true, 0, 0, 0, 0, 0, 0},
    {"negative size", true, 0, 0, -300, -200, 0, 0},
    {"outside the host", true, 700, 500, 100, 100, 0, 0},
    {"huge", true, 0, 0, 20000, 20000, 600, 400},
    {"over the top-left corner", true, -50, -40, 200, 100, 150, 60},
};

// The move and every paint cope without a backdrop; the first Draw that shows some of the host takes the one backdrop.
TEST_F(ViewerLifetime, TheBackdropComesFromTheFirstRectangleTheHostShows) {
    for (const EarlyPlace &place : EarlyPlaces) {
        SCOPED_TRACE(place.Name);
        AttachToHost(Host->Handle);
        if (place.Draws)
            PlaceViewer(place.Left, place.Top, place.Width, place.Height);
        const HWND form = MovedIn(Host->Handle);
        ASSERT_NE(form, nullptr);
        RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
        Pump();
        ASSERT_EQ(Backdrop != nullptr, place.BackdropWidth > 0);
        if (Backdrop) {
            EXPECT_EQ(Backdrop->Width, place.BackdropWidth);
            EXPECT_EQ(Backdrop->Height, place.BackdropHeight);
        }
        const Bitmap *taken = Backdrop;

        EXPECT_NE(PlaceViewer(30, 40, 320, 200), FALSE);
        Wait(50);
        ASSERT_NE(Backdrop, nullptr);
        if (taken) {
            EXPECT_EQ(Backdrop, taken) << "one backdrop only";
        } else {
            EXPECT_EQ(Backdrop->Width, 320);
            EXPECT_EQ(Backdrop->Height, 200);
        }
        RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
        ReleasePlugin();
    }
}

// Released within the timer's 500 ms and after the move: nothing of the viewer is left, the timer never fires into
// freed records, the classes are gone, and a new viewer can be built.
TEST_F(ViewerLifetime, ReleaseLeavesNothingAndAllowsANewViewer) {
    for (const DWORD wait : {DWORD{50}, DWORD{700}}) {
        SCOPED_TRACE(wait);
        AttachToHost(Host->Handle);
        PlaceViewer(30, 40, 320, 200);
        Wait(wait);
        const HWND windows[] = {Viewer->Form->Handle, ViewerApplet->Handle, Applet->Handle};
        ReleasePlugin();
        for (const HWND window : windows)
            EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(Viewer, nullptr);
        EXPECT_EQ(Backdrop, nullptr);
        EXPECT_EQ(Applet, nullptr);
        WNDCLASSA info;
        EXPECT_FALSE(GetClassInfoA(ModuleInstance(), "obj_App", &info));
        Wait(600);
    }
    AttachToHost(Host->Handle);
    PlaceViewer(30, 40, 320, 200);
    EXPECT_NE(MovedIn(Host->Handle), nullptr);
    EXPECT_NE(Backdrop, nullptr);
}

// The viewer goes with its host window, moved in or not, and is not built again for another host.
TEST_F(ViewerLifetime, AViewerGoneWithItsHostWindowIsNotRebuilt) {
    for (const bool movedIn : {false, true}) {
        SCOPED_TRACE(movedIn ? "after the move" : "before the move");
        Control *host = Panel(300, 200);
        AttachToHost(host->Handle);
        PlaceViewer(10, 10, 100, 80);
        if (movedIn) {
            ASSERT_NE(MovedIn(host->Handle), nullptr);
        }
        DestroyWindow(host->Handle);
        Wait(700);
        EXPECT_EQ(ViewerGrid(), nullptr);
        EXPECT_EQ(ViewerApplet, nullptr);
        EXPECT_EQ(PlaceViewer(10, 10, 100, 80), FALSE);
        AttachToHost(Host->Handle);
        EXPECT_EQ(HostWindow, Host->Handle);
        EXPECT_EQ(ViewerGrid(), nullptr);
        ReleasePlugin();
    }
}

TEST_F(ViewerLifetime, WithoutAHostWindowNoViewerIsBuilt) {
    AttachToHost(nullptr);
    EXPECT_EQ(Viewer, nullptr);
    EXPECT_EQ(PlaceViewer(10, 10, 100, 80), FALSE);
    AttachToHost(Host->Handle);
    EXPECT_NE(ViewerGrid(), nullptr) << "the first call that names a window builds it";
}

} // namespace
