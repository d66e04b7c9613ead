#include "app/umain.h"

#include "app/SkinChooser.h"
#include "app/UserSettings.h"
#include "flash/ShockwaveFlash.h"
#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/Splitter.h"
#include "framework/controls/StatusBar.h"
#include "framework/forms/Application.h"
#include "framework/forms/Timer.h"
#include "framework/win/Convert.h"
#include "framework/win/DibSection.h"
#include "framework/win/Handles.h"
#include "resexport/ResourceExport.h"
#include "skin/controls/BoxSkins.h"
#include "skin/controls/StatusBarSkin.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/SkinObjects.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"
#include "tests/support/GdiHeadroom.h"
#include "tests/support/PumpMessages.h"
#include "tests/support/TempFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <commctrl.h>
#include <windows.h>

namespace {

std::vector<char> FileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<char> LessonResource(std::u16string_view name) {
    const std::wstring wide = ToWide(name);
    HRSRC found = ::FindResourceW(nullptr, wide.c_str(), L"EXECUTABLE");
    if (!found) return {};
    const char* data = static_cast<const char*>(::LockResource(::LoadResource(nullptr, found)));
    return {data, data + ::SizeofResource(nullptr, found)};
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Answers every message box the thread shows while it lives, keeping caption and text.
class MessageBoxCatcher {
public:
    struct Box {
        std::wstring caption;
        std::wstring text;
    };
    MessageBoxCatcher() {
        s_current = this;
        m_timer = ::SetTimer(nullptr, 0, 30, &Tick);
    }
    ~MessageBoxCatcher() {
        ::KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    std::vector<Box> boxes;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept {
        if (s_current) ::EnumThreadWindows(::GetCurrentThreadId(), &Answer, 0);
    }
    static BOOL CALLBACK Answer(HWND window, LPARAM) noexcept {
        wchar_t className[16]{};
        ::GetClassNameW(window, className, 16);
        if (std::wstring(className) != L"#32770" || !::IsWindowVisible(window)) return TRUE;
        Box box;
        box.caption.resize(256);
        box.caption.resize(static_cast<size_t>(::GetWindowTextW(window, box.caption.data(), 256)));
        box.text.resize(1024);
        box.text.resize(static_cast<size_t>(::GetDlgItemTextW(window, 0xFFFF, box.text.data(), 1024)));
        s_current->boxes.push_back(box);
        ::PostMessageW(window, WM_COMMAND, IDOK, 0);
        return TRUE;
    }
    static inline MessageBoxCatcher* s_current = nullptr;
    UINT_PTR m_timer = 0;
};

// A main form read from the program's layout, exporting into a scratch folder, with a
// clock the test sets.
struct MainForm {
    // The clock gives `readings` in turn, then keeps giving the last.
    explicit MainForm(const wchar_t* folder, std::deque<LocalDateTime> readings = {{2026, 12, 8, 3, 9, 30, 0}})
        : scratch{folder}, times{std::move(readings)} {
        auto made = std::make_unique<TFmain>();
        made->Clock = [this] {
            const LocalDateTime now = times.front();
            if (times.size() > 1) times.pop_front();
            return now;
        };
        made->SkinFolder = made->SettingsFolder = scratch.Path();  // never the user's settings
        made->InitializeForm();
        form = &static_cast<TFmain&>(app.InsertComponent(std::move(made)));
        form->ExportDir = scratch.Path();
    }
    std::wstring PanelText(int index) const { return form->StatusBar1->Panels().Items(index)->Text(); }
    TSpeedButton& Button(std::u16string_view name) const {
        auto* button = As<TSpeedButton>(form->FindComponent(name));
        if (!button) throw std::runtime_error("no such button");
        return *button;
    }
    // A real press and release of the left button on a speed button, through the
    // window of the panel it sits on.
    void Press(std::u16string_view name) const {
        TSpeedButton& button = Button(name);
        HWND panel = form->Panel1->Handle();
        const LPARAM at = MAKELPARAM(button.Left() + button.Width() / 2, button.Top() + button.Height() / 2);
        ::SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(panel, WM_LBUTTONUP, 0, at);
    }

    TApplication app;
    ScratchFolder scratch;
    std::deque<LocalDateTime> times;
    TFmain* form = nullptr;
};

struct ButtonPlace {
    std::u16string_view name;
    int left;
    int top;
    std::wstring_view caption;
    int glyphWidth;
    TButtonLayout layout;
};

}  // namespace

TEST(MainForm, OpensFromItsStoredLayoutWithEveryComponentAndText) {
    TApplication app;
    TFmain& form = app.CreateForm<TFmain>();
    EXPECT_EQ(form.Caption(), L"Kestrelle");
    EXPECT_EQ(form.WindowState(), TWindowState::wsMaximized);
    EXPECT_EQ(form.Font().Name(), L"MS Sans Serif");
    EXPECT_EQ(form.Font().Height(), -11);
    EXPECT_FALSE(form.Icon().Empty());
    EXPECT_EQ(app.Icon(), form.Icon().Handle());
    EXPECT_EQ(app.Title(), L"Kestrelle");
    EXPECT_EQ(form.ExportDir, SystemDirectory());
    EXPECT_NE(form.ExportDir.back(), L'\\');

    EXPECT_EQ(form.Splitter1->BoundsRect(), core::Rect::FromBounds(225, 0, 3, 683));
    EXPECT_EQ(form.Panel1->BoundsRect(), core::Rect::FromBounds(0, 0, 225, 683));
    EXPECT_EQ(form.Panel2->BoundsRect(), core::Rect::FromBounds(228, 0, 460, 683));
    EXPECT_EQ(form.StatusBar1->BoundsRect(), core::Rect::FromBounds(0, 683, 688, 24));
    EXPECT_EQ(form.ShockwaveFlash1->Parent(), form.Panel2);
    EXPECT_EQ(form.ShockwaveFlash1->BoundsRect(), core::Rect::FromBounds(1, 1, 458, 681));
    EXPECT_EQ(form.ShockwaveFlash1->Align(), TAlign::alClient);
    EXPECT_EQ(form.ShockwaveFlash1->ScaleMode(), L"ShowAll");
    EXPECT_TRUE(form.ShockwaveFlash1->Playing());
    EXPECT_TRUE(form.ShockwaveFlash1->Loop());
    EXPECT_TRUE(form.ShockwaveFlash1->Movie().empty());
    EXPECT_FALSE(form.RE->Overwrite());
    EXPECT_FALSE(IsEventAssigned(form.RE, u"OnSuccess"));
    EXPECT_EQ(form.Timer1->Interval(), 1000u);
    EXPECT_TRUE(form.Timer1->Enabled());
    EXPECT_EQ(GetEventHandlerName(form.Timer1, u"OnTimer"), u"Timer1Timer");

    const int widths[] = {200, 550, 100, 80, 80};
    auto& panels = form.StatusBar1->Panels();
    ASSERT_EQ(panels.Count(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(panels.Items(i)->Width(), widths[i]) << i;
    EXPECT_EQ(panels.Items(0)->Text(), L"当前项目：无");
    EXPECT_FALSE(panels.Items(1)->Text().empty());
    EXPECT_EQ(panels.Items(2)->Text().size(), 12u);  // "  yyyy-mm-dd"
    EXPECT_EQ(panels.Items(3)->Text().substr(0, 4), L"  星期");
    EXPECT_EQ(panels.Items(4)->Text(), L"");  // until the first tick

    const auto right = TButtonLayout::blGlyphRight, left = TButtonLayout::blGlyphLeft;
    const ButtonPlace column[] = {
        {u"SpeedButton1", 16, 8, L"", 137, left},           {u"SpeedButton2", 16, 49, L"", 137, left},
        {u"SpeedButton28", 16, 90, L"", 137, left},         {u"SpeedButton3", 15, 141, L"元音", 137, right},
        {u"SpeedButton4", 15, 174, L"元音", 137, right},    {u"SpeedButton5", 15, 207, L"元音", 137, right},
        {u"SpeedButton16", 15, 240, L"元音", 137, right},   {u"SpeedButton17", 15, 273, L"元音", 137, right},
        {u"SpeedButton18", 15, 306, L"元音", 137, right},   {u"SpeedButton19", 15, 357, L"辅音", 137, right},
        {u"SpeedButton20", 15, 390, L"辅音", 137, right},   {u"SpeedButton21", 15, 423, L"辅音", 137, right},
        {u"SpeedButton22", 15, 456, L"辅音", 137, right},   {u"SpeedButton23", 15, 489, L"辅音", 137, right},
        {u"SpeedButton24", 15, 522, L"辅音", 137, right},   {u"SpeedButton25", 15, 555, L"辅音", 137, right},
        {u"SpeedButton27", 16, 648, L"关于软件", 20, left},
    };
    ASSERT_EQ(form.Panel1->ControlCount(), 17);
    for (int i = 0; i < 17; ++i) {
        const ButtonPlace& place = column[i];
        const std::string name(place.name.begin(), place.name.end());
        auto* button = As<TSpeedButton>(form.Panel1->Controls(i));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->Name(), place.name);
        EXPECT_EQ(button->BoundsRect(), core::Rect::FromBounds(place.left, place.top, 193, 33)) << name;
        EXPECT_EQ(button->Caption(), place.caption) << name;
        EXPECT_EQ(button->Layout(), place.layout) << name;
        EXPECT_EQ(button->Glyph().Width(), place.glyphWidth) << name;
        EXPECT_EQ(GetEventHandlerName(button, u"OnClick"), std::u16string(place.name) + u"Click");
    }
    // The ground of the lesson glyphs, and the die's light grey, are left out.
    EXPECT_EQ(As<TSpeedButton>(form.Panel1->Controls(0))->Glyph().TransparentColor(), RgbColour(0xFF, 0xCF, 0x00));
    EXPECT_EQ(As<TSpeedButton>(form.Panel1->Controls(16))->Glyph().TransparentColor(), RgbColour(0xF7, 0xF3, 0xF7));
}

TEST(MainForm, LoadsItsSkinWhileItIsReadAndAsksForSkinning) {
    TApplication app;
    TSkinManage::Install();  // as the program's entry does
    TFmain& form = app.CreateForm<TFmain>();
    ASSERT_NE(form.SkinData1, nullptr);
    const TSkinData& skin = *form.SkinData1;
    EXPECT_FALSE(skin.NoSkin());
    EXPECT_TRUE(skin.Active());
    EXPECT_EQ(skin.DisableTag(), 99);
    EXPECT_EQ(skin.Options(), kDefaultSkinOptions);
    EXPECT_EQ(skin.SkinControls(), kDefaultSkinControls);  // as stored, less the menu items frames replace
    EXPECT_EQ(skin.Skin3rd().Count(), 117);
    EXPECT_EQ(skin.SysButtons().size(), 8u);
    ASSERT_NE(TSkinManage::Instance(), nullptr);
    EXPECT_EQ(TSkinManage::Instance()->MainSkinData(), &skin);
    EXPECT_TRUE(TSkinManage::Instance()->Active());
    EXPECT_TRUE(TSkinManage::Instance()->HookInstalled());
}

// The skin data is read with the form, before the form gives the application its icon
// in FormCreate; its picture of the icon, which the skinned caption shows, is the
// program's icon all the same.
TEST(MainForm, TheSkinPicturesTheProgramIcon) {
    TApplication app;
    TFmain& form = app.CreateForm<TFmain>();
    TBitmap& picture = form.SkinData1->AppIcon();
    const int w = ::GetSystemMetrics(SM_CXSMICON), h = ::GetSystemMetrics(SM_CYSMICON);
    ASSERT_EQ(picture.Width(), w);
    ASSERT_EQ(picture.Height(), h);

    // The form's icon, drawn by the system at the small size on the key colour.
    DibSection expected{w, h};
    expected.Fill(kKeyColour);
    const IconHandle small{static_cast<HICON>(::CopyImage(form.Icon().Handle(), IMAGE_ICON, w, h, 0))};
    ASSERT_TRUE(small);
    ASSERT_TRUE(::DrawIconEx(expected.Dc(), 0, 0, small.Get(), w, h, 0, nullptr, DI_NORMAL));
    ::GdiFlush();
    int iconPixels = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            ASSERT_EQ(picture.PixelColour(x, y), static_cast<TColor>(expected.Pixel(x, y))) << x << ", " << y;
            if (picture.PixelColour(x, y) != kKeyColour) ++iconPixels;
        }
    EXPECT_GT(iconPixels, w * h / 2);
}

TEST(MainForm, DateAndWeekdayStayFromTheStartWhileTheClockGoesPastMidnight) {
    // Started in the last second of a Saturday: any later reading is Sunday.
    MainForm main{L"kestrelle-midnight", {{2026, 12, 12, 7, 23, 59, 59}, {2026, 12, 13, 1, 0, 0, 0}}};
    EXPECT_EQ(main.PanelText(2), L"  2026-12-12");
    EXPECT_EQ(main.PanelText(3), L"  星期六");
    EXPECT_EQ(main.PanelText(4), L"");
    main.times = {{2026, 12, 13, 1, 0, 0, 0}, {2026, 12, 13, 1, 0, 0, 1}};
    main.form->Timer1Timer(main.form->Timer1);
    EXPECT_EQ(main.PanelText(4), L"   00:00:00");
    main.form->Timer1Timer(main.form->Timer1);
    EXPECT_EQ(main.PanelText(4), L"   00:00:01");
    EXPECT_EQ(main.PanelText(2), L"  2026-12-12");
    EXPECT_EQ(main.PanelText(3), L"  星期六");
}

TEST(MainForm, EveryLessonButtonWritesItsMovieAndPlaysItRowByRow) {
    MainForm main{L"kestrelle-catalogue"};
    for (const LessonRow& row : LessonCatalogue()) {
        const std::string name(row.button.begin(), row.button.end());
        const std::wstring file = main.scratch.File(ToWide(LessonFileName(row.fileNumber)).c_str());
        main.Press(row.button);
        ASSERT_TRUE(Exists(file)) << name;
        const std::vector<char> resource = LessonResource(row.resource);
        ASSERT_FALSE(resource.empty()) << name;
        EXPECT_TRUE(FileBytes(file) == resource) << name;
        EXPECT_EQ(main.form->ShockwaveFlash1->Movie(), file) << name;
        EXPECT_TRUE(main.form->ShockwaveFlash1->HasMovie()) << name;
        EXPECT_TRUE(main.form->ShockwaveFlash1->Playing()) << name;
        EXPECT_EQ(main.PanelText(0), ToWide(LessonStatusText(row))) << name;
    }
    // Every file stays until the window closes.
    for (int n = 1; n <= 16; ++n) EXPECT_TRUE(Exists(main.form->LessonPath(n))) << n;

    // Pressing the lesson that plays writes it again and plays it from the start.
    main.form->ShockwaveFlash1->Advance();
    main.Press(u"SpeedButton25");
    EXPECT_EQ(main.form->ShockwaveFlash1->CurrentFrame(), 0u);
    EXPECT_EQ(main.PanelText(0), L"当前项目：---《辅音发音》");
}

TEST(MainForm, CloseDeletesEveryLessonFileAndIgnoresTheMissingOnes) {
    MainForm main{L"kestrelle-close"};
    const std::vector<char> bytes{'F', 'W', 'S'};
    main.scratch.Write(L"yinbiao7.swf", bytes);   // left by an earlier run
    main.scratch.Write(L"yinbiao16.swf", bytes);
    main.scratch.Write(L"yinbiao17.swf", bytes);  // not one of ours
    main.scratch.Write(L"yinbiao07.swf", bytes);
    TCloseAction action = TCloseAction::caHide;
    main.form->FormClose(main.form, action);
    EXPECT_EQ(action, TCloseAction::caHide);  // left as it was
    EXPECT_FALSE(Exists(main.scratch.File(L"yinbiao7.swf")));
    EXPECT_FALSE(Exists(main.scratch.File(L"yinbiao16.swf")));
    EXPECT_TRUE(Exists(main.scratch.File(L"yinbiao17.swf")));
    EXPECT_TRUE(Exists(main.scratch.File(L"yinbiao07.swf")));
    // Closing again, with nothing of ours left, still leaves the others alone.
    main.form->FormClose(main.form, action);
    EXPECT_TRUE(Exists(main.scratch.File(L"yinbiao17.swf")));
    EXPECT_TRUE(Exists(main.scratch.File(L"yinbiao07.swf")));
}

TEST(MainForm, AFileThatCannotBeCreatedShowsOneMessageAndChangesNothing) {
    MainForm main{L"kestrelle-unwritable"};
    main.Press(u"SpeedButton1");
    const std::wstring playing = main.form->ShockwaveFlash1->Movie();
    ASSERT_EQ(main.PanelText(0), L"当前项目：---《国际音标》");

    // A folder that is not there; then a file another program holds open, unshared.
    main.form->ExportDir = main.scratch.File(L"missing");
    {
        MessageBoxCatcher catcher;
        main.Press(u"SpeedButton2");
        ASSERT_EQ(catcher.boxes.size(), 1u);
        EXPECT_EQ(catcher.boxes[0].caption, L"Kestrelle");
        EXPECT_EQ(catcher.boxes[0].text, L"Cannot create file " + main.form->LessonPath(2));
    }
    main.form->ExportDir = main.scratch.Path();
    const std::wstring held = main.form->LessonPath(16);
    main.scratch.Write(L"yinbiao16.swf", LessonResource(u"P"));
    HANDLE holder = ::CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    {
        MessageBoxCatcher catcher;
        main.Press(u"SpeedButton28");
        EXPECT_EQ(catcher.boxes.size(), 1u);
    }
    ::CloseHandle(holder);
    EXPECT_EQ(main.form->ShockwaveFlash1->Movie(), playing);
    EXPECT_TRUE(main.form->ShockwaveFlash1->HasMovie());
    EXPECT_EQ(main.PanelText(0), L"当前项目：---《国际音标》");
    EXPECT_FALSE(Exists(main.form->LessonPath(2)));
}

TEST(MainForm, AnEarlierCopyPlaysWhenTheExportWritesNothing) {
    MainForm main{L"kestrelle-earlier"};
    // No resource of this name: the export writes nothing and says nothing.
    const LessonRow unknown{u"SpeedButton17", u"zz", 7, u"元音发音"};
    main.form->PlayLesson(unknown);
    EXPECT_TRUE(main.form->ShockwaveFlash1->Movie().empty());
    EXPECT_EQ(main.PanelText(0), L"当前项目：无");

    main.scratch.Write(L"yinbiao7.swf", LessonResource(u"G"));
    main.form->PlayLesson(unknown);
    EXPECT_EQ(main.form->ShockwaveFlash1->Movie(), main.form->LessonPath(7));
    EXPECT_TRUE(main.form->ShockwaveFlash1->HasMovie());
    EXPECT_EQ(main.PanelText(0), L"当前项目：---《元音发音》");
}

TEST(MainForm, AboutShowsTheTextInABoxCaptionedWithTheTitle) {
    MainForm main{L"kestrelle-about"};
    MessageBoxCatcher catcher;
    main.Press(u"SpeedButton27");
    ASSERT_EQ(catcher.boxes.size(), 1u);
    EXPECT_EQ(catcher.boxes[0].caption, L"Kestrelle");
    EXPECT_EQ(catcher.boxes[0].text, ToWide(AboutText()));
}

namespace {

// The skin manager for one test, as the program's entry installs it.
struct ManagerScope {
    ManagerScope() { TSkinManage::Install(); }
    ~ManagerScope() { TSkinManage::DestroyInstance(); }
};

// The control skin that stands in for `control` in `window`, once discovery has walked.
TSkinControl* SkinOf(const TWinSkinForm& window, const TControl& control) {
    for (TSkinControl* skin : window.ControlSkins())
        if (skin->Control() == &control) return skin;
    return nullptr;
}

// `control`'s client area as it reaches the screen.
void Capture(TWinControl& control, DibSection& target) {
    const WindowDc screen = WindowDc::Client(control.Handle());
    ::BitBlt(target.Dc(), 0, 0, target.Width(), target.Height(), screen.Get(), 0, 0, SRCCOPY);
    ::GdiFlush();
}

}  // namespace

TEST(MainForm, ItsPanelsAndStatusBarLookSkinnedOnceDiscoveryGivesThemTheirSkins) {
    ManagerScope manager;
    MainForm main{L"kestrelle-skinned", {{2026, 12, 8, 2, 9, 30, 0}, {2026, 12, 8, 2, 9, 30, 1}}};
    TFmain& form = *main.form;
    form.Show();
    TSkinManage& skins = *TSkinManage::Instance();
    if (!skins.FindSkinForm(form.Handle())) skins.SkinForm(form);
    TWinSkinForm* window = skins.FindSkinForm(form.Handle());
    ASSERT_NE(window, nullptr);
    TSkinData& skin = *form.SkinData1;
    // Discovery makes the panels boxes that take the skin's colour, and has the status
    // bar painted by the skin.
    ASSERT_TRUE(PumpUntil([&] { return SkinOf(*window, *form.StatusBar1) != nullptr; }));
    EXPECT_NE(As<TSkinBox>(SkinOf(*window, *form.Panel1)), nullptr);
    EXPECT_NE(As<TSkinBox>(SkinOf(*window, *form.Panel2)), nullptr);
    EXPECT_NE(As<TSkinStatusBar>(SkinOf(*window, *form.StatusBar1)), nullptr);
    PumpUntil([] { return false; }, 100);

    const COLORREF face = ColorToRGB(skin.Colours().ButtonFace);
    EXPECT_EQ(form.Panel1->Color(), skin.Colours().ButtonFace);
    EXPECT_EQ(form.Panel2->Color(), skin.Colours().ButtonFace);
    DibSection column(form.Panel1->ClientWidth(), form.Panel1->ClientHeight());
    Capture(*form.Panel1, column);
    // Below the last lesson button and left of the column of buttons.
    EXPECT_TRUE(column.AllEqual({2, 600, 14, 640}, face));

    // Each panel framed by the skin's lowered frame, the last out to the bar's edge. The
    // skin's frame changed the client area; the bar still sits at its bottom.
    TStatusBar& bar = *form.StatusBar1;
    EXPECT_EQ(bar.Top() + bar.Height(), form.ClientHeight());
    const TDataSkinObject* edges = skin.StatusBarEdges();
    ASSERT_NE(edges, nullptr);
    const int cellWidth = edges->Image.Width() / 3, middle = edges->Image.Height() / 2;
    const COLORREF left = ColorToRGB(edges->Image.PixelColour(0, middle));
    const COLORREF right = ColorToRGB(edges->Image.PixelColour(cellWidth - 1, middle));
    const int width = bar.ClientWidth(), height = bar.ClientHeight();
    DibSection shown(width, height);
    Capture(bar, shown);
    std::vector<RECT> panels;
    for (int i = 0; i < bar.Panels().Count(); ++i) {
        RECT r{};
        ASSERT_TRUE(::SendMessageW(bar.Handle(), SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)));
        panels.push_back(r);
    }
    const int y = (panels[0].top + panels[0].bottom) / 2;
    for (size_t i = 0; i < panels.size(); ++i) {
        const int rightEdge = i + 1 == panels.size() ? width - 1 : static_cast<int>(panels[i].right) + 1;
        EXPECT_EQ(shown.Pixel(panels[i].left, y), left) << i;
        EXPECT_EQ(shown.Pixel(rightEdge, y), right) << i;
    }
    EXPECT_TRUE(shown.AllEqual({0, 0, width, panels[0].top}, face));
    // The lesson's text is in the first panel.
    const RECT lesson{panels[0].left + 2, panels[0].top + 2, panels[0].right - 2, panels[0].bottom - 2};
    const COLORREF inside = ColorToRGB(edges->Image.PixelColour(cellWidth / 2, middle));
    EXPECT_GT(shown.CountOther(lesson, inside), 0);

    // The clock's tick repaints its panel through the skin: what reaches the screen is
    // what the skin paints.
    form.Timer1Timer(form.Timer1);
    ::UpdateWindow(bar.Handle());
    Capture(bar, shown);
    DibSection painted(width, height);
    painted.Fill(RGB(1, 2, 3));
    ::SendMessageW(bar.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(painted.Dc()), 0);
    ::GdiFlush();
    const RECT clock = panels.back();
    EXPECT_GT(painted.CountOther(clock, inside), 0);
    for (int py = clock.top; py < clock.bottom; ++py)
        for (int px = clock.left; px < width; ++px)
            ASSERT_EQ(shown.Pixel(px, py), painted.Pixel(px, py)) << px << ", " << py;
}

namespace {

// The program's skins as they lie beside it, copied into `folder`.
void CopySkins(const ScratchFolder& folder) {
    const std::string source = KESTRELLE_SKIN_DIR;
    for (const wchar_t* name : {L"kestrelle.skin", L"dark.skin", L"contrast.skin"})
        folder.Write(name, FileBytes(std::wstring(source.begin(), source.end()) + L"/" + name));
}

// A skin file whose container is cut short: it cannot be loaded.
void WriteDamagedSkin(const ScratchFolder& folder, const wchar_t* name) {
    std::vector<char> bytes = FileBytes(folder.File(L"dark.skin"));
    bytes.resize(bytes.size() / 3);
    folder.Write(name, bytes);
}

// A window's frame as it was painted, pixel by pixel.
struct Picture {
    int width = 0;
    std::vector<COLORREF> pixels;
};

// Empty when the two are the same; otherwise how many pixels differ, in which box, and
// the first of them.
std::string Difference(const Picture& a, const Picture& b) {
    if (a.width != b.width || a.pixels.size() != b.pixels.size()) return "the sizes differ";
    const auto width = static_cast<size_t>(a.width);
    size_t count = 0, first = 0, left = width, top = 0, right = 0, bottom = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        if (a.pixels[i] == b.pixels[i]) continue;
        if (count++ == 0) {
            first = i;
            top = i / width;
        }
        left = std::min(left, i % width);
        right = std::max(right, i % width);
        bottom = i / width;
    }
    if (count == 0) return {};
    char text[160];
    std::snprintf(text, sizeof text, "%zu pixels differ within (%zu, %zu)-(%zu, %zu), the first %06lx, not %06lx",
                  count, left, top, right, bottom, a.pixels[first], b.pixels[first]);
    return text;
}

// One start of the program: skinned as its entry does it, its skins beside it and its
// settings in `folder`, the window shown and skinned.
struct ProgramStart {
    explicit ProgramStart(const ScratchFolder& folder) {
        auto made = std::make_unique<TFmain>();
        made->SkinFolder = made->SettingsFolder = folder.Path();
        made->InitializeForm();
        form = &static_cast<TFmain&>(app.InsertComponent(std::move(made)));
        form->ExportDir = folder.Path();
        form->Show();
        TSkinManage& skins = *TSkinManage::Instance();
        if (!skins.FindSkinForm(form->Handle())) skins.SkinForm(*form);
        PumpUntil([] { return false; }, 300);  // the requested skinning has run
    }
    TSkinData& Skin() const { return *form->SkinData1; }
    HWND Window() const { return form->Handle(); }

    // Opens the system menu as the system does and answers the "Skins" submenu.
    HMENU OpenSkinsMenu() const {
        HMENU system = ::GetSystemMenu(Window(), FALSE);
        ::SendMessageW(Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(system), MAKELPARAM(0, TRUE));
        return ::GetSubMenu(system, ::GetMenuItemCount(system) - 1);
    }
    // The command of the submenu's item captioned `caption`; 0 when there is none.
    UINT CommandOf(std::wstring_view caption) const {
        HMENU skins = OpenSkinsMenu();
        for (int i = 0; i < ::GetMenuItemCount(skins); ++i) {
            wchar_t text[64]{};
            ::GetMenuStringW(skins, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            if (caption == text) return ::GetMenuItemID(skins, i);
        }
        return 0;
    }
    // Chooses the skin captioned `caption` from the system menu.
    void Choose(std::wstring_view caption) const {
        const UINT command = CommandOf(caption);
        ASSERT_NE(command, 0u) << "no item " << FromWide(caption).size();
        ::SendMessageW(Window(), WM_SYSCOMMAND, command, 0);
        PumpUntil([] { return false; }, 400);  // the skin manager's refresh runs 250 ms after the change
    }
    // The skinned frame as the window paints it now.
    Picture Frame() const {
        RECT box{};
        ::GetWindowRect(Window(), &box);
        DibSection frame(box.right - box.left, box.bottom - box.top);
        frame.Fill(RGB(1, 2, 3));
        ::SendMessageW(Window(), WMX_PAINTFRAMEINTO, reinterpret_cast<WPARAM>(frame.Dc()), kSkinSignature);
        ::GdiFlush();
        Picture picture{frame.Width(), {}};
        for (int y = 0; y < frame.Height(); ++y)
            for (int x = 0; x < frame.Width(); ++x) picture.pixels.push_back(frame.Pixel(x, y));
        return picture;
    }

    ManagerScope manager;
    TApplication app;
    TFmain* form = nullptr;
};

std::wstring Remembered(const ScratchFolder& folder) { return UserSettings(folder.Path()).SkinFile(); }

BOOL CALLBACK AddWindow(HWND child, LPARAM list) noexcept {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

// The window and all its descendants.
std::vector<HWND> WindowsOf(HWND window) {
    std::vector<HWND> windows{window};
    ::EnumChildWindows(window, &AddWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace

TEST(MainFormSkins, TheSystemMenuListsTheSkinsAndAChoiceReskinsTheWindowAndIsRemembered) {
    ScratchFolder folder{L"kestrelle-skins"};
    CopySkins(folder);
    MessageBoxCatcher catcher;
    ProgramStart start{folder};
    HMENU skins = start.OpenSkinsMenu();
    HMENU system = ::GetSystemMenu(start.Window(), FALSE);
    wchar_t text[64]{};
    ::GetMenuStringW(system, static_cast<UINT>(::GetMenuItemCount(system) - 1), text, 64, MF_BYPOSITION);
    EXPECT_EQ(text, ToWide(kSkinsMenuText));
    ASSERT_EQ(::GetMenuItemCount(skins), 4);  // built-in, contrast, dark, kestrelle
    ::GetMenuStringW(skins, 0, text, 64, MF_BYPOSITION);
    EXPECT_EQ(text, ToWide(kBuiltInSkinText));
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    ASSERT_TRUE(::GetMenuItemInfoW(skins, 0, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
    EXPECT_TRUE(info.fState & MFS_CHECKED);
    EXPECT_FALSE(::GetMenuState(skins, 2, MF_BYPOSITION) & MF_CHECKED);

    const std::vector<HWND> windows = WindowsOf(start.Window());
    const Picture builtIn = start.Frame();
    std::vector<Picture> frames;
    for (const wchar_t* name : {L"dark", L"contrast", L"kestrelle"}) {
        start.Choose(name);
        EXPECT_EQ(start.form->Skins()->Current(), FromWide(name) + u".skin");
        EXPECT_FALSE(start.Skin().NoSkin());
        EXPECT_EQ(start.Skin().SkinFile(), folder.File((std::wstring(name) + L".skin").c_str()));
        EXPECT_EQ(Remembered(folder), std::wstring(name) + L".skin");
        frames.push_back(start.Frame());
    }
    // The dark and the high-contrast skin each look like themselves; the program's own
    // skin as a file looks like the built-in one.
    EXPECT_NE(Difference(frames[0], builtIn), "");
    EXPECT_NE(Difference(frames[1], builtIn), "");
    EXPECT_NE(Difference(frames[0], frames[1]), "");
    EXPECT_EQ(Difference(frames[2], builtIn), "");
    // The menu now checks the file in use, and a skin copied in since shows at once.
    folder.Write(L"zz-extra.skin", FileBytes(folder.File(L"dark.skin")));
    skins = start.OpenSkinsMenu();
    ASSERT_EQ(::GetMenuItemCount(skins), 5);
    EXPECT_TRUE(::GetMenuState(skins, 3, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_FALSE(::GetMenuState(skins, 0, MF_BYPOSITION) & MF_CHECKED);

    start.Choose(ToWide(kBuiltInSkinText));
    EXPECT_EQ(start.form->Skins()->Current(), u"");
    EXPECT_FALSE(start.Skin().NoSkin());
    EXPECT_EQ(start.Skin().SkinFile(), L"");
    EXPECT_EQ(Remembered(folder), L"");
    EXPECT_EQ(Difference(start.Frame(), builtIn), "");
    EXPECT_EQ(WindowsOf(start.Window()), windows);  // re-skinned in place
    EXPECT_TRUE(catcher.boxes.empty());
}

TEST(MainFormSkins, TheSkinnedSystemMenuCarriesTheSkinsSubmenu) {
    ScratchFolder folder{L"kestrelle-skinned-menu"};
    CopySkins(folder);
    ProgramStart start{folder};
    TWinSkinForm* window = TSkinManage::Instance()->FindSkinForm(start.Window());
    ASSERT_NE(window, nullptr);
    // Built without the menu ever having been opened: the window hears that it opens.
    window->BuildSysMenu();
    ASSERT_NE(window->SysMenu(), nullptr);
    TMenuItem& items = window->SysMenu()->Items();
    TMenuItem* last = items.Items(items.Count() - 1);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->Caption(), ToWide(kSkinsMenuText));
    ASSERT_EQ(last->Count(), 4);
    EXPECT_TRUE(last->Items(0)->RadioItem());
    EXPECT_TRUE(last->Items(0)->Checked());
    EXPECT_FALSE(last->Items(2)->Checked());
    EXPECT_EQ(last->Items(2)->Caption(), L"dark");

    // Clicking it posts the system command the plain menu would have sent.
    last->Items(2)->Click();
    PumpUntil([&] { return start.form->Skins()->Current() == u"dark.skin"; });
    EXPECT_EQ(start.form->Skins()->Current(), u"dark.skin");
}

TEST(MainFormSkins, ADamagedSkinChosenFromTheMenuSaysWhyOnceAndKeepsTheSkinInUse) {
    ScratchFolder folder{L"kestrelle-damaged"};
    CopySkins(folder);
    WriteDamagedSkin(folder, L"broken.skin");
    ProgramStart start{folder};
    start.Choose(L"dark");
    const Picture dark = start.Frame();
    MessageBoxCatcher catcher;
    start.Choose(L"broken");
    PumpUntil([&] { return !catcher.boxes.empty(); }, 500);
    EXPECT_EQ(catcher.boxes.size(), 1u);
    EXPECT_EQ(start.form->Skins()->Current(), u"dark.skin");
    EXPECT_FALSE(start.Skin().NoSkin());
    EXPECT_EQ(Difference(start.Frame(), dark), "");
    EXPECT_EQ(Remembered(folder), L"dark.skin");
}

TEST(MainFormSkins, TheChoiceComesBackAtTheNextStart) {
    ScratchFolder folder{L"kestrelle-restart"};
    CopySkins(folder);
    MessageBoxCatcher catcher;
    Picture contrast;
    TColor face{};
    {
        ProgramStart first{folder};
        first.Choose(L"contrast");
        contrast = first.Frame();
        face = first.Skin().Colours().ButtonFace;
    }
    ProgramStart second{folder};
    EXPECT_EQ(second.form->Skins()->Current(), u"contrast.skin");
    EXPECT_EQ(second.Skin().Colours().ButtonFace, face);
    EXPECT_EQ(Difference(second.Frame(), contrast), "");
    HMENU skins = second.OpenSkinsMenu();
    EXPECT_TRUE(::GetMenuState(skins, 1, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_TRUE(catcher.boxes.empty());
}

TEST(MainFormSkins, ARememberedSkinThatCannotBeUsedStartsWithTheBuiltInSkinQuietly) {
    ScratchFolder folder{L"kestrelle-fallback"};
    CopySkins(folder);
    WriteDamagedSkin(folder, L"broken.skin");
    Picture builtIn;
    TColor face{};
    {
        ProgramStart plain{folder};
        builtIn = plain.Frame();
        face = plain.Skin().Colours().ButtonFace;
    }
    MessageBoxCatcher catcher;
    // Missing, damaged, and a real skin named by a path the menu never offers.
    for (const std::wstring& value : {std::wstring(L"missing.skin"), std::wstring(L"broken.skin"), folder.File(L"dark.skin")}) {
        ASSERT_TRUE(UserSettings(folder.Path()).SetSkinFile(value));
        ProgramStart start{folder};
        EXPECT_EQ(start.form->Skins()->Current(), u"") << FromWide(value).size();
        EXPECT_FALSE(start.Skin().NoSkin());
        EXPECT_EQ(start.Skin().Colours().ButtonFace, face);
        EXPECT_EQ(Difference(start.Frame(), builtIn), "");
    }
    EXPECT_TRUE(catcher.boxes.empty());
}

TEST(MainFormSkins, TwoHundredSwitchesKeepTheWindowsAndLeakNoHandles) {
    ScratchFolder folder{L"kestrelle-soak"};
    CopySkins(folder);
    MessageBoxCatcher catcher;
    ProgramStart start{folder};
    const std::vector<std::wstring> names{L"dark", L"contrast", L"kestrelle", ToWide(kBuiltInSkinText)};
    std::vector<UINT> commands;
    for (const auto& name : names) commands.push_back(start.CommandOf(name));
    for (UINT command : commands) ASSERT_NE(command, 0u);
    const auto round = [&] {
        for (UINT command : commands) {
            ::SendMessageW(start.Window(), WM_SYSCOMMAND, command, 0);
            PumpUntil([] { return false; }, 0);
        }
    };
    round();  // the caches the system fills once
    PumpUntil([] { return false; }, 400);
    const std::vector<HWND> windows = WindowsOf(start.Window());
    const int gdi = GdiHeadroom(), user = UserHeadroom();
    for (int i = 0; i < 50; ++i) round();
    PumpUntil([] { return false; }, 400);
    EXPECT_LE(gdi - GdiHeadroom(), 8);  // a few handles of the system's own caches at most
    EXPECT_LE(user - UserHeadroom(), 8);
    EXPECT_EQ(WindowsOf(start.Window()), windows);
    EXPECT_EQ(start.form->Skins()->Current(), u"");
    EXPECT_TRUE(catcher.boxes.empty());
}
