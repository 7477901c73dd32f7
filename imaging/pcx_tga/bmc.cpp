#include "imaging/pcx_tga/bmc.h"

#include <cctype>
#include <cstring>

#include "imaging/pcx_tga/bmc_codec.h"

namespace huemira {

namespace {

// Table order is search order.
const BmcCodec* const kFileTypes[kBmcFileTypeCount] = {&kBitmapCodec, &kPcxCodec, &kTargaCodec};

const BmcCodec* CodecFor(int file_type) {
  return file_type >= 0 && file_type < kBmcFileTypeCount ? kFileTypes[file_type] : nullptr;
}

bool IsOptionSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n'; }

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

bool IsBlank(char c) { return c == ' '; }

// Calls visit(word) for each word of text; stops early, returning false, when visit does.
template <typename Visit>
bool ForEachWord(std::string_view text, bool (*is_separator)(char), Visit visit) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (is_separator(text[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && !is_separator(text[end])) ++end;
    if (!visit(text.substr(i, end - i))) return false;
    i = end;
  }
  return true;
}

std::string_view OptionsOf(const char* options) { return options ? std::string_view(options) : std::string_view(); }

}  // namespace

bool BmcHasOption(std::string_view options, std::string_view word) {
  return !ForEachWord(options, IsOptionSeparator, [&](std::string_view w) { return !EqualNoCase(w, word); });
}

const char* BmcCommonErrorText(int code) {
  switch (code) {
    case BMC_OK: return "success";
    case BMC_OUT_OF_MEMORY: return "out of memory";
    case BMC_NOT_SUPPORTED: return "not supported";
    case BMC_BAD_OPTIONS: return "bad option(s)";
    case BMC_NOT_FOUND: return "not found";
    case BMC_BAD_MAGIC: return "bad magic number";
    case BMC_BAD_SIZE: return "bad bitmap size";
    case BMC_CANNOT_READ: return "cannot read";
    case BMC_CANNOT_WRITE: return "cannot write";
    case BMC_BAD_ARGUMENT: return "bad argument";
    default: return "unknown error";
  }
}

void BmcReportRow(BmcProgress progress, void* progress_data, std::int64_t row, std::int64_t last_row) {
  if (progress) progress(last_row > 0 ? static_cast<int>(row * 100 / last_row) : 100, progress_data);
}

int bmc_guess_filetype(const char* file_name, int* file_type) {
  if (!file_name || !file_type) return BMC_BAD_ARGUMENT;
  const char* dot = std::strrchr(file_name, '.');
  if (!dot) return BMC_NOT_FOUND;
  const std::string_view extension(dot + 1);
  for (int type = 0; type < kBmcFileTypeCount; ++type) {
    const bool listed = !ForEachWord(kFileTypes[type]->description.extensions, IsBlank,
                                     [&](std::string_view listed_extension) {
                                       return !EqualNoCase(listed_extension, extension);
                                     });
    if (listed) {
      *file_type = type;
      return BMC_OK;
    }
  }
  return BMC_NOT_FOUND;
}

int bmc_describe_filetype(int file_type, BmcFileTypeDescription* description) {
  const BmcCodec* codec = CodecFor(file_type);
  if (!codec || !description) return BMC_BAD_ARGUMENT;
  *description = codec->description;
  return BMC_OK;
}

int bmc_read_header(const char* file_name, TStream* stream, int file_type, const char* options, BmcHeader* header) {
  const BmcCodec* codec = CodecFor(file_type);
  if (!file_name || !stream || !codec || !header) return BMC_BAD_ARGUMENT;
  return codec->read_header(*stream, OptionsOf(options), *header);
}

int bmc_read_color_map(TStream* stream, int file_type, const BmcHeader* header, BmcColorMap* color_map) {
  const BmcCodec* codec = CodecFor(file_type);
  if (!stream || !codec || !header || !color_map) return BMC_BAD_ARGUMENT;
  return codec->read_color_map(*stream, *header, *color_map);
}

int bmc_read_data(TStream* stream, int file_type, const BmcHeader* header, const BmcPixelBuffer* buffer,
                  BmcProgress progress, void* progress_data) {
  const BmcCodec* codec = CodecFor(file_type);
  if (!stream || !codec || !header || !buffer || !buffer->bottom_row) return BMC_BAD_ARGUMENT;
  return codec->read_data(*stream, *header, *buffer, progress, progress_data);
}

int bmc_write(const char* file_name, TStream* stream, int file_type, const BmcHeader* header,
              const BmcColorMap* color_map, const BmcPixelBuffer* buffer, const char* options,
              BmcProgress progress, void* progress_data) {
  const BmcCodec* codec = CodecFor(file_type);
  if (!file_name || !stream || !codec || !header || !color_map || !buffer || !buffer->bottom_row) {
    return BMC_BAD_ARGUMENT;
  }
  return codec->write(*stream, *header, *color_map, *buffer, OptionsOf(options), progress, progress_data);
}

const char* bmc_error_text(int file_type, int code) {
  const BmcCodec* codec = CodecFor(file_type);
  return codec ? codec->error_text(code) : BmcCommonErrorText(code);
}

}  // namespace huemira
