// The option pages of the pack dialogs, one per format, each reading and
// writing its own profile section. The pack-for-mail dialog uses the same
// classes on its own templates and sections: a template without the path
// group simply has no "Path" option.
#pragma once
#include <vector>

#include "archive/core/ArchiveCommandLines.h"
#include "framework/dialogs/Dialog.h"
#include "archive/resource.h"

class CPackPage : public CDialog {
public:
    CPackPage(UINT templateId, const char* section) : CDialog(templateId), section_(section) {}
    CPackPage(const CPackPage&) = delete;
    CPackPage& operator=(const CPackPage&) = delete;

    // The options from the profile (before the page is created) and back.
    virtual void Load();
    void Save() const;
    // The page's format and options into `request`, path handling aside.
    virtual void Fill(archive::PackRequest& request) const = 0;
    // The "Path" option: 0 base names, 1 relative, 2 absolute paths.
    virtual void ApplyPath(archive::PackRequest& request) const = 0;

    int path_ = 0;

protected:
    bool HasPathGroup() const { return GetDlgItem(IDC_PATH_NONE) != nullptr; }
    // The radio group "Path" when the template has it; every page calls it first.
    void ExchangePath(CDataExchange* pDX);
    // Each option a page keeps: its profile key, its member and its default.
    struct Option {
        const char* key;
        int* value;
        int fallback;
    };
    void Keep(std::vector<Option> options) { options_ = std::move(options); }

private:
    const char* section_;
    std::vector<Option> options_;
};

class CLzhPage : public CPackPage {
public:
    CLzhPage(UINT templateId, const char* section);
    void Fill(archive::PackRequest& request) const override;
    void ApplyPath(archive::PackRequest& request) const override;

    int onlyNew_ = 0, move_ = 0, shortNames_ = 0, lh0_ = 1, selfExtract_ = 0;
    int overwrite_ = 0;  // "radio1"

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CTarPage : public CPackPage {
public:
    CTarPage(UINT templateId, const char* section);
    void Load() override;
    void Fill(archive::PackRequest& request) const override;
    void ApplyPath(archive::PackRequest& request) const override;

    int gzip_ = 0;
    int rate_ = 2;      // the track bar, stored only
    int priority_ = 0;  // "radio1": 0 speed, 1 rate

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // The gzip options count only with gzip.
    void EnableGzipOptions();
};

class CZipPage : public CPackPage {
public:
    CZipPage(UINT templateId, const char* section);
    void Fill(archive::PackRequest& request) const override;
    void ApplyPath(archive::PackRequest& request) const override;

    int onlyNew_ = 0, move_ = 0, overwrite_ = 0, selfExtract_ = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
