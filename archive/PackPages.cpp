#include "PackPages.h"

#include <commctrl.h>

#include "CompressApp.h"
#include "DataExchange.h"

using archive::PackFormat;
using archive::PackRequest;

void CPackPage::ExchangePath(CDataExchange* pDX) {
    if (HasPathGroup()) DDX_Radio(pDX, IDC_PATH_NONE, path_);
}

int CPackPage::ReadInt(const char* key, int fallback) const {
    return static_cast<int>(theApp.GetProfileInt(section_, key, fallback));
}

void CPackPage::WriteInt(const char* key, int value) const { theApp.WriteProfileInt(section_, key, value); }

void CLzhPage::Load() {
    path_ = ReadInt("Path", 0);
    onlyNew_ = ReadInt("OnlyNew", 0);
    move_ = ReadInt("Move", 0);
    shortNames_ = ReadInt("8Plus3", 0);
    lh0_ = ReadInt("Lh0", 1);
    selfExtract_ = ReadInt("SelfExtract", 0);
    overwrite_ = ReadInt("radio1", 0);
}

void CLzhPage::Save() const {
    if (HasPathGroup()) WriteInt("Path", path_);
    WriteInt("OnlyNew", onlyNew_);
    WriteInt("Move", move_);
    WriteInt("8Plus3", shortNames_);
    WriteInt("Lh0", lh0_);
    WriteInt("SelfExtract", selfExtract_);
    WriteInt("radio1", overwrite_);
}

void CLzhPage::DoDataExchange(CDataExchange* pDX) {
    ExchangePath(pDX);
    DDX_Check(pDX, IDC_ONLY_NEW, onlyNew_);
    DDX_Check(pDX, IDC_MOVE, move_);
    DDX_Check(pDX, IDC_SHORT_NAMES, shortNames_);
    DDX_Radio(pDX, IDC_LZH_STORED, lh0_);
    DDX_Check(pDX, IDC_SELF_EXTRACT, selfExtract_);
    DDX_Radio(pDX, IDC_RADIO1_FIRST, overwrite_);
}

void CLzhPage::Fill(PackRequest& request) const {
    request.format = PackFormat::Lzh;
    request.lzh.move = move_ != 0;
    request.lzh.overwrite = overwrite_;
    request.lzh.shortNames = shortNames_ != 0;
    request.lzh.compatibility = lh0_;
    request.selfExtract = selfExtract_ != 0;
}

void CLzhPage::ApplyPath(PackRequest& request) const {
    // "Haven't to give path" and "Give relative path" pack alike.
    if (path_ != 0 && path_ != 1) request.baseFolder.clear();
}

CTarPage::CTarPage(UINT templateId, const char* section) : CPackPage(templateId, section) {
    MapClicked(IDC_GZIP, [this] { EnableGzipOptions(); });
}

void CTarPage::Load() {
    path_ = ReadInt("Path", 0);
    gzip_ = ReadInt("GZip", 0);
    rate_ = ReadInt("Rate", 2);
    priority_ = gzip_ == 1 ? ReadInt("radio1", 0) : 0;
}

void CTarPage::Save() const {
    if (HasPathGroup()) WriteInt("Path", path_);
    WriteInt("GZip", gzip_);
    WriteInt("Rate", rate_);
    WriteInt("radio1", priority_);
}

BOOL CTarPage::OnInitDialog() {
    SendDlgItemMessage(IDC_GZIP_RATE, TBM_SETRANGE, TRUE, MAKELPARAM(1, 9));
    CPackPage::OnInitDialog();
    EnableGzipOptions();
    return TRUE;
}

void CTarPage::DoDataExchange(CDataExchange* pDX) {
    ExchangePath(pDX);
    DDX_Check(pDX, IDC_GZIP, gzip_);
    DDX_Slider(pDX, IDC_GZIP_RATE, rate_);
    DDX_Radio(pDX, IDC_RADIO1_FIRST, priority_);
}

void CTarPage::EnableGzipOptions() {
    const bool on = IsDlgButtonChecked(IDC_GZIP);
    for (int id : {IDC_GZIP_RATE, IDC_RADIO1_FIRST, IDC_RADIO1_SECOND}) EnableDlgItem(id, on);
}

void CTarPage::Fill(PackRequest& request) const {
    request.format = PackFormat::Tar;
    request.tar.gzip = gzip_ != 0;
    request.tar.priority = priority_;
    request.selfExtract = false;
}

void CTarPage::ApplyPath(PackRequest& request) const {
    request.tar.useDirectory = path_ != 0;
    if (path_ != 0 && path_ != 1) request.baseFolder.clear();
}

CZipPage::CZipPage(UINT templateId, const char* section) : CPackPage(templateId, section) {
    // Choosing relative paths is all the radio button does.
    MapClicked(IDC_PATH_RELATIVE, [] {});
}

void CZipPage::Load() {
    path_ = ReadInt("Path", 0);
    onlyNew_ = ReadInt("OnlyNew", 0);
    move_ = ReadInt("Move", 0);
    overwrite_ = ReadInt("radio1", 0);
    selfExtract_ = ReadInt("SelfExtract", 0);
}

void CZipPage::Save() const {
    if (HasPathGroup()) WriteInt("Path", path_);
    WriteInt("OnlyNew", onlyNew_);
    WriteInt("Move", move_);
    WriteInt("radio1", overwrite_);
    WriteInt("SelfExtract", selfExtract_);
}

void CZipPage::DoDataExchange(CDataExchange* pDX) {
    ExchangePath(pDX);
    DDX_Check(pDX, IDC_ZIP_ONLY_NEW, onlyNew_);
    DDX_Check(pDX, IDC_ZIP_MOVE, move_);
    DDX_Radio(pDX, IDC_RADIO1_FIRST, overwrite_);
    DDX_Check(pDX, IDC_SELF_EXTRACT, selfExtract_);
}

void CZipPage::Fill(PackRequest& request) const {
    request.format = PackFormat::Zip;
    request.selfExtract = selfExtract_ != 0;
}

void CZipPage::ApplyPath(PackRequest& request) const { request.zipJunkPaths = path_ == 0; }
