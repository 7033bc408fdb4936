// The options dialog: start with the system, the bar's background (a texture
// picture or a plain colour, previewed on the bar while the dialog is up) and
// the lengths of the six recent lists.
#pragma once
#include <array>

#include "framework/forms/ExtCtrls.h"
#include "framework/forms/StdCtrls.h"

namespace bar {

class TForm1;

// The stored background on the bar: [ToolBar] BackUseImage, Texture, BackColor.
void LoadToolbarBackground(TForm1* bar);
// Copies a texture picture into the bar's three picture areas.
void SetToolbarTexture(TForm1* bar, TImage* texture);
// The texture picture of an index, made on first use; null outside 0..4.
TImage* ToolbarTexture(TForm1* bar, int index);
// The three picture areas side by side from the bar's left edge + 10.
constexpr int kBackImageLeft = 10;
constexpr int kBackImageWidth = 256;

// Shows the dialog modally over the bar (the tray menu's "Option...").
void ShowOptions(TForm1* bar);

class TOptionfrm : public TForm {
public:
    TOptionfrm(TComponent* AOwner, TForm1* bar);
    ~TOptionfrm() override;

    TCheckBox* CheckBox1;
    TGroupBox* GroupBox1;
    TRadioButton* RadioButton1;
    TComboBox* ComboBox1;
    TRadioButton* RadioButton2;
    TPanel* Panel1;
    TGroupBox* GroupBox2;
    // Applications, locked applications, folders, locked folders, files, locked files.
    std::array<TEdit*, 6> LengthEdits{};
    std::array<TUpDown*, 6> LengthSpins{};
    TButton* Button1;
    TButton* Button2;

    void FormCreate(TObject* Sender);
    void OKClick(TObject* Sender);
    void RadioButton1Click(TObject* Sender);
    void RadioButton2Click(TObject* Sender);
    void ComboBox1Click(TObject* Sender);
    void Panel1Click(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);

private:
    TForm1* bar_;
};

}  // namespace bar
