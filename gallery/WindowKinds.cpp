#include "gallery/WindowKinds.h"

#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "gallery/MdiWindow.h"

#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

#include <commdlg.h>

namespace {

TForm& OpenForm(TComponent& owner, const wchar_t* caption, TFormBorderStyle border, TBorderIcons icons,
                int width = 360, int height = 220) {
    auto& form = owner.Create<TForm>();
    form.SetBorderStyle(border);
    form.SetBorderIcons(icons);
    form.SetCaption(caption);
    form.SetPosition(TPosition::poDesigned);
    // Each kind opens a little lower and further right than the one before.
    static int offset = 0;
    offset = (offset + 30) % 240;
    form.SetBounds(240 + offset, 120 + offset, width, height);
    if (auto* main = Application ? Application->MainForm() : nullptr) form.SetIcon(main->Icon());
    return form;
}

void Show(TForm& form) { form.SetVisible(true); }

// A dialog template in memory: a caption, a line of text, an edit, OK and Cancel.
class DialogTemplate {
public:
    DialogTemplate(const wchar_t* caption, short width, short height) {
        Align();
        Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER);
        Dword(0);
        m_countAt = m_words.size();
        Word(0);  // item count, filled in by Add
        Word(0), Word(0), Word(static_cast<WORD>(width)), Word(static_cast<WORD>(height));
        Word(0), Word(0);  // no menu, the standard class
        Text(caption);
        Word(8);
        Text(L"MS Shell Dlg");
    }
    void Add(WORD systemClass, const wchar_t* text, DWORD style, short x, short y, short cx, short cy, WORD id) {
        Align();
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        Word(static_cast<WORD>(x)), Word(static_cast<WORD>(y)), Word(static_cast<WORD>(cx)), Word(static_cast<WORD>(cy));
        Word(id);
        Word(0xFFFF), Word(systemClass);
        Text(text);
        Word(0);  // no creation data
        ++m_words[m_countAt];
    }
    const DLGTEMPLATE* Get() const noexcept { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void Word(WORD w) { m_words.push_back(w); }
    void Dword(DWORD d) { Word(LOWORD(d)), Word(HIWORD(d)); }
    void Text(const wchar_t* text) {
        for (const wchar_t* c = text; *c; ++c) Word(static_cast<WORD>(*c));
        Word(0);
    }
    void Align() {
        if (m_words.size() % 2) Word(0);  // items start on a DWORD boundary
    }
    std::vector<WORD> m_words;
    size_t m_countAt = 0;
};

INT_PTR CALLBACK SystemDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) noexcept {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

void OpenSystemDialog() {
    DialogTemplate t(L"A system dialog", 200, 86);
    t.Add(0x0082 /* static */, L"The system's own dialog class, with the skin's frame:", SS_LEFT, 8, 8, 184, 10, 0xFFFF);
    t.Add(0x0081 /* edit */, L"Text to edit", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 8, 24, 184, 14, 100);
    t.Add(0x0080 /* button */, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 86, 62, 50, 16, IDOK);
    t.Add(0x0080, L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 142, 62, 50, 16, IDCANCEL);
    HWND owner = Application && Application->MainForm() ? Application->MainForm()->Handle() : nullptr;
    ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), t.Get(), owner, &SystemDialogProc, 0);
}

// The system's file-open dialog: a dialog of the system's dialog class full of controls
// (a list view, combo boxes, an edit, a tool bar, buttons).
void OpenFileDialog() {
    std::wstring file(MAX_PATH, L'\0');
    OPENFILENAMEW open{};
    open.lStructSize = sizeof open;
    open.hwndOwner = Application && Application->MainForm() ? Application->MainForm()->Handle() : nullptr;
    open.lpstrFilter = L"Lesson movies (*.swf)\0*.swf\0Every file\0*.*\0";
    open.lpstrFile = file.data();
    open.nMaxFile = static_cast<DWORD>(file.size());
    open.lpstrTitle = L"Open a lesson file";
    open.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    ::GetOpenFileNameW(&open);
}

int Box(const wchar_t* text, const wchar_t* caption, UINT flags) {
    HWND owner = Application && Application->MainForm() ? Application->MainForm()->Handle() : nullptr;
    return ::MessageBoxW(owner, text, caption, flags);
}

}  // namespace

const std::vector<WindowKind>& WindowKinds() {
    static const std::vector<WindowKind> kinds{
        {L"sizeable", L"Sizeable form", false},
        {L"dialog", L"Dialog-style form", false},
        {L"tool", L"Tool window", false},
        {L"nobuttons", L"Without caption buttons", false},
        {L"rtl", L"Right-to-left reading", false},
        {L"mdi", L"MDI window with three children", false},
        {L"information", L"Message box: information", true},
        {L"warning", L"Message box: warning", true},
        {L"error", L"Message box: error", true},
        {L"question", L"Message box: question", true},
        {L"system", L"System dialog (#32770)", true},
        {L"fileopen", L"File-open dialog (#32770)", true},
    };
    return kinds;
}

bool OpenWindowKind(std::wstring_view name, TComponent& owner) {
    using enum TBorderIcon;
    if (name == L"sizeable") {
        Show(OpenForm(owner, L"A sizeable form", TFormBorderStyle::bsSizeable, {biSystemMenu, biMinimize, biMaximize}));
    } else if (name == L"dialog") {
        Show(OpenForm(owner, L"A dialog-style form", TFormBorderStyle::bsDialog, {biSystemMenu}, 320, 160));
    } else if (name == L"tool") {
        Show(OpenForm(owner, L"A tool window", TFormBorderStyle::bsToolWindow, {biSystemMenu}, 240, 180));
    } else if (name == L"nobuttons") {
        Show(OpenForm(owner, L"A window without caption buttons", TFormBorderStyle::bsSingle, {}));
    } else if (name == L"rtl") {
        TForm& form = OpenForm(owner, L"从右到左 — right to left", TFormBorderStyle::bsSizeable,
                               {biSystemMenu, biMinimize, biMaximize});
        form.SetBiDiMode(TBiDiMode::bdRightToLeft);
        Show(form);
    } else if (name == L"mdi") {
        OpenMdiWindow(owner);
    } else if (name == L"information") {
        Box(L"An information message: the lesson files are written to the system folder.", L"Information",
            MB_OK | MB_ICONINFORMATION);
    } else if (name == L"warning") {
        Box(L"A warning: the movie could not be played.", L"Warning", MB_OK | MB_ICONWARNING);
    } else if (name == L"error") {
        Box(L"An error: the file cannot be created.", L"Error", MB_OK | MB_ICONERROR);
    } else if (name == L"question") {
        Box(L"A question: play the next lesson?", L"Question", MB_YESNO | MB_ICONQUESTION);
    } else if (name == L"system") {
        OpenSystemDialog();
    } else if (name == L"fileopen") {
        OpenFileDialog();
    } else {
        return false;
    }
    return true;
}
