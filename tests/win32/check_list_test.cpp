// The check-box list on a real dialog under Wine: cell colours and check
// boxes as the screen shows them, clicks with the real pointer, the header's
// check boxes, the tiled background of the empty list and cell tooltips.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "controls/CheckListCtrl.h"
#include "framework/App.h"
#include "res/resource.h"
#include "tests/support/ui_helpers.h"
#include "tests/win32/controls_probe.h"
#include "tests/win32/controls_probe_ids.h"

namespace {

using ui::PumpUntil;
using probe::Describe;

constexpr COLORREF kAccent = RGB(0x3E, 0x8B, 0xFF);  // the checked box's fill
constexpr COLORREF kBlack = RGB(0, 0, 0);

class CheckListTest : public testing::Test {
protected:
    void SetUp() override {
        fw::CWinApp::Enable3dControls();
        ui::MoveMouse(1000, 900);
        ASSERT_TRUE(dialog.Open(100, 100, 500, 420));
        dialog.Place(IDC_PROBE_LIST, 10, 60, 460, 320);
        ASSERT_TRUE(list.SubclassDlgItem(IDC_PROBE_LIST, dialog));
        list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        ASSERT_EQ(list.InsertColumn(0, "", LVCFMT_CENTER, 60), 0);
        ASSERT_EQ(list.InsertColumn(1, "Name", LVCFMT_LEFT, 200), 1);
        ASSERT_EQ(list.InsertColumn(2, "Size", LVCFMT_CENTER, 120), 2);
        headerImages = ::ImageList_LoadImageA(::GetModuleHandleA(nullptr),
                                              MAKEINTRESOURCEA(IDB_HEADER_IMAGES), 16, 4,
                                              RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
        ::SendMessageA(list.Header(), HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(headerImages));
    }
    void TearDown() override {
        dialog.DestroyWindow();
        if (headerImages) ::ImageList_Destroy(headerImages);
    }

    RECT Cell(int row, int column) const {
        RECT rc{};
        rc.top = column;
        rc.left = LVIR_BOUNDS;
        list.SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rc));
        if (column == 0) rc.right = Cell(row, 1).left;
        return rc;
    }
    COLORREF ListPixel(int x, int y) const {
        POINT p = ui::ClientToScreenPoint(list, x, y);
        return ui::ScreenPixel(p.x, p.y);
    }
    // The list's own pixel at a cell's left edge, middle height.
    COLORREF CellEdge(int row, int column) const {
        RECT rc = Cell(row, column);
        return ListPixel(rc.left + 2, (rc.top + rc.bottom) / 2);
    }
    // Where a cell's check box is drawn: after the spacing, centred.
    POINT CheckBoxCentre(int row, int column) const {
        RECT rc = Cell(row, column);
        return ui::ClientToScreenPoint(list, rc.left + 6 + 8, (rc.top + rc.bottom) / 2);
    }
    COLORREF CheckBoxPixel(int row, int column) const {
        POINT p = CheckBoxCentre(row, column);
        return ui::ScreenPixel(p.x - 4, p.y - 4);  // inside the box, clear of the tick
    }
    void ClickCheckBox(int row, int column) {
        POINT p = CheckBoxCentre(row, column);
        ASSERT_TRUE(ui::Click(p.x, p.y));
    }
    int Clicks() const { return dialog.Count(dialog.notifications, IDC_PROBE_LIST, NM_CLICK); }
    // Clicks at one spot further apart than a double click.
    void BetweenClicks() { ui::PumpFor(::GetDoubleClickTime() + 200); }

    probe::ProbeDialog dialog;
    CCheckListCtrl list;
    HIMAGELIST headerImages = nullptr;
};

TEST_F(CheckListTest, OperationsRefuseRowsAndColumnsOutOfRange) {
    EXPECT_EQ(list.InsertRow(-1, "x", kBlack, RGB(255, 255, 255)), -1);
    EXPECT_EQ(list.InsertRow(0, "first", kBlack, RGB(255, 255, 255)), 0);
    EXPECT_EQ(list.InsertRow(7, "second", kBlack, RGB(255, 255, 255)), 1);  // appended
    EXPECT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.SetCellText(2, 1, "x"), 0);
    EXPECT_EQ(list.SetCellText(-1, 1, "x"), 0);
    EXPECT_EQ(list.SetCellText(0, 3, "x"), 0);
    EXPECT_EQ(list.SetCheckbox(0, 3, 1), 0);
    EXPECT_EQ(list.SetCheckbox(5, 0, 1), 0);
    EXPECT_EQ(list.GetCheckedCount(0), 0);
    EXPECT_EQ(list.SetCheckbox(1, 0, 1), 1);
    EXPECT_EQ(list.GetCheckedCount(0), 1);
    EXPECT_EQ(list.GetCheckbox(1, 0), 1);
    EXPECT_EQ(list.GetCheckbox(0, 0), -1);
    EXPECT_EQ(list.GetFirstSelected(), -1);
    LVITEMA selected{};
    selected.stateMask = selected.state = LVIS_SELECTED;
    list.SendMessage(LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&selected));
    EXPECT_EQ(list.GetFirstSelected(), 1);

    // A row inserted behind the list's back has no records: no check box.
    LVITEMA plain{};
    plain.mask = LVIF_TEXT;
    plain.iItem = 2;
    plain.pszText = const_cast<char*>("plain");
    ASSERT_EQ(list.SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&plain)), 2);
    EXPECT_EQ(list.SetCheckbox(2, 0, 1), 0);
    EXPECT_EQ(list.SetCellText(2, 1, "still text"), 1);

    list.DeleteAllRows();
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(list.GetCheckedCount(0), 0);
}

TEST_F(CheckListTest, RowsDeletedOneByOneLeaveTheOthersTheirCells) {
    for (int row = 0; row < 4; ++row) {
        list.InsertRow(row, " ", kBlack, RGB(255, 255, 255));
        list.SetCheckbox(row, 0, row % 2);
        list.SetCellText(row, 1, std::to_string(row).c_str());
    }
    // Deleted behind the list's back: the row's cells go with it.
    ASSERT_TRUE(list.SendMessage(LVM_DELETEITEM, 1));
    ASSERT_TRUE(list.SendMessage(LVM_DELETEITEM, 0));
    ASSERT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.GetCheckbox(0, 0), 0);  // was row 2
    EXPECT_EQ(list.GetCheckbox(1, 0), 1);  // was row 3
    EXPECT_EQ(list.GetCheckedCount(0), 1);
    list.DeleteAllRows();
    EXPECT_EQ(list.RowCount(), 0);
}

TEST_F(CheckListTest, CellsShowTheirOwnColoursAndColumnZeroKeepsToItself) {
    ASSERT_EQ(list.InsertRow(0, " ", kBlack, RGB(0, 0, 200)), 0);
    list.SetCellText(0, 1, "alpha.avi", RGB(255, 255, 255), RGB(200, 0, 0));
    list.SetCellText(0, 2, "12", CCheckListCtrl::kDefaultColour, RGB(0, 160, 0));
    EXPECT_TRUE(PumpUntil([&] { return CellEdge(0, 1) == RGB(200, 0, 0); }))
        << "column 1: " << Describe(CellEdge(0, 1));
    EXPECT_EQ(CellEdge(0, 0), RGB(0, 0, 200));
    EXPECT_EQ(CellEdge(0, 2), RGB(0, 160, 0));
    ui::SaveScreenshot("check_list_cell_colours");
    RECT first = Cell(0, 1);
    EXPECT_EQ(ListPixel(first.left, (first.top + first.bottom) / 2), RGB(200, 0, 0))
        << "column 0 painted over column 1";

    // Default colours come back with -1; the text stays when none is given.
    list.SetCellText(0, 2, nullptr);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    EXPECT_TRUE(PumpUntil([&] { return CellEdge(0, 2) == window; })) << Describe(CellEdge(0, 2));
    char text[16] = {};
    LVITEMA item{};
    item.iSubItem = 2;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    list.SendMessage(LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "12");

    // A selected row shows the highlight across the row (full-row selection,
    // selection shown always).
    LVITEMA select{};
    select.stateMask = select.state = LVIS_SELECTED;
    list.SendMessage(LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&select));
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_TRUE(PumpUntil([&] { return CellEdge(0, 1) == highlight; })) << Describe(CellEdge(0, 1));
    EXPECT_EQ(CellEdge(0, 0), highlight);
    // Without full-row selection only column 0 is highlighted.
    list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, 0);
    list.Invalidate(FALSE);
    EXPECT_TRUE(PumpUntil([&] { return CellEdge(0, 1) == RGB(200, 0, 0); })) << Describe(CellEdge(0, 1));
    EXPECT_EQ(CellEdge(0, 0), highlight);
}

TEST_F(CheckListTest, DisabledRowIsGreyedAndIgnoresClicks) {
    list.SetFontHeight(24);
    ASSERT_EQ(list.InsertRow(0, " ", kBlack, RGB(255, 255, 255)), 0);
    list.SetCellText(0, 1, "WWWWWW", RGB(0, 0, 0), RGB(255, 255, 255));
    list.SetCheckbox(0, 0, 0);
    auto countInCell = [&](COLORREF colour) {
        RECT rc = Cell(0, 1);
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.left + 100; ++x) n += ListPixel(x, y) == colour;
        return n;
    };
    ui::PumpFor(300);
    EXPECT_GT(countInCell(RGB(0, 0, 0)), 20);

    ASSERT_EQ(list.EnableRow(0, false), 1);
    const COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT);
    ui::PumpFor(300);
    EXPECT_EQ(countInCell(RGB(0, 0, 0)), 0) << "the text kept its own colour";
    EXPECT_GT(countInCell(grey), 20) << "no grey text";

    ClickCheckBox(0, 0);
    EXPECT_TRUE(PumpUntil([&] { return Clicks() == 1; }));
    EXPECT_EQ(list.GetCheckbox(0, 0), 0);
}

TEST_F(CheckListTest, ClickingCheckBoxesTogglesThemAndTheHeaderFollows) {
    for (int row = 0; row < 2; ++row) {
        ASSERT_EQ(list.InsertRow(row, " ", kBlack, RGB(255, 255, 255)), row);
        list.SetCellText(row, 1, row ? "b.avi" : "a.avi");
        list.SetCellText(row, 2, "00:00:05");
        list.SetCheckbox(row, 0, 0);
    }
    ASSERT_TRUE(list.SetHeaderCheckbox(0, 0));
    EXPECT_TRUE(PumpUntil([&] { return CheckBoxPixel(0, 0) == RGB(255, 255, 255); }))
        << "unchecked box: " << Describe(CheckBoxPixel(0, 0));

    ClickCheckBox(0, 0);
    EXPECT_TRUE(PumpUntil([&] { return list.GetCheckbox(0, 0) == 1; }));
    EXPECT_TRUE(PumpUntil([&] { return probe::Near(CheckBoxPixel(0, 0), kAccent); }))
        << "checked box: " << Describe(CheckBoxPixel(0, 0));
    EXPECT_EQ(Clicks(), 1);  // the parent hears the click too
    EXPECT_EQ(list.GetHeaderCheckbox(0), 0);

    // The last unchecked box checks the header's box; clearing one clears it.
    ClickCheckBox(1, 0);
    EXPECT_TRUE(PumpUntil([&] { return list.GetHeaderCheckbox(0) == 1; }));
    EXPECT_EQ(list.GetCheckedCount(0), 2);
    BetweenClicks();
    ClickCheckBox(1, 0);
    EXPECT_TRUE(PumpUntil([&] { return list.GetCheckbox(1, 0) == 0; }));
    EXPECT_EQ(list.GetHeaderCheckbox(0), 0);
    list.SetCheckbox(1, 0, 1);
    EXPECT_EQ(list.GetHeaderCheckbox(0), 1);
    list.SetCheckbox(0, 0, 0);
    EXPECT_EQ(list.GetHeaderCheckbox(0), 0);

    // A cell without a check box ignores clicks; the parent still hears them.
    int before = Clicks();
    RECT size = Cell(0, 2);
    POINT p = ui::ClientToScreenPoint(list, size.left + 10, (size.top + size.bottom) / 2);
    ASSERT_TRUE(ui::Click(p.x, p.y));
    EXPECT_TRUE(PumpUntil([&] { return Clicks() == before + 1; }));
    EXPECT_EQ(list.GetCheckbox(0, 2), -1);
    EXPECT_EQ(list.GetCheckbox(0, 0), 0);
    EXPECT_EQ(list.GetCheckbox(1, 0), 1);
}

TEST_F(CheckListTest, HeaderClickChecksOrClearsItsColumn) {
    const int states[] = {0, 1, -1};
    for (int row = 0; row < 3; ++row) {
        list.InsertRow(row, " ", kBlack, RGB(255, 255, 255));
        list.SetCellText(row, 1, "clip.avi");
        list.SetCheckbox(row, 0, states[row]);
    }
    list.SetHeaderCheckbox(0, 0);
    RECT item0{}, item1{};
    ::SendMessageA(list.Header(), HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item0));
    ::SendMessageA(list.Header(), HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item1));
    auto headerPoint = [&](const RECT& rc, int dx) {
        return ui::ClientToScreenPoint(list.Header(), rc.left + dx, (rc.top + rc.bottom) / 2);
    };
    auto columnClicks = [&] { return dialog.Count(dialog.notifications, IDC_PROBE_LIST, LVN_COLUMNCLICK); };

    // The header paints its check box from its image list.
    POINT box = headerPoint(item0, 6 + 4);
    EXPECT_TRUE(PumpUntil([&] { return ui::ScreenPixel(box.x, box.y - 4) == RGB(255, 255, 255); }))
        << "header box: " << Describe(ui::ScreenPixel(box.x, box.y - 4));

    POINT column0 = headerPoint(item0, 40);
    ASSERT_TRUE(ui::Click(column0.x, column0.y));
    EXPECT_TRUE(PumpUntil([&] { return list.GetHeaderCheckbox(0) == 1; }));
    EXPECT_EQ(list.GetCheckbox(0, 0), 1);
    EXPECT_EQ(list.GetCheckbox(1, 0), 1);
    EXPECT_EQ(list.GetCheckbox(2, 0), -1);  // rows without a box stay so
    EXPECT_TRUE(PumpUntil([&] { return probe::Near(ui::ScreenPixel(box.x, box.y - 4), kAccent); }))
        << "header box after the click: " << Describe(ui::ScreenPixel(box.x, box.y - 4));
    EXPECT_EQ(columnClicks(), 1);
    ui::SaveScreenshot("check_list_header_checked");

    BetweenClicks();
    ASSERT_TRUE(ui::Click(column0.x, column0.y));
    EXPECT_TRUE(PumpUntil([&] { return list.GetHeaderCheckbox(0) == 0; }));
    EXPECT_EQ(list.GetCheckedCount(0), 0);

    // A column without a header check box changes nothing.
    list.SetCheckbox(1, 1, 1);
    POINT column1 = headerPoint(item1, 40);
    ASSERT_TRUE(ui::Click(column1.x, column1.y));
    EXPECT_TRUE(PumpUntil([&] { return columnClicks() == 3; }));
    EXPECT_EQ(list.GetHeaderCheckbox(1), -1);
    EXPECT_EQ(list.GetCheckbox(1, 1), 1);
    EXPECT_EQ(list.GetCheckbox(0, 1), -1);
}

TEST_F(CheckListTest, EmptyListTilesItsBackgroundBelowTheHeader) {
    constexpr COLORREF kYellow = RGB(250, 220, 0), kCyan = RGB(0, 200, 220), kPurple = RGB(150, 0, 160);
    std::string tile = probe::WriteBitmap("tile", 20, 10, [&](int x, int y) {
        return y < 5 ? (x < 10 ? kYellow : kCyan) : (x < 10 ? kPurple : kBlack);
    });
    EXPECT_EQ(list.SetBackgroundImage("C:\\no such folder\\tile.bmp", TRUE), 0);
    ASSERT_EQ(list.SetBackgroundImage(tile.c_str(), TRUE), 1);
    RECT header{};
    ::GetWindowRect(list.Header(), &header);
    ::MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&header), 2);
    const int top = header.bottom;
    EXPECT_TRUE(PumpUntil([&] { return ListPixel(1, top + 1) == kYellow; }))
        << "first tile: " << Describe(ListPixel(1, top + 1));
    EXPECT_EQ(ListPixel(11, top + 1), kCyan);
    EXPECT_EQ(ListPixel(21, top + 1), kYellow);   // next tile to the right
    EXPECT_EQ(ListPixel(1, top + 6), kPurple);
    EXPECT_EQ(ListPixel(1, top + 11), kYellow);   // next tile down
    EXPECT_EQ(ListPixel(441, top + 201), kYellow);
    ui::SaveScreenshot("check_list_empty_tiled");

    // With a row the normal erase runs.
    list.InsertRow(0, " ", kBlack, RGB(255, 255, 255));
    list.SetCellText(0, 1, "first.avi");
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    EXPECT_TRUE(PumpUntil([&] { return ListPixel(1, top + 201) == window; }))
        << "below the rows: " << Describe(ListPixel(1, top + 201));
    list.DeleteAllRows();
    EXPECT_TRUE(PumpUntil([&] { return ListPixel(1, top + 201) == kYellow; }));

    // A file that cannot be loaded leaves no background.
    EXPECT_EQ(list.SetBackgroundImage("C:\\no such folder\\tile.bmp", TRUE), 0);
    EXPECT_TRUE(PumpUntil([&] { return ListPixel(1, top + 201) == window; }));
    ::DeleteFileA(tile.c_str());
}

TEST_F(CheckListTest, CellTooltipShowsTheHoveredCellsText) {
    list.InsertRow(0, " ", kBlack, RGB(255, 255, 255));
    list.SetCellText(0, 1, "2011-01-05 09-12-47.avi");
    list.SetCellTooltip(0, 1, "Recorded on 5 January 2011");
    list.InsertRow(1, " ", kBlack, RGB(255, 255, 255));
    std::string longText(120, 'x');
    list.SetCellTooltip(1, 2, longText.c_str());
    HWND tip = list.ToolTip();
    ASSERT_NE(tip, nullptr);

    auto hover = [&](int row, int column) {
        RECT rc = Cell(row, column);
        POINT p = ui::ClientToScreenPoint(list, rc.left + 30, (rc.top + rc.bottom) / 2);
        ui::MoveMouse(p.x - 2, p.y);
        ui::MoveMouse(p.x, p.y);
    };
    auto shownText = [&] {
        char text[160] = {};
        ::GetWindowTextA(tip, text, sizeof text);
        return std::string(text);
    };
    hover(0, 1);
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(tip) && shownText() == "Recorded on 5 January 2011"; },
                          15000))
        << "tooltip visible " << ::IsWindowVisible(tip) << " text '" << shownText() << "'";
    ui::SaveScreenshot("check_list_tooltip");

    hover(1, 2);
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(tip) && shownText().size() == 79; }, 15000))
        << "long text '" << shownText() << "'";
    ui::MoveMouse(1000, 900);
}

}  // namespace
