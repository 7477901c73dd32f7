#include "imaging/libreaders/tiff_private_tags.h"

#include <tiffio.h>

#include <array>
#include <mutex>
#include <string>

namespace huemira {

namespace {

TIFFExtendProc previousExtender = nullptr;

const std::array<TIFFFieldInfo, kPrivateTiffTagCount>& PrivateTagInfo() {
  static const std::array<std::string, kPrivateTiffTagCount> names = [] {
    std::array<std::string, kPrivateTiffTagCount> result;
    for (int i = 0; i < kPrivateTiffTagCount; ++i) result[i] = "PrivateTag" + std::to_string(kFirstPrivateTiffTag + i);
    return result;
  }();
  static const std::array<TIFFFieldInfo, kPrivateTiffTagCount> info = [] {
    std::array<TIFFFieldInfo, kPrivateTiffTagCount> result{};
    for (int i = 0; i < kPrivateTiffTagCount; ++i) {
      result[i] = {static_cast<ttag_t>(kFirstPrivateTiffTag + i),
                   TIFF_VARIABLE,
                   TIFF_VARIABLE,
                   TIFF_ASCII,
                   FIELD_CUSTOM,
                   1,
                   0,
                   const_cast<char*>(names[i].c_str())};
    }
    return result;
  }();
  return info;
}

void ExtendTags(TIFF* tif) {
  const auto& info = PrivateTagInfo();
  TIFFMergeFieldInfo(tif, info.data(), static_cast<std::uint32_t>(info.size()));
  if (previousExtender) previousExtender(tif);
}

}  // namespace

void MakePrivateTiffTagsKnown() {
  static std::once_flag once;
  std::call_once(once, [] { previousExtender = TIFFSetTagExtender(ExtendTags); });
}

}  // namespace huemira
