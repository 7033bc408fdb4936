// The bar's row: button places and pictures, the quick-start strip from the
// settings file, keeping the bar on the screen, and the collapsed strip.
#include <memory>

#include "main/bar/core/BarLayout.h"
#include "main/components/Funcs.h"
#include "framework/win32/ScopedHandle.h"
#include "framework/forms/SysUtils.h"
#include "main/bar/mainfrm.h"

namespace bar {

using components::DrawFileIcon;

namespace {
const char kQuickStart[] = "Quick Start";

// A 16 x 16 picture on the button face, whose colour the button leaves out.
void ResetGlyph(TSpeedButton* button) {
    TBitmap* glyph = button->Glyph();
    glyph->SetSize(16, 16);
    glyph->Fill(ColorToRGB(clBtnFace));
}

}  // namespace

void TForm1::ArrangeBar() {
    const int h = kBarHeight;
    SetClientHeight(h);
    for (int i = 0; i < ComponentCount(); ++i) {
        auto* button = dynamic_cast<TSpeedButton*>(Components(i));
        if (!button) continue;
        ResetGlyph(button);
        SmallImageList->Draw(button->Glyph()->Canvas()->Handle(), 0, 0, static_cast<int>(button->Tag));
        button->GlyphChanged();
        button->SetBounds(ButtonLeft(static_cast<int>(button->Tag), h), 0, h, h);
    }
    const BarRow row0 = ComputeBarRow(0, h);
    Qie->SetBounds(row0.browserLeft, 0, h, h);
    Qoutlook->SetBounds(row0.mailLeft, 0, h, h);
    ResetGlyph(Qie);
    DrawFileIcon(BrowserPath, *Qie->Glyph(), true);
    Qie->GlyphChanged();
    ResetGlyph(Qoutlook);
    DrawFileIcon(MailClientPath, *Qoutlook->Glyph(), true);
    Qoutlook->GlyphChanged();

    // The strip: the section's keys in file order, those that still exist,
    // at most five; the section is written back with exactly those.
    TIniFile ini(BarIniPath());
    TStringList keys;
    ini.ReadSection(kQuickStart, keys);
    const std::vector<std::string> paths = NormalizeQuickStart(
        keys.Items(), [](const std::string& p) { return FileExists(p) || DirectoryExists(p); });
    const BarRow row = ComputeBarRow(static_cast<int>(paths.size()), h);
    for (size_t i = 0; i < paths.size(); ++i) {
        TSpeedButton* button = QuickStartButtons[i];
        button->SetBounds(row.quickStartLefts[i], 0, h, h);
        ResetGlyph(button);
        DrawFileIcon(paths[i], *button->Glyph(), true);
        button->GlyphChanged();
        button->SetHint(paths[i]);
    }
    // A settings file that can't be written (a program folder without write
    // rights) is reported, and the bar is still laid out and kept on screen:
    // at start-up an error here would leave the bar half made.
    CallGuarded([&] {
        ini.EraseSection(kQuickStart);
        for (const std::string& path : paths) ini.WriteString(kQuickStart, path, "");
    });

    Qtime->SetBounds(row.clockLeft, 0, kClockWidth, h);
    Panel1->SetBounds(0, 0, kGripWidth, h);
    SetClientWidth(row.clientWidth);
    BarWidth = ClientWidth();
    BarHeight = ClientHeight();
    Bevel2->SetBounds(6 * BarHeight + 11, 3, Bevel2->Width(), BarHeight - 6);
    Bevel3->SetBounds(9 * BarHeight + 12, 3, Bevel3->Width(), BarHeight - 6);
    Bevel4->SetBounds(15 * BarHeight + 15, row.bevel4InRow ? 3 : Bevel4->Top(), Bevel4->Width(), BarHeight - 6);

    const BarPlacement place = KeepBarOnScreen(Left(), Top(), Width(), Height(), Screen->Width(), Screen->Height());
    SetBounds(place.left, place.top, Width(), Height());
    if (place.collapse) CollapseBar();
}

void TForm1::CollapseBar() {
    SetTop(0);
    SetClientHeight(kCollapsedHeight);
    const CollapsedBar c = CollapseGeometry(Screen->Width(), Qtime->Width());
    if (!c.stretch) return;
    Label1->SetBounds(0, 0, Screen->Width(), 1);
    Label1->SetTransparent(true);
    Label1->OnMouseMove = Bind(this, &TForm1::QAppMouseMove);
    ZoneHint->SetTop(4);
    ZoneHint->SetTransparent(true);
    Qtime->SetLeft(c.clockLeft);
    SetLeft(c.left);
    SetWidth(c.width);
}

void TForm1::QstartMouseUp(TObject* Sender, TMouseButton Button, TShiftState, int X, int Y) {
    // A left release is the click that runs the program.
    if (Button == TMouseButton::mbLeft) return;
    auto* button = dynamic_cast<TSpeedButton*>(Sender);
    if (!button) return;
    ScopedMenu menu(CreatePopupMenu());
    if (!menu.Get()) return;
    AppendMenuA(menu.Get(), MF_STRING, 1, "Delete item");
    const int chosen = TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, button->Left() + Left() + X,
                                      button->Top() + Top() + Y, 0, Handle(), nullptr);
    if (chosen != 1) return;
    {
        TIniFile ini(BarIniPath());
        ini.DeleteKey("Quick start", button->Hint());
    }
    ArrangeBar();
}

}  // namespace bar
