#include "framework/open_picture_dialog.h"

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

#include "framework/file_dialog.h"

namespace huemira {

// Shared by the dialog and the workers, so that a worker finishing after the
// dialog has closed touches only this.
struct OpenPictureDialog::Mailbox {
  std::mutex mutex;
  // Null once the dialog is gone: no worker posts to a destroyed window.
  HWND hookDialog = nullptr;
  // The newest selection's number; a preview of any other is dropped.
  std::uint64_t wanted = 0;
  // The newest selection's preview, once made; a newer selection clears it.
  std::optional<std::pair<PreviewKey, SharedPreview>> finished;
};

namespace {

// Posted to the hook dialog when the newest selection's preview is ready.
constexpr UINT kPreviewReadyMessage = WM_APP + 1;
constexpr WORD kPreviewId = 1000;
constexpr WORD kSizeLabelId = 1001;
constexpr int kGap = 8;
constexpr int kLabelHeight = 18;
// Large enough that a file name of any length fits; the system's own limit.
constexpr DWORD kFileNameCapacity = 32768;

// An in-memory dialog template: the standard controls take the place of
// stc32, and the preview and its label sit to the right of them.
class DialogTemplate {
 public:
  DialogTemplate() {
    constexpr DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL;
    Put(LOWORD(style)), Put(HIWORD(style));
    Put(0), Put(0);  // extended style
    Put(3);          // items
    Put(0), Put(0), Put(152), Put(124);
    Put(0), Put(0), Put(0);  // no menu, default class, no title
    // The standard part is made at least as tall as stc32, and nothing lies
    // below it: so the system moves the preview right, never down.
    AddStatic(stc32, SS_LEFT, 0, 0, 4, 124);
    AddStatic(kPreviewId, SS_OWNERDRAW, 8, 4, 140, 100);
    AddStatic(kSizeLabelId, SS_CENTER | SS_NOPREFIX, 8, 108, 140, 10);
  }
  HINSTANCE Handle() const { return reinterpret_cast<HINSTANCE>(const_cast<WORD*>(words_.data())); }

 private:
  void Put(WORD word) { words_.push_back(word); }
  void AddStatic(WORD id, DWORD style, short x, short y, short cx, short cy) {
    if (words_.size() % 2) Put(0);  // items start on a DWORD boundary
    style |= WS_CHILD | WS_VISIBLE;
    Put(LOWORD(style)), Put(HIWORD(style));
    Put(0), Put(0);
    for (short value : {x, y, cx, cy}) Put(static_cast<WORD>(value));
    Put(id);
    Put(0xFFFF), Put(0x0082);  // the static class
    Put(0);                    // no text
    Put(0);                    // no creation data
  }

  std::vector<WORD> words_;
};

std::wstring SelectedPath(HWND explorerDialog) {
  const LRESULT length = SendMessageW(explorerDialog, CDM_GETFILEPATH, 0, 0);
  if (length <= 0) return {};
  std::wstring path(static_cast<std::size_t>(length), L'\0');
  SendMessageW(explorerDialog, CDM_GETFILEPATH, static_cast<WPARAM>(length), reinterpret_cast<LPARAM>(path.data()));
  path.resize(wcsnlen(path.c_str(), path.size()));
  return path;
}

RECT ChildRect(HWND dialog, int id) {
  RECT rect{};
  HWND child = GetDlgItem(dialog, id);
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The system places the dialog before the preview column widens it, so that
// beside an owner near the screen's edge the preview would reach off screen.
void MoveIntoWorkArea(HWND window) {
  RECT frame;
  GetWindowRect(window, &frame);
  MONITORINFO monitor{.cbSize = sizeof(monitor)};
  if (!GetMonitorInfoW(MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const RECT& area = monitor.rcWork;
  // The top-left corner wins when the dialog is larger than the work area.
  const LONG left = std::max(area.left, std::min(frame.left, area.right - (frame.right - frame.left)));
  const LONG top = std::max(area.top, std::min(frame.top, area.bottom - (frame.bottom - frame.top)));
  if (left == frame.left && top == frame.top) return;
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

bool OpenPictureDialog::Execute(HWND owner) {
  const DialogTemplate dialogTemplate;
  const std::wstring filter = FilterWithNulls(Filter);
  std::wstring file(kFileNameCapacity, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.hInstance = dialogTemplate.Handle();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(FilterIndex);
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = kFileNameCapacity;
  dialog.lpstrTitle = Title.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE | OFN_ENABLESIZING | OFN_FILEMUSTEXIST |
                 OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  dialog.lpfnHook = Hook;
  dialog.lCustData = reinterpret_cast<LPARAM>(this);
  previewedFile_.clear();
  preview_.reset();
  mailbox_ = std::make_shared<Mailbox>();
  const bool chosen = GetOpenFileNameW(&dialog) != FALSE;
  mailbox_.reset();
  preview_.reset();
  if (!chosen) return false;
  fileName_ = file.c_str();
  return true;
}

void OpenPictureDialog::LayOut(HWND hookDialog) const {
  // The standard controls fill stc32; the preview takes the column to its right.
  const RECT standard = ChildRect(hookDialog, stc32);
  RECT client;
  GetClientRect(hookDialog, &client);
  const int left = standard.right + kGap;
  const int width = std::max(0, static_cast<int>(client.right) - left - kGap);
  const int top = standard.top + 2 * kGap;
  const int height = std::clamp(static_cast<int>(standard.bottom) - top - kLabelHeight - 3 * kGap, 0, width);
  SetWindowPos(GetDlgItem(hookDialog, kPreviewId), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(GetDlgItem(hookDialog, kSizeLabelId), nullptr, left, top + height + kGap / 2, width, kLabelHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void OpenPictureDialog::ShowPreviewOf(HWND hookDialog) {
  const std::wstring path = SelectedPath(GetParent(hookDialog));
  if (path == previewedFile_) return;
  previewedFile_ = path;
  RECT client;
  GetClientRect(GetDlgItem(hookDialog, kPreviewId), &client);
  // A file that does not decode, or a folder, shows an empty preview.
  const SIZE room{std::max(0L, client.right - 4), std::max(0L, client.bottom - 4)};
  WIN32_FILE_ATTRIBUTE_DATA file{};
  const bool isFile = !path.empty() && GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &file) &&
                      !(file.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  if (!isFile || !RenderPreview || room.cx <= 0 || room.cy <= 0) {
    RequestPreview({});
    ShowPreview(hookDialog, nullptr);
    return;
  }
  const PreviewKey key{
      .path = path,
      .fileSize = (std::uint64_t{file.nFileSizeHigh} << 32) | file.nFileSizeLow,
      .lastWrite = (std::uint64_t{file.ftLastWriteTime.dwHighDateTime} << 32) | file.ftLastWriteTime.dwLowDateTime,
      .room = room};
  if (const SharedPreview* recent = recentPreviews_.Find(key)) {
    RequestPreview({});
    ShowPreview(hookDialog, *recent);
    return;
  }
  // The old preview goes at once: it would stand for the wrong file.
  ShowPreview(hookDialog, nullptr);
  RequestPreview(key);
}

// An empty key asks for nothing: whatever is under way is no longer wanted.
void OpenPictureDialog::RequestPreview(const PreviewKey& key) {
  std::uint64_t number;
  {
    std::lock_guard lock(mailbox_->mutex);
    number = ++mailbox_->wanted;
    mailbox_->finished.reset();
  }
  if (key.path.empty()) {
    previewWorkers_.DropAll();
    return;
  }
  previewWorkers_.Submit([mailbox = mailbox_, render = RenderPreview, key, number](
                             const std::function<bool()>& stillWanted) {
    SharedPreview preview;
    try {
      if (auto made = render(key.path, key.room, stillWanted)) {
        preview = std::make_shared<const PicturePreview>(std::move(*made));
      }
    } catch (...) {
      // A file that does not decode shows an empty preview.
    }
    std::lock_guard lock(mailbox->mutex);
    if (!mailbox->hookDialog || mailbox->wanted != number) return;
    mailbox->finished.emplace(key, std::move(preview));
    PostMessageW(mailbox->hookDialog, kPreviewReadyMessage, 0, 0);
  });
}

void OpenPictureDialog::TakeFinishedPreview(HWND hookDialog) {
  std::optional<std::pair<PreviewKey, SharedPreview>> finished;
  {
    std::lock_guard lock(mailbox_->mutex);
    finished = std::move(mailbox_->finished);
    mailbox_->finished.reset();
  }
  if (!finished) return;
  recentPreviews_.Put(finished->first, finished->second);
  ShowPreview(hookDialog, std::move(finished->second));
}

void OpenPictureDialog::ShowPreview(HWND hookDialog, SharedPreview preview) {
  preview_ = std::move(preview);
  std::wstring size;
  if (preview_) size = std::to_wstring(preview_->pictureSize.cx) + L" × " + std::to_wstring(preview_->pictureSize.cy);
  SetDlgItemTextW(hookDialog, kSizeLabelId, size.c_str());
  InvalidateRect(GetDlgItem(hookDialog, kPreviewId), nullptr, TRUE);
}

void OpenPictureDialog::DrawPreview(const DRAWITEMSTRUCT& item) const {
  RECT area = item.rcItem;
  FillRect(item.hDC, &area, GetSysColorBrush(COLOR_WINDOW));
  DrawEdge(item.hDC, &area, EDGE_SUNKEN, BF_RECT);
  if (!preview_ || !preview_->bitmap) return;
  UniqueMemoryDc source(CreateCompatibleDC(item.hDC));
  if (!source) return;
  SelectedObject selected(source.get(), preview_->bitmap.get());
  const SIZE size = preview_->bitmapSize;
  BitBlt(item.hDC, (area.left + area.right - size.cx) / 2, (area.top + area.bottom - size.cy) / 2, size.cx, size.cy,
         source.get(), 0, 0, SRCCOPY);
}

UINT_PTR CALLBACK OpenPictureDialog::Hook(HWND hookDialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<OpenPictureDialog*>(reinterpret_cast<const OPENFILENAMEW*>(lParam)->lCustData);
    SetWindowLongPtrW(hookDialog, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    std::lock_guard lock(self->mailbox_->mutex);
    self->mailbox_->hookDialog = hookDialog;
    return 0;
  }
  auto* self = reinterpret_cast<OpenPictureDialog*>(GetWindowLongPtrW(hookDialog, DWLP_USER));
  if (!self) return 0;
  // Nothing may unwind into the system's dialog code.
  try {
    switch (message) {
      case WM_DESTROY: {
        // The dialog closes at once; a preview under way ends unseen.
        {
          std::lock_guard lock(self->mailbox_->mutex);
          self->mailbox_->hookDialog = nullptr;
        }
        self->previewWorkers_.DropAll();
        return 0;
      }
      case kPreviewReadyMessage:
        self->TakeFinishedPreview(hookDialog);
        return TRUE;
      case WM_SIZE:
        self->LayOut(hookDialog);
        return 0;
      case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID != kPreviewId) return 0;
        self->DrawPreview(item);
        return TRUE;
      }
      case WM_NOTIFY:
        switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
          case CDN_INITDONE:
            self->LayOut(hookDialog);
            MoveIntoWorkArea(GetParent(hookDialog));
            break;
          case CDN_SELCHANGE:
          case CDN_FOLDERCHANGE:
            self->ShowPreviewOf(hookDialog);
            break;
        }
        return 0;
    }
  } catch (...) {
  }
  return 0;
}

}  // namespace huemira
