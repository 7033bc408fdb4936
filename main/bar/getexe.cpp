#include "main/bar/getexe.h"

#include "main/bar/core/AppGroups.h"
#include "main/bar/Doctorfrm.h"
#include "framework/forms/IniFile.h"
#include "main/bar/InfoTipText.h"
#include "main/bar/core/KnownPrograms.h"
#include "framework/win32/LeadByte.h"
#include "framework/core/StrUtils.h"
#include "framework/forms/SysUtils.h"
#include "main/bar/mainfrm.h"

namespace bar {

using components::TFileFinder;

bool SoftwareSearchRunning = false;
bool SearchCloseDeferred = false;

namespace {
// The shell's "find computer" clip.
constexpr int kFindComputerClip = 152;
}  // namespace

TgetexeFrm::TgetexeFrm(TComponent* AOwner) : TForm(AOwner) {
    SetUp({"getexeFrm", "", 310, 99});
    Animate1 = Make<TAnimate>(this, this, "Animate1", {8, 8, 80, 50});
    Label1 = Make<TLabel>(this, this, "Label1", {96, 24, 206, 16});
    Label1->SetCaption("Searching software information...");
    Panel1 = Make<TPanel>(this, this, "Panel1", {8, 66, 294, 24});
    Panel1->BevelOuter = TBevelCut::bvLowered;
    Label2 = Make<TLabel>(this, Panel1, "Label2", {4, 4, 286, 16});
    FileFinder1 = Make<TFileFinder>(this, "FileFinder1");
    FileFinder1->FileAttr = 63;
    FileFinder1->Root = "C:\\";
    FileFinder1->SubFolders = true;
    FileFinder1->ProcessMessages = true;
    FileFinder1->FuzzySearch = true;
    FileFinder1->IgnoreCase = true;
    FileFinder1->Filename = "*.exe";
    FileFinder1->StatusLabel = Label2;
    FileFinder1->OnFileFound = Bind(this, &TgetexeFrm::FileFinder1FileFound);
    FileFinder1->OnStop = Bind(this, &TgetexeFrm::FileFinder1Stop);
    Timer1 = Make<TTimer>(this, "Timer1");
    Timer1->SetInterval(500);
    Timer1->OnTimer = Bind(this, &TgetexeFrm::Timer1Timer);
    Timer1->SetEnabled(true);
    OnCreate = Bind(this, &TgetexeFrm::FormCreate);
    OnClose = Bind(this, &TgetexeFrm::FormClose);
}

TgetexeFrm::~TgetexeFrm() { DestroyWindowHandle(); }

void TgetexeFrm::FormCreate(TObject*) {
    RemoveCaption(*this);
    // A clip that won't open leaves the picture blank; the search goes on.
    Animate1->Play(GetModuleHandleA("shell32.dll"), kFindComputerClip, 8);
    found_ = std::make_unique<TStringList>();
    lastDrive_ = false;
}

void TgetexeFrm::Timer1Timer(TObject*) {
    Timer1->SetEnabled(false);
    std::vector<std::string> roots;
    for (char letter : FixedDrivePlan(ReadDriveTypes())) roots.push_back(std::string(1, letter) + ":\\");
    if (roots.empty()) {
        Close();
        return;
    }
    SearchRoots(roots);
}

void TgetexeFrm::SearchRoots(const std::vector<std::string>& roots) {
    for (size_t i = 0; i < roots.size(); ++i) {
        if (i + 1 == roots.size()) lastDrive_ = true;
        FileFinder1->Root = roots[i];
        FileFinder1->Execute();
    }
}

void TgetexeFrm::FileFinder1FileFound(TObject*, const std::string& Directory, TSearchRec& SearchRec, bool&) {
    found_->Add(Directory + SearchRec.Name);
}

void TgetexeFrm::FileFinder1Stop(TObject*) {
    if (!lastDrive_) return;
    FileFoundApps();
    Close();
}

void TgetexeFrm::FileFoundApps() {
    const std::string folder = BarFolder();
    const std::string index = ReadFileHead(folder + "qapp.idx", kKnownIndexSize);
    const ScopedFile table = OpenSharedRead(folder + "qapp.dat");
    // Without both files nothing is filed and nothing renamed; a short index
    // counts as none.
    if (!table.Valid() || index.size() < kKnownIndexSize) return;
    // The records are read to the file's end, through a span held in memory:
    // a read of the file for every program found cost more than the walk
    // that found them.
    FileByteSource file(table);
    KnownRecordWindow source(file);
    TIniFile ini(BarIniPath());
    TAppGroupStore store(ini, SystemLeadByte);
    for (const std::string& path : found_->Items()) {
        for (const KnownProgram& program : LookupKnownProgram(index, source, ExtractFileName(path)))
            store.FileFoundProgram(SectionForDigit(program.digit), program.name, path);
    }
    for (const TFixedGroup& group : kFixedGroups) RenameFoundApps(group.section);
}

void TgetexeFrm::RenameFoundApps(const std::string& Section) {
    TIniFile ini(BarIniPath());
    TAppGroupStore store(ini, SystemLeadByte);
    std::vector<std::pair<std::string, std::string>> entries;
    for (const TAppEntry& e : store.Programs(Section)) entries.emplace_back(e.name, e.path);
    for (const FoundAppRename& r : PlanFoundAppRenames(entries, LinkNames->Items(), LinkTargets->Items(), SystemLeadByte)) {
        // A shortcut name the file can't keep leaves the entry as it is.
        if (store.FileFoundProgram(Section, r.newKey, r.newPath) != AppEdit::Done) continue;
        if (!SameTextAscii(r.oldKey, r.newKey)) store.DeleteProgram(Section, r.oldKey);
    }
}

void TgetexeFrm::FormClose(TObject*, TCloseAction&) { found_.reset(); }

void RunSoftwareSearch(TForm1* bar) {
    if (SoftwareSearchRunning) return;
    {
        std::unique_ptr<TgetexeFrm> form(TForm::Create<TgetexeFrm>(nullptr));
        SoftwareSearchRunning = true;
        struct Done {
            ~Done() { SoftwareSearchRunning = false; }
        } done;
        form->ShowModal();
    }
    if (SearchCloseDeferred) {
        SearchCloseDeferred = false;
        bar->Close();
    }
}

}  // namespace bar
