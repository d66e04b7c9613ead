// Chinese and IPA text must come out as glyphs, not as the empty boxes of a missing
// glyph, in the fonts the program and Wine ask for. This checks the machine's font
// set-up as much as our code: it fails when the Wine prefix lost its font links.

#include "framework/graphics/Graphics.h"
#include "framework/win/DibSection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<uint32_t> Render(const wchar_t* face, std::wstring_view text) {
    DibSection dib(64, 32);
    dib.Fill(RGB(255, 255, 255));
    TCanvas canvas;
    canvas.SetHandle(dib.Dc());
    canvas.Font().SetName(face);
    canvas.Font().SetHeight(-16);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.TextOut(2, 2, text);
    canvas.SetHandle(nullptr);
    ::GdiFlush();
    std::vector<uint32_t> pixels;
    const PixelView view = dib.View();
    for (int y = 0; y < view.height; ++y)
        for (uint32_t p : view.Row(y)) pixels.push_back(p & 0xFFFFFF);
    return pixels;
}

TEST(FontLinks, ChineseAndIpaRenderAsGlyphsInTheProgramsFaces) {
    for (const wchar_t* face : {L"MS Sans Serif", L"Tahoma", L"SimSun", L"Arial", L"MS Shell Dlg"}) {
        const auto missing = Render(face, L"\uE000");  // private use: every font draws its missing-glyph box
        for (const wchar_t* text : {L"当", L"项", L"ɪ", L"ʃ", L"ŋ", L"ɚ"}) {
            const auto glyph = Render(face, text);
            EXPECT_NE(glyph, missing) << "face " << std::string(face, face + wcslen(face)).c_str()
                                      << " shows a box for U+" << std::hex << static_cast<int>(text[0]);
        }
    }
}

}  // namespace
