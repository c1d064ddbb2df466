// The store behind a grid's cells: records, texts and rows carved from shared blocks must never overlap, survive the
// store's reuse of freed room, and stop lending room to texts and rows that keep being replaced.
#include "grid/CellStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/MemoryBudget.h"
#include "grid/XLGrid.h"

namespace {

std::string TextFor(int i) {
    // Lengths from empty to past the shared-room limit, so both kinds of text and several blocks are used.
    return i % 97 == 0 ? std::string() : std::to_string(i) + std::string(static_cast<std::size_t>(i % 1500), 'x');
}

TEST(CellStore, TextsAndRecordsStayIntactAsRoomIsReused) {
    CellStore store;
    std::vector<XLCell *> cells;
    for (int i = 0; i < 5000; ++i) {
        cells.push_back(store.New());
        cells.back()->SelCount = i;
        store.SetText(cells.back()->Text, TextFor(i));
    }
    // Every other record goes and comes back with a new text.
    for (int i = 0; i < 5000; i += 2) {
        store.Delete(cells[i]);
        cells[i] = store.New();
        EXPECT_EQ(cells[i]->SelCount, 0) << "a reused record starts as a new one";
        EXPECT_TRUE(cells[i]->Text.Empty());
        cells[i]->SelCount = i;
        store.SetText(cells[i]->Text, TextFor(i + 1));
    }
    EXPECT_EQ(store.Live(), 5000u);
    for (int i = 0; i < 5000; ++i) {
        EXPECT_EQ(cells[i]->SelCount, i);
        ASSERT_EQ(cells[i]->Text.View(), TextFor(i % 2 ? i : i + 1)) << i;
    }
    store.SetText(cells[1]->Text, std::string("cut\0here", 8));
    EXPECT_EQ(cells[1]->Text.View(), "cut");
    store.SetText(cells[1]->Text, cells[1]->Text.View().substr(1));
    EXPECT_EQ(cells[1]->Text.View(), "ut") << "a text set from the cell's own text";
    for (XLCell *cell : cells)
        store.Delete(cell);
    EXPECT_EQ(store.Live(), 0u);
}

TEST(CellStore, ATextReplacedOverAndOverEndsUpWithRoomOfItsOwn) {
    CellStore store;
    XLCell *first = store.New();
    XLCell *cell = store.New();
    store.SetText(first->Text, "kept");
    EXPECT_TRUE(first->Text.Borrowed());
    int borrowed = 0;
    for (int i = 0; i < 1000; ++i) {
        store.SetText(cell->Text, "value " + std::to_string(i));
        borrowed += cell->Text.Borrowed();
        if (i % 3 == 1)
            store.SetText(cell->Text, "");
    }
    EXPECT_LT(borrowed, 10) << "left-over room never grows past what is in use";
    EXPECT_FALSE(cell->Text.Borrowed());
    EXPECT_EQ(cell->Text.View(), "value 999");
    EXPECT_EQ(first->Text.View(), "kept");

    // Once the store is empty its room starts afresh.
    store.Delete(first);
    store.Delete(cell);
    cell = store.New();
    store.SetText(cell->Text, "fresh");
    EXPECT_TRUE(cell->Text.Borrowed());
    store.Delete(cell);
}

TEST(CellStore, RowsKeepTheirEntriesWhereverTheyLie) {
    const std::size_t before = ResultBudget.Used();
    CellStore store;
    XLCell marker;
    // Widths from none to past the carved-row limit, so rows of both kinds and several blocks are used.
    std::vector<GridRow *> rows;
    for (std::int32_t i = 0; i < 600; ++i) {
        const std::int32_t cells = i % 7 == 0 ? 1200 : i % 50;
        GridRow *row = store.NewRow(cells);
        row->SetCapacity(cells);
        for (std::int32_t c = 0; c < cells; ++c)
            row->Add(&marker + ((i + c) % 5));
        rows.push_back(row);
    }
    EXPECT_TRUE(rows[1]->CarvedSize > 0 && rows[1]->ItemsBorrowed);
    EXPECT_EQ(rows[0]->CarvedSize, 0u) << "a row of many cells is allocated on its own";
    // A carved row grown past its room moves its entries out and keeps them.
    rows[3]->SetCapacity(40);
    EXPECT_FALSE(rows[3]->ItemsBorrowed);
    rows[3]->Add(&marker);
    for (std::int32_t i = 0; i < 600; ++i) {
        const std::int32_t cells = i % 7 == 0 ? 1200 : i % 50;
        ASSERT_EQ(rows[i]->Count, cells + (i == 3)) << i;
        for (std::int32_t c = 0; c < cells; ++c)
            ASSERT_EQ(rows[i]->Get(c), &marker + ((i + c) % 5)) << i << ", " << c;
    }
    // Rows made and dropped over and over beside a lasting one stop taking carved room.
    int carved = 0;
    for (int i = 0; i < 1000; ++i) {
        GridRow *row = store.NewRow(30);
        carved += row->CarvedSize > 0;
        store.DeleteRow(row);
    }
    EXPECT_LT(carved, 700) << "left-over room never grows past what is in use";
    for (GridRow *row : rows) {
        row->Clear();
        store.DeleteRow(row);
    }
    EXPECT_EQ(store.LiveRows(), 0u);
    EXPECT_EQ(ResultBudget.Used(), before) << "every charge given back once the store is empty";
}

} // namespace
