#include "imaging/dib/graphic.h"

#include "imaging/dib/dib_graphic.h"

namespace huemira {

void TGraphic::LoadFromFile(const std::filesystem::path& path) {
  TFileStream stream(path, FileMode::OpenRead);
  LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::filesystem::path& path) {
  TFileStream stream(path, FileMode::Create);
  SaveToStream(stream);
  stream.Close();
}

void TGraphic::ForEachRow24BottomUp(const TRow24Sink& sink) const {
  TDibGraphic bitmap;
  AssignToBitmap24(bitmap);
  bitmap.ForEachRow24BottomUp(sink);
}

}  // namespace huemira
