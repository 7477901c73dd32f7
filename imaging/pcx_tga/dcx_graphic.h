// Multi-page DCX files: a page table of absolute offsets, each page a whole PCX file.
#pragma once

#include "imaging/pcx_tga/pcx_graphic.h"

namespace huemira {

class TDcxGraphic : public TPcxGraphic {
 public:
  const char* ClassName() const override { return "TDcxGraphic"; }
  std::unique_ptr<TDibGraphic> CreateNew() const override { return std::make_unique<TDcxGraphic>(); }

  bool CanLoadStream(TStream& stream) override;
  // Number of pages in the table.
  int GetImageCount(TStream& stream) override;
  // Decodes page index (1-based).
  void ReadImage(TStream& stream, int index) override;
  // Adds the image as a new page; at most 1023 pages fit a table this class wrote.
  void AppendImage(TStream& stream) override;
  // Writes a one-page DCX file with room for 1023 pages.
  void SaveToStream(TStream& stream) override;
};

}  // namespace huemira
