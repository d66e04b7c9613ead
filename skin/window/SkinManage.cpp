#include "skin/window/SkinManage.h"

#include "framework/controls/WinControl.h"
#include "framework/core/Exception.h"
#include "framework/core/FailureLog.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/forms/Screen.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/win/Convert.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/ManagerRules.h"
#include "skin/window/SkinPopMenu.h"
#include "skin/window/WinSkinForm.h"
#include "skin/window/WindowQueries.h"

#include <algorithm>
#include <string>

namespace {

std::u16string AsU16(const std::wstring& text) { return FromWide(text); }

// The application's open form whose window this is, else the form the framework tagged
// the window with; null for a window no framework form owns.
TCustomForm* FrameworkFormOf(HWND window) noexcept {
    if (Screen)
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (TCustomForm* form = Screen->Forms(i); form && form->HandleIfAllocated() == window) return form;
    return As<TCustomForm>(TWinControl::FindControl(window));
}

}  // namespace

void TSkinManage::Install() noexcept {
    SetMaker([]() -> std::unique_ptr<SkinManagerLink> { return std::unique_ptr<TSkinManage>(new TSkinManage()); });
}

TSkinManage* TSkinManage::Instance() noexcept { return dynamic_cast<TSkinManage*>(SkinManagerLink::Instance()); }

TSkinManage& TSkinManage::CreateInstance() {
    Install();
    TSkinManage* manager = dynamic_cast<TSkinManage*>(SkinManagerLink::CreateInstance());
    // Another kind of manager made earlier (a test's) is not this module's window skinning.
    if (!manager) throw Exception(u"the module's skin manager is not the window-skinning one");
    return *manager;
}

void TSkinManage::DestroyInstance() noexcept { SkinManagerLink::DestroyInstance(); }

TSkinManage::TSkinManage() = default;

TSkinManage::~TSkinManage() {
    m_managerState = kDestroying;
    m_active = false;
    m_timer.Stop();
    SetFaceLook(nullptr);
    // Objects freed here do not edit the list (RemoveSkinForm does nothing now).
    for (size_t i = m_skinForms.size(); i-- > 0;) {
        TWinSkinForm* form = m_skinForms[i].Get();
        if (!form || form->ManagerModule() != m_moduleInstance) continue;
        m_skinForms.erase(m_skinForms.begin() + static_cast<std::ptrdiff_t>(i));
        form->ReleaseWindow();
        Free(*form);
    }
    m_skinForms.clear();
    m_popupMenus.clear();
    m_skinDatas.clear();
    // The hook goes last: windows detached above may still be destroyed through it.
    m_hook.reset();
}

// --- skin data components ------------------------------------------------------------------

void TSkinManage::AddSkinData(TSkinData& skinData) {
    m_skinDatas.push_back(&skinData);
    if (!m_mainSkinData && skinData.SkinFormtype() == TSkinFormType::sfMainform) m_mainSkinData = &skinData;
}

void TSkinManage::RemoveSkinData(TSkinData& skinData) noexcept {
    const auto found = std::find(m_skinDatas.begin(), m_skinDatas.end(), &skinData);
    if (found != m_skinDatas.end()) m_skinDatas.erase(found);
    if (m_requestingSkinData == &skinData) m_requestingSkinData = nullptr;
    if (m_mainSkinData == &skinData) {
        // The next main-form component still registered takes over, as if it had come first.
        const auto next = std::find_if(m_skinDatas.begin(), m_skinDatas.end(), [](const TSkinData* data) {
            return data->SkinFormtype() == TSkinFormType::sfMainform;
        });
        m_mainSkinData = next != m_skinDatas.end() ? *next : nullptr;
    }
    // Windows skinned with it let go of it now, before it is gone.
    for (TWinSkinForm* form : SkinForms())
        if (form->SkinData() == &skinData) Unskin(*form);
    std::erase_if(m_popupMenus, [&](const MenuWindow& menu) { return menu.skinData == &skinData; });
}

TSkinData* TSkinManage::ChooseSkinData(HWND window) const {
    std::vector<SkinDataCandidate> candidates;
    candidates.reserve(m_skinDatas.size());
    for (const TSkinData* data : m_skinDatas) {
        const auto* owner = As<TCustomForm>(data->Owner());
        candidates.push_back({data->SkinFormtype(), owner && owner->HandleIfAllocated() == window});
    }
    const int index = ChooseSkinDataIndex(candidates, AsU16(ClassNameOf(window)));
    return index < 0 ? nullptr : m_skinDatas[static_cast<size_t>(index)];
}

// --- the hook -------------------------------------------------------------------------------

void TSkinManage::InstallHook() {
    if (m_hook) return;
    m_hook = std::make_unique<HookGuard>(WH_CBT, [this](int code, WPARAM wParam, LPARAM lParam) {
        OnHook(code, wParam, lParam);
    });
}

void TSkinManage::OnHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* window = reinterpret_cast<HWND>(wParam);
    switch (code) {
    case HCBT_CREATEWND: {
        const CREATESTRUCTW* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs;
        if (!create) return;
        const auto style = static_cast<DWORD>(create->style);
        if (!(style & WS_CHILD) && ClassNameOf(window) == L"#32768") SkinMenuWindow(window);
        // A framework form's child is skinned by its frame's client once the form has its
        // window; here it would be taken for a bare window.
        if ((create->dwExStyle & WS_EX_MDICHILD) && !TWinControl::ControlBeingCreated()) SkinWindow(window);
        return;
    }
    case HCBT_DESTROYWND: ReleaseMenuWindow(window); return;
    case HCBT_ACTIVATE:
        // The first activation of any window makes the manager live: from then on requests
        // run on the timer instead of only switching Active.
        if (m_managerState == kNotLive) m_managerState = kLive;
        SkinWindow(window);
        return;
    default: return;
    }
}

// --- window skinning objects ----------------------------------------------------------------

std::vector<TWinSkinForm*> TSkinManage::SkinForms() const {
    std::vector<TWinSkinForm*> live;
    for (const auto& ref : m_skinForms)
        if (TWinSkinForm* form = ref.Get()) live.push_back(form);
    return live;
}

TWinSkinForm* TSkinManage::FindSkinForm(HWND window) const noexcept {
    for (const auto& ref : m_skinForms)
        if (TWinSkinForm* form = ref.Get(); form && form->Window() == window) return form;
    return nullptr;
}

void TSkinManage::RemoveSkinForm(TWinSkinForm& form) noexcept {
    if (m_managerState == kDestroying) return;
    std::erase_if(m_skinForms, [&](const ComponentRef<TWinSkinForm>& ref) { return !ref || ref.Get() == &form; });
}

void TSkinManage::Free(TWinSkinForm& form) noexcept {
    try {
        FreeComponent(&form);  // through its owner: the form's, or the one for bare windows
    } catch (...) {
        LogCurrentException(u"a window skinning object could not be freed");
    }
}

void TSkinManage::Purge() noexcept {
    for (size_t i = m_skinForms.size(); i-- > 0;) {
        TWinSkinForm* form = m_skinForms[i].Get();
        if (form && (form->State() != TWinSkinForm::SkinState::Finished || form->ManagerModule() != m_moduleInstance))
            continue;
        m_skinForms.erase(m_skinForms.begin() + static_cast<std::ptrdiff_t>(i));  // gone, or done with its window
        if (form) Free(*form);
    }
}

void TSkinManage::Unskin(TWinSkinForm& form) noexcept {
    std::erase_if(m_skinForms, [&](const ComponentRef<TWinSkinForm>& ref) { return ref.Get() == &form; });
    HWND window = form.Window();
    form.RestoreWindow();
    if (::IsWindow(window))
        ::RedrawWindow(window, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Free(form);
}

bool TSkinManage::SkinWindow(HWND window) {
    if (!m_active || !window || !::IsWindow(window)) return false;
    Purge();
    if (::SendMessageW(window, WMX_ISSKINNED, 0, 0) == 1 || FindSkinForm(window)) return false;

    TCustomForm* form = FrameworkFormOf(window);
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
    if (!m_forceChildren && IsPlainChildWindow(style, exStyle, AsU16(ClassNameOf(::GetParent(window))))) return false;
    const std::wstring className = ClassNameOf(window);
    const bool ours = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window, GWLP_HINSTANCE)) == ::GetModuleHandleW(nullptr);
    if (!form && !ours && className != L"#32770") return false;
    RECT bounds{};
    ::GetWindowRect(window, &bounds);
    if ((bounds.right - bounds.left) * (bounds.bottom - bounds.top) == 0 && !(exStyle & WS_EX_MDICHILD)) return false;
    // Tag 99 keeps a form in the system's look, whatever the skin data's own tag says.
    if (form && form->Tag() == 99) return false;
    if (IsNeverSkinnedClass(AsU16(className))) return false;

    bool doSkin = true;
    if (m_mainSkinData) {
        if (!m_mainSkinData->Options().Contains(TSkinOption::xoPreview) && IsPreviewClass(AsU16(className)))
            doSkin = false;
        m_mainSkinData->FilterForm(window, className, doSkin);
    }
    if (!doSkin) return false;
    TSkinData* skinData = ChooseSkinData(window);
    if (!skinData || skinData->NoSkin()) return false;

    TWinSkinForm* made = nullptr;
    try {
        made = form ? &form->Create<TWinSkinForm>() : &m_bareOwner.Create<TWinSkinForm>();
        made->SetWindow(window);
        made->SetManagerModule(m_moduleInstance);
        if (form) made->AttachForm(*skinData, *form);
        else made->AttachWindow(*skinData);
    } catch (const std::exception&) {
        LogCurrentException(u"a window could not be skinned and keeps the system's look: " + FromWide(className));
        if (made) Free(*made);
        return false;
    }
    m_skinForms.push_back(made);
    if (skinData == m_mainSkinData) {
        // However skinning started (a request, or the hook at a window's birth).
        const FaceLook look{skinData->Colours().ButtonFace, skinData->Colours().ButtonText};
        SetFaceLook(&look);
    }
    ::PostMessageW(window, WMX_STARTSKIN, 0, kStartSkinTag);
    return true;
}

bool TSkinManage::SkinForm(TCustomForm& form) {
    if (!form.Visible()) return false;
    HWND window = form.HandleIfAllocated();
    if (!window) return false;
    const bool mdiChild = ::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_MDICHILD;
    if ((::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) && !mdiChild) return false;
    return SkinWindow(window);
}

// --- menu windows ---------------------------------------------------------------------------

bool TSkinManage::SkinMenuWindow(HWND window) {
    if (!m_active || ::SendMessageW(window, WMX_ISSKINNED, 0, 0) == 1) return false;
    if (std::any_of(m_popupMenus.begin(), m_popupMenus.end(), [&](const MenuWindow& m) { return m.window == window; }))
        return false;
    TSkinData* skinData = ChooseSkinData(window);
    if (!skinData || skinData->NoSkin()) return false;
    const TSkinControlTypes controls = skinData->SkinControls();
    bool allowed = false;
    switch (m_menuKind) {
    case kPopupMenu: allowed = controls.Contains(TSkinControlType::xcPopupMenu); break;
    case kWindowMenu:
        allowed = controls.Contains(TSkinControlType::xcMainMenu) || controls.Contains(TSkinControlType::xcMenuItem);
        break;
    case kSystemMenu: allowed = controls.Contains(TSkinControlType::xcSystemMenu); break;
    default: break;
    }
    if (!allowed) return false;
    auto skin = std::make_unique<TWinSkinPopMenu>();
    try {
        skin->Attach(window, *skinData, m_menuKind);
    } catch (const Exception&) {
        // The menu opens in the system's look.
        LogCurrentException(u"a menu window could not be skinned");
        return false;
    }
    m_popupMenus.push_back({window, skinData, m_menuFromBar, std::move(skin)});
    return true;
}

void TSkinManage::ReleaseMenuWindow(HWND window) noexcept {
    const auto found =
        std::find_if(m_popupMenus.begin(), m_popupMenus.end(), [&](const MenuWindow& m) { return m.window == window; });
    if (found != m_popupMenus.end()) {
        const std::unique_ptr<TWinSkinPopMenu> skin = std::move(found->skin);
        m_popupMenus.erase(found);
        if (skin) skin->Detach();
    }
    if (m_popupMenus.empty()) {
        m_menuFromBar = false;
        m_menuKind = kPopupMenu;
    }
}

void TSkinManage::MarkMenusFromBar() noexcept {
    for (MenuWindow& menu : m_popupMenus) menu.fromBar = true;
}

void TSkinManage::AssignMenuHandle(HMENU menu) noexcept {
    if (!menu) return;
    const auto known = [menu](const MenuWindow& m) { return m.skin && m.skin->Menu() == menu; };
    if (std::any_of(m_popupMenus.begin(), m_popupMenus.end(), known)) return;
    for (auto it = m_popupMenus.rbegin(); it != m_popupMenus.rend(); ++it) {
        if (it->skin && !it->skin->Menu()) {
            it->skin->SetMenu(menu);
            return;
        }
    }
}

const TBitmap* TSkinManage::MenuBitmapOf(HMENU menu) noexcept {
    if (!menu) return nullptr;
    for (MenuWindow& m : m_popupMenus)
        if (m.skin && m.skin->Menu() == menu) return m.skin->Picture();
    return nullptr;
}

// --- MDI ------------------------------------------------------------------------------------

void TSkinManage::SetMdiMaximized(bool value) {
    if (value == m_mdiMaximized) return;
    m_mdiMaximized = value;
    if (m_mainSkinData && m_mainSkinData->Options().Contains(TSkinOption::xoMDIChildBorder)) return;
    for (TWinSkinForm* form : SkinForms())
        if (form->Mdi() == MdiKind::Child) form->SetMdiLook(value);
}

void TSkinManage::SetMdiClient(HWND client, TCustomForm* frameForm) noexcept {
    m_mdiClientWnd = client;
    m_mdiFrameForm = frameForm;
}

// --- requests -------------------------------------------------------------------------------

void TSkinManage::Request(TSkinAction action, uint32_t delayMs) {
    m_pendingAction = action;
    m_delayMs = delayMs;
    if (m_managerState == kNotLive) {
        if (action == TSkinAction::SkinAll) m_active = true;
        if (action == TSkinAction::UnskinAll) m_active = false;
        return;
    }
    // A running timer starts counting again, so a second request replaces the first.
    m_timer.Start(delayMs);
}

void TSkinManage::OnTimer() noexcept {
    try {
        RunRequest();
    } catch (...) {
        HandleApplicationException(nullptr);
    }
}

void TSkinManage::SkinAllForms() {
    m_active = true;
    m_forceChildren = true;
    try {
        Purge();
        if (Screen)
            for (int i = Screen->FormCount(); i-- > 0;)
                if (TCustomForm* form = Screen->Forms(i)) SkinForm(*form);
    } catch (...) {
        m_forceChildren = false;
        throw;
    }
    m_forceChildren = false;
}

void TSkinManage::UnskinAll(TSkinData* only) {
    m_active = false;
    Purge();
    const std::vector<TWinSkinForm*> forms = SkinForms();
    if (only) {
        // An only-this-form component skins one window: the newest of its own.
        const auto newest = std::find_if(forms.rbegin(), forms.rend(), [&](TWinSkinForm* f) { return f->SkinData() == only; });
        if (newest != forms.rend()) Unskin(**newest);
        return;
    }
    for (TWinSkinForm* form : forms) Unskin(*form);
}

void TSkinManage::Refresh(TSkinData& requester, bool firstOnly) {
    Purge();
    std::vector<TWinSkinForm*> mine;
    for (TWinSkinForm* form : SkinForms())
        if (form->SkinData() == &requester) {
            mine.push_back(form);
            if (firstOnly) break;
        }
    // All of them measure the new frame before any of them lays its window out again.
    for (TWinSkinForm* form : mine) {
        form->DropSkinImages();
        form->RecomputeFrame();
    }
    for (TWinSkinForm* form : mine) form->ReapplySkin();
}

void TSkinManage::RunRequest() {
    m_timer.Stop();
    TSkinData* requester = m_requestingSkinData;
    if (!requester) return;
    const bool onlyThisForm = requester->SkinFormtype() == TSkinFormType::sfOnlyThisForm;
    // Text in the system's colours on the faces the skin recolours follows the skin (a
    // window being skinned sets it too): a new skin's colours before the windows repaint.
    // A skin for one form alone leaves the others' text be.
    if (!onlyThisForm) {
        const FaceLook look{requester->Colours().ButtonFace, requester->Colours().ButtonText};
        if (m_pendingAction == TSkinAction::Refresh) SetFaceLook(&look);
        if (m_pendingAction == TSkinAction::UnskinAll) SetFaceLook(nullptr);
    }
    switch (m_pendingAction) {
    case TSkinAction::SkinAll:
        if (!onlyThisForm) {
            SkinAllForms();
            break;
        }
        m_active = true;
        m_forceChildren = true;
        if (auto* owner = As<TCustomForm>(requester->Owner()); owner && Screen) {
            for (int i = Screen->FormCount(); i-- > 0;)
                if (Screen->Forms(i) == owner) {
                    SkinForm(*owner);
                    break;
                }
        }
        m_forceChildren = false;
        break;
    case TSkinAction::UnskinAll: UnskinAll(onlyThisForm ? requester : nullptr); break;
    case TSkinAction::Refresh: Refresh(*requester, onlyThisForm); break;
    case TSkinAction::None: break;
    }
    // The component may have gone while the window work ran (its form was closed).
    if (m_requestingSkinData == requester) {
        m_requestingSkinData = nullptr;
        requester->SkinChanged();
    }
}

void TSkinManage::RefreshSkinForms() {
    if (!m_requestingSkinData) return;
    for (TWinSkinForm* form : SkinForms())
        if (form->SkinData() == m_requestingSkinData) form->DropSkinImages();
}
