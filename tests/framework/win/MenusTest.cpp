// The framework's menus: what the system's menu handles show must be what the items
// hold, and what the system reports back (commands, owner draw, a chosen popup item)
// must reach the right item.

#include "framework/controls/Menus.h"
#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/ToolBar.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/layout/LayoutReader.h"
#include "framework/layout/LayoutWriter.h"
#include "framework/win/DibSection.h"
#include "tests/framework/win/FormFixture.h"
#include "tests/support/FailureLogCapture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

namespace {

class Menus : public FormFixture {
protected:
    TMenuItem& Item(TMenuItem& parent, const wchar_t* caption) {
        auto& item = form.Create<TMenuItem>();
        item.SetCaption(caption);
        parent.Add(item);
        return item;
    }
};

std::wstring MenuText(HMENU menu, UINT position) {
    wchar_t text[64]{};
    ::GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return text;
}

MENUITEMINFOW MenuInfo(HMENU menu, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
    EXPECT_TRUE(::GetMenuItemInfoW(menu, position, TRUE, &info));
    return info;
}

// Closes the popup the test opens: from a timer inside the menu's own loop, it presses
// the keys given (to the menu window, which the loop reads them for); after a few
// seconds without success it ends the menu itself and says so.
struct MenuCloser {
    static inline std::vector<WPARAM> keys;
    static inline bool sent = false;
    static inline bool gaveUp = false;
    static inline int ticks = 0;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) noexcept {
        HWND menuWindow = ::FindWindowW(L"#32768", nullptr);
        if (menuWindow && ::IsWindowVisible(menuWindow) && !sent) {
            for (WPARAM key : keys) ::PostMessageW(menuWindow, WM_KEYDOWN, key, 0);
            sent = true;
        }
        if (++ticks > 150) {  // 3 seconds at 20 ms
            gaveUp = true;
            ::KillTimer(nullptr, id);
            ::EndMenu();
        }
    }

    explicit MenuCloser(std::vector<WPARAM> press) {
        keys = std::move(press);
        sent = gaveUp = false;
        ticks = 0;
        m_timer = ::SetTimer(nullptr, 0, 20, Tick);
    }
    ~MenuCloser() { ::KillTimer(nullptr, m_timer); }

    UINT_PTR m_timer;
};

}  // namespace

TEST_F(Menus, TheMenuHandleMirrorsTheItemsAndFollowsTheirChanges) {
    auto& menu = form.Create<TMainMenu>();
    auto& file = Item(menu.Items(), L"文件(&F)");
    auto& open = Item(file, L"&Open");
    open.SetShortCut(ShortCut('O', scCtrl));
    open.SetDefault(true);
    Item(file, L"-");
    auto& hidden = Item(file, L"&Hidden");
    hidden.SetVisible(false);
    auto& slow = Item(file, L"&Slow");
    slow.SetRadioItem(true);
    slow.SetChecked(true);
    auto& fast = Item(file, L"F&ast");
    fast.SetRadioItem(true);
    fast.SetShortCut(ShortCut(0x79, scShift | scAlt));
    auto& off = Item(file, L"&Off");
    off.SetEnabled(false);
    auto& help = Item(menu.Items(), L"&Help");
    int changes = 0;
    auto previous = form.WindowProc();
    form.SetWindowProc([&, previous](TMessage& m) {
        if (m.Msg == kMsgMenuChanged) ++changes;
        previous(m);
    });
    form.SetMenu(&menu);
    form.Show();
    HWND window = form.Handle();

    HMENU bar = ::GetMenu(window);
    ASSERT_EQ(bar, menu.Handle());
    ASSERT_EQ(::GetMenuItemCount(bar), 2);
    EXPECT_EQ(MenuText(bar, 0), L"文件(&F)");
    const auto fileInfo = MenuInfo(bar, 0);
    EXPECT_EQ(fileInfo.hSubMenu, file.Handle());
    EXPECT_EQ(fileInfo.wID, static_cast<UINT>(file.Command()));
    EXPECT_EQ(MenuInfo(bar, 1).hSubMenu, nullptr);  // no sub-items, no popup

    HMENU popup = file.Handle();
    ASSERT_EQ(::GetMenuItemCount(popup), 5);  // the hidden item is left out
    EXPECT_EQ(MenuText(popup, 0), L"&Open\tCtrl+O");
    EXPECT_EQ(MenuInfo(popup, 0).fState & (MFS_DEFAULT | MFS_CHECKED | MFS_GRAYED), UINT(MFS_DEFAULT));
    EXPECT_EQ(MenuInfo(popup, 0).dwItemData, reinterpret_cast<ULONG_PTR>(&open));
    EXPECT_TRUE(MenuInfo(popup, 1).fType & MFT_SEPARATOR);
    EXPECT_EQ(MenuText(popup, 2), L"&Slow");
    EXPECT_TRUE(MenuInfo(popup, 2).fType & MFT_RADIOCHECK);
    EXPECT_TRUE(MenuInfo(popup, 2).fState & MFS_CHECKED);
    EXPECT_EQ(MenuText(popup, 3), L"F&ast\tShift+Alt+F10");
    EXPECT_TRUE(MenuInfo(popup, 4).fState & MFS_GRAYED);
    EXPECT_EQ(MenuInfo(popup, 4).wID, static_cast<UINT>(off.Command()));

    // Later changes reach the handle, and the form hears of them.
    changes = 0;
    fast.SetChecked(true);  // takes the check from its radio sibling
    EXPECT_FALSE(slow.Checked());
    EXPECT_FALSE(MenuInfo(popup, 2).fState & MFS_CHECKED);
    EXPECT_TRUE(MenuInfo(popup, 3).fState & MFS_CHECKED);
    hidden.SetVisible(true);
    ASSERT_EQ(::GetMenuItemCount(popup), 6);
    EXPECT_EQ(MenuText(popup, 2), L"&Hidden");
    open.SetCaption(L"&Open…");
    open.SetShortCut(scNone);
    EXPECT_EQ(MenuText(popup, 0), L"&Open…");
    auto& about = Item(help, L"&About");
    ASSERT_NE(MenuInfo(bar, 1).hSubMenu, nullptr);  // help gained a popup
    EXPECT_EQ(MenuText(MenuInfo(bar, 1).hSubMenu, 0), L"&About");
    file.Insert(0, about);  // moves: one parent at a time
    EXPECT_EQ(::GetMenuItemCount(help.Handle()), 0);
    EXPECT_EQ(MenuText(popup, 0), L"&About");
    EXPECT_GE(changes, 7);
    EXPECT_THROW(about.Add(file), EInvalidOperation);  // no item inside itself
    EXPECT_EQ(file.Parent(), &menu.Items());

    // An item that goes leaves the handle; its sub-items belong to no menu any more.
    form.DestroyComponent(hidden);
    EXPECT_EQ(::GetMenuItemCount(popup), 6);
    form.DestroyComponent(file);
    EXPECT_EQ(::GetMenuItemCount(bar), 1);
    EXPECT_EQ(open.Parent(), nullptr);
    EXPECT_EQ(open.GetParentMenu(), nullptr);
}

TEST_F(Menus, CommandsAndLookupsFindTheirItemWithinTheMenu) {
    auto& menu = form.Create<TMainMenu>();
    auto& edit = Item(menu.Items(), L"&Edit");
    auto& copy = Item(edit, L"&Copy");
    copy.SetShortCut(ShortCut('C', scCtrl));
    auto& paste = Item(edit, L"&Paste");
    paste.SetShortCut(ShortCut('V', scCtrl));
    auto& deep = Item(Item(edit, L"&More"), L"&Deep");
    deep.SetShortCut(ShortCut(0x2E, scNone));
    std::vector<TObject*> clicked;
    for (TMenuItem* item : {&edit, &copy, &paste, &deep})
        item->OnClick = [&](TObject* sender) { clicked.push_back(sender); };
    form.SetMenu(&menu);
    form.Show();
    HWND window = form.Handle();

    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(paste.Command(), 0), 0);
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(deep.Command(), 0), 0);
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(edit.Command(), 0), 0);  // a bar item clicks too
    EXPECT_EQ(clicked, (std::vector<TObject*>{&paste, &deep, &edit}));

    // A disabled item does not click; a command of another menu is no item of this one.
    clicked.clear();
    paste.SetEnabled(false);
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(paste.Command(), 0), 0);
    auto& stranger = form.Create<TPopupMenu>();
    auto& elsewhere = Item(stranger.Items(), L"&Elsewhere");
    elsewhere.OnClick = [&](TObject* sender) { clicked.push_back(sender); };
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(elsewhere.Command(), 0), 0);
    EXPECT_TRUE(clicked.empty());
    EXPECT_NE(copy.Command(), elsewhere.Command());

    EXPECT_EQ(menu.FindItem(copy.Command(), TFindItemKind::fkCommand), &copy);
    EXPECT_EQ(menu.FindItem(elsewhere.Command(), TFindItemKind::fkCommand), nullptr);
    EXPECT_EQ(menu.FindItem(reinterpret_cast<intptr_t>(edit.Handle()), TFindItemKind::fkHandle), &edit);
    EXPECT_EQ(menu.FindItem(reinterpret_cast<intptr_t>(deep.Parent()->Handle()), TFindItemKind::fkHandle),
              deep.Parent());
    EXPECT_EQ(menu.FindItem(ShortCut('C', scCtrl), TFindItemKind::fkShortCut), &copy);
    EXPECT_EQ(menu.FindItem(scNone, TFindItemKind::fkShortCut), nullptr);  // items without one are not "none"
    EXPECT_EQ(menu.FindItem(0, TFindItemKind::fkHandle), nullptr);

    // Shortcuts click through the form, but not a disabled item, nor one under a hidden one.
    EXPECT_TRUE(form.IsShortCut(ShortCut('C', scCtrl)));
    EXPECT_FALSE(form.IsShortCut(ShortCut('V', scCtrl)));
    EXPECT_FALSE(form.IsShortCut(ShortCut('C', scCtrl | scShift)));
    EXPECT_TRUE(form.IsShortCut(ShortCut(0x2E, scNone)));
    deep.Parent()->SetVisible(false);
    EXPECT_FALSE(form.IsShortCut(ShortCut(0x2E, scNone)));
    EXPECT_EQ(clicked, (std::vector<TObject*>{&copy, &deep}));
}

TEST_F(Menus, OwnerDrawnItemsAreMeasuredAndDrawnThroughTheForm) {
    auto& images = form.Create<TImageList>(16, 16);
    TBitmap red;
    red.SetSize(16, 16);
    red.Canvas().Brush().SetColor(0x0000FF);
    red.Canvas().FillRect({0, 0, 16, 16});
    images.AddMasked(red, 0xFF00FF);
    auto& menu = form.Create<TMainMenu>();
    menu.SetImages(&images);
    auto& view = Item(menu.Items(), L"&View");
    auto& plain = Item(view, L"&Plain");
    plain.SetImageIndex(0);
    auto& beyond = Item(view, L"&Beyond");
    beyond.SetImageIndex(99);  // the list has one image
    auto& measured = Item(view, L"&Measured");
    int measuredWith = 0;
    measured.OnMeasureItem = [&](TObject*, TCanvas&, int& width, int& height) {
        measuredWith = width;
        width += 40;
        height = 31;
    };
    menu.SetOwnerDraw(true);
    form.SetMenu(&menu);
    form.Show();
    HWND window = form.Handle();

    // The handle says owner-drawn and still holds the text the skins read.
    HMENU popup = view.Handle();
    EXPECT_TRUE(MenuInfo(popup, 0).fType & MFT_OWNERDRAW);
    EXPECT_EQ(MenuText(popup, 0), L"&Plain");

    MEASUREITEMSTRUCT measure{ODT_MENU, 0, static_cast<UINT>(measured.Command()), 0, 0,
                              reinterpret_cast<ULONG_PTR>(&measured)};
    EXPECT_EQ(::SendMessageW(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), TRUE);
    EXPECT_GT(measuredWith, 16);  // glyph column and text at least
    EXPECT_EQ(measure.itemWidth, static_cast<UINT>(measuredWith + 40));
    EXPECT_EQ(measure.itemHeight, 31u);

    // Drawn plain: the selection colour around the glyph and text, the image in the glyph box.
    const COLORREF sentinel = RGB(1, 2, 3);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT) & 0xFFFFFF;
    const COLORREF menuColour = ::GetSysColor(COLOR_MENU) & 0xFFFFFF;
    DibSection target{120, 40};
    auto draw = [&](TMenuItem& item, bool selected) {
        target.Fill(sentinel);
        DRAWITEMSTRUCT d{ODT_MENU, 0, static_cast<UINT>(item.Command()), ODA_DRAWENTIRE,
                         static_cast<UINT>(selected ? ODS_SELECTED : 0), nullptr, target.Dc(), {10, 10, 110, 30},
                         reinterpret_cast<ULONG_PTR>(&item)};
        HGDIOBJ font = ::GetCurrentObject(target.Dc(), OBJ_FONT);
        const LRESULT result = ::SendMessageW(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
        EXPECT_EQ(::GetCurrentObject(target.Dc(), OBJ_FONT), font);
        ::GdiFlush();
        return result;
    };
    EXPECT_EQ(draw(plain, true), TRUE);
    EXPECT_TRUE(target.AllEqual({11, 11, 27, 27}, RGB(255, 0, 0)));  // the image, at left + 1, top + 1
    EXPECT_TRUE(target.AllEqual({10, 27, 110, 30}, highlight));      // below the glyph box, no text
    EXPECT_TRUE(target.AllEqual({0, 0, 120, 10}, sentinel));        // nothing outside the item
    EXPECT_TRUE(target.AllEqual({0, 30, 120, 40}, sentinel));
    EXPECT_EQ(draw(beyond, false), TRUE);  // an index past the list: no image, no failure
    EXPECT_TRUE(target.AllEqual({11, 11, 27, 27}, menuColour));

    // An item of someone else's menu (another item's data) is left to the window.
    DRAWITEMSTRUCT foreign{ODT_MENU, 0, static_cast<UINT>(plain.Command()), ODA_DRAWENTIRE, 0, nullptr,
                           target.Dc(), {10, 10, 110, 30}, 12345};
    target.Fill(sentinel);
    EXPECT_EQ(::SendMessageW(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&foreign)), FALSE);
    EXPECT_TRUE(target.AllEqual({0, 0, 120, 40}, sentinel));

    // OnDrawItem replaces the plain look; one that throws is logged and draws nothing more.
    plain.OnDrawItem = [](TObject*, TCanvas& canvas, const RECT& rect, bool selected) {
        canvas.Brush().SetColor(selected ? 0x00FF00 : 0xFF0000);
        canvas.FillRect(rect);
    };
    draw(plain, true);
    EXPECT_TRUE(target.AllEqual({10, 10, 110, 30}, RGB(0, 255, 0)));
    plain.OnDrawItem = [](TObject*, TCanvas&, const RECT&, bool) { throw Exception(u"broken brush"); };
    FailureLogCapture log;
    EXPECT_EQ(draw(plain, false), FALSE);
    EXPECT_EQ(log.Count(u"broken brush"), 1u);
}

TEST_F(Menus, APopupShowsAtAPointAndClicksTheItemChosenThere) {
    auto& popup = form.Create<TPopupMenu>();
    auto& first = Item(popup.Items(), L"&First");
    auto& second = Item(popup.Items(), L"&Second");
    std::vector<TObject*> clicked;
    first.OnClick = second.OnClick = [&](TObject* sender) { clicked.push_back(sender); };
    int popups = 0;
    popup.OnPopup = [&](TObject*) { ++popups; };
    form.Show();

    {
        MenuCloser closer{{VK_DOWN, VK_RETURN}};
        popup.Popup(40, 40);
        EXPECT_TRUE(closer.sent);
        EXPECT_FALSE(closer.gaveUp);
    }
    EXPECT_EQ(clicked, std::vector<TObject*>{&first});
    EXPECT_EQ(popups, 1);

    // A control's right click opens its popup for it; Escape closes it unchosen.
    auto& panel = Make<TPanel>(form, 10, 10);
    panel.SetPopupMenu(&popup);
    auto& glyph = Make<TSpeedButton>(panel, 5, 5);
    // Runs `open`, which must show the popup, and closes it with Escape.
    auto escapeFrom = [](auto open) {
        MenuCloser closer{{VK_ESCAPE}};
        open();
        EXPECT_TRUE(closer.sent);
        EXPECT_FALSE(closer.gaveUp);
    };
    escapeFrom([&] { ::SendMessageW(panel.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(60, 30)); });
    EXPECT_EQ(popup.PopupComponent(), &panel);
    EXPECT_EQ(popups, 2);
    // A windowless control without a popup of its own opens its parent's.
    escapeFrom([&] { glyph.Perform(WM_RBUTTONUP, 0, MAKELPARAM(2, 2)); });
    EXPECT_EQ(popup.PopupComponent(), &panel);
    EXPECT_EQ(popups, 3);
    glyph.SetPopupMenu(&popup);
    // The context-menu key (-1, -1) opens it at the control.
    escapeFrom([&] {
        ::SendMessageW(panel.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel.Handle()), MAKELPARAM(-1, -1));
    });
    EXPECT_EQ(popups, 4);
    escapeFrom([&] { glyph.Perform(WM_RBUTTONUP, 0, MAKELPARAM(2, 2)); });
    EXPECT_EQ(popup.PopupComponent(), &glyph);
    EXPECT_EQ(popups, 5);
    EXPECT_EQ(clicked.size(), 1u);

    // Without AutoPopup, or once the menu is gone, a right click opens nothing.
    popup.SetAutoPopup(false);
    EXPECT_EQ(::SendMessageW(panel.Handle(), WM_CONTEXTMENU, 0, MAKELPARAM(20, 20)), 0);
    form.DestroyComponent(popup);
    EXPECT_EQ(panel.PopupMenu(), nullptr);
    EXPECT_EQ(::SendMessageW(panel.Handle(), WM_CONTEXTMENU, 0, MAKELPARAM(20, 20)), 0);
    EXPECT_EQ(popups, 5);
}

TEST_F(Menus, AToolButtonStandsForItsMenuItem) {
    auto& menu = form.Create<TMainMenu>();
    auto& tools = Item(menu.Items(), L"&Tools");
    auto& mute = Item(menu.Items(), L"&Mute");
    auto& louder = Item(tools, L"&Louder");
    std::vector<TObject*> clicked;
    mute.OnClick = louder.OnClick = tools.OnClick = [&](TObject* sender) { clicked.push_back(sender); };
    auto& bar = Make<TToolBar>(form);
    auto& muteButton = Make<TToolButton>(bar);
    muteButton.SetMenuItem(&mute);
    auto& toolsButton = Make<TToolButton>(bar);
    toolsButton.SetMenuItem(&tools);
    form.Show();

    muteButton.Click();
    EXPECT_EQ(clicked, std::vector<TObject*>{&mute});
    {
        MenuCloser closer{{VK_DOWN, VK_RETURN}};
        toolsButton.Click();  // no arrow: the click opens the item's sub-items
        EXPECT_TRUE(closer.sent);
        EXPECT_FALSE(closer.gaveUp);
    }
    EXPECT_EQ(clicked, (std::vector<TObject*>{&mute, &louder}));

    form.DestroyComponent(mute);
    EXPECT_EQ(muteButton.MenuItem(), nullptr);
    muteButton.Click();
    EXPECT_EQ(clicked.size(), 2u);
}

TEST(MenuLayout, MenusAndTheirReferencesSurviveARoundTripThroughALayout) {
    TApplication app;
    const char* text = R"layout(Form1: TForm {
    Menu = MainMenu1
    PopupMenu = PopupMenu1
    Images1: TImageList {
    }
    MainMenu1: TMainMenu {
        Images = Images1
        OwnerDraw = True
        File1: TMenuItem {
            Caption = "文件(&F)"
            Open1: TMenuItem {
                Caption = "&Open"
                ShortCut = "Ctrl+O"
                Default = True
                ImageIndex = 2
            }
            Line1: TMenuItem {
                Caption = "-"
            }
            Recent1: TMenuItem {
                Caption = "&Recent"
                Visible = False
                First1: TMenuItem {
                    Caption = "&1"
                    Checked = True
                    RadioItem = True
                    GroupIndex = 3
                }
            }
            Exit1: TMenuItem {
                Caption = "E&xit"
                ShortCut = "Alt+F4"
                Enabled = False
            }
        }
    }
    PopupMenu1: TPopupMenu {
        AutoPopup = False
        Alignment = paRight
        Copy1: TMenuItem {
            Caption = "&Copy"
            ShortCut = "Ctrl+Shift+C"
        }
    }
    Panel1: TPanel {
        Left = 0
        Top = 0
        Width = 100
        Height = 40
        PopupMenu = PopupMenu1
        ToolBar1: TToolBar {
            Left = 0
            Top = 0
            Width = 100
            Height = 29
            ToolButton1: TToolButton {
                Left = 0
                Top = 0
                Width = 23
                Height = 22
                MenuItem = Open1
            }
        }
    }
}
)layout";
    auto form = std::make_unique<TForm>();
    ReadLayout(*form, text);
    const std::string written = WriteLayout(*form);
    auto second = std::make_unique<TForm>();
    ReadLayout(*second, written);
    EXPECT_EQ(WriteLayout(*second), written);

    auto* menu = As<TMainMenu>(second->FindComponent(u"MainMenu1"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(second->Menu(), menu);
    EXPECT_EQ(menu->Images(), second->FindComponent(u"Images1"));
    EXPECT_TRUE(menu->OwnerDraw());
    ASSERT_EQ(menu->Items().Count(), 1);
    TMenuItem& file = *menu->Items().Items(0);
    ASSERT_EQ(file.Count(), 4);
    EXPECT_EQ(file.Items(0)->ShortCut(), ShortCut('O', scCtrl));
    EXPECT_EQ(file.Items(0)->ImageIndex(), 2);
    EXPECT_TRUE(file.Items(1)->IsLine());
    EXPECT_FALSE(file.Items(2)->Visible());
    EXPECT_EQ(file.Items(2)->Items(0)->GroupIndex(), 3);
    EXPECT_TRUE(file.Items(2)->Items(0)->Checked());
    EXPECT_FALSE(file.Items(3)->Enabled());
    auto* popup = As<TPopupMenu>(second->FindComponent(u"PopupMenu1"));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(second->PopupMenu(), popup);
    EXPECT_EQ(As<TControl>(second->FindComponent(u"Panel1"))->PopupMenu(), popup);
    EXPECT_EQ(popup->Alignment(), TPopupAlignment::paRight);
    EXPECT_FALSE(popup->AutoPopup());
    EXPECT_EQ(popup->Items().Items(0)->ShortCut(), ShortCut('C', scCtrl | scShift));
    EXPECT_EQ(As<TToolButton>(second->FindComponent(u"ToolButton1"))->MenuItem(), file.Items(0));

    // The form's window shows the menu read.
    second->Show();
    HMENU bar = ::GetMenu(second->Handle());
    ASSERT_EQ(bar, menu->Handle());
    EXPECT_EQ(MenuText(file.Handle(), 0), L"&Open\tCtrl+O");
    EXPECT_EQ(::GetMenuItemCount(file.Handle()), 3);
}

TEST(MenuLayout, HostileStoredValuesEndAtTheirFallbacks) {
    TApplication app;
    FailureLogCapture log;
    auto form = std::make_unique<TForm>();
    ReadLayout(*form, R"(Form1: TForm {
        Menu1: TPopupMenu {
            Odd: TMenuItem { Caption = "&Odd" ShortCut = "Ctrl+Banana" ImageIndex = -50 }
            Far: TMenuItem { ImageIndex = 2147483647 ShortCut = "" }
        }
    })");
    auto* odd = As<TMenuItem>(form->FindComponent(u"Odd"));
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(odd->ShortCut(), scNone);  // unknown text: no shortcut, and the log says so
    EXPECT_EQ(log.Count(u"Ctrl+Banana"), 1u);
    EXPECT_EQ(odd->ImageIndex(), -1);
    EXPECT_EQ(As<TMenuItem>(form->FindComponent(u"Far"))->ImageIndex(), 2147483647);  // kept; draws no image
    EXPECT_EQ(log.lines.size(), 1u);

    // Items belong in a menu or an item; nothing else may hold them.
    for (const char* text : {"F: TForm { I: TMenuItem { } }", "F: TForm { P: TPanel { I: TMenuItem { } } }",
                             "F: TForm { M: TMainMenu { I: TMenuItem { Checked = Maybe } } }",
                             "F: TForm { P: TPanel { PopupMenu = M } M: TMainMenu { } }"}) {
        TForm other;
        EXPECT_THROW(ReadLayout(other, text), ELayoutError) << text;
    }
}
