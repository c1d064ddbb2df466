#include "toolkit/gdi/StockObjects.h"

namespace {

HGDIOBJ Cached(HGDIOBJ &slot, int index) {
    if (!slot)
        slot = GetStockObject(index);
    return slot;
}

HGDIOBJ blackPen = nullptr;
HGDIOBJ nullBrush = nullptr;
HGDIOBJ systemFont = nullptr;

} // namespace

HGDIOBJ StockBlackPen() { return Cached(blackPen, BLACK_PEN); }
HGDIOBJ StockNullBrush() { return Cached(nullBrush, NULL_BRUSH); }
HGDIOBJ StockSystemFont() { return Cached(systemFont, SYSTEM_FONT); }
