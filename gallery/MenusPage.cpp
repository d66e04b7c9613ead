#include "gallery/MenusPage.h"

#include "framework/controls/Menus.h"
#include "framework/controls/Panel.h"
#include "framework/controls/ShortCut.h"
#include "framework/controls/ToolBar.h"
#include "framework/forms/Application.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/ImageList.h"

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

#include <windows.h>

namespace {

// The images of the menus and the tool bar, in this order.
enum Image { imNew, imOpen, imCut, imCopy, imPaste, imCount };

constexpr TColor kMask = clFuchsia;
constexpr int kSide = 16;

// Small pictures drawn here rather than shipped: a page, a folder, scissors, two pages
// and a clipboard are enough to tell the items apart.
void DrawImages(TCanvas& canvas) {
    const auto box = [&](int image, int left, int top, int right, int bottom, TColor fill) {
        canvas.Brush().SetColor(fill);
        canvas.Rectangle(image * kSide + left, top, image * kSide + right, bottom);
    };
    canvas.Pen().SetColor(RgbColour(0x40, 0x40, 0x40));
    box(imNew, 3, 1, 13, 15, clWhite);
    box(imOpen, 1, 4, 15, 14, RgbColour(0xF0, 0xC8, 0x40));
    box(imOpen, 1, 2, 7, 5, RgbColour(0xF0, 0xC8, 0x40));
    canvas.Brush().SetColor(clWhite);
    canvas.Ellipse(imCut * kSide + 1, 9, imCut * kSide + 7, 15);
    canvas.Ellipse(imCut * kSide + 9, 9, imCut * kSide + 15, 15);
    canvas.MoveTo(imCut * kSide + 5, 10);
    canvas.LineTo(imCut * kSide + 12, 1);
    canvas.MoveTo(imCut * kSide + 11, 10);
    canvas.LineTo(imCut * kSide + 4, 1);
    box(imCopy, 1, 1, 10, 11, clWhite);
    box(imCopy, 6, 5, 15, 15, clWhite);
    box(imPaste, 2, 2, 14, 15, RgbColour(0xB0, 0x80, 0x50));
    box(imPaste, 5, 1, 11, 4, RgbColour(0xC0, 0xC0, 0xC0));
    box(imPaste, 6, 6, 15, 15, clWhite);
}

TImageList& MakeImages(TComponent& owner) {
    auto& images = owner.Create<TImageList>(kSide, kSide);
    TBitmap strip;
    strip.SetSize(imCount * kSide, kSide);
    TCanvas& canvas = strip.Canvas();
    canvas.Brush().SetColor(kMask);
    canvas.FillRect({0, 0, imCount * kSide, kSide});
    DrawImages(canvas);
    images.AddMasked(strip, kMask);
    return images;
}

// Names the item chosen on the page's line.
void ShowChosen(TPanel& line, TObject* sender) {
    auto* item = As<TMenuItem>(sender);
    if (!item) return;
    std::wstring caption;
    for (wchar_t c : item->Caption())
        if (c != L'&') caption += c;
    line.SetCaption(L"选了 Chosen: " + caption);
}

// Builds the item trees while the page is made; every click names its item on the line.
class MenuMaker {
public:
    MenuMaker(TComponent& owner, TPanel& line) : m_owner{owner}, m_line{line} {}

    TMenuItem& Item(TMenuItem& parent, std::wstring_view caption, TShortCut shortCut = scNone, int image = -1) {
        auto& item = m_owner.Create<TMenuItem>();
        item.SetCaption(caption);
        item.SetShortCut(shortCut);
        item.SetImageIndex(image);
        if (!item.IsLine()) item.OnClick = Namer();
        parent.Add(item);
        if (image >= 0 && image < imCount && !m_withImage[image]) m_withImage[image] = &item;
        return item;
    }
    void Lines(TMenuItem& parent, int count) {
        for (int i = 0; i < count; ++i) Item(parent, L"-");
    }
    TNotifyEvent Namer() const {
        TPanel* line = &m_line;
        return [line](TObject* sender) { ShowChosen(*line, sender); };
    }
    // The first item made with that image: the tool bar's buttons click these.
    TMenuItem* WithImage(int image) const noexcept { return m_withImage[image]; }

private:
    TComponent& m_owner;
    TPanel& m_line;
    std::array<TMenuItem*, imCount> m_withImage{};
};

void AddFileMenu(MenuMaker& make, TMenuItem& bar, TMenuItem*& recent) {
    TMenuItem& file = make.Item(bar, L"文件 &File");
    make.Item(file, L"&New", ShortCut('N', scCtrl), imNew);
    make.Item(file, L"&Open...", ShortCut('O', scCtrl), imOpen);
    TMenuItem& files = make.Item(file, L"&Recent");
    for (const wchar_t* name : {L"&1 vowels.swf", L"&2 consonants.swf", L"&3 音标 review.swf"}) make.Item(files, name);
    recent = &files;
    // A hidden item between two lines: the lines must not show doubled.
    make.Lines(file, 1);
    make.Item(file, L"&Print...", ShortCut('P', scCtrl)).SetVisible(false);
    make.Lines(file, 1);
    make.Item(file, L"E&xit").OnClick = [](TObject*) {
        if (Application && Application->MainForm()) Application->MainForm()->Close();
    };
}

void AddEditMenu(MenuMaker& make, TMenuItem& bar) {
    // Lines at the start, doubled in the middle and at the end: all tidied away.
    TMenuItem& edit = make.Item(bar, L"编辑 &Edit");
    make.Lines(edit, 1);
    make.Item(edit, L"&Undo", ShortCut('Z', scCtrl));
    make.Item(edit, L"&Redo", ShortCut('Y', scCtrl)).SetEnabled(false);
    make.Lines(edit, 2);
    make.Item(edit, L"Cu&t", ShortCut('X', scCtrl), imCut);
    make.Item(edit, L"&Copy", ShortCut('C', scCtrl), imCopy);
    make.Item(edit, L"&Paste", ShortCut('V', scCtrl), imPaste).SetEnabled(false);
    make.Lines(edit, 1);
    make.Item(edit, L"Select &all", ShortCut('A', scCtrl));
    make.Lines(edit, 2);
}

void AddViewMenu(MenuMaker& make, TMenuItem& bar, TToolBar& tools) {
    TMenuItem& view = make.Item(bar, L"查看 &View");
    TMenuItem& toolBar = make.Item(view, L"&Tool bar");
    toolBar.SetChecked(true);
    toolBar.OnClick = [named = make.Namer(), bar = &tools](TObject* sender) {
        auto& item = *static_cast<TMenuItem*>(sender);
        item.SetChecked(!item.Checked());
        bar->SetVisible(item.Checked());
        named(sender);
    };
    // A checked item with an image shows the image sunk in.
    TMenuItem& newButton = make.Item(view, L"&New-file button", scNone, imNew);
    newButton.SetChecked(true);
    make.Lines(view, 1);
    for (const wchar_t* caption : {L"&Large symbols", L"&Small symbols", L"Symbol &list"}) {
        TMenuItem& radio = make.Item(view, caption);
        radio.SetRadioItem(true);
        radio.SetGroupIndex(1);
        radio.SetChecked(caption == std::wstring_view(L"&Small symbols"));
        radio.OnClick = [named = make.Namer()](TObject* sender) {
            static_cast<TMenuItem*>(sender)->SetChecked(true);
            named(sender);
        };
    }
    make.Lines(view, 1);
    make.Item(view, L"&Full screen", ShortCut(VK_F11, scNone)).SetEnabled(false);
}

// Items the gallery draws itself: a swatch of the colour before the caption. The skin
// leaves items with a painter of their own alone.
void AddColourMenu(MenuMaker& make, TMenuItem& bar) {
    TMenuItem& colours = make.Item(bar, L"颜色 &Colours");
    constexpr std::array swatches{std::pair{L"&Red", RgbColour(0xD0, 0x30, 0x30)},
                                  std::pair{L"&Green", RgbColour(0x30, 0xA0, 0x40)},
                                  std::pair{L"&Blue", RgbColour(0x30, 0x50, 0xD0)}};
    for (const auto& [caption, colour] : swatches) {
        TMenuItem& item = make.Item(colours, caption);
        item.OnMeasureItem = [](TObject*, TCanvas&, int& width, int& height) {
            width += 40;
            height = std::max(height, 24);
        };
        item.OnDrawItem = [colour](TObject* sender, TCanvas& canvas, const RECT& rect, bool selected) {
            const auto* one = static_cast<TMenuItem*>(sender);
            canvas.Brush().SetColor(selected ? colour : clWhite);
            canvas.FillRect(rect);
            canvas.Brush().SetColor(colour);
            canvas.Pen().SetColor(selected ? clWhite : RgbColour(0x40, 0x40, 0x40));
            canvas.Rectangle(rect.left + 4, rect.top + 4, rect.left + 32, rect.bottom - 4);
            canvas.Brush().SetStyle(TBrushStyle::bsClear);
            canvas.Font().SetColor(selected ? clWhite : colour);
            RECT text{rect.left + 40, rect.top, rect.right, rect.bottom};
            canvas.DrawText(one->Caption(), text, DT_SINGLELINE | DT_VCENTER);
        };
    }
}

void AddHelpMenu(MenuMaker& make, TMenuItem& bar) {
    TMenuItem& help = make.Item(bar, L"帮助 &Help");
    TMenuItem& about = make.Item(help, L"&About the gallery...", ShortCut(VK_F1, scNone));
    about.SetDefault(true);
    about.OnClick = [named = make.Namer()](TObject* sender) {
        named(sender);
        if (Application)
            Application->MessageBox(L"Every menu of this page is drawn by the skin, but for the colours, "
                                    L"which the gallery draws itself.",
                                    L"About the gallery", MB_OK | MB_ICONINFORMATION);
    };
    // A bar item without a submenu runs its command at once.
    make.Item(bar, L"&Go!");
}

TPopupMenu& MakePopup(TComponent& owner, MenuMaker& make, TImageList& images) {
    auto& popup = owner.Create<TPopupMenu>();
    popup.SetImages(&images);
    TMenuItem& root = popup.Items();
    make.Item(root, L"Cu&t", ShortCut('X', scCtrl), imCut);
    make.Item(root, L"&Copy", ShortCut('C', scCtrl), imCopy);
    make.Item(root, L"&Paste", ShortCut('V', scCtrl), imPaste).SetEnabled(false);
    make.Lines(root, 1);
    TMenuItem& symbols = make.Item(root, L"Insert &symbol");
    for (const wchar_t* symbol : {L"iː", L"ɪ", L"e", L"æ", L"ʌ", L"ɑː"}) make.Item(symbols, symbol);
    make.Item(root, L"Show &grid").SetChecked(true);
    make.Lines(root, 1);
    make.Item(root, L"&Properties", ShortCut(VK_RETURN, scAlt)).SetDefault(true);
    return popup;
}

TToolBar& MakeToolBar(TComponent& owner, TWinControl& page, TImageList& images) {
    auto& bar = owner.Create<TToolBar>();
    bar.SetParent(&page);
    bar.SetAlign(TAlign::alTop);
    bar.SetImages(&images);
    bar.SetShowCaptions(true);
    bar.SetFlat(true);
    bar.SetHeight(40);
    return bar;
}

TToolButton& AddTool(TComponent& owner, TToolBar& bar, std::wstring_view caption, int image,
                     TToolButtonStyle style = TToolButtonStyle::tbsButton) {
    auto& button = owner.Create<TToolButton>();
    button.SetParent(&bar);
    button.SetCaption(caption);
    button.SetImageIndex(image);
    button.SetButtonStyle(style);
    return button;
}

}  // namespace

TMainMenu& BuildMenusPage(TComponent& owner, TWinControl& page) {
    TImageList& images = MakeImages(owner);

    auto& line = owner.Create<TPanel>();
    line.SetParent(&page);
    line.SetAlign(TAlign::alBottom);
    line.SetHeight(28);
    line.SetBevelOuter(TBevelCut::bvLowered);
    line.SetCaption(L"选了 Chosen: (nothing yet)");
    auto& hint = owner.Create<TPanel>();
    hint.SetParent(&page);
    hint.SetAlign(TAlign::alClient);
    hint.SetBevelOuter(TBevelCut::bvNone);
    hint.SetCaption(L"右击打开菜单  Right-click for a popup menu; Alt+letter or F10 opens the menu bar");
    MenuMaker make(owner, line);

    TToolBar& tools = MakeToolBar(owner, page, images);
    auto& menu = owner.Create<TMainMenu>();
    menu.SetImages(&images);
    // Some items draw themselves; the others get the framework's plain look unskinned.
    menu.SetOwnerDraw(true);
    TMenuItem* recent = nullptr;
    AddFileMenu(make, menu.Items(), recent);
    AddEditMenu(make, menu.Items());
    AddViewMenu(make, menu.Items(), tools);
    AddColourMenu(make, menu.Items());
    AddHelpMenu(make, menu.Items());

    for (const auto& [caption, image] : {std::pair{L"New", imNew}, {L"Open", imOpen}, {L"Cut", imCut},
                                         {L"Copy", imCopy}, {L"Paste", imPaste}})
        AddTool(owner, tools, caption, image).SetMenuItem(make.WithImage(image));
    TToolButton& paste = *tools.Buttons(imPaste);
    paste.SetEnabled(false);
    AddTool(owner, tools, L"", -1, TToolButtonStyle::tbsSeparator);
    TToolButton& grid = AddTool(owner, tools, L"Grid", -1, TToolButtonStyle::tbsCheck);
    grid.SetDown(true);
    TToolButton& drop = AddTool(owner, tools, L"Recent", imOpen, TToolButtonStyle::tbsDropDown);
    drop.SetMenuItem(recent);

    page.SetPopupMenu(&MakePopup(owner, make, images));
    return menu;
}
