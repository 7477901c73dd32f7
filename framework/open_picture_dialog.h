// The system's open-file dialog, with a preview of the selected picture
// beside the file list and its size in pixels beneath it. Previews are made
// on worker threads, so that the dialog never waits for a slow file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "framework/handles.h"
#include "framework/latest_job_runner.h"
#include "framework/recent_values.h"

namespace huemira {

// A bitmap that fits the preview area, and the picture's own size.
struct PicturePreview {
  UniqueBitmap bitmap;
  SIZE bitmapSize{};
  SIZE pictureSize{};
};
// Makes the preview of a file for an area of the given size, or none. It runs
// on a worker thread, and may stop early (by throwing) once stillWanted says
// that a newer selection has come.
using PreviewRenderer = std::function<std::optional<PicturePreview>(const std::wstring& fileName, SIZE area,
                                                                    const std::function<bool()>& stillWanted)>;

class OpenPictureDialog {
 public:
  std::wstring Title;
  // Descriptions and pattern lists, all separated by "|": "All|*.a;*.b|A files|*.a".
  std::wstring Filter;
  // 1 selects the first pair of the filter.
  int FilterIndex = 1;
  PreviewRenderer RenderPreview;

  // Runs the dialog; true when the user chose a file, whose full name
  // FileName() then gives, at any length.
  bool Execute(HWND owner);
  const std::wstring& FileName() const { return fileName_; }

 private:
  // A file as it was when previewed, and the room its preview had.
  struct PreviewKey {
    std::wstring path;
    std::uint64_t fileSize = 0;
    std::uint64_t lastWrite = 0;
    SIZE room{};
    bool operator==(const PreviewKey& other) const {
      return path == other.path && fileSize == other.fileSize && lastWrite == other.lastWrite &&
             room.cx == other.room.cx && room.cy == other.room.cy;
    }
  };
  using SharedPreview = std::shared_ptr<const PicturePreview>;
  struct Mailbox;

  static UINT_PTR CALLBACK Hook(HWND hookDialog, UINT message, WPARAM wParam, LPARAM lParam);
  void LayOut(HWND hookDialog) const;
  void ShowPreviewOf(HWND hookDialog);
  void RequestPreview(const PreviewKey& key);
  void TakeFinishedPreview(HWND hookDialog);
  void ShowPreview(HWND hookDialog, SharedPreview preview);
  void DrawPreview(const DRAWITEMSTRUCT& item) const;

  std::wstring fileName_;
  std::wstring previewedFile_;
  SharedPreview preview_;
  // Arrowing up and down the list shows these again without reading.
  RecentValues<PreviewKey, SharedPreview> recentPreviews_{8};
  // Where the workers leave the previews of one run of the dialog.
  std::shared_ptr<Mailbox> mailbox_;
  LatestJobRunner previewWorkers_;
};

}  // namespace huemira
