#include "framework/forms/Application.h"

#include "framework/controls/BitBtn.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/ControlCanvas.h"
#include "framework/controls/DateTimePicker.h"
#include "framework/controls/Edit.h"
#include "framework/controls/GlyphCheckBox.h"
#include "framework/controls/HeaderControl.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/ListView.h"
#include "framework/controls/MediaPlayer.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Panel.h"
#include "framework/controls/ProgressBar.h"
#include "framework/controls/RadioButton.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/ScrollBar.h"
#include "framework/controls/ScrollBox.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/TabControls.h"
#include "framework/controls/TabSet.h"
#include "framework/controls/Splitter.h"
#include "framework/controls/StatusBar.h"
#include "framework/controls/ToolBar.h"
#include "framework/controls/TrackBar.h"
#include "framework/controls/TreeView.h"
#include "framework/controls/UpDown.h"
#include "framework/core/ClassRegistry.h"
#include "framework/core/FailureLog.h"
#include "framework/core/Strings.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Timer.h"
#include "framework/win/Convert.h"
#include "framework/win/Win32Error.h"

#include <algorithm>
#include <exception>

TApplication* Application = nullptr;

namespace {

constexpr wchar_t kWindowClass[] = L"TApplication";
constexpr UINT_PTR kHintShowTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;

// Failures the program lives through go where a debugger (or DebugView) shows them.
void WriteDebugOutput(std::u16string_view line) {
    ::OutputDebugStringW((L"Kestrelle: " + ToWide(line) + L"\n").c_str());
}

std::wstring ProgramName() {
    wchar_t path[MAX_PATH]{};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, length);
    if (const auto slash = name.find_last_of(L"\\/"); slash != std::wstring::npos) name.erase(0, slash + 1);
    if (const auto dot = name.rfind(L'.'); dot != std::wstring::npos) name.erase(dot);
    return name;
}

}  // namespace

void RegisterStandardClasses() {
    RegisterComponentClasses<TForm, TPanel, TSplitter, TSpeedButton, TStatusBar, TTimer, TMainMenu,
                             TPopupMenu, TMenuItem>();
    RegisterComponentClasses<TButton, TBitBtn, TCheckBox, TRadioButton, TGroupBox, TRadioGroup, THeaderControl,
                             TProgressBar, TTrackBar, TToolBar, TToolButton, TImageList, TFrame>();
    RegisterComponentClasses<TEdit, TMemo, TListBox, TComboBox, TScrollBar, TUpDown>();
    RegisterComponentClasses<TListView, TTreeView, TScrollBox, TDateTimePicker>();
    RegisterComponentClasses<TPageControl, TTabSheet, TTabControl, TTabSet, TPicturePageControl>();
    RegisterComponentClasses<TMediaPlayer, TRzCheckBox, TRzRadioButton, TcxCheckBox>();
}

TApplication::TApplication() : m_title{ProgramName()} {
    if (Application) throw Exception(u"The program already has an application object");
    RegisterStandardClasses();
    // Never shown: it carries the title and icon for the system and takes posted work.
    m_window = std::make_unique<UtilityWindow>(
        [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
            try {
                return AppWindowMessage(message, wParam, lParam);
            } catch (...) {
                HandleException(this);
                return true;
            }
        },
        kWindowClass, WS_POPUP | WS_CAPTION | WS_SYSMENU, m_title.c_str());
    m_previousFailureSink = SetFailureSink(WriteDebugOutput);
    Application = this;
}

TApplication::~TApplication() {
    CancelHint();
    m_hintControl = nullptr;
    // Forms go first, while the application and the screen they report to still exist.
    DestroyComponents();
    m_hintWindow.reset();
    m_mainForm = nullptr;
    m_window.reset();
    SetFailureSink(std::move(m_previousFailureSink));
    if (Application == this) Application = nullptr;
}

void TApplication::SetTitle(std::wstring_view value) {
    m_title = value;
    ::SetWindowTextW(Handle(), m_title.c_str());
}

void TApplication::SetIcon(HICON icon) {
    m_icon = icon;
    ::SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void TApplication::FormDestroyed(const TCustomForm& form) noexcept {
    if (m_mainForm == &form) m_mainForm = nullptr;
}

void TApplication::ReleaseLater(TCustomForm& form) {
    ::PostMessageW(Handle(), WMX_RELEASE, 0, reinterpret_cast<LPARAM>(&form));
}

bool TApplication::AppWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WMX_RELEASE) {
        // The form may have gone meanwhile: trust the pointer only if it is still a form.
        auto* form = reinterpret_cast<TCustomForm*>(lParam);
        for (int i = 0; Screen && i < Screen->FormCount(); ++i)
            if (Screen->Forms(i) == form) {
                if (TComponent* owner = form->Owner())
                    owner->DestroyComponent(*form);
                else
                    form->DestroyHandle();
                break;
            }
        return true;
    }
    if (message == WM_TIMER && (wParam == kHintShowTimer || wParam == kHintHideTimer)) {
        ::KillTimer(Handle(), wParam);
        if (wParam == kHintShowTimer)
            ShowHintNow();
        else if (m_hintWindow)
            m_hintWindow->ReleaseHint();
        return true;
    }
    return false;
}

// ---- hints -------------------------------------------------------------------------------

void TApplication::SetShowHint(bool value) {
    m_showHint = value;
    if (!value) CancelHint();
}

void TApplication::CancelHint() noexcept {
    if (m_window) {
        ::KillTimer(Handle(), kHintShowTimer);
        ::KillTimer(Handle(), kHintHideTimer);
    }
    if (m_hintWindow) m_hintWindow->ReleaseHint();
}

void TApplication::HintControlChanged(TControl* control) noexcept {
    if (control == m_hintControl) return;
    const bool showing = m_hintWindow && m_hintWindow->IsShowing();
    CancelHint();
    m_hintControl = control;
    if (!control || !m_showHint || !control->ShowHint() || control->Hint().empty()) return;
    // Moving from one hint to the next shows the next one almost at once.
    ::SetTimer(Handle(), kHintShowTimer, showing ? 50 : std::max(1u, m_hintPause), nullptr);
}

void TApplication::ControlGone(const TControl& control) noexcept {
    if (m_hintControl != &control) return;
    CancelHint();
    m_hintControl = nullptr;
}

void TApplication::ShowHintNow() {
    if (!m_hintControl || !m_hintControl->Showing()) return;
    std::wstring_view text = m_hintControl->Hint();
    text = text.substr(0, text.find(L'|'));  // the short part
    if (text.empty()) return;
    if (!m_hintWindow) m_hintWindow = std::make_unique<THintWindow>();
    POINT cursor{};
    ::GetCursorPos(&cursor);
    // Below the arrow, as tooltips sit.
    m_hintWindow->ActivateHint({cursor.x, cursor.y + ::GetSystemMetrics(SM_CYCURSOR) * 3 / 4}, text);
    ::SetTimer(Handle(), kHintHideTimer, std::max(1u, m_hintHidePause), nullptr);
}

// ---- the message loop --------------------------------------------------------------

bool TApplication::IsDialogMessageFor(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN && message.message != WM_SYSCHAR)
        return false;
    TWinControl* control = nullptr;
    for (HWND w = message.hwnd; w && !control; w = ::GetParent(w)) control = TWinControl::FindControl(w);
    if (!control) return false;
    TCustomForm* form = GetParentForm(*control);
    if (!form) return false;
    if (message.message != WM_SYSCHAR && message.wParam <= 0xFF) {
        // A shortcut of the form's menu goes before everything else the key could do.
        TShortCut keys = static_cast<TShortCut>(message.wParam);
        if (::GetKeyState(VK_SHIFT) < 0) keys |= scShift;
        if (::GetKeyState(VK_CONTROL) < 0) keys |= scCtrl;
        if (::GetKeyState(VK_MENU) < 0) keys |= scAlt;
        if (form->IsShortCut(keys)) return true;
    }
    if (message.message == WM_SYSKEYDOWN) return false;
    if (message.message == WM_SYSCHAR)
        return form->Perform(kMsgDialogChar, message.wParam, message.lParam) != 0;

    switch (message.wParam) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_EXECUTE:
    case VK_CANCEL: break;
    default: return false;
    }
    // A control that wants the key (an edit its arrows, a memo its Tab) keeps it.
    MSG copy = message;
    const auto code = static_cast<UINT>(
        ::SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&copy)));
    if (code & DLGC_WANTALLKEYS) return false;
    if (message.wParam == VK_TAB && (code & DLGC_WANTTAB)) return false;
    if (message.wParam >= VK_LEFT && message.wParam <= VK_DOWN && (code & DLGC_WANTARROWS)) return false;
    return form->Perform(kMsgDialogKey, message.wParam, message.lParam) != 0;
}

bool TApplication::IsMdiSysAccel(MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    const TCustomForm* frame = TCustomForm::MdiFrameForm();
    if (!frame || !frame->ClientHandle()) return false;
    // Only keys typed in the frame: Ctrl+F4 in a dialog over it closes no child.
    if (::GetAncestor(message.hwnd, GA_ROOT) != frame->HandleIfAllocated()) return false;
    return ::TranslateMDISysAccel(frame->ClientHandle(), &message) != FALSE;
}

bool TApplication::ProcessMessage(MSG& message) {
    if (!::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    if (message.message == WM_QUIT) {
        m_terminated = true;
        return true;
    }
    if (!IsMdiSysAccel(message) && !IsDialogMessageFor(message)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return true;
}

void TApplication::HandleMessage() {
    MSG message{};
    bool handled = false;
    try {
        handled = ProcessMessage(message);
    } catch (...) {
        HandleException(this);
        handled = true;
    }
    if (!handled && !m_terminated) {
        // Idle: DCs fetched by canvases outside painting go back before we sleep.
        TControlCanvas::FreeDeviceContexts();
        ::WaitMessage();
    }
}

void TApplication::ProcessMessages() {
    MSG message{};
    for (;;) {
        try {
            if (!ProcessMessage(message)) return;
        } catch (...) {
            HandleException(this);
        }
    }
}

void TApplication::Run() {
    if (m_mainForm && m_showMainForm && !m_terminated) m_mainForm->Show();
    while (!m_terminated) HandleMessage();
}

void TApplication::Terminate() {
    if (!m_terminated) ::PostQuitMessage(0);
}

// ---- errors and message boxes ------------------------------------------------------------

HWND TApplication::OwnerWindow() const noexcept {
    HWND active = ::GetActiveWindow();
    if (active) return active;
    if (m_mainForm && m_mainForm->Showing()) return m_mainForm->HandleIfAllocated();
    return nullptr;
}

void TApplication::HandleException(TObject* sender) noexcept {
    if (!std::current_exception()) return;
    try {
        const std::u16string text = CurrentExceptionText();
        if (OnException) {
            OnException(sender, Exception(text));
            return;
        }
        ShowException(ToWide(text));
    } catch (...) {
        // The handler itself failed; only the log is left to tell.
        LogCurrentException(u"The exception handler failed");
    }
}

void TApplication::ShowException(std::wstring_view text) noexcept {
    try {
        std::wstring body(text);
        ::MessageBoxW(OwnerWindow(), body.c_str(), m_title.c_str(), MB_OK | MB_ICONSTOP);
    } catch (...) {  // no memory for the text: the log still has the failure
        LogCurrentException(u"An error could not be shown");
    }
}

int TApplication::MessageBox(std::wstring_view text, std::wstring_view caption, UINT flags) {
    const std::wstring body(text);
    const std::wstring title = caption.empty() ? m_title : std::wstring(caption);
    return ::MessageBoxW(OwnerWindow(), body.c_str(), title.c_str(), flags);
}

void HandleApplicationException(TObject* sender) noexcept {
    if (Application) {
        Application->HandleException(sender);
        return;
    }
    if (!std::current_exception()) return;
    try {
        const std::wstring text = ToWide(CurrentExceptionText());
        ::MessageBoxW(nullptr, text.c_str(), nullptr, MB_OK | MB_ICONSTOP);
    } catch (...) {  // no memory for the text: the log still has the failure
        LogCurrentException(u"An error could not be shown");
    }
}

void ShowMessage(std::wstring_view text) {
    if (Application) {
        Application->MessageBox(text);
        return;
    }
    const std::wstring body(text);
    ::MessageBoxW(nullptr, body.c_str(), nullptr, MB_OK);
}
