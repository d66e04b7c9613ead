#include "skin/controls/HeaderSkin.h"

#include "framework/controls/HeaderControl.h"
#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/win/DibSection.h"
#include "tests/skin/controls/BoxTestSkin.h"
#include "tests/skin/controls/TestHost.h"

#include <gtest/gtest.h>

#include <memory>

#include <commctrl.h>
#include <windows.h>

namespace {

using namespace box_skin;

// Counts its paints.
class TCountingHeader final : public TSkinHeader {
    KESTRELLE_CLASS(TCountingHeader, TSkinHeader)

public:
    int paints = 0;

protected:
    void PaintSkin(HDC dc, const RECT& rect) override {
        ++paints;
        TSkinHeader::PaintSkin(dc, rect);
    }
};

constexpr int kWidth = 250, kHeight = 20;
constexpr int kSections[] = {60, 80, 50};

class HeaderSkinTest : public BoxSkinTest {
protected:
    void TearDown() override {
        header.reset();
        if (parent) ::DestroyWindow(parent);
        BoxSkinTest::TearDown();
    }
    // A bare header of three sections (the first with text) in a shown parent, skinned.
    void Make(bool attach = true) {
        static const bool registered = [] {
            INITCOMMONCONTROLSEX init{sizeof init, ICC_LISTVIEW_CLASSES};
            return ::InitCommonControlsEx(&init) != FALSE;
        }();
        ASSERT_TRUE(registered);
        parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 40, 40, kWidth, kHeight, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
        window = ::CreateWindowExW(0, WC_HEADERW, L"", WS_CHILD | WS_VISIBLE | HDS_HORZ, 0, 0, kWidth, kHeight,
                                   parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        for (int i = 0; i < 3; ++i) {
            wchar_t text[] = L"Wi";
            HDITEMW item{};
            item.mask = HDI_WIDTH | HDI_FORMAT | HDI_TEXT;
            item.cxy = kSections[i];
            item.fmt = HDF_STRING | HDF_LEFT;
            item.pszText = i == 0 ? text : const_cast<wchar_t*>(L"");
            ::SendMessageW(window, HDM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        }
        target = std::make_unique<DibSection>(kWidth, kHeight);
        if (!attach) return;
        header = std::make_unique<TCountingHeader>();
        header->AttachHandle(window, *skin, host, nullptr);
    }
    void Paint() {
        target->Fill(kSentinel);
        ::SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(target->Dc()), 0);
        ::GdiFlush();
    }
    RECT Section(int index) const {
        RECT r{};
        ::SendMessageW(window, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // `frame` (0 normal, 1 hot) sliced to `area`: its edge two pixels wide round the inside.
    bool Framed(const RECT& area, int frame) const {
        const COLORREF edge = ColorToRGB(kHeaderEdge[frame]);
        return target->AllEqual({area.left, area.top, area.left + kHeaderEdgeWidth, area.bottom}, edge) &&
               target->AllEqual({area.right - kHeaderEdgeWidth, area.top, area.right, area.bottom}, edge) &&
               target->AllEqual({area.left, area.top, area.right, area.top + kHeaderEdgeWidth}, edge);
    }
    void Move(int x) { ::SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, kHeight / 2)); }

    TestHost host;
    HWND parent = nullptr;
    HWND window = nullptr;
    std::unique_ptr<TCountingHeader> header;
    std::unique_ptr<DibSection> target;
};

TEST_F(HeaderSkinTest, SectionsAndTheSpaceBeyondAreFramedInTheNormalFrame) {
    Make();
    Paint();
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(Framed(Section(i), 0)) << i;
    EXPECT_TRUE(Framed({Section(2).right, 0, kWidth, kHeight}, 0));
    const RECT empty = Section(1);
    const RECT inside{empty.left + kHeaderEdgeWidth, kHeaderEdgeWidth, empty.right - kHeaderEdgeWidth,
                      kHeight - kHeaderEdgeWidth};
    EXPECT_TRUE(target->AllEqual(inside, ColorToRGB(kHeaderInside[0])));
    // The first section's text is at its left, and only there.
    const RECT first = Section(0);
    const COLORREF firstInside = ColorToRGB(kHeaderInside[0]);
    const int half = (first.left + first.right) / 2;
    EXPECT_GT(target->CountOther({first.left + kHeaderEdgeWidth, kHeaderEdgeWidth, half, kHeight - kHeaderEdgeWidth},
                                 firstInside),
              0);
    EXPECT_TRUE(target->AllEqual({half, kHeaderEdgeWidth, first.right - kHeaderEdgeWidth, kHeight - kHeaderEdgeWidth},
                                 firstInside));
    EXPECT_EQ(::SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(target->Dc()), 0), 1);
}

TEST_F(HeaderSkinTest, TheSectionUnderTheMouseIsHotAndRepaintsOncePerChange) {
    Make();
    Paint();
    const int before = header->paints;
    Move(Section(1).left + 10);
    EXPECT_EQ(header->HotItem(), 1);
    EXPECT_EQ(header->paints, before + 1);
    for (int x = Section(1).left + 11; x < Section(1).right - 10; x += 7) Move(x);  // within the same section
    EXPECT_EQ(header->paints, before + 1);
    Move(Section(1).right);  // on the divider: neither section
    EXPECT_EQ(header->HotItem(), 1);
    Move(Section(2).left + 10);
    EXPECT_EQ(header->HotItem(), 2);
    EXPECT_EQ(header->paints, before + 2);

    Paint();
    EXPECT_TRUE(Framed(Section(2), 1));
    EXPECT_TRUE(Framed(Section(1), 0));

    ::SendMessageW(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(header->HotItem(), -1);
    EXPECT_EQ(header->paints, before + 4);
    Paint();
    EXPECT_TRUE(Framed(Section(2), 0));
}

TEST_F(HeaderSkinTest, WithoutAHeaderPictureTheHeaderPaintsItself) {
    Load({.headerbar = false});
    Make(false);
    DibSection own(kWidth, kHeight);
    own.Fill(kSentinel);
    ::SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(own.Dc()), 0);
    header = std::make_unique<TCountingHeader>();
    header->AttachHandle(window, *skin, host, nullptr);
    Paint();
    // The same pixels as without the skin, and not a blank header.
    EXPECT_GT(own.CountOther({0, 0, kWidth, kHeight}, kSentinel), 0);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) ASSERT_EQ(target->Pixel(x, y), own.Pixel(x, y)) << x << "," << y;
}

TEST_F(HeaderSkinTest, ADetachedHeaderHasItsOwnProcedureBack) {
    Make(false);
    const auto own = ::GetWindowLongPtrW(window, GWLP_WNDPROC);
    header = std::make_unique<TCountingHeader>();
    header->AttachHandle(window, *skin, host, nullptr);
    header.reset();
    EXPECT_EQ(::GetWindowLongPtrW(window, GWLP_WNDPROC), own);
    EXPECT_TRUE(host.skins.empty());
    Paint();
    EXPECT_FALSE(Framed(Section(0), 0));
}

}  // namespace

namespace {

class FrameworkHeaderTest : public BoxSkinTest {
protected:
    TApplication app;
    TestHost host;
};

TEST_F(FrameworkHeaderTest, AFrameworkHeadersSectionsAreFramedAndTheOneUnderTheMouseIsHot) {
    TForm& form = app.CreateForm<TForm>();
    auto& header = form.Create<THeaderControl>();
    header.SetParent(&form);
    header.SetBounds(0, 0, kWidth, kHeight);
    for (const int width : kSections) header.Sections().Add().SetWidth(width);
    auto& skinned = header.Create<TSkinHeader>();
    skinned.AttachControl(host, *skin, false, nullptr);
    EXPECT_EQ(skinned.HotItem(), -1);
    DibSection target(kWidth, kHeight);
    const auto paint = [&] {
        target.Fill(kSentinel);
        ::SendMessageW(header.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(target.Dc()), 0);
        ::GdiFlush();
    };
    paint();  // the sections' places are known from the first paint on
    ::SendMessageW(header.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(kSections[0] + 10, kHeight / 2));
    EXPECT_EQ(skinned.HotItem(), 1);
    paint();
    const int hotLeft = kSections[0], hotRight = kSections[0] + kSections[1];
    EXPECT_TRUE(target.AllEqual({hotLeft + 2, 2, hotRight - 2, kHeight - 2}, ColorToRGB(kHeaderInside[1])));
    EXPECT_TRUE(target.AllEqual({2, 2, kSections[0] - 2, kHeight - 2}, ColorToRGB(kHeaderInside[0])));
    EXPECT_TRUE(target.AllEqual({hotRight + kSections[2] + 2, 2, kWidth - 2, kHeight - 2}, ColorToRGB(kHeaderInside[0])));
}

}  // namespace
