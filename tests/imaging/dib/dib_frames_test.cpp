#include <gtest/gtest.h>

#include "imaging/dib/dib_graphic.h"
#include "tests/imaging/dib/byte_images.h"

namespace huemira {
namespace {

TEST(DibFrames, SingleImageWithLoadAllImagesLoadsDirectly) {
  TMemoryStream stream({42});
  TByteImages image;
  image.LoadAllImages = true;
  image.LoadFromStream(stream);
  EXPECT_FALSE(image.LoadAllImages);
  EXPECT_TRUE(image.Frames().empty());
  EXPECT_EQ(image.GetPixelIndex(0, 0), 42);
}

TEST(DibFrames, LoadIndexChoosesTheImage) {
  TMemoryStream stream({1, 2, 3});
  TByteImages image;
  image.LoadIndex = 3;
  image.LoadFromStream(stream);
  EXPECT_EQ(image.GetPixelIndex(0, 0), 3);
  EXPECT_TRUE(image.Frames().empty());
}

TEST(DibFrames, LoadAllImagesReadsEveryFrameFromTheSamePosition) {
  TMemoryStream stream({9, 1, 2, 3});
  stream.SetPosition(1);
  TByteImages image;
  image.LoadAllImages = true;
  int changes = 0;
  image.OnChange = [&](TDibGraphic&) { ++changes; };
  image.LoadFromStream(stream);
  ASSERT_EQ(image.Frames().size(), 3u);
  EXPECT_EQ(image.FrameIndex(), 1);
  EXPECT_EQ(image.GetPixelIndex(0, 0), 1);
  EXPECT_EQ(image.Frames()[2]->GetPixelIndex(0, 0), 3);
  EXPECT_EQ(changes, 1);

  image.SetFrameIndex(3);
  EXPECT_EQ(image.GetPixelIndex(0, 0), 3);
  EXPECT_EQ(image.FrameIndex(), 3);
  for (int bad : {0, 4, -1}) {
    try {
      image.SetFrameIndex(bad);
      ADD_FAILURE() << bad;
    } catch (const EImbravaError& error) {
      EXPECT_EQ(error.message(), "Frame " + std::to_string(bad) + " does not exist");
    }
  }
  EXPECT_EQ(image.FrameIndex(), 3);
}

TEST(DibFrames, AnimatingSurvivesAFailedLoad) {
  TMemoryStream stream({1, 2});
  TByteImages image;
  image.LoadAllImages = true;
  image.LoadFromStream(stream);
  image.SetAnimating(true);
  TMemoryStream broken;  // no images at all
  image.LoadIndex = 1;
  image.LoadAllImages = false;
  EXPECT_ANY_THROW(image.LoadFromStream(broken));
  EXPECT_TRUE(image.Animating());
}

TEST(DibFrames, SingleImageClassRefusesToAppend) {
  TByteImages image;
  TMemoryStream stream;
  try {
    image.AppendImage(stream);
    FAIL();
  } catch (const EImbravaError& error) {
    EXPECT_STREQ(error.what(), "The TByteImages format does not support multiple images");
  }
}

}  // namespace
}  // namespace huemira
