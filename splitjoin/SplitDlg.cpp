#include "splitjoin/SplitDlg.h"

#include <shlobj.h>

#include "dialogkit/BrowseFolder.h"
#include "framework/dialogs/DataExchange.h"
#include "framework/dialogs/File.h"
#include "dialogkit/FileRoutines.h"
#include "splitjoin/PelmitApp.h"
#include "splitjoin/core/PieceNames.h"
#include "splitjoin/core/PieceSeries.h"
#include "framework/dialogs/Services.h"
#include "splitjoin/ShellFiles.h"
#include "framework/core/StrUtils.h"
#include "framework/dialogs/Text.h"
#include "splitjoin/resource.h"

namespace splitjoin {

namespace {

const int kPresetKB[] = {640, 720, 1250, 1440};
const char kCaption[] = "Files Seprate";

}  // namespace

CSplitDlg::CSplitDlg() : CDialog(IDD_SPLIT) {
    icon_ = theApp.LoadIcon(IDI_PELMIT);
    const int presets[] = {IDC_SPLIT_640, IDC_SPLIT_720, IDC_SPLIT_125, IDC_SPLIT_144};
    for (int i = 0; i < 4; ++i) MapClicked(presets[i], [this, i] { OnPreset(i); });
    MapClicked(IDC_SPLIT_OTHERS, [this] { OnOthers(); });
    MapClicked(IDC_SPLIT_CABINET, [this] { UpdateSplitPreview(); });
    MapClicked(IDC_SPLIT_BROWSE, [this] { OnBrowse(); });
    MapCommand(IDC_SPLIT_SIZE, EN_CHANGE, [this] { OnSizeChanged(); });
}

CSplitDlg::~CSplitDlg() = default;

void CSplitDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_SPLIT_BROWSE, browse_);
    DDX_Control(pDX, IDC_SPLIT_SPIN, spin_);
    DDX_Radio(pDX, IDC_SPLIT_640, sizeChoice_);
    DDX_Text(pDX, IDC_SPLIT_SOURCE, source_);
    DDX_Check(pDX, IDC_SPLIT_CABINET, cabinet_);
    // The folder before the size: a size the user still has to correct must
    // not cost the folder typed meanwhile.
    DDX_Text(pDX, IDC_SPLIT_DEST, destination_);
    DDX_Text(pDX, IDC_SPLIT_SIZE, pieceKB_);
    DDV_MinMaxInt(pDX, pieceKB_, kMinPieceKB, kMaxPieceKB);
}

BOOL CSplitDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    BringToFront();
    pieceBaseName_ = SplitPathBaseName(source_, SystemLeadByte);
    browse_.SetIcon(IDI_BROWSE, 16, 16);
    spin_.SetRange(0, kMaxPieceKB);
    destination_ = FolderWithBackslash(source_, SystemLeadByte);

    cabinet_ = theApp.GetProfileFlag(kSegmentSection, "Cabinet", 0);
    // A value this dialog did not write must still name one of its five choices.
    const int choice = static_cast<int>(theApp.GetProfileInt(kSegmentSection, "640K", 3));
    sizeChoice_ = choice >= 0 && choice <= 4 ? choice : 3;
    if (sizeChoice_ != 4) EnableDlgItem(IDC_SPLIT_SIZE, false);
    selectedSizeKB_ = static_cast<int>(theApp.GetProfileInt(kSegmentSection, "Size", 1440));
    pieceKB_ = selectedSizeKB_;
    UpdateData(false);

    CFileStatus status;
    sourceLength_ = CFile::GetStatus(source_, status) ? status.size : 0;
    UpdateSplitPreview();
    return TRUE;
}

void CSplitDlg::UpdateSplitPreview() {
    const bool cabinet = IsDlgButtonChecked(IDC_SPLIT_CABINET);
    selectedSizeKB_ = ClampPieceKB(selectedSizeKB_);
    SetDlgItemText(IDC_SPLIT_PREVIEW, PreviewText(pieceBaseName_, sourceLength_, selectedSizeKB_, cabinet));
}

void CSplitDlg::OnPreset(int choice) {
    // An invalid size field is reported here too, and the choice still goes on.
    UpdateData(true);
    EnableDlgItem(IDC_SPLIT_SIZE, false);
    selectedSizeKB_ = kPresetKB[choice];
    sizeChoice_ = choice;
    UpdateData(false);
    UpdateSplitPreview();
}

void CSplitDlg::OnOthers() {
    UpdateData(true);
    EnableDlgItem(IDC_SPLIT_SIZE, true);
    selectedSizeKB_ = spin_.GetPos();
    sizeChoice_ = 4;
    UpdateData(false);
    UpdateSplitPreview();
}

void CSplitDlg::OnSizeChanged() {
    if (sizeChoice_ == 4) selectedSizeKB_ = StrToIntDef(TrimBlanks(GetDlgItemText(IDC_SPLIT_SIZE)), 0);
    UpdateSplitPreview();
}

void CSplitDlg::OnBrowse() {
    const auto folder = BrowseForFolder(Handle());
    if (folder) SetDlgItemText(IDC_SPLIT_DEST, *folder);
}

void CSplitDlg::OnHelp() { theApp.ShowVoiceHelp(Handle(), 5002); }

bool CSplitDlg::ConfirmPieces() {
    replaced_.clear();
    CFileStatus status;
    if (CFile::GetStatus(source_, status)) sourceLength_ = status.size;
    const std::uint64_t pieceBytes = static_cast<std::uint64_t>(pieceKB_) * 1024;
    const std::uint64_t count = PieceCount(sourceLength_, pieceBytes);
    const std::string source = NormalisedPath(source_);
    // The source is never a left-over of an earlier split, whatever name it
    // goes by: splitting movie.003 beside movie.001 and movie.002 must not delete it.
    const IsSourceFn isSource = [&source](const std::string& path) { return SameFile(path, source); };
    std::vector<std::string> existing;
    if (!cabinet_) {
        const std::string prefix = PiecePrefix(NormalisedPath(destination_), source, SystemLeadByte);
        const ExistingPieces found =
            FindExistingPieces(prefix, count, FilesStartingWith(prefix), SameNoCase, isSource);
        std::string clash;
        if (const std::uint64_t number = PlannedPieceNumber(prefix, source, count, SameNoCase))
            clash = PieceName(prefix, number);
        for (const std::string& piece : found.planned)
            if (clash.empty() && isSource(piece)) clash = piece;
        if (!clash.empty()) {
            MessageBox(source + "\nThis file would be overwritten by its own piece " + clash +
                           ".\nChoose another folder.",
                       kCaption, MB_OK | MB_ICONERROR);
            return false;
        }
        existing = found.planned;
        existing.insert(existing.end(), found.stale.begin(), found.stale.end());
        replaced_ = found.stale;
    } else {
        const std::string base = CutExtension(source, SystemLeadByte);
        existing = FindExistingCabVolumes(base, FilesStartingWith(base), SameNoCase, isSource);
        replaced_ = existing;
    }
    if (existing.empty()) return true;
    std::string question = "These files of an earlier split exist:\n" + DescribeFiles(existing) + "\nReplace them?";
    // Every file that goes is named (or its run is, exactly), never more.
    if (!replaced_.empty())
        question += " These are deleted first, so that a later join does not take them in:\n" +
                    DescribeFiles(replaced_);
    if (MessageBox(question, kCaption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        replaced_.clear();
        return false;
    }
    return true;
}

void CSplitDlg::OnOK() {
    if (sizeChoice_ != 4) SetDlgItemInt(IDC_SPLIT_SIZE, selectedSizeKB_);
    if (!UpdateData(true)) return;
    // A folder typed without a drive means one beside the source, not one
    // in whatever folder the calling program has as its current one.
    const std::string absolute = AbsoluteFolder(destination_, FolderWithBackslash(source_, SystemLeadByte));
    if (absolute != destination_) {
        destination_ = absolute;
        SetDlgItemText(IDC_SPLIT_DEST, destination_);
    }
    if (!dialogkit::CreateDirectoryTree(destination_)) {
        MessageBox("Operation Fail", kCaption, MB_OK | MB_ICONERROR);
        return;
    }
    if (!ConfirmPieces()) return;
    theApp.WriteProfileInt(kSegmentSection, "Cabinet", cabinet_);
    theApp.WriteProfileInt(kSegmentSection, "640K", sizeChoice_);
    theApp.WriteProfileInt(kSegmentSection, "Size", pieceKB_);
    CDialog::OnOK();
}

}  // namespace splitjoin
