#include "archive/PackPages.h"

#include <commctrl.h>

#include "archive/CompressApp.h"
#include "framework/dialogs/DataExchange.h"

using archive::PackFormat;
using archive::PackRequest;

void CPackPage::ExchangePath(CDataExchange* pDX) {
    if (HasPathGroup()) DDX_Radio(pDX, IDC_PATH_NONE, path_);
}

void CPackPage::Load() {
    for (const Option& option : options_)
        *option.value = static_cast<int>(theApp.GetProfileInt(section_, option.key, option.fallback));
}

void CPackPage::Save() const {
    for (const Option& option : options_)
        if (option.value != &path_ || HasPathGroup()) theApp.WriteProfileInt(section_, option.key, *option.value);
}

CLzhPage::CLzhPage(UINT templateId, const char* section) : CPackPage(templateId, section) {
    Keep({{"Path", &path_, 0},
          {"OnlyNew", &onlyNew_, 0},
          {"Move", &move_, 0},
          {"8Plus3", &shortNames_, 0},
          {"Lh0", &lh0_, 1},
          {"SelfExtract", &selfExtract_, 0},
          {"radio1", &overwrite_, 0}});
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
    Keep({{"Path", &path_, 0}, {"GZip", &gzip_, 0}, {"Rate", &rate_, 2}, {"radio1", &priority_, 0}});
}

void CTarPage::Load() {
    CPackPage::Load();
    // The priority is kept only for gzip.
    if (gzip_ != 1) priority_ = 0;
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
    Keep({{"Path", &path_, 0},
          {"OnlyNew", &onlyNew_, 0},
          {"Move", &move_, 0},
          {"radio1", &overwrite_, 0},
          {"SelfExtract", &selfExtract_, 0}});
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
