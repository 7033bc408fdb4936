// The options dialog over a bar in this process: the preview on the bar, what
// OK stores and what Cancel brings back.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "framework/forms/Application.h"
#include "tests/win/bar/BarFixture.h"
#include "framework/forms/Dialogs.h"
#include "tests/win/support/FormDriver.h"
#include "framework/forms/IniFile.h"
#include "main/bar/Optionfrm.h"
#include "main/bar/mainfrm.h"

using namespace bar;

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetBarFolder(dir_.Path());
        bar_ = std::make_unique<TForm1>(nullptr);
        bar_->SetBounds(200, 40, 406, 22);
        bar_->HandleNeeded();
    }
    void TearDown() override {
        SetColorDialogHook(nullptr);
        bar_.reset();
        SetBarFolder("");
    }
    void WriteIni(const std::string& text) { WriteFileBytes(dir_.File("mivora.ini"), text); }
    std::string Ini(const char* section, const char* key) const {
        return TIniFile(dir_.File("mivora.ini")).ReadString(section, key, "");
    }
    // Shows the dialog and runs `act` once it is up; true when it ended with OK.
    bool Show(const std::function<void(TOptionfrm*)>& act) {
        const std::unique_ptr<TOptionfrm> form(TForm::Create<TOptionfrm>(nullptr, bar_.get()));
        UiScript script;
        script.When("the dialog is up", [&] { return Showing(form.get()); }, [&] { act(form.get()); });
        TModalResult result = mrNone;
        script.Run([&] { result = form->ShowModal(); });
        return result == mrOk;
    }
    // The bar as a user sees it: picture areas shown or not, its colour, and
    // the first pixel of its first area.
    struct Look {
        bool pictures;
        TColor color;
        COLORREF firstPixel;
    };
    Look BarLook() const {
        return {bar_->Image1->Visible(), bar_->Color(), bar_->Image1->Picture()->Pixel(0, 0)};
    }
    COLORREF TexturePixel(int index) { return ToolbarTexture(bar_.get(), index)->Picture()->Pixel(0, 0); }

    TempDir dir_;
    std::unique_ptr<TForm1> bar_;
    SavedRegValue run_{HKEY_LOCAL_MACHINE, kRunKey, "Mivora"};
};

TEST_F(OptionsTest, TheStoredBackgroundIsShownAtStartAndOutOfRangeTexturesLeaveThePictures) {
    const struct {
        const char* ini;
        bool pictures;
        TColor color;
        int texture;  // the picture the areas hold, -1 for none drawn yet
    } cases[] = {
        {"", true, 12632256, 0},
        {"[ToolBar]\r\nTexture=4\r\nBackColor=255\r\n", true, 255, 4},
        {"[ToolBar]\r\nBackUseImage=0\r\nTexture=2\r\n", false, 12632256, -1},
        {"[ToolBar]\r\nTexture=7\r\n", true, 12632256, -1},
    };
    for (const auto& c : cases) {
        bar_ = std::make_unique<TForm1>(nullptr);
        bar_->HandleNeeded();
        WriteIni(c.ini);
        LoadToolbarBackground(bar_.get());
        const Look look = BarLook();
        EXPECT_EQ(look.pictures, c.pictures) << c.ini;
        EXPECT_EQ(look.color, c.color) << c.ini;
        if (c.texture >= 0) {
            EXPECT_EQ(look.firstPixel, TexturePixel(c.texture)) << c.ini;
        }
    }
}

TEST_F(OptionsTest, CancelAfterPreviewingWoodBringsBackTheStoredLook) {
    WriteIni("[ToolBar]\r\nTexture=1\r\n");
    LoadToolbarBackground(bar_.get());
    const Look stored = BarLook();
    EXPECT_FALSE(Show([&](TOptionfrm* f) {
        EXPECT_TRUE(f->RadioButton1->Checked());
        EXPECT_EQ(f->ComboBox1->ItemIndex(), 1);
        EXPECT_FALSE(IsWindowEnabled(f->Panel1->Handle()));
        PickFrom(f->ComboBox1, 4);
        EXPECT_EQ(BarLook().firstPixel, TexturePixel(4)) << "the preview shows Wood";
        ClickButton(f->Button2);
    }));
    const Look after = BarLook();
    EXPECT_EQ(after.pictures, stored.pictures);
    EXPECT_EQ(after.firstPixel, stored.firstPixel);
    EXPECT_EQ(Ini("ToolBar", "Texture"), "1");
}

TEST_F(OptionsTest, SimpleColorThenOkStoresTheColourAndKeepsTheTextureIndex) {
    WriteIni("[ToolBar]\r\nTexture=3\r\n");
    LoadToolbarBackground(bar_.get());
    SetColorDialogHook([](TColorDialog& d) {
        d.Color = RGB(10, 120, 200);
        return true;
    });
    EXPECT_TRUE(Show([&](TOptionfrm* f) {
        ClickButton(f->RadioButton2);
        PumpUntil([&] { return f->Panel1->Enabled(); }, 2000);
        EXPECT_FALSE(bar_->Image1->Visible()) << "the preview hides the pictures";
        f->Panel1->Click();
        EXPECT_EQ(bar_->Color(), RGB(10, 120, 200)) << "the preview takes the chosen colour";
        ClickButton(f->Button1);
    }));
    EXPECT_EQ(Ini("ToolBar", "BackUseImage"), "0");
    EXPECT_EQ(Ini("ToolBar", "Texture"), "3");
    EXPECT_EQ(Ini("ToolBar", "BackColor"), std::to_string(RGB(10, 120, 200)));
    EXPECT_FALSE(bar_->Image1->Visible());
}

TEST_F(OptionsTest, ListLengthsAreStoredClampedAndGoToTheGlobals) {
    EXPECT_TRUE(Show([&](TOptionfrm* f) {
        const char* texts[] = {"20", "3", "abc", "99", "7", ""};
        for (size_t i = 0; i < 6; ++i) f->LengthEdits[i]->SetText(texts[i]);
        ClickButton(f->Button1);
    }));
    const struct {
        const char *section, *key;
        int value;
        int* global;
    } expected[] = {
        {"Quick App", "MaxRecentApps", 20, &MaxRecentApps},   {"Quick App", "MaxlRecentApps", 3, &MaxlRecentApps},
        {"Quick File", "MaxFolder", 3, &MaxFolder},           {"Quick File", "MaxlFolder", 20, &MaxlFolder},
        {"Quick File", "MaxFile", 7, &MaxFile},               {"Quick File", "MaxlFile", 3, &MaxlFile},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(Ini(e.section, e.key), std::to_string(e.value)) << e.key;
        EXPECT_EQ(*e.global, e.value) << e.key;
    }
}

TEST_F(OptionsTest, RunOnStartUpWritesTheProgramAndTurningItOffLeavesAnEmptyValue) {
    DeleteRegValue(HKEY_LOCAL_MACHINE, kRunKey, "Mivora");
    EXPECT_TRUE(Show([&](TOptionfrm* f) {
        EXPECT_FALSE(f->CheckBox1->Checked());
        f->CheckBox1->SetChecked(true);
        ClickButton(f->Button1);
    }));
    EXPECT_EQ(Ini("ToolBar", "RunStart"), "1");
    const std::string exe = Application->ExeName();
    const std::string expected = exe.find(' ') == std::string::npos ? exe : '"' + exe + '"';
    EXPECT_EQ(GetRegString(HKEY_LOCAL_MACHINE, kRunKey, "Mivora"), expected);
    EXPECT_TRUE(Show([&](TOptionfrm* f) {
        EXPECT_TRUE(f->CheckBox1->Checked());
        f->CheckBox1->SetChecked(false);
        ClickButton(f->Button1);
    }));
    bool exists = false;
    EXPECT_EQ(GetRegString(HKEY_LOCAL_MACHINE, kRunKey, "Mivora", &exists), "");
    EXPECT_TRUE(exists) << "the value stays, empty";
    EXPECT_EQ(Ini("ToolBar", "RunStart"), "0");
}

TEST_F(OptionsTest, OkWritesTheRunValueWhereAnEarlierWriteLeftNone) {
    // A write refused by the key (no rights there) left the value missing.
    WriteIni("[ToolBar]\r\nRunStart=1\r\n");
    DeleteRegValue(HKEY_LOCAL_MACHINE, kRunKey, "Mivora");
    EXPECT_TRUE(Show([&](TOptionfrm* f) { ClickButton(f->Button1); }));
    EXPECT_NE(GetRegString(HKEY_LOCAL_MACHINE, kRunKey, "Mivora").find("bar_tests.exe"), std::string::npos);
}

}  // namespace
