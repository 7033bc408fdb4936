// The join dialog: the files to append, in order, and the output file. A
// dropped piece of a numbered series brings the whole series in.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/dialogs/Controls.h"
#include "framework/dialogs/Dialog.h"
#include "dialogkit/IconButton.h"
#include "splitjoin/core/JoinItems.h"

namespace splitjoin {

class CJoinDlg : public CDialog {
public:
    CJoinDlg();
    ~CJoinDlg() override;

    // Set by the caller; released while the dialog opens.
    HDROP drop_ = nullptr;
    int joinNext_ = 0;
    int noEof_ = 0;
    std::string output_;
    // The path of the first dropped item, when the drop was walked item by item.
    std::string firstDroppedItem_;

    // The rows' paths in list order.
    std::vector<std::string> RowPaths() const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnHelp() override;
    void OnDestroy() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void AddRow(const std::string& path);
    void OnBrowse();
    void OnAdd();
    void OnDelete();
    void OnUp();
    void OnDown();
    void OnGetDispInfo(NMHDR* header);
    void OnColumnClick(NMHDR* header);
    static int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM column);
    std::string CellText(const JoinItem& item, int column) const;
    // The user's answer for an existing output; false: back to the dialog.
    bool AskHowToWrite(bool& replace);

    CImageList images_;
    CIconButton browse_;
    CListCtrl list_;
    HICON icon_ = nullptr;
    // The rows' records; the list holds raw pointers to them as item data.
    std::vector<std::unique_ptr<JoinItem>> items_;
    // The output chosen with the Save dialog, whose replace question the user
    // has already answered.
    std::string browsedOutput_;
};

}  // namespace splitjoin
