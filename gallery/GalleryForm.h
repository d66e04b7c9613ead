#pragma once
// The gallery's main window: a column of pages on the left and the page on the right.
// Each page opens or shows the windows and controls of one kind, skinned by the same
// engine as the program, so that every kind can be looked at in every state.

#include "framework/forms/Form.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TMainMenu;
class TPanel;
class GallerySkinChooser;
class TSkinData;
class TSpeedButton;

class TGalleryForm : public TForm {
    KESTRELLE_CLASS(TGalleryForm, TForm)

public:
    TGalleryForm();
    ~TGalleryForm() override;

    // Builds the window (no stored layout) and loads the skin; `open` names window kinds
    // to open once the window shows ("all" for every kind that is not modal), `page`
    // the page shown first ("windows", "controls", "scrolling", "tabs", "media" or "menus"; false for
    // another name), `skinFile` a .skin file to load instead of the program's own skin.
    bool Build(std::vector<std::wstring> open, std::wstring_view page = L"windows", std::wstring_view skinFile = {});

    TSkinData* Skin() const noexcept { return m_skin; }
    // The chooser of the skin every window of the gallery wears.
    GallerySkinChooser* Chooser() const noexcept { return m_chooser.get(); }
    // The page shown; its controls are the page's children.
    TPanel* Page() const noexcept;
    bool ShowPage(std::wstring_view name);

    std::wstring LayoutResourceName() const override { return {}; }

protected:
    void WndProc(TMessage& message) override;

private:
    struct GalleryPage {
        const wchar_t* name;
        TSpeedButton* button;
        TPanel* panel;
        TMainMenu* menu;  // the bar shown with the page; null for none
    };
    TSpeedButton& AddButton(TPanel& parent, int row, int column, const wchar_t* caption);
    TPanel& AddPage(const wchar_t* name, const wchar_t* caption);
    void BuildWindowsPage(TPanel& page);
    void BuildSkinChooser(std::wstring_view skinFile);

    TSkinData* m_skin = nullptr;
    TPanel* m_pages = nullptr;
    std::vector<GalleryPage> m_pageList;
    std::vector<std::wstring> m_open;
    std::unique_ptr<GallerySkinChooser> m_chooser;
};
