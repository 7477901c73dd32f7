// PCX run-length decoding, one plane line at a time. A run may be longer than
// what is left of a line; the rest of it carries over to the next line unless
// the "trunc" option asks for runs to end with their line.
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/dib/byte_reader.h"

namespace huemira {

class TPcxLineDecoder {
 public:
  TPcxLineDecoder(TByteReader& reader, bool truncate_runs) : reader_(reader), truncate_runs_(truncate_runs) {}

  // Decodes exactly line_bytes bytes; the first keep of them (keep <= line_bytes)
  // are stored at out, the others only consumed. Past the end of the data
  // every byte decodes as 0xFF, so a truncated picture completes in white.
  void DecodeLine(std::uint8_t* out, std::size_t keep, std::size_t line_bytes);

 private:
  TByteReader& reader_;
  bool truncate_runs_;
  std::size_t pending_count_ = 0;
  std::uint8_t pending_value_ = 0;
};

}  // namespace huemira
