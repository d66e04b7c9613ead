#include "skin/window/SkinManage.h"

#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "skin/data/SkinMessages.h"
#include "skin/window/WinSkinForm.h"
#include "tests/skin/window/WindowTestSkin.h"
#include "tests/support/PumpMessages.h"
#include "tests/support/TempFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <vector>

using namespace window_skin;

namespace {

constexpr DWORD kPatience = 5000;  // the manager's requests wait on a timer

void PumpPending() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
}

HWND MakeWindow(const wchar_t* className = L"STATIC", DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = nullptr,
                HINSTANCE instance = ::GetModuleHandleW(nullptr), int width = 200) {
    return ::CreateWindowExW(0, className, L"window", style, 0, 0, width, 100, parent, nullptr, instance, nullptr);
}

HWND MakeClassWindow(const wchar_t* className) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    ::RegisterClassW(&wc);
    return MakeWindow(className);
}

// A visible top-level form made by the application object.
TForm& ShownForm(TApplication& app, int32_t tag = 0) {
    auto& form = app.CreateForm<TForm>();
    form.SetTag(tag);
    form.SetBounds(30, 30, 300, 200);
    form.SetVisible(true);
    return form;
}

using SkinManageTest = SkinnedTest;

}  // namespace

TEST_F(SkinManageTest, TheFirstMainFormComponentIsTheMainOneUntilItGoes) {
    EXPECT_EQ(TSkinManage::Instance(), manager);
    EXPECT_EQ(&TSkinManage::CreateInstance(), manager);  // one per module
    manager->RemoveSkinData(*skin);

    auto dialog = std::make_unique<TSkinData>();
    dialog->SetSkinFormtype(TSkinFormType::sfDialog);
    auto first = std::make_unique<TSkinData>();
    TSkinData second;
    manager->AddSkinData(*dialog);
    manager->AddSkinData(*first);
    manager->AddSkinData(second);
    EXPECT_EQ(manager->MainSkinData(), first.get());
    EXPECT_EQ(manager->SkinDatas().size(), 3u);

    manager->SetRequestingSkinData(first.get());
    first.reset();  // its destructor leaves the manager
    EXPECT_EQ(manager->SkinDatas().size(), 2u);
    EXPECT_EQ(manager->MainSkinData(), &second);
    EXPECT_EQ(manager->RequestingSkinData(), nullptr);
    dialog.reset();
    EXPECT_EQ(manager->SkinDatas(), std::vector<TSkinData*>{&second});
}

TEST_F(SkinManageTest, BeforeAnyWindowIsActiveRequestsOnlySwitchSkinning) {
    int changed = 0;
    skin->OnSkinChanged = [&](TObject*) { ++changed; };
    manager->SetActive(false);
    manager->SetRequestingSkinData(skin.get());
    manager->Request(TSkinAction::SkinAll, 250);
    EXPECT_TRUE(manager->Active());
    EXPECT_FALSE(manager->RequestPending());
    manager->Request(TSkinAction::UnskinAll, 250);
    EXPECT_FALSE(manager->Active());
    EXPECT_FALSE(manager->RequestPending());
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(changed, 0);
}

TEST_F(SkinManageTest, ARequestRunsOnceLaterOnTheTimerAndTheLastOneWins) {
    TApplication app;
    TForm& form = ShownForm(app);
    manager->SetActive(false);
    int changed = 0;
    bool forcedWhileSkinning = false;
    skin->OnSkinChanged = [&](TObject* sender) {
        EXPECT_EQ(sender, skin.get());
        EXPECT_EQ(manager->RequestingSkinData(), nullptr);  // cleared before the notice
        ++changed;
    };
    skin->OnFormSkin = [&](TObject*, const std::wstring&, bool&) { forcedWhileSkinning = manager->ForceChildren(); };
    manager->SetManagerState(SkinManagerLink::kLive);
    manager->SetRequestingSkinData(skin.get());
    manager->Request(TSkinAction::Refresh, 250);
    manager->Request(TSkinAction::SkinAll, 250);  // replaces the refresh
    EXPECT_TRUE(manager->RequestPending());
    EXPECT_EQ(manager->RequestDelay(), 250u);
    PumpPending();
    EXPECT_EQ(manager->FindSkinForm(form.Handle()), nullptr);  // never inside the call, nor at once

    ASSERT_TRUE(PumpUntil([&] { return changed == 1; }, kPatience));
    EXPECT_FALSE(PumpUntil([&] { return changed > 1; }, 600));  // once
    EXPECT_NE(manager->FindSkinForm(form.Handle()), nullptr);
    EXPECT_TRUE(manager->Active());
    EXPECT_TRUE(forcedWhileSkinning);  // only while every form is skinned
    EXPECT_FALSE(manager->ForceChildren());
    EXPECT_FALSE(manager->RequestPending());

    // Unskinning switches skinning off and detaches every window.
    manager->SetRequestingSkinData(skin.get());
    manager->Request(TSkinAction::UnskinAll, 10);
    ASSERT_TRUE(PumpUntil([&] { return changed == 2; }, kPatience));
    EXPECT_FALSE(manager->Active());
    EXPECT_TRUE(manager->SkinForms().empty());
    EXPECT_EQ(::SendMessageW(form.Handle(), WMX_ISSKINNED, 0, 0), 0);
}

TEST_F(SkinManageTest, ARequestWhoseComponentWentAwayEndsQuietly) {
    auto data = std::make_unique<TSkinData>();
    manager->AddSkinData(*data);
    manager->SetManagerState(SkinManagerLink::kLive);
    manager->SetRequestingSkinData(data.get());
    manager->Request(TSkinAction::SkinAll, 10);
    data.reset();
    EXPECT_TRUE(PumpUntil([&] { return !manager->RequestPending(); }, kPatience));
    EXPECT_TRUE(manager->SkinForms().empty());
}

TEST_F(SkinManageTest, TheFirstActivationMakesTheManagerLiveAndASecondOneAttachesNothing) {
    manager->SetActive(false);
    manager->InstallHook();
    manager->InstallHook();  // a second call keeps the one hook
    EXPECT_TRUE(manager->HookInstalled());
    EXPECT_EQ(manager->ManagerState(), SkinManagerLink::kNotLive);

    HWND window = MakeWindow();
    ::ShowWindow(window, SW_SHOW);
    ::SetActiveWindow(window);
    PumpPending();
    EXPECT_EQ(manager->ManagerState(), SkinManagerLink::kLive);
    EXPECT_EQ(manager->FindSkinForm(window), nullptr);  // skinning is not on yet

    manager->SetActive(true);
    HWND other = MakeWindow();
    ::ShowWindow(other, SW_SHOW);
    ::SetActiveWindow(other);
    PumpPending();
    ASSERT_NE(manager->FindSkinForm(other), nullptr);
    ::SetActiveWindow(window);
    ::SetActiveWindow(other);
    PumpPending();
    const std::vector<TWinSkinForm*> forms = manager->SkinForms();
    EXPECT_EQ(std::count_if(forms.begin(), forms.end(), [&](const TWinSkinForm* form) { return form->Window() == other; }),
              1);
    ::DestroyWindow(other);
    ::DestroyWindow(window);
}

TEST_F(SkinManageTest, OnlyQualifyingWindowsAreSkinned) {
    TApplication app;
    // Tag 99 keeps a form in the system's look, whatever the skin data's own tag says.
    skin->SetDisableTag(5);
    EXPECT_FALSE(manager->SkinForm(ShownForm(app, 99)));
    EXPECT_TRUE(manager->SkinForm(ShownForm(app, 5)));

    // A plain child only while every form is skinned; never one of another module.
    HWND parent = MakeWindow();
    HWND child = MakeWindow(L"STATIC", WS_CHILD | WS_VISIBLE, parent);
    EXPECT_FALSE(manager->SkinWindow(child));
    HWND foreign = MakeWindow(L"STATIC", WS_OVERLAPPEDWINDOW, nullptr, ::GetModuleHandleW(L"kernel32.dll"));
    EXPECT_FALSE(manager->SkinWindow(foreign));
    HWND flat = MakeWindow(L"STATIC", WS_POPUP, nullptr, ::GetModuleHandleW(nullptr), 0);
    EXPECT_FALSE(manager->SkinWindow(flat));  // no area
    EXPECT_FALSE(manager->SkinWindow(MakeClassWindow(L"TApplication")));
    // The month calendar draws its own drop-down; the filter keeps it unframed.
    EXPECT_FALSE(manager->SkinWindow(MakeClassWindow(L"SysMonthCal32")));
    EXPECT_TRUE(manager->SkinWindow(parent));

    // Preview windows only with the preview option.
    TSkinOptions options = skin->Options();
    options.Exclude(TSkinOption::xoPreview);
    skin->SetOptions(options);
    EXPECT_FALSE(manager->SkinWindow(MakeClassWindow(L"TPrintPREVIEWForm")));
    options.Include(TSkinOption::xoPreview);
    skin->SetOptions(options);
    EXPECT_TRUE(manager->SkinWindow(MakeClassWindow(L"PreviewPane")));
    // The application may decide alone.
    skin->OnFormSkin = [](TObject*, const std::wstring& className, bool& doSkin) { doSkin = className != L"Vetoed"; };
    EXPECT_FALSE(manager->SkinWindow(MakeClassWindow(L"Vetoed")));
    EXPECT_TRUE(manager->SkinWindow(MakeClassWindow(L"SysMonthCal32")));  // the handler overrides the default
    // Without a loaded skin nothing is skinned.
    manager->SetActive(false);
    EXPECT_FALSE(manager->SkinWindow(MakeClassWindow(L"SkinManageTestLate")));
}

TEST_F(SkinManageTest, DialogsTakeTheDialogComponentAndFormsTheMainOne) {
    TSkinData dialogs;
    dialogs.SetSkinFormtype(TSkinFormType::sfDialog);
    ASSERT_TRUE(SetBinaryProp(&dialogs, u"SkinStream", test_skins::PropertyBlock(window_skin::Skin(false))));
    manager->AddSkinData(dialogs);
    HWND box = ::CreateWindowExW(0, L"#32770", L"dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 200, 100,
                                 nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    HWND plain = MakeWindow();
    EXPECT_EQ(manager->ChooseSkinData(box), &dialogs);
    EXPECT_EQ(manager->ChooseSkinData(plain), skin.get());
    ASSERT_TRUE(manager->SkinWindow(box));
    EXPECT_EQ(manager->FindSkinForm(box)->SkinData(), &dialogs);

    // A component of one form only skins that form.
    TApplication app;
    TForm& own = ShownForm(app);
    auto& mine = own.Create<TSkinData>();
    mine.SetSkinFormtype(TSkinFormType::sfOnlyThisForm);
    manager->AddSkinData(mine);
    EXPECT_EQ(manager->ChooseSkinData(own.Handle()), &mine);
    EXPECT_EQ(manager->ChooseSkinData(plain), skin.get());
    ::DestroyWindow(box);
    ::DestroyWindow(plain);
    manager->RemoveSkinData(dialogs);
}

TEST_F(SkinManageTest, AnOnlyThisFormComponentSkinsAndUnskinsItsFormAlone) {
    TApplication app;
    TForm& own = ShownForm(app);
    TForm& other = ShownForm(app);
    auto& mine = own.Create<TSkinData>();
    mine.SetSkinFormtype(TSkinFormType::sfOnlyThisForm);
    ASSERT_TRUE(SetBinaryProp(&mine, u"SkinStream", test_skins::PropertyBlock(window_skin::Skin())));
    manager->AddSkinData(mine);
    manager->SetActive(false);
    manager->SetManagerState(SkinManagerLink::kLive);
    int changed = 0;
    mine.OnSkinChanged = [&](TObject*) { ++changed; };

    manager->SetRequestingSkinData(&mine);
    manager->Request(TSkinAction::SkinAll, 10);
    ASSERT_TRUE(PumpUntil([&] { return changed == 1; }, kPatience));
    EXPECT_NE(manager->FindSkinForm(own.Handle()), nullptr);
    EXPECT_EQ(manager->FindSkinForm(other.Handle()), nullptr);
    ASSERT_TRUE(manager->SkinForm(other));  // skinned by the main component
    ASSERT_TRUE(PumpUntil([&] { return manager->FindSkinForm(other.Handle())->State() == TWinSkinForm::SkinState::Running; }));

    manager->SetRequestingSkinData(&mine);
    manager->Request(TSkinAction::UnskinAll, 10);
    ASSERT_TRUE(PumpUntil([&] { return changed == 2; }, kPatience));
    EXPECT_EQ(manager->FindSkinForm(own.Handle()), nullptr);
    EXPECT_NE(manager->FindSkinForm(other.Handle()), nullptr);
}

// What the manager keeps while a popup menu is open; the watch then closes the menu.
struct MenuSeen {
    size_t open = 0;
    bool fromBar = true;
};
MenuSeen s_menuSeen;
TSkinManage* s_menuManager = nullptr;
void CALLBACK WatchMenu(HWND, UINT, UINT_PTR id, DWORD) noexcept {
    s_menuSeen.open = s_menuManager->PopupMenus().size();
    if (s_menuSeen.open) s_menuSeen.fromBar = s_menuManager->PopupMenus().front().fromBar;
    ::KillTimer(nullptr, id);
    ::EndMenu();
}

TEST_F(SkinManageTest, MenuWindowsAreKeptWhileOpenWhenTheirKindIsSkinned) {
    manager->InstallHook();
    HWND owner = MakeWindow();
    ::ShowWindow(owner, SW_SHOW);
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, 1, L"One");
    s_menuManager = manager;
    const auto popup = [&] {
        s_menuSeen = {};
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 150, &WatchMenu);
        ::TrackPopupMenu(menu, TPM_RETURNCMD, 50, 50, 0, owner, nullptr);
        ::KillTimer(nullptr, timer);
        PumpPending();
    };
    manager->SetMenuKind(TSkinManage::kPopupMenu);
    popup();
    EXPECT_EQ(s_menuSeen.open, 1u);
    EXPECT_FALSE(s_menuSeen.fromBar);
    EXPECT_TRUE(manager->PopupMenus().empty());  // gone with its window
    EXPECT_EQ(manager->MenuKind(), TSkinManage::kPopupMenu);

    TSkinControlTypes controls = skin->SkinControls();
    controls.Exclude(TSkinControlType::xcPopupMenu);
    skin->SetSkinControls(controls);
    popup();
    EXPECT_EQ(s_menuSeen.open, 0u);  // context menus are not the skin's now

    // A system menu needs the system-menu switch, and the kind falls back when it closes.
    manager->SetMenuKind(TSkinManage::kSystemMenu);
    popup();
    EXPECT_EQ(s_menuSeen.open, 1u);
    EXPECT_EQ(manager->MenuKind(), TSkinManage::kPopupMenu);
    ::DestroyMenu(menu);
    ::DestroyWindow(owner);
}

TEST_F(SkinManageTest, ANewSkinIsTakenUpByTheSkinnedWindows) {
    TApplication app;
    TForm& form = ShownForm(app);
    ASSERT_TRUE(manager->SkinForm(form));
    TWinSkinForm* skinned = manager->FindSkinForm(form.Handle());
    ASSERT_TRUE(PumpUntil([&] { return skinned->State() == TWinSkinForm::SkinState::Running; }));
    EXPECT_EQ(skinned->Borders().left, kLeft);
    manager->SetManagerState(SkinManagerLink::kLive);

    // A skin whose left border is twice as wide.
    const TColor red[2] = {kLeftActive, kLeftInactive};
    const auto wide = test_skins::PackedSkin({
        {"left.bmp", Strip(2 * kLeft, 30, 2, false, red, -1, -1)},
        {"w.ini", test_skins::Bytes("[Personality]\r\nLeft=left.bmp\r\nLeftFrame=2\r\n")},
    });
    const std::wstring path = TempFile(L"wide.skin");
    std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(wide.data()), static_cast<std::streamsize>(wide.size()));
    int changed = 0;
    skin->OnSkinChanged = [&](TObject*) { ++changed; };
    skin->SetSkinFile(path);
    ::DeleteFileW(path.c_str());
    EXPECT_TRUE(skinned->CaptionButtons().empty());  // the old skin's pictures are dropped at once
    ASSERT_TRUE(PumpUntil([&] { return changed == 1; }, kPatience));
    EXPECT_EQ(skinned->Borders().left, 2 * kLeft);
    EXPECT_EQ(skinned->State(), TWinSkinForm::SkinState::Running);
}

TEST_F(SkinManageTest, SwitchingTheComponentOffAndOnUnskinsAndSkinsAgainLater) {
    TApplication app;
    TForm& form = ShownForm(app);
    manager->SetManagerState(SkinManagerLink::kLive);
    skin->SetActive(true);  // asks for every window, 250 ms from now
    int changed = 0;
    skin->OnSkinChanged = [&](TObject*) { ++changed; };
    EXPECT_EQ(manager->FindSkinForm(form.Handle()), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return changed == 1; }, kPatience));
    ASSERT_NE(manager->FindSkinForm(form.Handle()), nullptr);

    RECT skinned{};
    ::GetWindowRect(form.Handle(), &skinned);
    skin->SetActive(false);
    EXPECT_NE(manager->FindSkinForm(form.Handle()), nullptr);  // not inside the call
    ASSERT_TRUE(PumpUntil([&] { return changed == 2; }, kPatience));
    EXPECT_EQ(manager->FindSkinForm(form.Handle()), nullptr);
    EXPECT_EQ(::SendMessageW(form.Handle(), WMX_ISSKINNED, 0, 0), 0);
    EXPECT_NE(form.Color(), kFace);

    skin->SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return changed == 3; }, kPatience));
    TWinSkinForm* again = manager->FindSkinForm(form.Handle());
    ASSERT_NE(again, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return again->State() == TWinSkinForm::SkinState::Running; }));
    RECT back{};
    ::GetWindowRect(form.Handle(), &back);
    EXPECT_TRUE(::EqualRect(&back, &skinned));
    EXPECT_EQ(form.Color(), kFace);
}
