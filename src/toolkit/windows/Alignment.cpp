// Alignment: children docked to an edge of their parent's client area, or filling what is left, inside the
// parent's margin.
#include "toolkit/windows/Control.h"

#include "toolkit/objects/RectHelpers.h"
#include "toolkit/windows/ControlInternals.h"

namespace {

void NoAlignment(Control *) {}

bool MayAlign(Control *control) {
    if (!control->Visible && !control->ShowPending)
        return false;
    return control->IsAlignRoot || !control->Parent || MayAlign(control->Parent);
}

bool InPass(std::uint8_t align, int pass) {
    switch (pass) {
    case 0:
        return align == AlignKind::Top || align == AlignKind::Bottom;
    case 1:
        return align == AlignKind::Left || align == AlignKind::Right;
    default:
        return align == AlignKind::None || align == AlignKind::Client;
    }
}

// The child's new bounds for its alignment; takes its share off the available rectangle.
RECT Place(const RECT &bounds, std::uint8_t align, RECT &available, LONG margin) {
    const LONG width = bounds.right - bounds.left;
    const LONG height = bounds.bottom - bounds.top;
    RECT &a = available;
    RECT r = bounds;
    switch (align) {
    case AlignKind::Left:
        r = MakeRect(a.left + margin, a.top + margin, a.left + margin + width, a.bottom - margin);
        a.left += width + margin;
        break;
    case AlignKind::Top:
        r = MakeRect(a.left + margin, a.top + margin, a.right - margin, a.top + margin + height);
        a.top += height + margin;
        break;
    case AlignKind::Right:
        r = MakeRect(a.right - margin - width, a.top + margin, a.right - margin, a.bottom - margin);
        a.right -= width + margin;
        break;
    case AlignKind::Bottom:
        r = MakeRect(a.left + margin, a.bottom - margin - height, a.right - margin, a.bottom - margin);
        a.bottom -= height + margin;
        break;
    case AlignKind::Client:
        r = MakeRect(a.left + margin, a.top + margin, a.right - margin, a.bottom - margin);
        break;
    default:
        break;
    }
    // A parent too small for the margins gives an empty child, never one of negative size.
    r.right = IntMax(r.right, r.left);
    r.bottom = IntMax(r.bottom, r.top);
    return r;
}

void AlignChildren(Control *parent) {
    using namespace AlignStateBits;
    parent->AlignState = static_cast<std::uint8_t>((parent->AlignState & ~NeedsAlign) | Running);
    RECT available = parent->ClientRect();
    const LONG margin = parent->Margin;
    for (int pass = 0; pass < 3; ++pass) {
        for (std::int32_t i = 0; i < parent->ChildCount(); ++i) {
            Control *child = parent->GetChild(i);
            if ((!child->Visible && !child->ShowPending) || !InPass(child->Align, pass))
                continue;
            const RECT before = child->BoundsRect();
            const RECT after = Place(before, child->Align, available, margin);
            if (after.right - after.left != before.right - before.left ||
                after.bottom - after.top != before.bottom - before.top)
                child->AlignState = static_cast<std::uint8_t>((child->AlignState & ~NeedsAlign) | SizeChanged);
            if (!RectsEqual(before, after))
                child->SetBoundsRect(after);
            if (child->AlignState & NeedsAlign)
                AlignChildren(child);
            // A pass on this parent started by the child's resize has already done the rest.
            if (!(parent->AlignState & Running))
                return;
        }
    }
    parent->AlignState &= static_cast<std::uint8_t>(~Running);
}

} // namespace

void (*AlignHook)(Control *control) = &NoAlignment;

void AlignControl(Control *control) {
    using namespace AlignStateBits;
    Control *start = control;
    if ((control->Parent && !control->IsAlignRoot) || (control->AlignState & SizeChanged)) {
        if (control->Parent) {
            control->AlignState |= NeedsAlign;
            start = control->Parent;
        }
    }
    control->AlignState &= static_cast<std::uint8_t>(~SizeChanged);
    if (!MayAlign(start)) {
        start->AlignState |= NeedsAlign;
        return;
    }
    AlignChildren(start);
}

Control *Control::SetAlign(std::uint8_t align) {
    AlignHook = &AlignControl;
    if (align != Align) {
        Align = align;
        AlignHook(this);
    }
    return this;
}
