// The palettes the palette window keeps: one GIMP palette file each in a
// folder (%APPDATA%\Huemira\palettes), made the first time one is written.
// Every write replaces its file in one step. A file that does not read is
// listed with its error and never written over, renamed or deleted here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "color/palette.h"

namespace huemira {

struct StoredPalette {
  std::wstring fileName;  // in the store's folder
  Palette palette;        // empty when the file does not read
  // Why the file does not read ("NAME.gpl: 第 3 行: ..."); empty when it reads.
  std::string error;
  bool Readable() const { return error.empty(); }
};

class PaletteStore {
 public:
  explicit PaletteStore(std::wstring folder);
  // %APPDATA%\Huemira\palettes of the user.
  static std::wstring DefaultFolder();
  const std::wstring& Folder() const { return folder_; }

  // Reads every .gpl file of the folder again, in the order of their
  // palettes' names; a missing folder holds none.
  void Load();
  const std::vector<StoredPalette>& Palettes() const { return palettes_; }
  // The readable palette of that name.
  std::optional<std::size_t> Find(const std::string& name) const;
  // wanted, or "wanted 2", "wanted 3"... the first name no palette has.
  std::string UniqueName(const std::string& wanted) const;

  // The writes keep the list as it was when they fail, and throw
  // EWriteError naming the file. Another palette's name is never taken:
  // the name is made unique first.
  // A new file for the palette, at the end of the list; returns its index.
  std::size_t Add(Palette palette);
  // A readable palette's new content; a new name moves it to a file of
  // that name.
  void Replace(std::size_t index, Palette palette);
  // A readable palette's file is deleted.
  void Delete(std::size_t index);

 private:
  std::wstring PathOf(const std::wstring& fileName) const;
  // A file name for the palette's name that neither the list nor the
  // folder holds yet, other than the file at except.
  std::wstring FreeFileName(const std::string& paletteName, std::optional<std::size_t> except) const;
  void Write(const std::wstring& fileName, const Palette& palette) const;
  // Unreadable palettes are never written or deleted.
  const StoredPalette& Writable(std::size_t index) const;

  std::wstring folder_;
  std::vector<StoredPalette> palettes_;
};

// The message of a palette file that does not read: "NAME: 第 N 行: message",
// the line left out when the fault concerns the whole file.
std::string PaletteFileErrorText(const std::wstring& fileName, int line, const std::string& message);

}  // namespace huemira
