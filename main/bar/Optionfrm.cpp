#include "main/bar/Optionfrm.h"

#include <iterator>
#include <memory>

#include "framework/forms/Application.h"
#include "framework/forms/Dialogs.h"
#include "framework/core/Exceptions.h"
#include "framework/forms/IniFile.h"
#include "main/bar/core/OptionRules.h"
#include "framework/forms/Registry.h"
#include "main/bar/mainfrm.h"

namespace bar {

namespace {
const char kRunKey[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Whether the Run value already reads `wanted` (a missing value reads empty;
// one of another type is none of ours).
bool RunValueIs(const std::string& wanted) {
    TRegistry reg;
    reg.RootKey = HKEY_LOCAL_MACHINE;
    if (!reg.OpenKeyReadOnly(kRunKey)) return wanted.empty();
    try {
        return reg.ReadString("Mivora") == wanted;
    } catch (const ERegistryException&) {
        return false;
    }
}

struct LengthBox {
    const char* caption;
    const char* section;
    const char* key;
    int* global;
};
// In the order the dialog shows them.
const LengthBox kLengthBoxes[6] = {
    {"Applications:", "Quick App", "MaxRecentApps", &MaxRecentApps},
    {"Locked applications:", "Quick App", "MaxlRecentApps", &MaxlRecentApps},
    {"Folders:", "Quick File", "MaxFolder", &MaxFolder},
    {"Locked folders:", "Quick File", "MaxlFolder", &MaxlFolder},
    {"Files:", "Quick File", "MaxFile", &MaxFile},
    {"Locked files:", "Quick File", "MaxlFile", &MaxlFile},
};
}  // namespace

TOptionfrm::TOptionfrm(TComponent* AOwner, TForm1* bar) : TForm(AOwner), bar_(bar) {
    SetUp({"Optionfrm", "Options", 380, 246});

    CheckBox1 = Make<TCheckBox>(this, this, "CheckBox1", {12, 10, 200, 17});
    CheckBox1->SetCaption("Run on start up");
    GroupBox1 = Make<TGroupBox>(this, this, "GroupBox1", {8, 34, 364, 78});
    GroupBox1->SetCaption("Background");
    RadioButton1 = Make<TRadioButton>(this, GroupBox1, "RadioButton1", {12, 20, 110, 17});
    RadioButton1->SetCaption("Texture image:");
    ComboBox1 = Make<TComboBox>(this, GroupBox1, "ComboBox1", {128, 18, 120, 21},
                                [](TComboBox& box) { box.Style = TComboBoxStyle::csDropDownList; });
    ComboBox1->SetItems({kTextureNames, kTextureNames + kTextureCount});
    RadioButton2 = Make<TRadioButton>(this, GroupBox1, "RadioButton2", {12, 48, 110, 17});
    RadioButton2->SetCaption("Simple color:");
    Panel1 = Make<TPanel>(this, GroupBox1, "Panel1", {128, 46, 20, 20});
    Panel1->BevelOuter = TBevelCut::bvLowered;
    Panel1->SetHint("Click to Change color");
    Panel1->SetShowHint(true);
    Panel1->Cursor = crHandPoint;

    GroupBox2 = Make<TGroupBox>(this, this, "GroupBox2", {8, 118, 364, 90});
    GroupBox2->SetCaption("Max number of items");
    for (size_t i = 0; i < std::size(kLengthBoxes); ++i) {
        const int col = static_cast<int>(i % 2), row = static_cast<int>(i / 2);
        const int x = 10 + col * 176, y = 20 + row * 22;
        auto* label = Make<TStaticLabel>(this, GroupBox2, std::string("Label") + std::to_string(i + 1),
                                         {x, y + 3, 122, 14});
        label->SetCaption(kLengthBoxes[i].caption);
        LengthEdits[i] = Make<TEdit>(this, GroupBox2, "SpinEdit" + std::to_string(i + 1), {x + 124, y, 44, 20});
        LengthSpins[i] = Make<TUpDown>(this, GroupBox2, "SpinButton" + std::to_string(i + 1), {x + 168, y, 14, 20});
        LengthSpins[i]->Min = kMinListLength;
        LengthSpins[i]->Max = kMaxListLength;
        LengthSpins[i]->SetAssociate(LengthEdits[i]);
    }
    Button1 = Make<TButton>(this, this, "Button1", {216, 216, 75, 23}, [](TButton& b) { b.Default = true; });
    Button1->SetCaption("OK");
    Button1->ModalResult = mrOk;
    Button1->OnClick = Bind(this, &TOptionfrm::OKClick);
    Button2 = Make<TButton>(this, this, "Button2", {297, 216, 75, 23});
    Button2->SetCaption("Cancel");
    Button2->ModalResult = mrCancel;
    Button2->Cancel = true;

    OnCreate = Bind(this, &TOptionfrm::FormCreate);
    OnClose = Bind(this, &TOptionfrm::FormClose);
}

TOptionfrm::~TOptionfrm() { DestroyWindowHandle(); }

void TOptionfrm::FormCreate(TObject*) {
    const TIniFile ini(BarIniPath());
    const bool useImage = ini.ReadBool("ToolBar", "BackUseImage", true);
    // The state is loaded before the previews are bound: opening the dialog
    // changes nothing on the bar.
    if (useImage)
        RadioButton1->SetChecked(true);
    else
        RadioButton2->SetChecked(true);
    ComboBox1->SetItemIndex(ini.ReadInteger("ToolBar", "Texture", 0));
    Panel1->SetColor(static_cast<TColor>(ini.ReadInteger("ToolBar", "BackColor", 12632256)));
    CheckBox1->SetChecked(ini.ReadBool("ToolBar", "RunStart", false));
    ComboBox1->SetEnabled(useImage);
    Panel1->SetEnabled(!useImage);
    for (size_t i = 0; i < std::size(kLengthBoxes); ++i) LengthSpins[i]->SetPosition(*kLengthBoxes[i].global);
    RadioButton1->OnClick = Bind(this, &TOptionfrm::RadioButton1Click);
    RadioButton2->OnClick = Bind(this, &TOptionfrm::RadioButton2Click);
    ComboBox1->OnClick = Bind(this, &TOptionfrm::ComboBox1Click);
    Panel1->OnClick = Bind(this, &TOptionfrm::Panel1Click);
}

void TOptionfrm::RadioButton1Click(TObject*) {
    if (!RadioButton1->Checked()) return;
    ComboBox1->SetEnabled(true);
    Panel1->SetEnabled(false);
    // Whatever picture the areas hold shows again.
    if (!bar_->Image1) SetToolbarTexture(bar_, ToolbarTexture(bar_, 0));
    for (TImage* area : {bar_->Image1, bar_->Image2, bar_->Image3}) area->SetVisible(true);
    bar_->Invalidate();
    RedrawWindow(bar_->Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TOptionfrm::RadioButton2Click(TObject*) {
    if (!RadioButton2->Checked()) return;
    ComboBox1->SetEnabled(false);
    Panel1->SetEnabled(true);
    for (TImage* area : {bar_->Image1, bar_->Image2, bar_->Image3})
        if (area) area->SetVisible(false);
    bar_->SetColor(Panel1->Color());
    RedrawWindow(bar_->Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TOptionfrm::ComboBox1Click(TObject*) {
    if (TImage* texture = ToolbarTexture(bar_, ComboBox1->ItemIndex())) SetToolbarTexture(bar_, texture);
}

void TOptionfrm::Panel1Click(TObject*) {
    TColorDialog dialog(nullptr);
    dialog.Color = Panel1->Color();
    if (!dialog.Execute()) return;
    Panel1->SetColor(dialog.Color);
    bar_->SetColor(dialog.Color);
    RedrawWindow(bar_->Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TOptionfrm::OKClick(TObject*) {
    TIniFile ini(BarIniPath());
    ini.WriteBool("ToolBar", "BackUseImage", RadioButton1->Checked());
    ini.WriteInteger("ToolBar", "Texture", ComboBox1->ItemIndex());
    ini.WriteInteger("ToolBar", "BackColor", static_cast<int>(Panel1->Color()));
    // The lengths are stored before the registry is touched: a user without
    // rights on the machine's Run key still gets them.
    for (size_t i = 0; i < std::size(kLengthBoxes); ++i) {
        const int length = ListLengthFromText(LengthEdits[i]->Text());
        *kLengthBoxes[i].global = length;
        ini.WriteInteger(kLengthBoxes[i].section, kLengthBoxes[i].key, length);
    }
    // Only a Run value that differs asks for the machine's key: an OK that
    // leaves the start alone raises no error for such a user, and a write
    // that failed before is tried again.
    const std::string runValue = RunValueText(Application->ExeName(), CheckBox1->Checked());
    if (!RunValueIs(runValue)) {
        TRegistry reg;
        reg.RootKey = HKEY_LOCAL_MACHINE;
        reg.OpenKey(kRunKey, true);
        // Without the key this raises the registry's own error for the report,
        // before RunStart can say the bar starts with the system.
        reg.WriteString("Mivora", runValue);
    }
    ini.WriteBool("ToolBar", "RunStart", CheckBox1->Checked());
}

void TOptionfrm::FormClose(TObject*, TCloseAction&) { LoadToolbarBackground(bar_); }

void ShowOptions(TForm1* bar) {
    const std::unique_ptr<TOptionfrm> form(TForm::Create<TOptionfrm>(nullptr, bar));
    form->ShowModal();
}

}  // namespace bar
