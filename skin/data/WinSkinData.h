#pragma once
// TSkinData, the component a form carries to be skinned: it holds the packed skin,
// loads it into skin objects, and keeps the colours and switches every window and
// control skin reads. It starts and stops skinning through the module's skin manager,
// whose requests run a moment later on its timer.
//
// The component owns everything it hands out: skin objects, bitmaps, the brush, the
// caption font and the menu glyphs are borrowed by callers and stay valid until the
// next load that succeeds (skin objects, colours and the brush) or the component's
// destruction. A load that fails changes none of them.

#include "framework/core/Component.h"
#include "framework/core/Events.h"
#include "framework/core/Stream.h"
#include "framework/core/StringList.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/graphics/ImageList.h"
#include "framework/win/Handles.h"
#include "skin/data/SkinDataTypes.h"
#include "skin/data/SkinDescriptionReader.h"
#include "skin/data/SkinObjects.h"

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

class TControl;
class TQuickIni;
class TSkinReader;
class TSkinData;

// Asks the program whether windows of a class are skinned; `doSkin` arrives with the
// skin engine's proposal.
using TFormSkinEvent = std::function<void(TObject* sender, const std::wstring& className, bool& doSkin)>;
// Lets the program skin one control itself: set `skinnedControl` to the object that does.
using TSkinControlEvent = std::function<void(TComponent* sender, TSkinData* skinData, TControl* form,
                                             TControl* control, const std::wstring& controlClass,
                                             TComponent*& skinnedControl)>;

class TSkinData : public TComponent {
    KESTRELLE_CLASS(TSkinData, TComponent)

public:
    static constexpr std::wstring_view kVersion = L"4.04.04.11";
    // The bitmap resources of the program that stand in for parts a skin may lack.
    static constexpr std::wstring_view kTrackResource = L"TRACK";
    static constexpr std::wstring_view kTrackVertResource = L"TRACKVERT";
    static constexpr std::wstring_view kMenuGlyphsResource = L"PLUMAGEMENU";
    // A skin file larger than this cannot be a skin; it is refused unread.
    static constexpr int64_t kMaxSkinFileBytes = int64_t{64} << 20;

    TSkinData();
    ~TSkinData() override;

    // --- published ---------------------------------------------------------------
    bool Active() const noexcept { return m_active; }
    void SetActive(bool value);
    int32_t DisableTag() const noexcept { return m_disableTag; }
    void SetDisableTag(int32_t value) noexcept { m_disableTag = value; }
    TSkinControlTypes SkinControls() const noexcept { return m_skinControls; }
    void SetSkinControls(TSkinControlTypes value) noexcept { m_skinControls = value; }
    TSkinOptions Options() const noexcept { return m_options; }
    void SetOptions(TSkinOptions value) noexcept { m_options = value; }
    // The class map: "ClassName=kind" rows for controls of other libraries.
    TStringList& Skin3rd() noexcept { return m_skin3rd; }
    const TStringList& Skin3rd() const noexcept { return m_skin3rd; }
    const std::wstring& SkinFile() const noexcept { return m_skinFile; }
    // Loads the skin file now (its previous skin stays when the file is missing or
    // cannot be used, NoSkin is then true).
    void SetSkinFile(std::wstring_view value);
    // Switching skins while the program runs: loads `path` and re-skins every open window
    // with it, as assigning SkinFile does, but a file that is missing or cannot be used
    // changes nothing at all: the skin in use stays on screen and NoSkin keeps its value.
    // The reason is told once. True when the file's skin is the one in use now.
    bool ChangeSkinFile(std::wstring_view path);
    // "(Good)" while a packed skin is stored, "(none)" otherwise. Writing it does nothing.
    std::wstring SkinStore() const;
    TSkinFormType SkinFormtype() const noexcept { return m_skinFormtype; }
    void SetSkinFormtype(TSkinFormType value) noexcept { m_skinFormtype = value; }
    bool MenuUpdate() const noexcept { return m_menuUpdate; }
    void SetMenuUpdate(bool value) noexcept { m_menuUpdate = value; }
    bool MenuMerge() const noexcept { return m_menuMerge; }
    void SetMenuMerge(bool value) noexcept { m_menuMerge = value; }

    TFormSkinEvent OnFormSkin;
    TNotifyEvent OnSkinChanged;
    TSkinControlEvent OnSkinControl;

    // "SkinStream": the packed skin as int32 length and bytes. Reading it loads the skin
    // at once, while the rest of the form is still being read.
    void ReadSkinStream(TStream& stream);
    void WriteSkinStream(TStream& stream) const;

    // --- loading and skinning -------------------------------------------------------
    // Loads the stored packed skin into skin objects. False (after telling the user) for a
    // skin of an older version or one that is damaged, wherever the load fails; the
    // previous skin objects and colours stay then, and NoSkin stays true.
    bool LoadSkin();
    // Pushes a newly loaded skin to the windows skinned with this component.
    void ApplySkin();
    void Loaded() override;
    // Whether windows of `className` get skinned; called by the skin manager on its main
    // component with the proposal so far.
    void FilterForm(HWND window, std::wstring_view className, bool& doSkin);
    // Fired by the skin manager after a request has been carried out.
    void SkinChanged();

    // True until a load completes, during a load and after a failed one.
    bool NoSkin() const noexcept { return m_noSkin; }
    const TMemoryStream& PackedSkin() const noexcept { return m_packedSkin; }
    // Window skinning clears it while a window handles a menu change.
    bool FramePaint() const noexcept { return m_framePaint; }
    void SetFramePaint(bool value) noexcept { m_framePaint = value; }

    // --- the loaded skin (null where the skin lacks the part) -------------------------
    TDataSkinObject& LeftBorder() noexcept { return m_skin->leftBorder; }
    TDataSkinObject& RightBorder() noexcept { return m_skin->rightBorder; }
    TDataSkinObject& TopBorder() noexcept { return m_skin->topBorder; }
    TDataSkinObject& BottomBorder() noexcept { return m_skin->bottomBorder; }
    TDataSkinTitle& Title() noexcept { return m_skin->title; }
    TDataSkinButton& Buttons() noexcept { return m_skin->buttons; }
    const std::vector<std::unique_ptr<TDataSkinSysButton>>& SysButtons() const noexcept { return m_skin->sysButtons; }
    TDataSkinBorder* Progress() const noexcept { return m_skin->progress.get(); }
    TDataSkinObject* ProgressChunk() const noexcept { return m_skin->progressChunk.get(); }
    TDataSkinObject* MenuBarSkin() const noexcept { return m_skin->menuBarSkin.get(); }
    TDataSkinObject* GroupBoxEdge() const noexcept { return m_skin->groupBoxEdge.get(); }
    TDataSkinBoxLabel* GroupBoxLabel() const noexcept { return m_skin->groupBoxLabel.get(); }
    TDataSkinBorder* Tabs() const noexcept { return m_skin->tabs.get(); }
    TDataSkinObject* StatusBarEdges() const noexcept { return m_skin->statusBarEdges.get(); }
    TDataSkinObject* TabPane() const noexcept { return m_skin->tabPane.get(); }
    TDataSkinObject* ToolBars() const noexcept { return m_skin->toolBars.get(); }
    TDataSkinBorder* ComboButton() const noexcept { return m_skin->comboButton.get(); }
    TDataSkinObject* SunkEdge() const noexcept { return m_skin->sunkEdge.get(); }
    TDataSkinObject* ExtraImages() const noexcept { return m_skin->extraImages.get(); }
    TDataSkinObject* Headerbar() const noexcept { return m_skin->headerbar.get(); }
    TDataSkinObject* MenuItem() const noexcept { return m_skin->menuItem.get(); }
    TDataSkinObject* MenuBackground() const noexcept { return m_skin->menuBackground.get(); }
    TDataSkinObject* Scrollbar() const noexcept { return m_skin->scrollbar.get(); }
    TDataSkinObject* HorzScroll() const noexcept { return m_skin->horzScroll.get(); }
    TDataSkinObject* VertScroll() const noexcept { return m_skin->vertScroll.get(); }
    TDataSkinObject* HorzScrollThumb() const noexcept { return m_skin->horzScrollThumb.get(); }
    TDataSkinObject* VertScrollThumb() const noexcept { return m_skin->vertScrollThumb.get(); }
    TDataSkinObject* ThumbHorz() const noexcept { return m_skin->thumbHorz.get(); }
    TDataSkinObject* ThumbVert() const noexcept { return m_skin->thumbVert.get(); }
    TDataSkinObject* ThumbLeft() const noexcept { return m_skin->thumbLeft.get(); }
    TDataSkinObject* ThumbRight() const noexcept { return m_skin->thumbRight.get(); }
    TDataSkinObject* ThumbUp() const noexcept { return m_skin->thumbUp.get(); }
    TDataSkinObject* ThumbDown() const noexcept { return m_skin->thumbDown.get(); }
    TDataSkinBorder* UpDownHorz() const noexcept { return m_skin->upDownHorz.get(); }
    TDataSkinBorder* UpDownVert() const noexcept { return m_skin->upDownVert.get(); }
    TDataSkinObject* Track() const noexcept { return m_skin->track.get(); }
    TDataSkinObject* TrackVert() const noexcept { return m_skin->trackVert.get(); }
    // Made by the load: the tool-bar background and the drop-down arrow strip.
    TDataSkinObject* ToolbarSkin() const noexcept { return m_skin->toolbarSkin.get(); }
    TDataSkinObject* ComboArrow() const noexcept { return m_skin->comboArrow.get(); }

    const TSkinColours& Colours() const noexcept { return m_skin->colours; }
    // The caption strip's colour, for tinting; the form colour when the skin has no strip.
    TColor TitleColour() const noexcept { return m_skin->titleColour; }
    // A solid brush of the skin's form colour; null before the first load.
    HBRUSH ButtonFaceBrush() const noexcept { return m_skin->buttonFaceBrush.Get(); }
    // A system control about to draw text in the system's text colour on the skin's face
    // (a message box's text, a dialog's check box) draws it in the skin's text colour.
    void SetFaceTextColour(HDC dc) const noexcept;
    const TFont& CaptionFont() const noexcept { return m_captionFont; }
    // The application's small icon on the key colour, transparent by it; empty while the
    // application has no icon. Made again whenever the application's icon has changed,
    // since the main form gives the application its icon only after this component has
    // loaded. Throws EInvalidGraphic when there are no GDI resources to make it.
    TBitmap& AppIcon();
    // Restore, maximise, minimise and close glyphs of the skinned system menu.
    TImageList& MenuGlyphs() noexcept { return m_menuGlyphs; }

    static void Publish(TPublisher<TSkinData>& p);

private:
    // Everything a load makes. A load fills a fresh set and swaps it in only when the
    // whole load succeeded, so a load that fails part-way leaves the skin as it was.
    struct Skin {
        TDataSkinObject leftBorder{"Left"};
        TDataSkinObject rightBorder{"Right"};
        TDataSkinObject topBorder{"Top"};
        TDataSkinObject bottomBorder{"Bottom"};
        TDataSkinTitle title{"Title"};
        TDataSkinButton buttons{"Buttons"};
        std::vector<std::unique_ptr<TDataSkinSysButton>> sysButtons;
        std::unique_ptr<TDataSkinBorder> progress;
        std::unique_ptr<TDataSkinObject> progressChunk;
        std::unique_ptr<TDataSkinObject> menuBarSkin;
        std::unique_ptr<TDataSkinObject> groupBoxEdge;
        std::unique_ptr<TDataSkinBoxLabel> groupBoxLabel;
        std::unique_ptr<TDataSkinBorder> tabs;
        std::unique_ptr<TDataSkinObject> statusBarEdges;
        std::unique_ptr<TDataSkinObject> tabPane;
        std::unique_ptr<TDataSkinObject> toolBars;
        std::unique_ptr<TDataSkinBorder> comboButton;
        std::unique_ptr<TDataSkinObject> sunkEdge;
        std::unique_ptr<TDataSkinObject> extraImages;
        std::unique_ptr<TDataSkinObject> headerbar;
        std::unique_ptr<TDataSkinObject> menuItem;
        std::unique_ptr<TDataSkinObject> menuBackground;
        std::unique_ptr<TDataSkinObject> scrollbar;
        std::unique_ptr<TDataSkinObject> horzScroll;
        std::unique_ptr<TDataSkinObject> vertScroll;
        std::unique_ptr<TDataSkinObject> horzScrollThumb;
        std::unique_ptr<TDataSkinObject> vertScrollThumb;
        std::unique_ptr<TDataSkinObject> thumbHorz;
        std::unique_ptr<TDataSkinObject> thumbVert;
        std::unique_ptr<TDataSkinObject> thumbLeft;
        std::unique_ptr<TDataSkinObject> thumbRight;
        std::unique_ptr<TDataSkinObject> thumbUp;
        std::unique_ptr<TDataSkinObject> thumbDown;
        std::unique_ptr<TDataSkinBorder> upDownHorz;
        std::unique_ptr<TDataSkinBorder> upDownVert;
        std::unique_ptr<TDataSkinObject> track;
        std::unique_ptr<TDataSkinObject> trackVert;
        std::unique_ptr<TDataSkinObject> toolbarSkin;
        std::unique_ptr<TDataSkinObject> comboArrow;

        TSkinColours colours;
        TColor titleColour = clBtnFace;
        BrushHandle buttonFaceBrush;
    };

    bool LoadPacked(TMemoryStream& packed);
    // Reads and loads a skin file; false (told why) when it cannot be used.
    bool LoadSkinFile(const std::wstring& path);
    static void ReadSkin(const TQuickIni& description, const TSkinReader& files, Skin& skin);
    static void LoadBuiltInTracks(Skin& skin);
    static void MakeSane(Skin& skin);
    static void MakeComboImages(Skin& skin);
    static void MakeToolbarSkin(Skin& skin);
    void MakeCaptionFont();
    void MakeAppIcon();
    void Report(std::u16string_view text) const;

    bool m_active = false;
    int32_t m_disableTag = 99;
    TSkinControlTypes m_skinControls = kDefaultSkinControls;
    TSkinOptions m_options = kDefaultSkinOptions;
    TStringList m_skin3rd;
    std::wstring m_skinFile;
    TSkinFormType m_skinFormtype = TSkinFormType::sfMainform;
    bool m_menuUpdate = true;
    bool m_menuMerge = false;

    TMemoryStream m_packedSkin;
    bool m_noSkin = true;
    bool m_framePaint = true;

    std::unique_ptr<Skin> m_skin = std::make_unique<Skin>();
    TFont m_captionFont;
    TBitmap m_appIcon;
    HICON m_appIconSource = nullptr;  // the application icon m_appIcon shows
    TImageList m_menuGlyphs{16, 16};
};

// The "SkinStream" property's bytes for a packed skin (its int32 length, then the bytes),
// as a stored layout carries them: what a program that is not read from a layout hands
// its skin data component to load.
std::vector<std::byte> SkinStreamProperty(std::span<const std::byte> packed);
