// The bar's background: three picture areas filled from one of five texture
// pictures, or the bar's plain colour. The areas have no windows of their
// own: the bar draws them behind every control that takes its colour, so the
// buttons' pictures stand on the texture.
#include <cmath>
#include <vector>

#include "main/bar/core/BarLayout.h"
#include "framework/forms/IniFile.h"
#include "main/bar/core/OptionRules.h"
#include "main/bar/Optionfrm.h"
#include "main/bar/mainfrm.h"

namespace bar {

namespace {
constexpr TColor kDefaultBackColor = 12632256;  // light grey

// The picture of one texture, drawn by arithmetic so no bitmap files ship.
COLORREF TexturePixel(int index, int x, int y) {
    const double fx = x, fy = y;
    auto mix = [](int r, int g, int b, double shade) {
        auto c = [shade](int v) { return static_cast<BYTE>(std::fmax(0.0, std::fmin(255.0, v * shade))); };
        return RGB(c(r), c(g), c(b));
    };
    switch (index) {
        case 0:  // Golden: a lit metal band
            return mix(232, 190, 80, 0.75 + 0.35 * std::sin((fy + 2) / 22.0 * 3.14159) + 0.03 * std::sin(fx / 3.0));
        case 1:  // Sea: waves
            return mix(70, 140, 210, 0.8 + 0.2 * std::sin(fx / 9.0 + 2.0 * std::sin(fy / 4.0)));
        case 2:  // Cloth: a weave
            return mix(170, 150, 190, ((x / 2 + y / 2) % 2) ? 1.0 : 0.85);
        case 3:  // Marble: veins
            return mix(220, 220, 215, 0.82 + 0.18 * std::sin(fx / 11.0 + 4.0 * std::sin(fy / 7.0 + fx / 37.0)));
        default:  // Wood: grain
            return mix(170, 110, 60, 0.78 + 0.22 * std::sin(fy * 1.7 + 3.0 * std::sin(fx / 23.0)));
    }
}

void DrawTexture(int index, TBitmap& picture) {
    picture.SetSize(kBackImageWidth, kBarHeight);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kBackImageWidth;
    info.bmiHeader.biHeight = -kBarHeight;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(static_cast<size_t>(kBackImageWidth) * kBarHeight);
    for (int y = 0; y < kBarHeight; ++y)
        for (int x = 0; x < kBackImageWidth; ++x) {
            const COLORREF c = TexturePixel(index, x, y);
            pixels[static_cast<size_t>(y) * kBackImageWidth + x] = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
        }
    SetDIBitsToDevice(picture.Canvas()->Handle(), 0, 0, kBackImageWidth, kBarHeight, 0, 0, 0, kBarHeight,
                      pixels.data(), &info, DIB_RGB_COLORS);
}

TImage* MakeImage(TForm1* bar, const char* name) {
    auto* image = Make<TImage>(bar, name);
    image->Picture()->SetSize(kBackImageWidth, kBarHeight);
    return image;
}

void PaintBarBackground(TForm1* bar, HDC dc, POINT origin, const RECT& client) {
    const ScopedBrush brush(CreateSolidBrush(ColorToRGB(bar->Color())));
    FillRect(dc, &client, brush.Get());
    if (!bar->Image1 || !bar->Image1->Visible()) return;
    TImage* areas[] = {bar->Image1, bar->Image2, bar->Image3};
    for (int i = 0; i < 3; ++i) {
        TBitmap* picture = areas[i]->Picture();
        BitBlt(dc, kBackImageLeft + i * kBackImageWidth - origin.x, -origin.y, picture->Width(), picture->Height(),
               picture->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
}

// The areas and the bar's painter, made once.
void EnsureBackImages(TForm1* bar) {
    if (bar->Image1) return;
    bar->Image1 = MakeImage(bar, "Image1");
    bar->Image2 = MakeImage(bar, "Image2");
    bar->Image3 = MakeImage(bar, "Image3");
    bar->PaintChildBackground = [bar](HDC dc, POINT origin, const RECT& client) {
        PaintBarBackground(bar, dc, origin, client);
    };
}

void RedrawBar(TForm1* bar) {
    if (bar->Handle())
        RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
}
}  // namespace

TImage* ToolbarTexture(TForm1* bar, int index) {
    if (!IsTextureIndex(index)) return nullptr;
    TImage*& texture = bar->Textures[static_cast<size_t>(index)];
    if (!texture) {
        texture = Make<TImage>(bar, kTextureNames[index]);
        texture->SetVisible(false);
        DrawTexture(index, *texture->Picture());
    }
    return texture;
}

void SetToolbarTexture(TForm1* bar, TImage* texture) {
    EnsureBackImages(bar);
    for (TImage* area : {bar->Image1, bar->Image2, bar->Image3}) {
        TBitmap* from = texture->Picture();
        area->Picture()->SetSize(from->Width(), from->Height());
        BitBlt(area->Picture()->Canvas()->Handle(), 0, 0, from->Width(), from->Height(), from->Canvas()->Handle(), 0, 0,
               SRCCOPY);
    }
    RedrawBar(bar);
}

void LoadToolbarBackground(TForm1* bar) {
    EnsureBackImages(bar);
    const TIniFile ini(BarIniPath());
    const bool useImage = ini.ReadBool("ToolBar", "BackUseImage", true);
    for (TImage* area : {bar->Image1, bar->Image2, bar->Image3}) area->SetVisible(useImage);
    // An index of no picture leaves the areas as they are.
    if (useImage) {
        if (TImage* texture = ToolbarTexture(bar, ini.ReadInteger("ToolBar", "Texture", 0)))
            SetToolbarTexture(bar, texture);
    }
    bar->SetColor(static_cast<TColor>(ini.ReadInteger("ToolBar", "BackColor", static_cast<int>(kDefaultBackColor))));
    RedrawBar(bar);
}

}  // namespace bar
