// Picture picking on the real windows: a picture file dropped on the main
// window goes through its reader into the temporary bitmap, the picture
// window shows it, and a click there makes the pixel's colour current.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>
#include <shlobj.h>
#include <windowsx.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <functional>
#include <map>

#include "app/temporary_bitmap.h"
#include "app/web_code.h"
#include "framework/stream.h"
#include "imaging/dib/bmp_writer.h"
#include "imaging/dib/picture_formats.h"
#include "imaging/gif/gif_image.h"
#include "window_test_support.h"

namespace huemira {
namespace {

namespace fs = std::filesystem;

// 64 x 48 pixels in blocks of 8 x 8, 48 colours: few enough for every
// palette format to keep them all.
constexpr int kWidth = 64, kHeight = 48;
TRgbValue BlockColor(int x, int y) {
  return MakeRgb(static_cast<std::uint8_t>(40 * (x / 8)), static_cast<std::uint8_t>(50 * (y / 8)), 200);
}

std::unique_ptr<TDibGraphic> BlockPicture() {
  auto picture = std::make_unique<TDibGraphic>();
  picture->NewImage(kWidth, kHeight, TDibFormat::ifColorRgb24, nullptr, 96, 96);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) picture->SetRgbPixel(x, y, BlockColor(x, y));
  return picture;
}

// A metafile with a blue square at (10, 10) ... (30, 30) on nothing: the
// rest of its 48 x 48 frame must come out white.
void WriteMetafile(const fs::path& path, bool enhanced) {
  const RECT square{10, 10, 30, 30};
  const UniqueBrush blue(CreateSolidBrush(RGB(0, 0, 255)));
  if (enhanced) {
    WindowDc screen(nullptr);
    // The frame is in hundredths of a millimetre: 48 pixels at the screen's resolution.
    const int perInch = GetDeviceCaps(screen.get(), LOGPIXELSX);
    const RECT frame{0, 0, MulDiv(48, 2540, perInch), MulDiv(48, 2540, perInch)};
    HDC dc = CreateEnhMetaFileW(screen.get(), path.c_str(), &frame, nullptr);
    FillRect(dc, &square, blue.get());
    DeleteEnhMetaFile(CloseEnhMetaFile(dc));
    return;
  }
  // A placeable Windows metafile: 48 x 48 units at 96 units per inch.
  HDC dc = CreateMetaFileW(nullptr);
  SetWindowExtEx(dc, 48, 48, nullptr);
  FillRect(dc, &square, blue.get());
  HMETAFILE metafile = CloseMetaFile(dc);
  std::vector<std::uint8_t> bits(GetMetaFileBitsEx(metafile, 0, nullptr));
  GetMetaFileBitsEx(metafile, static_cast<UINT>(bits.size()), bits.data());
  DeleteMetaFile(metafile);
  std::uint16_t header[11] = {0xCDD7, 0x9AC6, 0, 0, 0, 48, 48, 96, 0, 0, 0};
  for (int i = 0; i < 10; ++i) header[10] ^= header[i];
  TFileStream file(path, FileMode::Create);
  file.WriteBuffer(header, sizeof header);
  file.WriteBuffer(bits.data(), bits.size());
}

// Writes the block picture in the format of the file's extension.
void WritePicture(const fs::path& path) {
  std::string extension = Utf8Path(path.extension());
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == ".wmf" || extension == ".emf") return WriteMetafile(path, extension == ".emf");
  const auto picture = BlockPicture();
  TFileStream file(path, FileMode::Create);
  if (extension == ".bmp") return SaveToBmp(*picture, file);
  if (extension == ".gif") {
    TGIFImage gif;
    gif.Assign(*picture);
    return gif.SaveToStream(file);
  }
  std::unique_ptr<TGraphic> graphic = CreateGraphicForExtension(extension);
  auto& dib = dynamic_cast<TDibGraphic&>(*graphic);
  dib.Assign(picture.get());
  dib.SaveToStream(file);
}

// The picture as its own reader gives it, which the window must show unchanged.
std::unique_ptr<TDibGraphic> ReadDirectly(const fs::path& path) {
  std::unique_ptr<TGraphic> graphic = CreateGraphicForExtension(Utf8Path(path.extension()));
  graphic->LoadFromFile(path);
  auto bitmap = std::make_unique<TDibGraphic>();
  graphic->AssignToBitmap24(*bitmap);
  return bitmap;
}

class PicturePickingTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    folder = fs::temp_directory_path() / L"huemira 图片 test";
    fs::remove_all(folder);
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << GetLastError();
    DeleteTemporaryBitmap();
    StartMainForm();
  }
  void TearDown() override {
    MainFormTest::TearDown();
    fs::remove_all(folder);
  }

  fs::path Picture(const std::wstring& name) {
    const fs::path path = folder / name;
    WritePicture(path);
    return path;
  }
  void Drop(const fs::path& path) {
    DropFiles(form->Handle(), {path.wstring()});
    Pump();
  }
  // Presses and releases a mouse button on the picture at a picture point.
  void Click(POINT point, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP) {
    const HWND view = pictureForm->Image_PColor.Handle();
    const POINT origin = pictureForm->Image_PColor.Origin();
    const LPARAM where = MAKELPARAM(point.x - origin.x, point.y - origin.y);
    SendMessageW(view, down, 0, where);
    SendMessageW(view, up, 0, where);
    Pump();
  }
  static bool TemporaryBitmapExists() { return fs::exists(fs::path(TemporaryBitmapPath())); }

  fs::path folder;
};

TEST_F(PicturePickingTest, EveryExtensionInAnyCaseConvertsAndPicksTheExactPixel) {
  for (const wchar_t* name : {L"a.PnG", L"b.jpg", L"c.JPEG", L"d.Tif", L"e.tiff", L"f.PCX", L"g.dcx", L"h.tga",
                              L"i.GiF", L"j.emf", L"k.WMF"}) {
    SCOPED_TRACE(testing::Message() << fs::path(name).string());
    const fs::path path = Picture(name);
    const auto expected = ReadDirectly(path);
    Drop(path);
    ASSERT_TRUE(pictureForm->Visible());
    EXPECT_EQ(pictureForm->Edit_TempBmpFileName.Text(), TemporaryBitmapPath());
    EXPECT_TRUE(TemporaryBitmapExists());
    const POINT point{20, 12};
    const TColor color = ColorFromRgb(expected->GetRgbPixel(point.x, point.y));
    Click(point);
    EXPECT_FALSE(pictureForm->Visible());
    // The code box shows the code in lower case, as the settings start.
    std::wstring code = ColorToWebCode(color);
    std::transform(code.begin(), code.end(), code.begin(), [](wchar_t c) { return std::towlower(c); });
    EXPECT_EQ(form->Edit_GetColor.Text(), code);
    EXPECT_EQ(form->FlatButton_HC[0].Color(), color);
    EXPECT_EQ(Clipboard(), form->Edit_GetColor.Text());
    EXPECT_FALSE(TemporaryBitmapExists());
  }
  EXPECT_TRUE(messageBoxes.empty());
}

TEST_F(PicturePickingTest, TheSampleSizeAveragesInsideThePictureOnly) {
  PutSetting(L"Pick", L"SampleSize", L"3");
  Drop(Picture(L"blocks.png"));
  Click({8, 8});  // three of nine pixels in the first column and row of blocks
  EXPECT_EQ(form->FlatButton_HC[0].Color(), MakeColor(27, 33, 200));
  Drop(Picture(L"again.png"));
  Click({0, 8});  // the column left of the picture is left out
  EXPECT_EQ(form->FlatButton_HC[0].Color(), MakeColor(0, 33, 200));
}

TEST_F(PicturePickingTest, MetafilesAreDrawnOntoWhite) {
  for (const wchar_t* name : {L"m.emf", L"m.wmf"}) {
    Drop(Picture(name));
    ASSERT_EQ(pictureForm->Image_PColor.PictureSize().cx, 48);
    EXPECT_EQ(pictureForm->Image_PColor.PixelColor({20, 20}), RGB(0, 0, 255));
    EXPECT_EQ(pictureForm->Image_PColor.PixelColor({40, 40}), RGB(255, 255, 255));
  }
}

TEST_F(PicturePickingTest, AUsersBitmapIsShownAsItIsAndSurvivesAPick) {
  const fs::path bitmap = Picture(L"own.BMP");
  Drop(Picture(L"first.png"));
  Drop(bitmap);
  // The earlier conversion is gone: there is only ever one temporary bitmap.
  EXPECT_FALSE(TemporaryBitmapExists());
  EXPECT_EQ(pictureForm->Edit_TempBmpFileName.Text(), L"");
  Click({9, 9}, WM_RBUTTONDOWN, WM_RBUTTONUP);  // any button picks
  EXPECT_EQ(form->FlatButton_HC[0].Color(), ColorFromRgb(BlockColor(9, 9)));
  EXPECT_TRUE(fs::exists(bitmap));
}

TEST_F(PicturePickingTest, OnlyTheLastDroppedFileCountsAndOtherFilesAreIgnored) {
  const fs::path text = folder / L"notes.txt";
  TFileStream(text, FileMode::Create).WriteBuffer("hello", 5);
  DropFiles(form->Handle(), {Picture(L"x.png").wstring(), text.wstring()});
  Pump();
  EXPECT_FALSE(pictureForm->Visible());
  DropFiles(form->Handle(), {text.wstring(), Picture(L"y.gif").wstring()});
  Pump();
  EXPECT_TRUE(pictureForm->Visible());
  EXPECT_TRUE(messageBoxes.empty());
}

TEST_F(PicturePickingTest, APictureThatDoesNotReadGivesTheWarningAndNoWindow) {
  const fs::path fake = folder / L"text.jpg";
  TFileStream(fake, FileMode::Create).WriteBuffer("not a picture", 13);
  Drop(fake);
  EXPECT_FALSE(pictureForm->Visible());
  EXPECT_FALSE(TemporaryBitmapExists());
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_EQ(messageBoxes[0].caption, L"消息");
  EXPECT_EQ(messageBoxes[0].text, L"暂不支持该图片格式取色!");
  EXPECT_EQ(messageBoxes[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
  EXPECT_EQ(messageBoxes[0].owner, form->Handle());
}

TEST_F(PicturePickingTest, ACorruptBitmapShowsItsErrorAndNoWindow) {
  const fs::path bitmap = folder / L"broken.bmp";
  TFileStream(bitmap, FileMode::Create).WriteBuffer("BM\x10\0\0\0\0\0", 8);
  Drop(bitmap);
  EXPECT_FALSE(pictureForm->Visible());
  ASSERT_EQ(shownErrors.size(), 1u);
  EXPECT_EQ(shownErrors[0], "Bitmap image is not valid");
  shownErrors.clear();
  EXPECT_TRUE(fs::exists(bitmap));
}

TEST_F(PicturePickingTest, PositionsOutsideThePictureNeitherPreviewNorPick) {
  Drop(Picture(L"small.png"));
  const COLORREF before = pictureForm->Panel_ImageTempColor.Color();
  const TColor current = form->CurrentColor();
  const HWND view = pictureForm->Image_PColor.Handle();
  SendMessageW(view, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
  SendMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kWidth + 30, 10));
  EXPECT_EQ(pictureForm->Panel_ImageTempColor.Color(), before);
  SendMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(kWidth + 30, 10));
  Pump();
  EXPECT_TRUE(pictureForm->Visible());
  EXPECT_EQ(form->CurrentColor(), current);
  EXPECT_NE(GetCapture(), view);
}

TEST_F(PicturePickingTest, ThePreviewSwatchTrailsThePointerAndFlipsNearTheEdges) {
  Drop(Picture(L"big.png"));
  // A picture larger than the window, so that the pointer can reach every edge over it.
  auto big = std::make_unique<TDibGraphic>();
  big->NewImage(2000, 1500, TDibFormat::ifColorRgb24, nullptr, 96, 96);
  big->FillWithColor(0x336699);
  pictureForm->SetPicture(std::move(big));
  Pump();
  RECT client;
  GetClientRect(pictureForm->Handle(), &client);
  const struct {
    POINT pointer;
    POINT swatch;
  } cases[] = {
      {{100, 100}, {120, 120}},
      {{client.right - 50, 100}, {client.right - 120, 120}},
      {{100, client.bottom - 60}, {120, client.bottom - 130}},
      {{client.right - 50, client.bottom - 60}, {client.right - 120, client.bottom - 130}},
  };
  for (const auto& c : cases) {
    POINT screen = c.pointer;
    ClientToScreen(pictureForm->Handle(), &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(pictureForm->Image_PColor.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(c.pointer.x, c.pointer.y));
    RECT swatch;
    GetWindowRect(pictureForm->Panel_ImageTempColor.Handle(), &swatch);
    MapWindowPoints(nullptr, pictureForm->Handle(), reinterpret_cast<POINT*>(&swatch), 2);
    EXPECT_EQ(swatch.left, c.swatch.x) << c.pointer.x << "," << c.pointer.y;
    EXPECT_EQ(swatch.top, c.swatch.y) << c.pointer.x << "," << c.pointer.y;
  }
  EXPECT_EQ(pictureForm->Panel_ImageTempColor.Color(), RGB(0x33, 0x66, 0x99));
}

TEST_F(PicturePickingTest, ALargePictureScrollsAndIsPaintedFromTheScrolledPlace) {
  Drop(Picture(L"base.png"));
  auto big = std::make_unique<TDibGraphic>();
  big->NewImage(1500, 1200, TDibFormat::ifColorRgb24, nullptr, 96, 96);
  for (int y = 0; y < 1200; ++y)
    for (int x = 0; x < 1500; ++x) big->SetRgbPixel(x, y, MakeRgb(x % 256, y % 256, (x / 256) * 40 + (y / 256)));
  pictureForm->SetPicture(std::move(big));
  SendMessageW(pictureForm->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  SendMessageW(pictureForm->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, -WHEEL_DELTA), 0);
  UpdateWindow(pictureForm->Handle());
  Pump();
  const POINT origin = pictureForm->Image_PColor.Origin();
  EXPECT_GT(origin.x, 0);
  EXPECT_EQ(origin.y, 20);
  WindowDc screen(nullptr);
  for (POINT at : {POINT{3, 4}, POINT{300, 200}}) {
    POINT onScreen = at;
    ClientToScreen(pictureForm->Handle(), &onScreen);
    const TColor expected = ColorFromRgb(pictureForm->Image_PColor.Picture()->GetRgbPixel(at.x + origin.x, at.y + origin.y));
    EXPECT_EQ(GetPixel(screen.get(), onScreen.x, onScreen.y), expected) << at.x << "," << at.y;
  }
}

TEST_F(PicturePickingTest, ScrollingUnderAStillPointerPreviewsThePixelNowUnderIt) {
  Drop(Picture(L"base.png"));
  auto big = std::make_unique<TDibGraphic>();
  big->NewImage(1500, 1200, TDibFormat::ifColorRgb24, nullptr, 96, 96);
  for (int y = 0; y < 1200; ++y)
    for (int x = 0; x < 1500; ++x) big->SetRgbPixel(x, y, MakeRgb(x % 256, y % 256, 0));
  pictureForm->SetPicture(std::move(big));
  Pump();
  POINT pointer{100, 50};
  ClientToScreen(pictureForm->Image_PColor.Handle(), &pointer);
  SetCursorPos(pointer.x, pointer.y);
  SendMessageW(pictureForm->Image_PColor.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 50));
  ASSERT_EQ(pictureForm->Panel_ImageTempColor.Color(), RGB(100, 50, 0));
  for (const auto& [message, request] : {std::pair{WM_VSCROLL, SB_LINEDOWN}, std::pair{WM_HSCROLL, SB_LINEDOWN}}) {
    SendMessageW(pictureForm->Handle(), message, request, 0);
    const POINT origin = pictureForm->Image_PColor.Origin();
    EXPECT_EQ(pictureForm->Panel_ImageTempColor.Color(), RGB(100 + origin.x, 50 + origin.y, 0))
        << "scrolled to " << origin.x << "," << origin.y;
  }
}

TEST_F(PicturePickingTest, TheWindowKeepsItsMinimumSize) {
  Drop(Picture(L"p.png"));
  SetWindowPos(pictureForm->Handle(), nullptr, 0, 0, 100, 80, SWP_NOMOVE | SWP_NOZORDER);
  RECT frame;
  GetWindowRect(pictureForm->Handle(), &frame);
  EXPECT_EQ(frame.right - frame.left, 320);
  EXPECT_EQ(frame.bottom - frame.top, 240);
}

TEST_F(PicturePickingTest, ClosingTheProgramRemovesTheTemporaryBitmap) {
  Drop(Picture(L"q.tga"));
  ASSERT_TRUE(TemporaryBitmapExists());
  form->Close();
  Pump();
  EXPECT_FALSE(TemporaryBitmapExists());
}

TEST_F(PicturePickingTest, APictureOpenedOverADroppedOneReplacesItAndLeavesEveryWindowUsable) {
  Drop(Picture(L"dropped.png"));
  ASSERT_TRUE(pictureForm->Visible());
  const fs::path second = folder / L"opened.bmp";
  {
    TDibGraphic picture;
    picture.NewImage(30, 20, TDibFormat::ifColorRgb24, nullptr, 96, 96);
    picture.FillWithColor(0x123456);
    TFileStream file(second, FileMode::Create);
    SaveToBmp(picture, file);
    file.Close();
  }
  WhenModal([&] {
    // The open dialog: its file name box, then OK.
    const HWND box = FindWindowW(L"#32770", L"请选择图片");
    SendMessageW(box, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(second.c_str()));
    SendMessageW(box, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(second.c_str()));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  form->BitBtn_PImage.Click();
  Pump();
  EXPECT_TRUE(pictureForm->Visible());
  EXPECT_FALSE(pictureForm->Modal());
  EXPECT_EQ(pictureForm->Image_PColor.PictureSize().cx, 30) << "the opened picture took the dropped one's place";
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  EXPECT_TRUE(IsWindowEnabled(pictureForm->Handle()));
}

TEST_F(PicturePickingTest, AReleaseWithNoPressOnThePicturePicksNothing) {
  Drop(Picture(L"p.png"));
  const TColor current = form->CurrentColor();
  // The second click of the double click that chose the file in the dialog.
  SendMessageW(pictureForm->Image_PColor.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(9, 9));
  Pump();
  EXPECT_TRUE(pictureForm->Visible());
  EXPECT_EQ(form->CurrentColor(), current);
}

// The preview column widens the dialog after the system has placed it; beside
// an owner in the screen's corner it must still be wholly on the screen.
TEST_F(PicturePickingTest, TheOpenDialogStaysWithinTheWorkArea) {
  RECT work, owner;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(form->Handle(), &owner);
  SetWindowPos(form->Handle(), nullptr, work.right - (owner.right - owner.left),
               work.bottom - (owner.bottom - owner.top), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  OpenPictureDialog dialog;
  dialog.Title = L"placement";
  dialog.Filter = L"Pictures|*.png";
  RECT shown{};
  WhenModal([&shown] {
    const HWND box = FindWindowW(L"#32770", L"placement");
    GetWindowRect(box, &shown);
    PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(dialog.Execute(form->Handle()));
  ASSERT_GT(shown.right - shown.left, 0) << "the dialog was not found";
  EXPECT_GE(shown.left, work.left);
  EXPECT_GE(shown.top, work.top);
  EXPECT_LE(shown.right, work.right);
  EXPECT_LE(shown.bottom, work.bottom);
}

}  // namespace
}  // namespace huemira
