#include "app/palette_store.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/palette_file_name.h"
#include "color/gimp_palette.h"
#include "color/palette_file_error.h"
#include "framework/exception.h"
#include "framework/file_replace.h"
#include "framework/stream.h"
#include "framework/text.h"

namespace huemira {

namespace {

constexpr wchar_t kExtension[] = L".gpl";
// Far beyond any palette (10,000 named colours are some 400 KB): a larger
// file is not read into memory.
constexpr std::int64_t kMaxPaletteFileBytes = 16 << 20;

bool HasPaletteExtension(const std::wstring& fileName) {
  const std::size_t length = std::size(kExtension) - 1;
  return fileName.size() > length && SameFileName(fileName.substr(fileName.size() - length), kExtension);
}

std::wstring StemOf(const std::wstring& fileName) {
  return fileName.substr(0, fileName.size() - (std::size(kExtension) - 1));
}

StoredPalette ReadStoredPalette(const std::filesystem::path& path) {
  StoredPalette stored{.fileName = path.filename().wstring()};
  try {
    TFileStream file(path, FileMode::OpenRead);
    const std::int64_t size = file.Size();
    if (size > kMaxPaletteFileBytes) {
      stored.error = PaletteFileErrorText(stored.fileName, 0, "文件过大");
      return stored;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    file.ReadBuffer(bytes.data(), bytes.size());
    stored.palette = ReadGimpPalette(bytes, WideToUtf8(StemOf(stored.fileName)));
  } catch (const PaletteFileError& failure) {
    stored.error = PaletteFileErrorText(stored.fileName, failure.line(), failure.what());
  } catch (const EStreamError& failure) {
    stored.error = PaletteFileErrorText(stored.fileName, 0, failure.what());
  }
  return stored;
}

std::wstring ShownName(const StoredPalette& stored) {
  return stored.Readable() ? Utf8ToWide(stored.palette.name) : stored.fileName;
}

}  // namespace

std::string PaletteFileErrorText(const std::wstring& fileName, int line, const std::string& message) {
  std::string text = WideToUtf8(fileName) + ": ";
  if (line > 0) text += "第 " + std::to_string(line) + " 行: ";
  return text + message;
}

PaletteStore::PaletteStore(std::wstring folder) : folder_(std::move(folder)) {}

std::wstring PaletteStore::DefaultFolder() {
  PWSTR roaming = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &roaming)))
    folder = roaming;
  CoTaskMemFree(roaming);
  return folder + L"\\Huemira\\palettes";
}

std::wstring PaletteStore::PathOf(const std::wstring& fileName) const { return folder_ + L"\\" + fileName; }

void PaletteStore::Load() {
  palettes_.clear();
  std::error_code error;
  for (std::filesystem::directory_iterator entry(folder_, error), end; !error && entry != end;
       entry.increment(error)) {
    if (entry->is_regular_file(error) && HasPaletteExtension(entry->path().filename().wstring()))
      palettes_.push_back(ReadStoredPalette(entry->path()));
  }
  std::ranges::stable_sort(palettes_, [](const StoredPalette& a, const StoredPalette& b) {
    return lstrcmpiW(ShownName(a).c_str(), ShownName(b).c_str()) < 0;
  });
}

std::optional<std::size_t> PaletteStore::Find(const std::string& name) const {
  for (std::size_t i = 0; i < palettes_.size(); ++i)
    if (palettes_[i].Readable() && palettes_[i].palette.name == name) return i;
  return std::nullopt;
}

std::string PaletteStore::UniqueName(const std::string& wanted) const {
  const auto taken = [this](const std::wstring& name) { return Find(WideToUtf8(name)).has_value(); };
  return WideToUtf8(huemira::UniqueName(Utf8ToWide(wanted), taken));
}

std::wstring PaletteStore::FreeFileName(const std::string& paletteName, std::optional<std::size_t> except) const {
  const auto taken = [&](const std::wstring& stem) {
    const std::wstring fileName = stem + kExtension;
    for (std::size_t i = 0; i < palettes_.size(); ++i)
      if (i != except && SameFileName(palettes_[i].fileName, fileName)) return true;
    if (except && SameFileName(palettes_[*except].fileName, fileName)) return false;
    return GetFileAttributesW(PathOf(fileName).c_str()) != INVALID_FILE_ATTRIBUTES;
  };
  return huemira::UniqueName(SafeFileStem(Utf8ToWide(paletteName)), taken) + kExtension;
}

void PaletteStore::Write(const std::wstring& fileName, const Palette& palette) const {
  std::error_code ignored;
  std::filesystem::create_directories(folder_, ignored);
  const std::wstring path = PathOf(fileName);
  if (!ReplaceFileContent(path, WriteGimpPalette(palette)))
    throw EWriteError("调色板未能保存:无法写入文件\n" + WideToUtf8(path));
}

const StoredPalette& PaletteStore::Writable(std::size_t index) const {
  const StoredPalette& stored = palettes_.at(index);
  if (!stored.Readable()) throw EWriteError("无法读取的调色板文件不会被修改:\n" + WideToUtf8(PathOf(stored.fileName)));
  return stored;
}

std::size_t PaletteStore::Add(Palette palette) {
  palette.name = UniqueName(palette.name.empty() ? "调色板" : palette.name);
  StoredPalette stored{.fileName = FreeFileName(palette.name, std::nullopt), .palette = std::move(palette)};
  Write(stored.fileName, stored.palette);
  palettes_.push_back(std::move(stored));
  return palettes_.size() - 1;
}

void PaletteStore::Replace(std::size_t index, Palette palette) {
  const StoredPalette& stored = Writable(index);
  // The file follows a new name (a file the user named otherwise keeps its
  // name while only its colours change); the new file is written before
  // the old one goes, so that a failure leaves one of them, never neither.
  std::wstring fileName = stored.fileName;
  if (palette.name != stored.palette.name) {
    palette.name = UniqueName(palette.name.empty() ? "调色板" : palette.name);
    fileName = FreeFileName(palette.name, index);
  }
  Write(fileName, palette);
  if (!SameFileName(fileName, stored.fileName) && !DeleteFileW(PathOf(stored.fileName).c_str())) {
    DeleteFileW(PathOf(fileName).c_str());
    throw EWriteError("调色板未能改名:无法删除文件\n" + WideToUtf8(PathOf(stored.fileName)));
  }
  palettes_[index] = StoredPalette{.fileName = fileName, .palette = std::move(palette)};
}

void PaletteStore::Delete(std::size_t index) {
  const StoredPalette& stored = Writable(index);
  const std::wstring path = PathOf(stored.fileName);
  if (!DeleteFileW(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
    throw EWriteError("调色板未能删除:无法删除文件\n" + WideToUtf8(path));
  palettes_.erase(palettes_.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace huemira
