#pragma once
// A one-line edit on the system's edit control, and the base of the memo. The text is
// the control's caption, published as Text: the window holds it while there is one
// (the user types into it), and the caption follows each change the window reports,
// so it outlives a re-created window. OnChange fires for every change the window
// reports (typing, and text set by code on a one-line edit), never while a layout is
// read.

#include "framework/controls/WinControl.h"

#include <string>
#include <string_view>

class TCustomEdit : public TWinControl {
    KESTRELLE_CLASS(TCustomEdit, TWinControl)

public:
    TCustomEdit();

    std::wstring Text() const;
    void SetText(std::wstring_view value) { SetCaption(value); }
    // The most characters the user may type; 0 = as many as the system allows.
    int MaxLength() const noexcept { return m_maxLength; }
    void SetMaxLength(int value);
    bool ReadOnly() const noexcept { return m_readOnly; }
    void SetReadOnly(bool value);
    // Shown for every character instead of the text; 0 = the text itself. One-line
    // edits only. Stored as text, of which only the first UTF-16 unit counts.
    wchar_t PasswordChar() const noexcept { return m_passwordChar; }
    void SetPasswordChar(wchar_t value);
    TBorderStyle BorderStyle() const noexcept { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    // Selects the whole text when the edit gets the focus other than by a click.
    bool AutoSelect() const noexcept { return m_autoSelect; }
    void SetAutoSelect(bool value) noexcept { m_autoSelect = value; }
    // Letters typed (or set) are turned to upper or lower case.
    TEditCharCase CharCase() const noexcept { return m_charCase; }
    void SetCharCase(TEditCharCase value);
    TAlignment Alignment() const noexcept { return m_alignment; }
    void SetAlignment(TAlignment value);

    // The selection, in UTF-16 units; 0 and 0 without a window.
    int SelStart() const noexcept;
    void SetSelStart(int value);
    int SelLength() const noexcept;
    void SetSelLength(int value);
    void SelectAll();
    // The user changed the text since it was last set.
    bool Modified() const noexcept;

    TNotifyEvent OnChange;

    static void Publish(TPublisher<TCustomEdit>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& message) override;
    // The window reported a changed text.
    virtual void Change();

private:
    void Select(int start, int length);

    int m_maxLength = 0;
    bool m_readOnly = false;
    wchar_t m_passwordChar = 0;
    TBorderStyle m_borderStyle = TBorderStyle::bsSingle;
    bool m_autoSelect = true;
    TEditCharCase m_charCase = TEditCharCase::ecNormal;
    TAlignment m_alignment = TAlignment::taLeftJustify;
};

class TEdit : public TCustomEdit {
    KESTRELLE_CLASS(TEdit, TCustomEdit)
};
