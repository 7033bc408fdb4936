// Common controls of the forms: the date and time picker, the animation and a
// grid of text cells, each a thin object over the system's control.
//
// Event rules:
// - TDateTimePicker: OnChange when the user changes the value, not the program.
// - TStringGrid: OnCellClick after a click of the left button on a cell of a
//   row (not on the header, not below the last row); OnDblClick on a double
//   click; OnSelect when the selected row changes, by the user or the program;
//   OnKeyDown for every key pressed while the grid has the focus.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/forms/StdCtrls.h"

enum class TDateTimeKind { dtkDate, dtkTime };

class TDateTimePicker : public TStdControl {
public:
    explicit TDateTimePicker(TComponent* AOwner) : TStdControl(AOwner) {}
    // The date in the long date form with a drop-down calendar, or the time
    // with arrows; takes effect when the window is made.
    TDateTimeKind Kind = TDateTimeKind::dtkDate;
    SYSTEMTIME DateTime() const;
    void SetDateTime(const SYSTEMTIME& value);
    // The first and last day the picker offers.
    void SetRange(const SYSTEMTIME& first, const SYSTEMTIME& last);
    TNotifyEvent OnChange;

protected:
    const char* SystemClassName() const override { return DATETIMEPICK_CLASSA; }
    DWORD SystemStyle() const override;
    void CreateHandle() override;
    void HandleCreated() override;
    LRESULT Notify(NMHDR& header) override;

private:
    SYSTEMTIME value_{};
    SYSTEMTIME range_[2]{};
    bool ranged_ = false;
};

// Plays a clip from a module's resources.
class TAnimate : public TStdControl {
public:
    explicit TAnimate(TComponent* AOwner) : TStdControl(AOwner) {}
    // Opens clip `resource` of `module` and plays its frames 0..lastFrame (all
    // of a shorter clip) over and over; false (the control left blank) when
    // the clip cannot be opened.
    bool Play(HINSTANCE module, int resource, int lastFrame);

protected:
    const char* SystemClassName() const override { return ANIMATE_CLASSA; }
    DWORD SystemStyle() const override { return ACS_TRANSPARENT | ACS_CENTER; }
};

// Rows of text cells under a header row, shown by the system's report list:
// row 0 is the header, rows 1.. the lines. A picture from Images may stand in
// column 0 of a row.
class TStringGrid : public TStdControl {
public:
    explicit TStringGrid(TComponent* AOwner) : TStdControl(AOwner) {}
    // The header captions and widths; call once, before anything else.
    void SetColumns(const std::vector<std::string>& captions, const std::vector<int>& widths);
    int ColCount() const { return static_cast<int>(widths_.size()); }
    // Rows with the header; new rows come empty, the last ones go first.
    int RowCount() const;
    void SetRowCount(int value);
    std::string Cells(int col, int row) const;
    void SetCells(int col, int row, const std::string& text);
    // The selected row, 0 when none.
    int Row() const;
    void SetRow(int row);
    // Picture `image` of Images in column 0 of `row`; -1 for none.
    void SetRowImage(int row, int image);
    // Not owned; set before the window is made.
    HIMAGELIST Images = nullptr;

    std::function<void(int col, int row)> OnCellClick;
    TNotifyEvent OnSelect;
    std::function<void(WORD key)> OnKeyDown;

protected:
    const char* SystemClassName() const override { return WC_LISTVIEWA; }
    DWORD SystemStyle() const override {
        return WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | LVS_SHAREIMAGELISTS;
    }
    DWORD SystemExStyle() const override { return WS_EX_CLIENTEDGE; }
    void HandleCreated() override;
    LRESULT Notify(NMHDR& header) override;

private:
    std::vector<std::string> captions_;
    std::vector<int> widths_;
};
