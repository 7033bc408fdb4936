// The system report ("System infomation"): facts about the machine in a
// read-only fixed-pitch text box, and the about box of the program.
#pragma once
#include "framework/forms/ExtCtrls.h"
#include "framework/forms/StdCtrls.h"
#include "main/bar/core/SystemReport.h"
#include "main/components/sysinfo.h"

namespace bar {

// The drive types of c: to z: as the system reports them.
DriveTypes ReadDriveTypes();

// Takes the title bar and the border lines off a shown form (the style bits
// 0x00C00000) and keeps its client area as it was: the height the title bar
// gave up goes, rather than staying as a blank band below the content.
void RemoveCaption(TForm& form);

class TDoctorfrm : public TForm {
public:
    TDoctorfrm(TComponent* AOwner, components::TSysInfo* sysInfo);
    ~TDoctorfrm() override;
    TMemo* Memo1;
    TButton* Button1;
    void FormCreate(TObject* Sender);

private:
    components::TSysInfo* sysInfo_;
    ScopedFont memoFont_;
};

// A box without a caption: the program's icon, name and version, and links
// to its maker that turn red under the mouse. A click elsewhere closes it.
class TAboutfrm : public TForm {
public:
    explicit TAboutfrm(TComponent* AOwner);
    ~TAboutfrm() override;
    TImage* Image1;
    TLabel* Label1;  // name and version
    TLabel* Label2;  // the maker
    TLabel* Label5;  // "Email:"
    TLabel* Label6;  // "Web:"
    TLabel* Label3;  // the e-mail link
    TLabel* Label4;  // the web link
    TLabel* Label7;  // a line about the suite

    void FormCreate(TObject* Sender);
    void Label3MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Label4MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Label3MouseMove(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void FormMouseMove(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void FormClick(TObject* Sender);
};

// Each shown modally and freed: the doctor menu's "System info..." and the
// tray menu's "About...".
void ShowSystemReport(components::TSysInfo* sysInfo);
void ShowAbout();

// The maker's addresses the about box opens.
extern const char kMakerMail[];
extern const char kMakerWeb[];

}  // namespace bar
