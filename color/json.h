// A small JSON reader (RFC 8259) and the string quoting of a writer, for
// the design tokens files. Bounded for hostile input: nesting deeper than
// kMaxJsonDepth is refused, and the tree holds no more than the text says.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace huemira {

inline constexpr int kMaxJsonDepth = 64;

struct JsonMember;

struct JsonValue {
  enum class Kind { Null, Boolean, Number, String, Array, Object };
  Kind kind = Kind::Null;
  bool boolean = false;
  double number = 0;
  std::string string;               // UTF-8
  std::vector<JsonValue> items;     // of an array
  std::vector<JsonMember> members;  // of an object, in the order of the text
  int line = 0;                     // where the value starts, from 1

  // An object's member of that name (the last, if repeated); null if none.
  const JsonValue* Find(std::string_view name) const;
};

struct JsonMember {
  std::string name;
  JsonValue value;
};

// One JSON value with nothing but blanks after it; a UTF-8 byte-order mark
// is skipped. Throws PaletteFileError with the line of the fault.
JsonValue ParseJson(std::string_view text);

// The text in double quotes, with the escapes JSON needs.
std::string JsonQuoted(std::string_view text);

}  // namespace huemira
