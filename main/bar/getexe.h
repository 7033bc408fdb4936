// The software search: walks every fixed drive for programs, files the ones
// the table of known programs names into the application groups, then names
// them after the Start menu's shortcuts to them. A small captionless dialog
// that closes itself when done; the user can't stop it.
#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/forms/ComCtrls.h"
#include "framework/forms/ExtCtrls.h"
#include "main/components/FileFinder.h"
#include "framework/core/StringList.h"
#include "framework/forms/Timer.h"

namespace bar {

class TForm1;

// True while a search runs: its walk pumps the bar's messages, so the bar
// must not close under it (a close asked meanwhile waits for its end).
extern bool SoftwareSearchRunning;
// Set when the bar was asked to close during a search.
extern bool SearchCloseDeferred;

class TgetexeFrm : public TForm {
public:
    explicit TgetexeFrm(TComponent* AOwner);
    ~TgetexeFrm() override;

    TAnimate* Animate1;
    TLabel* Label1;
    TPanel* Panel1;
    TLabel* Label2;  // the folder being searched
    components::TFileFinder* FileFinder1;
    TTimer* Timer1;

    void FormCreate(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    void FileFinder1FileFound(TObject* Sender, const std::string& Directory, TSearchRec& SearchRec, bool& Stop);
    void FileFinder1Stop(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void RenameFoundApps(const std::string& Section);
    // Walks each folder (ending with a backslash) in order and files what
    // they hold after the last: the fixed drives, or a benchmark's tree.
    void SearchRoots(const std::vector<std::string>& roots);

    // The programs found so far, full paths in walk order.
    const TStringList* Found() const { return found_.get(); }

private:
    void FileFoundApps();
    std::unique_ptr<TStringList> found_;
    bool lastDrive_ = false;
};

// Runs the search modally over the bar; closes the bar afterwards when a
// close was asked meanwhile.
void RunSoftwareSearch(TForm1* bar);

}  // namespace bar
