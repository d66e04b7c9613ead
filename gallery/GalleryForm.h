#pragma once
// The gallery's main window: a column of pages on the left and the page on the right.
// Each page opens or shows the windows and controls of one kind, skinned by the same
// engine as the program, so that every kind can be looked at in every state.

#include "framework/forms/Form.h"

#include <string>
#include <vector>

class TPanel;
class TSkinData;
class TSpeedButton;

class TGalleryForm : public TForm {
    KESTRELLE_CLASS(TGalleryForm, TForm)

public:
    TGalleryForm();

    // Builds the window (no stored layout) and loads the skin; `open` names window kinds
    // to open once the window shows ("all" for every kind that is not modal).
    void Build(std::vector<std::wstring> open);

    TSkinData* Skin() const noexcept { return m_skin; }
    TPanel* Page() const noexcept { return m_page; }

    std::wstring LayoutResourceName() const override { return {}; }

protected:
    void WndProc(TMessage& message) override;

private:
    TSpeedButton& AddButton(TPanel& parent, int row, int column, const wchar_t* caption);
    void ShowWindowsPage();

    TSkinData* m_skin = nullptr;
    TPanel* m_pages = nullptr;
    TPanel* m_page = nullptr;
    std::vector<std::wstring> m_open;
};
