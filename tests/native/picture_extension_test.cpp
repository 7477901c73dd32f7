#include "app/picture_extension.h"

#include <gtest/gtest.h>

namespace huemira {
namespace {

TEST(PictureExtension, KeyIsTheUpperCasedExtensionOfTheNameOnly) {
  const struct {
    const wchar_t* fileName;
    const wchar_t* key;
  } examples[] = {
      {L"photo.JpG", L".JPG"},
      {L"C:\\图片\\照片.jpeg", L".JPEG"},
      {L"archive.tar.Tiff", L".TIFF"},
      {L"C:\\folder.d\\readme", L""},
      {L"C:/folder.d/readme", L""},
      {L"noextension", L""},
      {L"trailing.", L"."},
      {L"名字.图片", L".图片"},
  };
  for (const auto& example : examples) EXPECT_EQ(ExtensionKey(example.fileName), example.key) << example.fileName;
}

TEST(PictureExtension, ThirteenExtensionsAreTakenAndOnlyBitmapsSkipConversion) {
  for (const wchar_t* key : {L".JPG", L".JPEG", L".ICO", L".WMF", L".EMF", L".GIF", L".PNG", L".PCX", L".DCX",
                             L".TIF", L".TIFF", L".TGA"}) {
    EXPECT_TRUE(IsConvertedKey(key)) << key;
    EXPECT_TRUE(IsPictureKey(key)) << key;
  }
  EXPECT_TRUE(IsPictureKey(L".BMP"));
  EXPECT_FALSE(IsConvertedKey(L".BMP"));
  for (const wchar_t* key : {L".TXT", L".jpg", L"", L".PSD", L".VST", L".PCC"}) EXPECT_FALSE(IsPictureKey(key)) << key;
}

}  // namespace
}  // namespace huemira
