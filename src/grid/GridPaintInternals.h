// Shared between the grid's painting files.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "grid/GridInternals.h"
#include "toolkit/gdi/Canvas.h"

// Solid brushes by colour for one paint: the cells switch between their background and border colours many times,
// and re-making the canvas brush at every switch would cost GDI objects per cell.
class SolidBrushes {
public:
    SolidBrushes() = default;
    SolidBrushes(const SolidBrushes &) = delete;
    SolidBrushes &operator=(const SolidBrushes &) = delete;
    ~SolidBrushes();
    HBRUSH Get(std::uint32_t color);

private:
    std::vector<std::pair<std::uint32_t, HBRUSH>> Made;
};

// The texts of one paint, with what it learnt of the fonts' placement. Valid UTF-8 beyond ASCII is drawn as Unicode;
// any other bytes as they are.
class GridText {
public:
    // False while an owner draws cells or titles: it may leave the DC in any state, so DrawText lays out every text.
    bool Direct = true;
    // Draws with the DC's selected font, whose settings are font.
    void Draw(HDC dc, const LOGFONTA &font, std::string_view text, const RECT &rect, UINT format);
    // Texts drawn without DrawText.
    int DirectDraws = 0;

private:
    struct Offset {
        LONG Height;
        UINT Vertical;
        LONG Value;
    };
    // Exact: a single line of the font lands where DrawText puts it; LineHeight is then DrawText's.
    struct Placement {
        LOGFONTA Font;
        LONG LineHeight;
        bool Exact;
        std::vector<Offset> Offsets;
    };
    Placement *PlacementOf(HDC dc, const LOGFONTA &font);
    bool VerticalOffset(HDC dc, Placement &p, LONG height, UINT vertical, LONG &offset);
    std::vector<Placement> Fonts;
};

// Border bands of the cells, painted after the cells' backgrounds and texts as few long lines: under Wine every fill
// costs a call, and with borders in view a paint makes two of them per cell. Cells do not overlap and their texts
// are clipped inside their borders (for the lines of underlined and struck-out fonts, see GridPainter::BeforeText),
// so only the order of a cell's own bands matters: its left and right ones before its top and bottom ones.
class GridLines {
public:
    void Add(std::uint32_t color, const RECT &band, bool vertical);
    // Fills every band (the vertical ones first) and forgets them.
    void Paint(struct GridPainter &painter);

private:
    struct Line {
        std::uint32_t Color;
        RECT Rect;
    };
    // Extends the last line of the colour that the band continues, else starts a new one.
    static void Join(std::vector<Line> &lines, std::uint32_t color, const RECT &band, bool vertical);
    std::vector<Line> Vertical;
    std::vector<Line> Horizontal;
};

// One paint of one grid into the buffer's canvas.
struct GridPainter {
    GridPainter(XLGrid *grid, XLGridData &data, Canvas *target) : Grid(grid), Data(data), Target(target) {}

    XLGrid *Grid;
    XLGridData &Data;
    Canvas *Target;
    SolidBrushes Brushes;
    GridText Text;
    // The canvas brush as the fills and cells leave it, for an owner, a focus rectangle and whoever draws after the
    // paint. Every change of the canvas brush deselects the canvas's font, so without an owner the canvas gets it only
    // when one of those may look.
    std::uint32_t BrushColor = 0;
    std::uint8_t BrushStyle = BrushStyleKind::Solid;
    // The DC draws text on a transparent background; an owner or a selected brush may have changed that.
    bool TextTransparent = false;
    // Set while the cells in view are painted without an owner: their borders go to Lines.
    bool DeferLines = false;
    GridLines Lines;
    // Nothing drawn so far reaches outside its own cell, so a cell not yet painted still shows the client fill.
    bool Confined = true;

    // Before a text in the font: under Wine an underline or a strike-out runs past the text's clip, over other cells
    // and borders, so from there on cells are filled and borders painted in the order of a plain paint.
    void BeforeText(const LOGFONTA &font);
    void SetBrush(std::uint32_t color, std::uint8_t style);
    void SyncBrush();
    // The DC with the canvas font selected and a transparent text background, or null.
    HDC TextDC();
};

// Brush colour := colour, solid; fills rect.
void FillRectColor(GridPainter &painter, std::uint32_t color, const RECT &rect);
void PaintCells(GridPainter &painter);
// blank: nothing has been painted over the rectangle since the whole-client fill.
void PaintCell(GridPainter &painter, XLCell *cell, const RECT &rect, std::int32_t col, std::int32_t row, bool selected,
               bool focused, bool blank = false);
// Paints the four borders; gives the rectangle left inside them.
RECT PaintCellBorders(GridPainter &painter, XLCell *cell, const RECT &rect, std::int32_t col, std::int32_t row);
void PaintCurrentCell(GridPainter &painter);
void PaintTitles(GridPainter &painter);
