#include "skin/data/WinSkinData.h"

#include "framework/core/FailureLog.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/win/Convert.h"
#include "framework/graphics/PixelView.h"
#include "framework/win/Files.h"
#include "framework/win/User32Functions.h"
#include "skin/data/FrameRules.h"
#include "skin/data/ImageUtils.h"
#include "skin/data/PixelSlice.h"
#include "skin/data/QuickIni.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinLoadRules.h"
#include "skin/data/SkinManagerLink.h"
#include "skin/data/SkinReader.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace {

// Requests of the component run this long after the call that makes them.
constexpr uint32_t kRequestDelayMs = 250;

// The pictures the load makes for combo boxes: each state of the combined image is a
// 50 x 21 cell.
constexpr int kComboCellWidth = 50;
constexpr int kComboCellHeight = 21;
constexpr int kComboArrowSize = 17;

// Messages about skins go to the user in a message box over the active window. A
// test replaces this through TSkinReader::SetNotifier.
const bool s_messageBoxInstalled = [] {
    TSkinReader::SetNotifier([](std::u16string_view text) {
        try {
            const std::wstring wide = ToWide(text);
            if (Application) (void)Application->MessageBox(wide, {}, MB_OK | MB_ICONWARNING);
            else ::MessageBoxW(nullptr, wide.c_str(), nullptr, MB_OK | MB_ICONWARNING);
        } catch (...) {  // a message that cannot be shown must not turn into a failed load
            LogCurrentException(u"A skin message could not be shown");
        }
    });
    return true;
}();

HMODULE ProgramModule() noexcept { return ::GetModuleHandleW(nullptr); }

void FillBitmap(TBitmap& bitmap, const RECT& area, TColor colour) {
    BrushHandle brush{::CreateSolidBrush(ColorToRGB(colour))};
    ::FillRect(bitmap.Dc(), &area, brush.Get());
}

TColor PlainColour(TColor colour) noexcept { return static_cast<TColor>(ColorToRGB(colour)); }

// The bounds every consumer may rely on: frames it can divide by and margins its cell
// can hold.
void MakeObjectSane(TDataSkinObject* object, FrameLayout layout) noexcept {
    if (!object) return;
    const TBitmap& image = object->Image;
    object->FrameCount =
        SaneFrameCount(object->FrameCount, layout == FrameLayout::Vertical ? image.Height() : image.Width());
    const int cellWidth = layout == FrameLayout::Vertical ? image.Width() : image.Width() / object->FrameCount;
    const int cellHeight = layout == FrameLayout::Vertical ? image.Height() / object->FrameCount : image.Height();
    object->SetMargins(FitMargins(object->Margins(), cellWidth, cellHeight));
}

// Pictures are composed in memory, as 0x00RRGGBB pixels (the layout of a 32-bit DIB):
// from reading the pictures to writing the results no GDI object is made and no GDI call
// is made, which under Wine cost more than the composing itself.
class Pixels {
public:
    Pixels() = default;
    Pixels(int width, int height) { Resize(width, height); }

    void Resize(int width, int height) {
        width = std::max(width, 0), height = std::max(height, 0);
        try {
            m_pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
        } catch (const std::bad_alloc&) {
            throw EInvalidGraphic(u"Out of memory for a picture");
        }
        m_width = width, m_height = height;
    }
    int Width() const noexcept { return m_width; }
    PixelView View() noexcept { return PixelView::Packed(m_pixels, m_width, m_height); }
    void Fill(uint32_t pixel) noexcept { std::fill(m_pixels.begin(), m_pixels.end(), pixel); }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t> m_pixels;
};

// The pixels of `picture`, whatever its format; `pixels` is empty for an empty one.
void ReadPixels(const TBitmap& picture, Pixels& pixels) {
    pixels.Resize(picture.Width(), picture.Height());
    const PixelView view = pixels.View();
    const int bitCount = picture.BitsPerPixel();
    std::vector<TColor> colours;
    for (int y = 0; y < view.height; ++y) {
        const uint8_t* in = picture.ScanLine(y);
        const std::span<uint32_t> out = view.Row(y);
        if (bitCount == 32) {
            std::memcpy(out.data(), in, out.size_bytes());  // as a GDI copy, the fourth byte too
        } else if (bitCount == 24) {
            for (uint32_t& pixel : out) pixel = Bgra(in[2], in[1], in[0], 0), in += 3;
        } else {
            colours.resize(out.size());
            picture.RowColours(y, colours);
            for (size_t x = 0; x < out.size(); ++x) {
                const COLORREF colour = ColorToRGB(colours[x]);
                out[x] = Bgra(GetRValue(colour), GetGValue(colour), GetBValue(colour), 0);
            }
        }
    }
}

// `pixels` into `picture` as a 24-bit bitmap of the same size.
void WritePixels(const PixelView& pixels, TBitmap& picture) {
    picture.SetPixelFormat(TPixelFormat::pf24bit);
    picture.SetSize(pixels.width, pixels.height);
    for (int y = 0; y < pixels.height; ++y) {
        uint8_t* out = picture.ScanLine(y);
        for (const uint32_t pixel : pixels.Row(y)) {
            out[0] = static_cast<uint8_t>(pixel), out[1] = static_cast<uint8_t>(pixel >> 8);
            out[2] = static_cast<uint8_t>(pixel >> 16), out += 3;
        }
    }
}

void FillPixels(const PixelView& pixels, const SkinRect& area, uint32_t colour) noexcept {
    for (int y = std::max(area.y, 0); y < std::min(area.y + area.height, pixels.height); ++y)
        for (int x = std::max(area.x, 0); x < std::min(area.x + area.width, pixels.width); ++x) pixels.At(x, y) = colour;
}

// `from` of `source` with its top left at (x, y) of `target`; clipped to both.
void PastePixels(const PixelView& target, int x, int y, const PixelView& source, const SkinRect& from) noexcept {
    SlicePlan copy;
    copy.Add({from, {x, y, from.width, from.height}, MiddleMode::Stretch});
    DrawPlan(target, 0, 0, copy, source, std::nullopt);
}

void MirrorPixels(const PixelView& pixels) noexcept {
    for (int y = 0; y < pixels.height; ++y) std::reverse(pixels.Row(y).begin(), pixels.Row(y).end());
}

}  // namespace

TSkinData::TSkinData() {
    (void)s_messageBoxInstalled;
    for (const std::u16string_view row : DefaultClassMap()) m_skin3rd.Add(row);
    m_appIcon.SetPixelFormat(TPixelFormat::pf24bit);
    m_appIcon.SetTransparentMode(TTransparentMode::tmFixed);
    m_appIcon.SetTransparentColor(kKeyColour);
    try {
        TBitmap glyphs;
        glyphs.LoadFromResourceName(ProgramModule(), kMenuGlyphsResource);
        m_menuGlyphs.AddMasked(glyphs, clWhite);
    } catch (const Exception&) {  // a program without the resource gets a system menu without glyphs
        LogCurrentException(u"The system menu glyphs are missing");
    }
}

TSkinData::~TSkinData() {
    if (SkinManagerLink* manager = SkinManagerLink::Instance()) manager->RemoveSkinData(*this);
}

void TSkinData::Publish(TPublisher<TSkinData>& p) {
    const auto ignore = [](TSkinData&, std::u16string_view) {};
    p.Bool(u"Active", &TSkinData::Active, &TSkinData::SetActive).Default(false);
    p.Integer(u"DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag).Default(99);
    p.Set(u"SkinControls", &TSkinData::SkinControls, &TSkinData::SetSkinControls).Default(kDefaultSkinControls);
    p.Set(u"Options", &TSkinData::Options, &TSkinData::SetOptions).Default(kDefaultSkinOptions);
    p.Object(u"Skin3rd", [](TSkinData& d) -> TStringList& { return d.m_skin3rd; });
    p.String(u"SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile);
    p.String(u"SkinStore", &TSkinData::SkinStore, ignore);
    p.Enum(u"SkinFormtype", &TSkinData::SkinFormtype, &TSkinData::SetSkinFormtype).Default(TSkinFormType::sfMainform);
    p.String(u"Version", [](const TSkinData&) { return kVersion; }, ignore);
    p.Bool(u"MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate).Default(true);
    p.Bool(u"MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge).Default(false);
    p.Event(u"OnFormSkin", &TSkinData::OnFormSkin);
    p.Event(u"OnSkinChanged", &TSkinData::OnSkinChanged);
    p.Event(u"OnSkinControl", &TSkinData::OnSkinControl);
    p.Binary(u"SkinStream", &TSkinData::ReadSkinStream, &TSkinData::WriteSkinStream);
}

std::wstring TSkinData::SkinStore() const { return m_packedSkin.Size() > 0 ? L"(Good)" : L"(none)"; }

// --- streaming ----------------------------------------------------------------------

void TSkinData::ReadSkinStream(TStream& stream) {
    if (stream.Remaining() < 4) {
        Report(u"Skin container: the stored skin has no length");
        return;
    }
    const int32_t length = stream.ReadInt32();
    if (length <= 0) {  // no skin stored
        m_packedSkin.Clear();
        return;
    }
    if (stream.Remaining() < length) {
        Report(u"Skin container: the stored skin holds fewer bytes than its length says");
        return;
    }
    m_packedSkin.Clear();
    m_packedSkin.CopyFrom(stream, length);
    (void)LoadSkin();
}

std::vector<std::byte> SkinStreamProperty(std::span<const std::byte> packed) {
    TMemoryStream block;
    block.WriteInt32(static_cast<int32_t>(packed.size()));
    if (!packed.empty()) block.WriteBuffer(packed);
    const auto bytes = block.Bytes();
    return {bytes.begin(), bytes.end()};
}

void TSkinData::WriteSkinStream(TStream& stream) const {
    const auto bytes = m_packedSkin.Bytes();
    stream.WriteInt32(static_cast<int32_t>(bytes.size()));
    if (!bytes.empty()) stream.WriteBuffer(bytes);
}

// --- loading --------------------------------------------------------------------------

void TSkinData::Report(std::u16string_view text) const { TSkinReader::Notify(text); }

bool TSkinData::LoadSkin() { return LoadPacked(m_packedSkin); }

bool TSkinData::LoadPacked(TMemoryStream& packed) {
    m_noSkin = true;
    std::unique_ptr<Skin> fresh;
    try {
        TSkinReader files;
        if (!files.Open(packed)) return false;  // an older skin: the reader has told the user
        TMemoryStream text;
        std::string descriptionName;
        files.FindFile(".ini", text, descriptionName);
        TQuickIni description;
        description.LoadFromStream(text);
        // A file cut short decodes to zeros where its description was: without one the
        // skin would load with no parts at all and every window would lose its skin.
        if (description.SectionIndex().Count() == 0)
            throw ESkinFormatError(u"Skin container: the skin has no description");
        fresh = std::make_unique<Skin>();
        ReadSkin(description, files, *fresh);
    } catch (const Exception& error) {
        Report(error.Message());
        return false;
    }
    // The arrow stays what the last skin with a combo button made.
    if (!fresh->comboArrow) fresh->comboArrow = std::move(m_skin->comboArrow);
    m_skin = std::move(fresh);
    m_noSkin = false;
    return true;
}

void TSkinData::ReadSkin(const TQuickIni& description, const TSkinReader& files, Skin& skin) {
    const SkinDescriptionReader reader(description, files);
    reader.ReadBorder("Left", skin.leftBorder);
    reader.ReadBorder("Right", skin.rightBorder);
    reader.ReadBorder("Top", skin.topBorder);
    reader.ReadBorder("Bottom", skin.bottomBorder);
    skin.colours = reader.Colours();
    const TColor text = skin.colours.ButtonText;
    skin.sysButtons = reader.ReadTitleButtons();
    reader.ReadButtons(skin.buttons, text);
    reader.ReadTitle(skin.title);

    skin.progress = reader.ReadProgress();
    skin.progressChunk = reader.ReadPlain("Progress.Chunk", text);
    skin.menuBarSkin = reader.ReadMenuBar();
    skin.groupBoxEdge = reader.ReadPlain("GroupBoxEdge", text);
    skin.groupBoxLabel = reader.ReadGroupBox(text);
    skin.tabs = reader.ReadBordered("Tabs", "Border", text);
    skin.statusBarEdges = reader.ReadPlain("StatusBarEdges", text);
    skin.tabPane = reader.ReadPlain("Tab.Pane", text);
    if (skin.tabPane) {
        // The pane's border is drawn inside the tab control's own 4-pixel frame.
        SliceMargins m = skin.tabPane->Margins();
        m.left = std::min(m.left, 4), m.top = std::min(m.top, 4);
        m.right = std::min(m.right, 4), m.bottom = std::min(m.bottom, 4);
        skin.tabPane->SetMargins(m);
    }
    skin.toolBars = reader.ReadPlain("ToolBars", text);
    skin.comboButton = reader.ReadBordered("ComboButton", "****", text);
    skin.sunkEdge = reader.ReadPlain("SunkEdge", text);
    if (skin.comboButton && !skin.comboButton->Image.Empty()) {
        // For combos whose drop button is on the left.
        skin.comboButton->Image2.Assign(skin.comboButton->Image);
        skin.comboButton->Image2.SetPixelFormat(TPixelFormat::pf24bit);
        MirrorImage(skin.comboButton->Image2);
    }

    skin.extraImages = reader.ReadPlain("ExtraImages", text);
    skin.headerbar = reader.ReadPlain("Headerbar", text);
    skin.menuItem = reader.ReadPlain("MenuItem", text);
    skin.menuBackground = reader.ReadPlain("MenuBackground", text);
    skin.scrollbar = reader.ReadPlain("Scrollbar", text);
    skin.horzScroll = reader.ReadPlain("HorzScroll", text);
    skin.vertScroll = reader.ReadPlain("VertScroll", text);
    skin.horzScrollThumb = reader.ReadPlain("HorzScrollThumb", text);
    if (skin.horzScrollThumb)
        skin.horzScrollThumb->FrameCount = description.ReadInteger("HorzScrollThumb", "FrameCount", 3);
    skin.vertScrollThumb = reader.ReadPlain("VertScrollThumb", text);
    if (skin.vertScrollThumb)
        skin.vertScrollThumb->FrameCount = description.ReadInteger("VertScrollThumb", "FrameCount", 3);
    skin.thumbHorz = reader.ReadPlain("Trackbar.ThumbHorz", text);
    skin.thumbVert = reader.ReadPlain("Trackbar.ThumbVert", text);
    skin.thumbLeft = reader.ReadPlain("Trackbar.ThumbLeft", text);
    skin.thumbRight = reader.ReadPlain("Trackbar.ThumbRight", text);
    skin.thumbUp = reader.ReadPlain("Trackbar.ThumbUp", text);
    skin.thumbDown = reader.ReadPlain("Trackbar.ThumbDown", text);
    skin.upDownHorz = reader.ReadBordered("UpDown.Horz", "GlyphImage", text);
    skin.upDownVert = reader.ReadBordered("UpDown.Vert", "GlyphImage", text);
    skin.track = reader.ReadPlain("Track", text);
    skin.trackVert = reader.ReadPlain("TRACKVERT", text);

    ApplyFixedFrameCount(&skin.buttons, SkinPart::Buttons);
    ApplyFixedFrameCount(&skin.title, SkinPart::Title);
    ApplyFixedFrameCount(skin.progress.get(), SkinPart::Progress);
    ApplyFixedFrameCount(skin.menuBarSkin.get(), SkinPart::MenuBarSkin);
    ApplyFixedFrameCount(skin.groupBoxEdge.get(), SkinPart::GroupBoxEdge);
    ApplyFixedFrameCount(skin.tabPane.get(), SkinPart::TabPane);
    ApplyFixedFrameCount(skin.groupBoxLabel.get(), SkinPart::GroupBoxLabel);
    ApplyFixedFrameCount(skin.menuBackground.get(), SkinPart::MenuBackground);
    ApplyFixedFrameCount(skin.statusBarEdges.get(), SkinPart::StatusBarEdges);
    ApplyFixedFrameCount(skin.comboButton.get(), SkinPart::ComboButton);
    ApplyFixedFrameCount(skin.sunkEdge.get(), SkinPart::SunkEdge);
    ApplyFixedFrameCount(skin.horzScroll.get(), SkinPart::HorzScroll);
    ApplyFixedFrameCount(skin.vertScroll.get(), SkinPart::VertScroll);
    ApplyFixedFrameCount(skin.toolBars.get(), SkinPart::ToolBars);
    ApplyFixedFrameCount(skin.tabs.get(), SkinPart::Tabs);
    ApplyFixedFrameCount(skin.extraImages.get(), SkinPart::ExtraImages);
    ApplyFixedFrameCount(skin.menuItem.get(), SkinPart::MenuItem);
    for (TDataSkinObject* thumb : {skin.thumbHorz.get(), skin.thumbVert.get(), skin.thumbLeft.get(),
                                   skin.thumbRight.get(), skin.thumbUp.get(), skin.thumbDown.get()})
        ApplyFixedFrameCount(thumb, SkinPart::TrackbarThumb);
    ApplyFixedFrameCount(skin.headerbar.get(), SkinPart::Headerbar);
    ApplyFixedFrameCount(skin.upDownHorz.get(), SkinPart::UpDownHorz);
    ApplyFixedFrameCount(skin.upDownVert.get(), SkinPart::UpDownVert);
    ApplyFixedFrameCount(skin.scrollbar.get(), SkinPart::Scrollbar);
    // Thumbs, chunk, grooves and borders keep the counts their sections gave.
    MakeSane(skin);
    LoadBuiltInTracks(skin);

    // The title colour comes before the tool-bar background, which is tinted by it.
    skin.titleColour = skin.colours.ButtonFace;
    if (const TDataSkinObject& top = skin.topBorder; !top.Image.Empty())
        skin.titleColour = top.Image.PixelColour(top.Image.Width() / 3, top.Image.Height() / top.FrameCount / 3);
    skin.buttonFaceBrush = BrushHandle{::CreateSolidBrush(ColorToRGB(skin.colours.ButtonFace))};
    if (!skin.buttonFaceBrush) throw EInvalidGraphic(u"Out of system resources for a brush");
    MakeComboImages(skin);
    MakeToolbarSkin(skin);
}

void TSkinData::LoadBuiltInTracks(Skin& skin) {
    const auto builtIn = [](std::unique_ptr<TDataSkinObject>& track, std::string_view name, std::wstring_view resource) {
        if (track) return;
        try {
            auto made = std::make_unique<TDataSkinObject>(name);
            made->Image.LoadFromResourceName(ProgramModule(), resource);
            made->SetMargins({3, 3, 3, 3});
            made->Tile = 0;
            made->FrameCount = 1;
            track = std::move(made);
        } catch (const Exception&) {  // a program without the resource draws plain grooves
            LogCurrentException(u"A built-in track-bar groove is missing");
        }
    };
    builtIn(skin.track, "Track", kTrackResource);
    builtIn(skin.trackVert, "TRACKVERT", kTrackVertResource);
}

void TSkinData::MakeSane(Skin& skin) {
    using Objects = std::initializer_list<TDataSkinObject*>;
    // The window's top and bottom edges and the menu bar stack their frames.
    for (TDataSkinObject* object : Objects{&skin.topBorder, &skin.bottomBorder, skin.menuBarSkin.get()})
        MakeObjectSane(object, FrameLayout::Vertical);
    for (TDataSkinObject* object :
         Objects{&skin.leftBorder, &skin.rightBorder, &skin.buttons, skin.progress.get(), skin.progressChunk.get(),
                 skin.groupBoxEdge.get(), skin.groupBoxLabel.get(), skin.tabs.get(), skin.statusBarEdges.get(),
                 skin.tabPane.get(), skin.toolBars.get(), skin.comboButton.get(), skin.sunkEdge.get(),
                 skin.extraImages.get(), skin.headerbar.get(), skin.menuItem.get(), skin.menuBackground.get(),
                 skin.scrollbar.get(), skin.horzScroll.get(), skin.vertScroll.get(), skin.horzScrollThumb.get(),
                 skin.vertScrollThumb.get(), skin.thumbHorz.get(), skin.thumbVert.get(), skin.thumbLeft.get(),
                 skin.thumbRight.get(), skin.thumbUp.get(), skin.thumbDown.get(), skin.upDownHorz.get(),
                 skin.upDownVert.get(), skin.track.get(), skin.trackVert.get()})
        MakeObjectSane(object, FrameLayout::Horizontal);
    for (const auto& button : skin.sysButtons)
        button->FrameCount = SaneFrameCount(button->FrameCount, button->Image.Width());
    skin.buttons.CheckFrames = SaneFrameCount(skin.buttons.CheckFrames, skin.buttons.CheckImage.Width());
    skin.buttons.RadioFrames = SaneFrameCount(skin.buttons.RadioFrames, skin.buttons.RadioImage.Width());
    // The title's "margins" are text offsets, not slicing margins.
    skin.title.FrameCount = SaneFrameCount(skin.title.FrameCount, skin.title.Image.Width());
    skin.title.TextShift() = SaneTextOffset(skin.title.TextShift());
    skin.title.TextShiftVert() = SaneTextOffset(skin.title.TextShiftVert());
    skin.title.TextRightClip() = SaneTextOffset(skin.title.TextRightClip());
    skin.title.TXTBackleft = SaneTextOffset(skin.title.TXTBackleft);
    skin.title.TXTBackRight = SaneTextOffset(skin.title.TXTBackRight);
    skin.title.FontHeight = SaneTextOffset(skin.title.FontHeight);
}

void TSkinData::MakeComboImages(Skin& skin) {
    if (skin.sunkEdge && skin.comboButton) {
        TDataSkinObject& sunk = *skin.sunkEdge;
        TDataSkinBorder& combo = *skin.comboButton;
        const int frames = sunk.FrameCount;
        const int button = ::GetSystemMetrics(SM_CXHSCROLL) + 2;
        const int buttonLeft = kComboCellWidth - button;
        const uint32_t key = static_cast<uint32_t>(kKeyColour);  // magenta reads the same in both byte orders

        // Composed in memory: a dozen masked GDI transfers cost more than the rest of a load.
        Pixels sunkPixels, comboPixels, extraPixels;
        ReadPixels(sunk.Image, sunkPixels);
        ReadPixels(combo.Image, comboPixels);
        if (skin.extraImages) ReadPixels(skin.extraImages->Image, extraPixels);
        Pixels combined{kComboCellWidth * frames, kComboCellHeight};
        Pixels cell{kComboCellWidth, kComboCellHeight};
        combined.Fill(key);
        for (int frame = 1; frame <= frames; ++frame) {
            cell.Fill(key);
            // Opaque onto the key colour is the same as leaving the key colour out.
            if (const auto edge = FrameCell(sunk.Image.Width(), sunk.Image.Height(), FrameLayout::Horizontal, frames,
                                            frame))
                DrawPlan(cell.View(), 0, 0,
                         NineSlice(*edge, sunk.Margins(), kComboCellWidth, kComboCellHeight, MiddleMode::Stretch),
                         sunkPixels.View(), std::nullopt);
            if (const auto face = FrameCell(combo.Image.Width(), combo.Image.Height(), FrameLayout::Horizontal,
                                            combo.FrameCount, frame))
                DrawPlan(cell.View(), buttonLeft, 0,
                         NineSlice(*face, combo.Margins(), button, kComboCellHeight, MiddleModeOf(combo.Tile)),
                         comboPixels.View(), key);
            if (skin.extraImages)
                if (const auto glyph = FrameCell(skin.extraImages->Image.Width(), skin.extraImages->Image.Height(),
                                                 FrameLayout::Horizontal, skin.extraImages->FrameCount, frame)) {
                    SlicePlan centred;
                    const SkinRect at = CentredIn({buttonLeft, 0, button, kComboCellHeight}, glyph->width, glyph->height);
                    centred.Add({*glyph, at, MiddleMode::Stretch});
                    DrawPlan(cell.View(), 0, 0, centred, extraPixels.View(), key);
                }
            // The text area stays transparent: the edit or the list item shows there.
            FillPixels(cell.View(), {2, 2, kComboCellWidth - 3 - button, kComboCellHeight - 5}, key);
            PastePixels(combined.View(), (frame - 1) * kComboCellWidth, 0, cell.View(),
                        {0, 0, kComboCellWidth, kComboCellHeight});
        }
        combo.Style = 2;
        combo.SetMargins(sunk.Margins());
        combo.LeftWidth = 2;
        combo.RightWidth = button + 2;
        WritePixels(combined.View(), combo.Image);
        MirrorPixels(combined.View());
        WritePixels(combined.View(), sunk.Image);
        sunk.LeftWidth = button + 2;
        sunk.RightWidth = 2;
    }

    if (!skin.comboButton) return;  // the load keeps the arrow of the last skin with a combo button
    if (!skin.sunkEdge) {
        skin.comboArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
        skin.comboArrow->Image.Assign(skin.comboButton->Image);
        ReplaceKeyColour(skin.comboArrow->Image, skin.colours.ButtonFace);
        skin.comboArrow->FrameCount = skin.comboButton->FrameCount;
    } else if (skin.comboButton->Style == 2) {
        skin.comboArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
        // The drop button of each state, without the edge around it.
        Pixels combined;
        ReadPixels(skin.comboButton->Image, combined);
        const int frames = skin.sunkEdge->FrameCount;
        const int cellWidth = combined.Width() / frames;
        Pixels arrow{kComboArrowSize * frames, kComboArrowSize};
        arrow.Fill(0);
        for (int i = 0; i < frames; ++i)
            PastePixels(arrow.View(), i * kComboArrowSize, 0, combined.View(),
                        {(i + 1) * cellWidth - 19, 2, kComboArrowSize, kComboArrowSize});
        WritePixels(arrow.View(), skin.comboArrow->Image);
        skin.comboArrow->FrameCount = frames;
    }
}

void TSkinData::MakeToolbarSkin(Skin& skin) {
    skin.toolbarSkin = std::make_unique<TDataSkinObject>("Toolbar");
    const auto colours = ToolbarGradient(PlainColour(skin.colours.ButtonFace), PlainColour(skin.titleColour));
    TBitmap& image = skin.toolbarSkin->Image;
    image.SetPixelFormat(TPixelFormat::pf24bit);
    image.SetSize(10, 40);
    // Pictures are made on first use; this one GDI draws now, so it must exist now.
    const HDC dc = image.Dc();
    if (!dc || !GradientFill(dc, {0, 0, 10, 40}, colours.top, GradientDirection::TopToBottom, colours.bottom))
        throw EInvalidGraphic(u"Out of system resources for a picture");
    skin.toolbarSkin->FrameCount = 1;
}

// --- the skin file ------------------------------------------------------------------

void TSkinData::SetSkinFile(std::wstring_view value) {
    m_noSkin = true;
    m_skinFile = value;
    if (m_skinFile.empty()) return;
    if (!FileExists(m_skinFile)) return;
    if (LoadSkinFile(m_skinFile) && m_skinFormtype == TSkinFormType::sfMainform) ApplySkin();
}

bool TSkinData::ChangeSkinFile(std::wstring_view path) {
    const std::wstring file(path);
    if (file.empty() || !FileExists(file)) {
        Report(u"The skin file " + FromWide(file) + u" does not exist");
        return false;
    }
    const bool noSkin = m_noSkin;
    if (!LoadSkinFile(file)) {
        // The windows go on painting with the skin they have; NoSkin must keep saying so.
        m_noSkin = noSkin;
        return false;
    }
    m_skinFile = file;
    if (m_skinFormtype == TSkinFormType::sfMainform) ApplySkin();
    return true;
}

bool TSkinData::LoadSkinFile(const std::wstring& path) {
    std::vector<std::byte> bytes;
    switch (ReadWholeFile(path, static_cast<size_t>(kMaxSkinFileBytes), bytes)) {
    case TWholeFileRead::Done:
        break;
    case TWholeFileRead::TooLarge:
        Report(u"The skin file " + FromWide(path) + u" is too large to be a skin");
        return false;
    case TWholeFileRead::CannotOpen:
    case TWholeFileRead::CannotRead:
        Report(u"Cannot read the skin file " + FromWide(path));
        return false;
    }
    TMemoryStream candidate(std::move(bytes));
    // The stored skin is replaced only by one that loads, so a bad file loses nothing.
    if (!LoadPacked(candidate)) return false;
    m_packedSkin.Clear();
    m_packedSkin.WriteBuffer(candidate.Bytes());
    return true;
}

// --- skinning -------------------------------------------------------------------------

void TSkinData::Loaded() {
    TComponent::Loaded();
    if (!PlatformUser32().getScrollBarInfo) m_skinControls.Exclude(TSkinControlType::xcScrollbar);
    // A program without window skinning has no manager: the skin is loaded for drawing only.
    SkinManagerLink* manager = SkinManagerLink::CreateInstance();
    if (manager) {
        const auto& registered = manager->SkinDatas();
        if (std::find(registered.begin(), registered.end(), this) == registered.end()) manager->AddSkinData(*this);
    }
    MakeCaptionFont();

    if (m_skinFormtype != TSkinFormType::sfMainform) {
        if (!manager) return;
        manager->SetActive(true);
        manager->SetManagerState(manager->ManagerState() + 1);
        if (auto* form = As<TCustomForm>(Owner()); form && m_active) manager->SkinWindow(form->Handle());
        return;
    }

    if (manager) {
        try {
            manager->InstallHook();
        } catch (const Exception&) {
            // Without the hook no window is skinned; the program runs in the platform's look.
            LogCurrentException(u"The skin hook is not installed");
        }
    }
    if (m_active) {
        if (m_noSkin) m_active = false;
        else if (manager) manager->Request(TSkinAction::SkinAll, kRequestDelayMs);
    }
    // Frame skinning draws the menu bar itself; without it the items are drawn instead.
    if (m_skinControls.Contains(TSkinControlType::xcMainMenu)) m_skinControls.Exclude(TSkinControlType::xcMenuItem);
    else m_skinControls.Exclude(TSkinControlType::xcSystemMenu);
    MakeAppIcon();
}

void TSkinData::SetActive(bool value) {
    if (value == m_active) return;
    if (IsLoading()) {  // Loaded acts on it
        m_active = value;
        return;
    }
    SkinManagerLink* manager = SkinManagerLink::Instance();
    switch (m_skinFormtype) {
    case TSkinFormType::sfMainform:
        // Without a loaded skin there is nothing to skin with: skinning stays off.
        if (value && m_noSkin) return;
        m_active = value;
        if (!manager) return;
        manager->SetRequestingSkinData(this);
        manager->Request(value ? TSkinAction::SkinAll : TSkinAction::UnskinAll, kRequestDelayMs);
        if (value) manager->SetManagerState(SkinManagerLink::kLive);
        return;
    case TSkinFormType::sfOnlyThisForm:
        if (manager) manager->SetRequestingSkinData(this);
        if (value && m_noSkin) return;
        m_active = value;
        if (manager) manager->Request(value ? TSkinAction::SkinAll : TSkinAction::UnskinAll, kRequestDelayMs);
        return;
    case TSkinFormType::sfDialog:
    case TSkinFormType::sfDLL: m_active = value; return;
    }
}

void TSkinData::ApplySkin() {
    if (IsLoading()) return;
    if (!SkinManagerLink::Instance()) Loaded();
    SkinManagerLink* link = SkinManagerLink::Instance();
    if (!link) return;  // no window skinning in this program
    SkinManagerLink& manager = *link;
    manager.SetRequestingSkinData(this);
    manager.RefreshSkinForms();
    if (manager.ManagerState() == SkinManagerLink::kLive) manager.Request(TSkinAction::Refresh, kRequestDelayMs);
}

void TSkinData::FilterForm(HWND, std::wstring_view className, bool& doSkin) {
    if (OnFormSkin) {
        OnFormSkin(this, std::wstring(className), doSkin);
        return;
    }
    // The month calendar draws itself into its drop-down; framing it would cover its days.
    if (className == L"SysMonthCal32") doSkin = false;
    else if (m_skinControls.Contains(TSkinControlType::xcFastReport) && className.starts_with(L"Tfr")) doSkin = false;
}

void TSkinData::SkinChanged() { Fire(OnSkinChanged, this); }

void TSkinData::SetFaceTextColour(HDC dc) const noexcept {
    const COLORREF text = ::GetTextColor(dc);
    if (text == ::GetSysColor(COLOR_WINDOWTEXT) || text == ::GetSysColor(COLOR_BTNTEXT))
        ::SetTextColor(dc, ColorToRGB(Colours().ButtonText));
}

void TSkinData::MakeCaptionFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        m_captionFont.SetLogFont(metrics.lfCaptionFont);
}

TBitmap& TSkinData::AppIcon() {
    MakeAppIcon();
    return m_appIcon;
}

void TSkinData::MakeAppIcon() {
    if (!Application) return;
    const HWND window = Application->Handle();
    auto icon = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    if (!icon || icon == m_appIconSource) return;
    const int width = ::GetSystemMetrics(SM_CXSMICON), height = ::GetSystemMetrics(SM_CYSMICON);
    IconHandle small{static_cast<HICON>(::CopyImage(icon, IMAGE_ICON, width, height, 0))};
    if (!small) return;
    m_appIcon.SetSize(width, height);
    FillBitmap(m_appIcon, {0, 0, width, height}, kKeyColour);
    ::DrawIconEx(m_appIcon.Dc(), 0, 0, small.Get(), width, height, 0, nullptr, DI_NORMAL);
    m_appIconSource = icon;
}
