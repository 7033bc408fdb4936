#include "splitjoin/JoinDlg.h"

#include <algorithm>
#include <utility>

#include "dialogkit/BrowseFolder.h"
#include "framework/dialogs/DataExchange.h"
#include "framework/dialogs/File.h"
#include "dialogkit/FileRoutines.h"
#include "splitjoin/JoinProgressDlg.h"
#include "framework/dialogs/MessageBox.h"
#include "splitjoin/PelmitApp.h"
#include "splitjoin/core/PieceSeries.h"
#include "framework/win32/ScopedHandle.h"
#include "splitjoin/ShellFiles.h"
#include "framework/dialogs/Text.h"
#include "framework/win32/WideText.h"
#include "splitjoin/resource.h"

namespace splitjoin {

namespace {

const char kJoinCaption[] = "Files join";

}  // namespace

CJoinDlg::CJoinDlg() : CDialog(IDD_JOIN) {
    icon_ = theApp.LoadIcon(IDI_PELMIT);
    MapClicked(IDC_JOIN_BROWSE, [this] { OnBrowse(); });
    MapClicked(IDC_JOIN_ADD, [this] { OnAdd(); });
    MapClicked(IDC_JOIN_DELETE, [this] { OnDelete(); });
    MapClicked(IDC_JOIN_UP, [this] { OnUp(); });
    MapClicked(IDC_JOIN_DOWN, [this] { OnDown(); });
    // The list asks in the parent's character set: wide here, ANSI under Windows 9x.
    MapNotify(IDC_JOIN_LIST, LVN_GETDISPINFOA, [this](NMHDR* h, LRESULT*) { OnGetDispInfo(h); });
    MapNotify(IDC_JOIN_LIST, LVN_GETDISPINFOW, [this](NMHDR* h, LRESULT*) { OnGetDispInfo(h); });
    MapNotify(IDC_JOIN_LIST, LVN_COLUMNCLICK, [this](NMHDR* h, LRESULT*) { OnColumnClick(h); });
}

CJoinDlg::~CJoinDlg() = default;

void CJoinDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_JOIN_BROWSE, browse_);
    DDX_Control(pDX, IDC_JOIN_LIST, list_);
    DDX_Check(pDX, IDC_JOIN_NEXT, joinNext_);
    DDX_Check(pDX, IDC_JOIN_NO_EOF, noEof_);
    DDX_Text(pDX, IDC_JOIN_OUTPUT, output_);
    DDV_MaxChars(pDX, output_, 255);
}

BOOL CJoinDlg::OnInitDialog() {
    joinNext_ = theApp.GetProfileFlag(kJoinSection, "JoinNext", 0);
    noEof_ = theApp.GetProfileFlag(kJoinSection, "Eof", 0);
    CDialog::OnInitDialog();
    BringToFront();
    browse_.SetIcon(IDI_BROWSE, 16, 16);
    list_.InsertColumn(0, theApp.LoadString(IDS_COLUMN_NAME), LVCFMT_LEFT, 88);
    list_.InsertColumn(1, theApp.LoadString(IDS_COLUMN_SIZE), LVCFMT_RIGHT, 68);
    list_.InsertColumn(2, theApp.LoadString(IDS_COLUMN_DATE), LVCFMT_LEFT, 92);
    images_.Create(16, 16, ILC_COLOR16 | ILC_MASK, 10, 5);
    images_.SetBkColor(RGB(255, 255, 255));
    list_.SetSmallImageList(images_.Handle());

    if (!drop_) return TRUE;
    const ScopedDrop drop(std::exchange(drop_, nullptr));
    std::vector<DroppedItem> items;
    for (const std::string& path : ReadDropList(drop.Get())) items.push_back({path, IsShellFolder(path)});

    const DropRows rows = ClassifyDrop(items, dialogkit::FileExists, SameNoCase, SystemLeadByte);
    if (rows.firstDroppedItem) firstDroppedItem_ = *rows.firstDroppedItem;
    for (const std::string& path : rows.rows) AddRow(path);
    if (!rows.output.empty()) {
        output_ = rows.output;
        UpdateData(false);
    }
    return TRUE;
}

void CJoinDlg::AddRow(const std::string& path) {
    SHFILEINFOA info{};
    int image = -1;
    if (SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON) && info.hIcon) {
        const ScopedIcon icon(info.hIcon);
        // The image list keeps its own copy.
        image = images_.Add(icon.Get());
    }
    auto item = std::make_unique<JoinItem>();
    item->path = path;
    CFileStatus status;
    if (CFile::GetStatus(path, status)) {
        item->size = status.size;
        item->writeTime = (static_cast<std::uint64_t>(status.lastWrite.dwHighDateTime) << 32) |
                          status.lastWrite.dwLowDateTime;
    }
    list_.InsertCallbackItem(list_.GetItemCount(), image, reinterpret_cast<LPARAM>(item.get()));
    items_.push_back(std::move(item));
}

std::vector<std::string> CJoinDlg::RowPaths() const {
    std::vector<std::string> paths;
    const int count = list_.GetItemCount();
    for (int i = 0; i < count; ++i) paths.push_back(reinterpret_cast<const JoinItem*>(list_.GetItemData(i))->path);
    return paths;
}

std::string CJoinDlg::CellText(const JoinItem& item, int column) const {
    switch (column) {
    case kColumnName:
        return NameAfterLastBackslash(item.path, SystemLeadByte);
    case kColumnSize:
        return std::to_string(item.size);
    default: {
        FILETIME utc{static_cast<DWORD>(item.writeTime), static_cast<DWORD>(item.writeTime >> 32)};
        FILETIME local{};
        SYSTEMTIME t{};
        if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &t)) return std::string();
        return FormatJoinDate(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute);
    }
    }
}

void CJoinDlg::OnGetDispInfo(NMHDR* header) {
    // The wide and ANSI records differ only in the text pointer's type, and
    // both carry the list's own buffer size, which bounds the copy.
    if (header->code == LVN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
        if (!(info->item.mask & LVIF_TEXT) || !info->item.pszText || info->item.cchTextMax <= 0) return;
        const auto* item = reinterpret_cast<const JoinItem*>(info->item.lParam);
        if (!item) return;
        const std::wstring text = WideFromAnsi(CellText(*item, info->item.iSubItem));
        lstrcpynW(info->item.pszText, text.c_str(), info->item.cchTextMax);
    } else {
        auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
        if (!(info->item.mask & LVIF_TEXT) || !info->item.pszText || info->item.cchTextMax <= 0) return;
        const auto* item = reinterpret_cast<const JoinItem*>(info->item.lParam);
        if (!item) return;
        lstrcpynA(info->item.pszText, CellText(*item, info->item.iSubItem).c_str(), info->item.cchTextMax);
    }
}

int CALLBACK CJoinDlg::CompareRows(LPARAM a, LPARAM b, LPARAM column) {
    return CompareJoinItems(*reinterpret_cast<const JoinItem*>(a), *reinterpret_cast<const JoinItem*>(b),
                            static_cast<int>(column), SortDescending, CompareNoCase);
}

void CJoinDlg::OnColumnClick(NMHDR* header) {
    const auto* view = reinterpret_cast<NMLISTVIEW*>(header);
    list_.SortItems(CompareRows, view->iSubItem);
    SortDescending = !SortDescending;
}

void CJoinDlg::OnUp() {
    const int selected = list_.GetSelected();
    if (selected <= 0) return;
    const LPARAM data = list_.GetItemData(selected);
    const int image = list_.GetItemImage(selected);
    list_.InsertCallbackItem(selected - 1, image, data);
    list_.DeleteItem(selected + 1);
    list_.Select(selected - 1);
    list_.EnsureVisible(selected - 1);
}

void CJoinDlg::OnDown() {
    const int selected = list_.GetSelected();
    if (selected < 0 || selected >= list_.GetItemCount() - 1) return;
    const LPARAM data = list_.GetItemData(selected);
    const int image = list_.GetItemImage(selected);
    list_.DeleteItem(selected);
    list_.InsertCallbackItem(selected + 1, image, data);
    list_.Select(selected + 1);
    list_.EnsureVisible(selected + 1);
}

void CJoinDlg::OnDelete() {
    const int selected = list_.GetSelected();
    if (selected < 0) return;
    const auto* record = reinterpret_cast<const JoinItem*>(list_.GetItemData(selected));
    list_.DeleteItem(selected);
    items_.erase(std::remove_if(items_.begin(), items_.end(),
                                [&](const std::unique_ptr<JoinItem>& p) { return p.get() == record; }),
                 items_.end());
    if (selected < list_.GetItemCount()) list_.Select(selected);
}

void CJoinDlg::OnAdd() {
    const auto chosen = ChooseInputFile(Handle(), L"Select file to join", L"all(*.*)|*.*||");
    if (!chosen) return;
    AddRow(*chosen);
    const int last = list_.GetItemCount() - 1;
    list_.Select(last);
    list_.EnsureVisible(last);
}

void CJoinDlg::OnBrowse() {
    const auto chosen = ChooseOutputFile(Handle(), L"Files Join", L"All Files(*.*)|*.*||");
    if (!chosen) return;
    browsedOutput_ = *chosen;
    SetDlgItemText(IDC_JOIN_OUTPUT, *chosen);
}

void CJoinDlg::OnHelp() { theApp.ShowVoiceHelp(Handle(), 5003); }

void CJoinDlg::OnDestroy() {
    // The list window goes with the dialog; its records go with it.
    items_.clear();
}

bool CJoinDlg::AskHowToWrite(bool& replace) {
    replace = false;
    if (!dialogkit::FileExists(output_)) return true;
    // The Save dialog has asked already when the name came from it.
    if (!browsedOutput_.empty() && SameNoCase(browsedOutput_, output_)) {
        replace = true;
        return true;
    }
    const int answer = MessageBox(output_ +
                                      "\nThis file exists.\n\nYes: replace it with the joined files.\n"
                                      "No: append the joined files to it.",
                                  kJoinCaption, MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3);
    if (answer == IDCANCEL) return false;
    replace = answer == IDYES;
    return true;
}

void CJoinDlg::OnOK() {
    if (!UpdateData(true)) return;
    output_ = TrimBlanks(output_);
    if (output_.empty()) return;
    const std::vector<std::string> rows = RowPaths();
    for (const std::string& row : rows) {
        // Compared as full long paths and as files: another spelling or
        // another link of the output must not slip through and have the join
        // read what it writes.
        if (SameFile(output_, row)) {
            MessageBox("Two folder's name are same.", "Files jion", MB_OK | MB_ICONERROR);
            return;
        }
        if (IsCabinetPath(row, SystemLeadByte)) {
            AppMessageBox(IDS_CANT_JOIN_FORMAT, MB_OK);
            return;
        }
    }
    const auto gap = FindSeriesGap(rows, FilesStartingWith, SameNoCase, SystemLeadByte);
    if (gap) {
        const std::string text = gap->onDisk ? gap->name + "\nThis piece of the series is not in the list."
                                             : gap->name + "\nThis piece of the series is missing.";
        MessageBox(text + "\nThe files can't be joined.", kJoinCaption, MB_OK | MB_ICONERROR);
        return;
    }
    bool replace = false;
    if (!AskHowToWrite(replace)) return;
    theApp.WriteProfileInt(kJoinSection, "JoinNext", joinNext_);
    theApp.WriteProfileInt(kJoinSection, "Eof", noEof_);

    JoinJob job;
    job.rows = rows;
    job.output = output_;
    job.how = replace ? OutputOpen::CreateOrReplace : OutputOpen::Append;
    job.dropEndMark = noEof_ != 0;
    job.joinNext = joinNext_ != 0;
    ShowWindow(SW_HIDE);
    CJoinProgressDlg progress(job);
    progress.DoModal();
    if (progress.Failed()) {
        EndDialog(IDCANCEL);
        return;
    }
    CDialog::OnOK();
}

}  // namespace splitjoin
