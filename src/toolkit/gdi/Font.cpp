#include "toolkit/gdi/DrawingTool.h"

#include "toolkit/windows/ControlDrawingTools.h"

#include <cstring>

namespace {

HGDIOBJ MakeFont(const DrawingTool &tool) {
    // The font colour is no part of the GDI font: canvases apply it with SetTextColor.
    LOGFONTA log;
    std::memcpy(&log, tool.Settings.Raw, sizeof log);
    return CreateFontIndirectA(&log);
}

DrawingTool *NewFontTool() { return NewFont(); }

} // namespace

Font *NewFont() {
    // Controls switch to drawing tools once the first one exists.
    static const bool installed = (InstallFontHooks(), true);
    (void)installed;
    Font *font = NewObject<Font>();
    font->Kind = ToolKind::Font;
    font->Settings.Color = 0x80000008;
    font->Settings.Font.lfCharSet = DEFAULT_CHARSET;
    std::memcpy(font->Settings.Font.lfFaceName, "MS Sans Serif", sizeof "MS Sans Serif");
    font->Creator = &NewFontTool;
    font->MakeHandle = &MakeFont;
    return font;
}

std::uint8_t Font::GetStyle() const {
    return std::uint8_t((Settings.Font.lfWeight >= FW_BOLD ? FontStyle::Bold : 0) |
                        (Settings.Font.lfItalic ? FontStyle::Italic : 0) |
                        (Settings.Font.lfUnderline ? FontStyle::Underline : 0) |
                        (Settings.Font.lfStrikeOut ? FontStyle::StrikeOut : 0));
}

Font *Font::SetStyle(std::uint8_t style) {
    style &= FontStyle::Bold | FontStyle::Italic | FontStyle::Underline | FontStyle::StrikeOut;
    if (style == GetStyle())
        return this;
    if (style & FontStyle::Bold) {
        if (Settings.Font.lfWeight < FW_BOLD)
            Settings.Font.lfWeight = FW_BOLD;
    } else if (Settings.Font.lfWeight >= FW_BOLD) {
        Settings.Font.lfWeight = FW_DONTCARE;
    }
    Settings.Font.lfItalic = (style & FontStyle::Italic) ? 1 : 0;
    Settings.Font.lfUnderline = (style & FontStyle::Underline) ? 1 : 0;
    Settings.Font.lfStrikeOut = (style & FontStyle::StrikeOut) ? 1 : 0;
    Changed();
    return this;
}
