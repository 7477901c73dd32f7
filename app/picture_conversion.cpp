#include "app/picture_conversion.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <system_error>

#include "app/conversion_progress.h"
#include "app/temporary_bitmap.h"
#include "framework/handles.h"
#include "framework/latest_job_runner.h"
#include "imaging/dib/bmp_conversion.h"

namespace huemira {

namespace {

// Thrown from a reader's progress report once the user has cancelled.
struct ConversionCancelled {};

// What the worker and the window thread share; it lives as long as either
// needs it, so that a worker that ends after a cancel touches only this.
class ConversionJob {
 public:
  ConversionJob() : done_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (!done_) throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "CreateEvent");
  }
  HANDLE Done() const { return done_.get(); }
  bool Cancelled() const { return cancelled_.load(); }

  std::atomic<int> percent{0};

  // The worker's result (no picture: it failed); dropped once cancelled.
  void Finish(std::unique_ptr<TDibGraphic> picture, std::wstring bitmapFile) {
    std::lock_guard lock(mutex_);
    if (cancelled_) {
      if (!bitmapFile.empty()) DeleteFileW(bitmapFile.c_str());
      return;
    }
    result_.outcome = picture ? ConvertedPicture::Outcome::Converted : ConvertedPicture::Outcome::Failed;
    result_.picture = std::move(picture);
    result_.bitmapFile = std::move(bitmapFile);
    SetEvent(done_.get());
  }
  // The window thread gives up; a result already there is dropped too.
  void Cancel() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    if (!result_.bitmapFile.empty()) DeleteFileW(result_.bitmapFile.c_str());
    result_ = ConvertedPicture{.outcome = ConvertedPicture::Outcome::Cancelled};
  }
  ConvertedPicture TakeResult() {
    std::lock_guard lock(mutex_);
    return std::move(result_);
  }

 private:
  UniqueHandle done_;
  std::mutex mutex_;
  std::atomic<bool> cancelled_{false};
  ConvertedPicture result_;
};

std::unique_ptr<TDibGraphic> As24Bit(std::unique_ptr<TGraphic> picture) {
  // A 24-bit picture is the bitmap's rows as they are; any other is made
  // 24-bit the way the bitmap's rows are.
  if (auto* dib = dynamic_cast<TDibGraphic*>(picture.get()); dib && dib->DibFormat() == TDibFormat::ifColorRgb24) {
    picture.release();
    return std::unique_ptr<TDibGraphic>(dib);
  }
  auto bitmap = std::make_unique<TDibGraphic>();
  picture->AssignToBitmap24(*bitmap);
  return bitmap;
}

// A file of the worker's own beside the temporary bitmap: a cancelled
// conversion that finishes late never overwrites a newer one's bitmap.
// Empty when it cannot be written (no temporary folder, a full disk).
std::wstring WriteOwnBitmap(const TDibGraphic& picture) {
  const std::wstring folder = TemporaryFolder();
  wchar_t name[MAX_PATH] = {};
  if (folder.empty() || !GetTempFileNameW(folder.c_str(), L"Qlt", 0, name)) return {};
  try {
    WriteBmpFile(picture, name);
  } catch (const std::exception&) {
    return {};
  }
  return name;
}

// Conversions run here; a cancelled one that cannot stop keeps its thread
// while the next takes another.
LatestJobRunner& ConversionWorkers() {
  static LatestJobRunner workers;
  return workers;
}

// The worker's own file becomes the temporary bitmap; if it cannot, the
// picture shows without one.
std::wstring MadeTemporaryBitmap(const std::wstring& ownFile) {
  if (ownFile.empty()) return {};
  const std::wstring bitmap = TemporaryBitmapPath();
  if (MoveFileExW(ownFile.c_str(), bitmap.c_str(), MOVEFILE_REPLACE_EXISTING)) return bitmap;
  DeleteFileW(ownFile.c_str());
  return {};
}

}  // namespace

ConvertedPicture ConvertToTemporaryBitmap(const std::wstring& fileName) {
  auto job = std::make_shared<ConversionJob>();
  ConversionProgress progress;
  ConversionWorkers().Submit([job, fileName](const std::function<bool()>&) {
    std::unique_ptr<TDibGraphic> picture;
    std::wstring ownFile;
    try {
      picture = As24Bit(ReadPicture(fileName, [&job](int percent) {
        if (job->Cancelled()) throw ConversionCancelled{};
        job->percent = percent;
      }));
      if (!job->Cancelled()) ownFile = WriteOwnBitmap(*picture);
    } catch (...) {
      // A reader's error, or the user's cancel: no picture.
      picture.reset();
    }
    job->Finish(std::move(picture), std::move(ownFile));
  });
  if (!progress.Await(job->Done(), job->percent)) {
    job->Cancel();
    return ConvertedPicture{.outcome = ConvertedPicture::Outcome::Cancelled};
  }
  ConvertedPicture result = job->TakeResult();
  result.bitmapFile = MadeTemporaryBitmap(result.bitmapFile);
  return result;
}

}  // namespace huemira
