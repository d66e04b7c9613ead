#pragma once
// The program object: title, icon, main form, the message loop, and the standard
// exception handler. An exception that escapes an event handler is shown in a message
// box captioned with the title, and the program goes on. One instance per program,
// made first in the entry point; it owns the forms made through CreateForm and the
// screen object.

#include "framework/controls/HintWindow.h"
#include "framework/core/Component.h"
#include "framework/core/Exception.h"
#include "framework/core/FailureLog.h"
#include "framework/forms/Form.h"
#include "framework/forms/Screen.h"
#include "framework/win/UtilityWindow.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include <windows.h>

using TExceptionEvent = std::function<void(TObject* sender, const Exception& error)>;

class TApplication : public TComponent {
    KESTRELLE_CLASS(TApplication, TComponent)

public:
    // Throws Exception when another application object exists, Win32Error when its
    // window cannot be made.
    TApplication();
    ~TApplication() override;

    // Makes a form of class T owned by the application, reads its stored layout and
    // fires its OnCreate. The first form made becomes the main form. If any of it
    // throws, the form is destroyed again and the exception goes to the caller.
    template <class T, class... Args>
    T& CreateForm(Args&&... args) {
        auto form = std::make_unique<T>(std::forward<Args>(args)...);
        T& result = *form;
        if (!m_mainForm) m_mainForm = &result;
        try {
            result.InitializeForm();
        } catch (...) {
            if (m_mainForm == &result) m_mainForm = nullptr;
            throw;
        }
        InsertComponent(std::move(form));
        return result;
    }

    // Shows the main form (unless ShowMainForm is false) and handles messages until
    // Terminate or the main form's closing ends the loop.
    void Run();
    // Handles every waiting message and returns.
    void ProcessMessages();
    // Handles one message, or waits for one when there is none.
    void HandleMessage();
    // Ends the message loop after the current message.
    void Terminate();
    bool Terminated() const noexcept { return m_terminated; }

    const std::wstring& Title() const noexcept { return m_title; }
    void SetTitle(std::wstring_view value);
    // The program icon; not owned (it usually is the main form's).
    HICON Icon() const noexcept { return m_icon; }
    void SetIcon(HICON icon);
    // The application's own hidden window, class "TApplication".
    HWND Handle() const noexcept { return m_window->Handle(); }

    TCustomForm* MainForm() const noexcept { return m_mainForm; }
    bool ShowMainForm() const noexcept { return m_showMainForm; }
    void SetShowMainForm(bool value) noexcept { m_showMainForm = value; }

    // The standard handler: call inside a catch block. OnException decides if
    // assigned; otherwise the text is shown. Never throws.
    void HandleException(TObject* sender) noexcept;
    // Shows an error text captioned with the title.
    void ShowException(std::wstring_view text) noexcept;
    // A modal message box over the active window; an empty caption means the title.
    int MessageBox(std::wstring_view text, std::wstring_view caption = {}, UINT flags = MB_OK);

    TExceptionEvent OnException;

    // Hints: a control's Hint (the part before "|") shows near the mouse when the
    // mouse has rested on it for HintPause ms, for HintHidePause ms.
    bool ShowHint() const noexcept { return m_showHint; }
    void SetShowHint(bool value);
    unsigned HintPause() const noexcept { return m_hintPause; }
    void SetHintPause(unsigned ms) noexcept { m_hintPause = ms; }
    unsigned HintHidePause() const noexcept { return m_hintHidePause; }
    void SetHintHidePause(unsigned ms) noexcept { m_hintHidePause = ms; }
    void CancelHint() noexcept;
    // The hint window, once a hint was shown; null before.
    const THintWindow* HintWindow() const noexcept { return m_hintWindow.get(); }

    // Kept up to date by the controls: the control under the mouse changed or died.
    void HintControlChanged(TControl* control) noexcept;
    void ControlGone(const TControl& control) noexcept;

    // Kept up to date by the forms.
    void FormDestroyed(const TCustomForm& form) noexcept;
    void ReleaseLater(TCustomForm& form);

private:
    bool ProcessMessage(MSG& message);
    bool IsDialogMessageFor(const MSG& message);
    // Ctrl+F4, Ctrl+F6 and the like for the MDI frame's active child.
    static bool IsMdiSysAccel(MSG& message);
    bool AppWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HWND OwnerWindow() const noexcept;
    void ShowHintNow();

    std::wstring m_title;
    HICON m_icon = nullptr;
    std::unique_ptr<UtilityWindow> m_window;
    TCustomForm* m_mainForm = nullptr;
    bool m_terminated = false;
    bool m_showMainForm = true;
    TScreen m_screen;
    std::unique_ptr<THintWindow> m_hintWindow;
    FailureSink m_previousFailureSink;
    TControl* m_hintControl = nullptr;
    bool m_showHint = true;
    unsigned m_hintPause = 500;
    unsigned m_hintHidePause = 2500;
};

// The application object of the running program, or null.
extern TApplication* Application;

// Makes the framework's component classes known to stored layouts by name (done by
// the application object; harmless to repeat).
void RegisterStandardClasses();

// Reports the exception being handled (call inside a catch block) through the
// application's standard handler, or in a plain message box when there is no
// application object. Never throws.
void HandleApplicationException(TObject* sender) noexcept;

// A message box with one OK button, captioned with the application title.
void ShowMessage(std::wstring_view text);
