#include "framework/graphics/Graphics.h"

#include "framework/core/Exception.h"
#include "framework/core/Stream.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/win/DibSection.h"
#include "tests/support/GdiHeadroom.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr COLORREF kSentinel = RGB(1, 2, 3);
constexpr TColor kMagenta = RgbColour(255, 0, 255);

// A 24-bit bitmap: magenta ground, a red square at (2,2)-(6,6), blue lower-left pixel region.
void MakeGlyph(TBitmap& bitmap) {
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    bitmap.SetSize(8, 8);
    auto& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(kMagenta);
    canvas.FillRect({0, 0, 8, 8});
    canvas.Brush().SetColor(clRed);
    canvas.FillRect({2, 2, 6, 6});
}

TEST(Bitmap, RowsAreTopFirstAndTheTransparentColourIsTheLowerLeftPixel) {
    TBitmap bitmap;
    MakeGlyph(bitmap);
    bitmap.Canvas().SetPixel(0, 7, clBlue);
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
    const uint8_t* row2 = bitmap.ScanLine(2);
    EXPECT_EQ(row2[2 * 3 + 2], 255);  // red at (2, 2): B, G, R
    EXPECT_EQ(row2[2 * 3 + 0], 0);
    EXPECT_EQ(bitmap.TransparentColor(), clBlue);
    bitmap.SetTransparentColor(kMagenta);
    EXPECT_EQ(bitmap.TransparentMode(), TTransparentMode::tmFixed);
    EXPECT_EQ(bitmap.TransparentColor(), kMagenta);
    EXPECT_THROW(bitmap.ScanLine(8), EInvalidGraphic);
    EXPECT_EQ(TBitmap().TransparentColor(), clDefault);
}

// Row by row or pixel by pixel, every format reads the same colours, up to the width.
TEST(Bitmap, RowColoursMatchThePixelsInEveryFormat) {
    for (const TPixelFormat format : {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf8bit,
                                      TPixelFormat::pf15bit, TPixelFormat::pf16bit, TPixelFormat::pf24bit,
                                      TPixelFormat::pf32bit}) {
        TBitmap bitmap;
        MakeGlyph(bitmap);
        bitmap.Canvas().SetPixel(7, 1, clBlue);
        bitmap.SetPixelFormat(format);
        std::vector<TColor> row(10, clNone);
        for (int y = 0; y < bitmap.Height(); ++y) {
            bitmap.RowColours(y, row);
            for (int x = 0; x < bitmap.Width(); ++x)
                EXPECT_EQ(row[static_cast<size_t>(x)], bitmap.PixelColour(x, y))
                    << "format " << static_cast<int>(format) << " at " << x << "," << y;
            EXPECT_EQ(row[8], clNone);  // past the width: left alone
        }
        std::vector<TColor> part(3);
        bitmap.RowColours(2, part);
        EXPECT_EQ(part[2], bitmap.PixelColour(2, 2));
        EXPECT_THROW(bitmap.RowColours(8, part), EInvalidGraphic);
    }
}

TEST(Bitmap, TransparentDrawingLeavesTheKeyColourOut) {
    TBitmap glyph;
    MakeGlyph(glyph);
    glyph.SetTransparent(true);  // lower-left pixel: magenta
    DibSection target(20, 20);
    target.Fill(kSentinel);
    TCanvas canvas;
    canvas.SetHandle(target.Dc());
    canvas.Draw(4, 4, glyph);
    canvas.SetHandle(nullptr);
    EXPECT_TRUE(target.AllEqual({6, 6, 10, 10}, RGB(255, 0, 0)));
    EXPECT_EQ(target.CountOther({0, 0, 20, 20}, kSentinel), 16);  // only the red square arrived

    glyph.SetTransparent(false);
    canvas.SetHandle(target.Dc());
    canvas.StretchDraw({0, 0, 16, 16}, glyph);  // twice the size, opaque
    canvas.SetHandle(nullptr);
    EXPECT_TRUE(target.AllEqual({4, 4, 12, 12}, RGB(255, 0, 0)));
    EXPECT_TRUE(target.AllEqual({0, 0, 16, 4}, RGB(255, 0, 255)));
}

TEST(Bitmap, SizeAndFormatChangesKeepThePicture) {
    TBitmap bitmap;
    MakeGlyph(bitmap);
    bitmap.SetSize(12, 4);  // wider, shorter: rows 0..3 kept
    EXPECT_EQ(bitmap.PixelColour(3, 3), clRed);
    EXPECT_EQ(bitmap.PixelColour(7, 0), kMagenta);
    EXPECT_EQ(bitmap.PixelColour(12, 0), clNone);
    bitmap.SetPixelFormat(TPixelFormat::pf32bit);
    EXPECT_EQ(bitmap.BitsPerPixel(), 32);
    EXPECT_EQ(bitmap.PixelColour(3, 3), clRed);
    bitmap.SetPixelFormat(TPixelFormat::pf8bit);
    EXPECT_EQ(bitmap.PixelColour(3, 3), clRed);  // red and magenta are in the default palette
    EXPECT_EQ(bitmap.PixelColour(0, 0), kMagenta);
    bitmap.SetPixelFormat(TPixelFormat::pf1bit);
    EXPECT_TRUE(bitmap.Monochrome());
    EXPECT_THROW(bitmap.SetSize(40000, 1), EInvalidGraphic);
    bitmap.SetSize(0, 5);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Handle(), nullptr);
}

TEST(Bitmap, AssignCopiesAndStreamsRoundTrip) {
    TBitmap original;
    MakeGlyph(original);
    TBitmap copy;
    copy.Assign(original);
    copy.Canvas().SetPixel(3, 3, clLime);
    EXPECT_EQ(original.PixelColour(3, 3), clRed);  // a deep copy
    EXPECT_EQ(copy.PixelColour(3, 3), clLime);

    TMemoryStream stream;
    copy.SaveToStream(stream);
    stream.SetPosition(0);
    TBitmap loaded;
    loaded.LoadFromStream(stream);
    EXPECT_EQ(loaded.Width(), 8);
    EXPECT_EQ(loaded.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(loaded.PixelColour(3, 3), clLime);
    EXPECT_EQ(loaded.PixelColour(7, 7), kMagenta);

    TMemoryStream junk;
    junk.WriteInt32(0x12344D42);
    junk.SetPosition(0);
    EXPECT_THROW(loaded.LoadFromStream(junk), EInvalidGraphic);
    EXPECT_EQ(loaded.PixelColour(3, 3), clLime);  // a failed load keeps the old picture
}

// Loaded, sized and copied pictures stay in memory, without a GDI object, until GDI needs
// them; what their rows held then is what the DIB section shows, palette and 5-6-5 masks
// included, and what GDI draws afterwards is what the rows read.
TEST(Bitmap, PicturesWaitInMemoryAndBecomeDibSectionsWithTheirPixels) {
    TBitmap glyph;
    MakeGlyph(glyph);
    std::vector<TMemoryStream> files(3);
    const TPixelFormat depths[] = {TPixelFormat::pf8bit, TPixelFormat::pf24bit, TPixelFormat::pf32bit};
    for (size_t i = 0; i < files.size(); ++i) {
        glyph.SetPixelFormat(depths[i]);
        glyph.SaveToStream(files[i]);
        files[i].SetPosition(0);
    }

    const int before = GdiHeadroom();
    std::vector<std::unique_ptr<TBitmap>> pictures;
    for (TMemoryStream& file : files) pictures.emplace_back(std::make_unique<TBitmap>())->LoadFromStream(file);
    auto& copy = *pictures.emplace_back(std::make_unique<TBitmap>());
    copy.Assign(*pictures[1]);
    uint8_t* row = copy.ScanLine(1);
    row[3] = 0, row[4] = 255, row[5] = 0;  // (1, 1) green, before any handle
    auto& wide = *pictures.emplace_back(std::make_unique<TBitmap>());
    wide.SetPixelFormat(TPixelFormat::pf16bit);
    wide.SetSize(8, 8);
    wide.ScanLine(3)[6] = 0x00, wide.ScanLine(3)[7] = 0xF8;  // (3, 3) full red in 5-6-5
    for (const auto& picture : pictures) EXPECT_EQ(picture->PixelColour(3, 3), clRed);
    EXPECT_EQ(GdiHeadroom(), before);

    for (const auto& picture : pictures) {
        DibSection target(8, 8);
        target.Fill(kSentinel);
        TCanvas canvas;
        canvas.SetHandle(target.Dc());
        canvas.Draw(0, 0, *picture);
        canvas.SetHandle(nullptr);
        EXPECT_EQ(target.Pixel(3, 3), RGB(255, 0, 0)) << picture->BitsPerPixel();
        if (picture.get() != &wide) {
            EXPECT_EQ(target.Pixel(0, 0), RGB(255, 0, 255)) << picture->BitsPerPixel();
        }
    }
    EXPECT_EQ(copy.PixelColour(1, 1), clLime);
    EXPECT_EQ(pictures[1]->PixelColour(1, 1), kMagenta);  // the copy's rows were its own
    EXPECT_LT(GdiHeadroom(), before);                     // drawn: each has its section now
    copy.Canvas().SetPixel(5, 5, clBlue);
    EXPECT_EQ(copy.PixelColour(5, 5), clBlue);  // the rows are the section's now
}

TEST(Bitmap, ForeignHandlesAreAdoptedAndCanvasLeavesNoObjectsBehind) {
    WindowDc screen = WindowDc::Client(nullptr);
    BitmapHandle ddb{::CreateCompatibleBitmap(screen.Get(), 6, 3)};
    {
        MemoryDc dc;
        SelectScope select{dc.Get(), ddb.Get()};
        const RECT all{0, 0, 6, 3};
        BrushHandle green{::CreateSolidBrush(RGB(0, 255, 0))};
        ::FillRect(dc.Get(), &all, green.Get());
    }
    TBitmap bitmap;
    bitmap.SetHandle(std::move(ddb));
    EXPECT_EQ(bitmap.Width(), 6);
    EXPECT_EQ(bitmap.PixelColour(5, 2), clLime);

    DibSection target(10, 10);
    const HGDIOBJ font = ::GetCurrentObject(target.Dc(), OBJ_FONT);
    const HGDIOBJ brush = ::GetCurrentObject(target.Dc(), OBJ_BRUSH);
    const HGDIOBJ pen = ::GetCurrentObject(target.Dc(), OBJ_PEN);
    {
        TCanvas canvas;
        canvas.SetHandle(target.Dc());
        canvas.Brush().SetColor(clNavy);
        canvas.Pen().SetColor(clRed);
        canvas.Rectangle(0, 0, 5, 5);
        canvas.TextOut(0, 0, L"x");
    }
    EXPECT_EQ(::GetCurrentObject(target.Dc(), OBJ_FONT), font);
    EXPECT_EQ(::GetCurrentObject(target.Dc(), OBJ_BRUSH), brush);
    EXPECT_EQ(::GetCurrentObject(target.Dc(), OBJ_PEN), pen);
}

TEST(Canvas, ALockLendsTheDcForOnePassAndTakesItBackHoweverThePassEnds) {
    DibSection target(10, 10);
    const HGDIOBJ font = ::GetCurrentObject(target.Dc(), OBJ_FONT);
    const HGDIOBJ brush = ::GetCurrentObject(target.Dc(), OBJ_BRUSH);
    TCanvas canvas;
    for (const bool fails : {false, true}) {
        try {
            const CanvasLock lock{canvas, target.Dc()};
            EXPECT_EQ(canvas.LockCount(), 1);
            EXPECT_EQ(canvas.Handle(), target.Dc());
            canvas.Brush().SetColor(clNavy);
            canvas.TextOut(0, 0, L"x");  // selects the canvas's font and brush
            EXPECT_NE(::GetCurrentObject(target.Dc(), OBJ_FONT), font);
            if (fails) throw Exception(u"the pass failed");
        } catch (const Exception&) {
        }
        EXPECT_EQ(canvas.LockCount(), 0) << fails;
        EXPECT_EQ(canvas.Handle(), nullptr) << fails;
        EXPECT_EQ(::GetCurrentObject(target.Dc(), OBJ_FONT), font) << fails;
        EXPECT_EQ(::GetCurrentObject(target.Dc(), OBJ_BRUSH), brush) << fails;
    }
}

TEST(Bitmap, OwnDcIsTheCanvasDcWithThePictureSelected) {
    TBitmap bitmap(4, 2);
    EXPECT_EQ(bitmap.Canvas().Handle(), nullptr);  // made only when needed
    const HDC dc = bitmap.Canvas().EnsureHandle();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(bitmap.Dc(), dc);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BITMAP), bitmap.Handle());
    bitmap.SetSize(8, 8);  // a new picture: the old DC goes with the old handle
    EXPECT_EQ(::GetCurrentObject(bitmap.Dc(), OBJ_BITMAP), bitmap.Handle());
    TCanvas borrowed;  // a canvas that makes no DC of its own
    EXPECT_EQ(borrowed.EnsureHandle(), nullptr);
}

TEST(Bitmap, ThousandsOfBitmapsAndCanvasesLeakNoGdiHandles) {
    const int before = GdiHeadroom();
    for (int i = 0; i < 1000; ++i) {
        TBitmap bitmap;
        MakeGlyph(bitmap);
        bitmap.SetPixelFormat(TPixelFormat::pf32bit);
        TBitmap copy;
        copy.Assign(bitmap);
        copy.SetTransparent(true);
        copy.Canvas().Font().SetHeight(-12);
        copy.Canvas().TextOut(0, 0, L"ab");
        bitmap.Canvas().Draw(0, 0, copy);
    }
    EXPECT_EQ(GdiHeadroom(), before);
}

}  // namespace

namespace {

TEST(GraphicsProperties, FontBrushPenAndBitmapDataWorkByName) {
    TFont font;
    EXPECT_TRUE(SetPropText(&font, u"style", u"[fsBold,fsItalic]"));
    EXPECT_TRUE(font.Style().Contains(TFontStyle::fsBold));
    EXPECT_EQ(GetPropText(&font, u"Style"), u"[fsBold,fsItalic]");
    EXPECT_TRUE(SetPropText(&font, u"Color", u"clBtnFace"));
    EXPECT_EQ(font.Color(), clBtnFace);
    EXPECT_TRUE(SetPropText(&font, u"Name", u"MS Sans Serif"));
    EXPECT_EQ(GetStrProp(&font, u"NAME"), u"MS Sans Serif");
    EXPECT_EQ(GetPropText(&font, u"Height"), u"-11");
    EXPECT_THROW(SetPropText(&font, u"Pitch", u"fpWobbly"), EConvertError);

    TPen pen;
    EXPECT_TRUE(SetEnumProp(&pen, u"Mode", u"pmXor"));
    EXPECT_EQ(pen.Rop2(), R2_XORPEN);
    TBrush brush;
    EXPECT_TRUE(SetPropText(&brush, u"Style", u"bsClear"));
    EXPECT_EQ(brush.Handle(), ::GetStockObject(NULL_BRUSH));

    TBitmap source;
    MakeGlyph(source);
    const auto data = GetBinaryProp(&source, u"Data");
    ASSERT_TRUE(data.has_value());
    TBitmap copy;
    ASSERT_TRUE(SetBinaryProp(&copy, u"Data", *data));
    EXPECT_EQ(copy.PixelColour(3, 3), clRed);
    ASSERT_TRUE(SetBinaryProp(&copy, u"Data", {}));
    EXPECT_TRUE(copy.Empty());
}

}  // namespace
