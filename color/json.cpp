#include "color/json.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "color/palette_file_error.h"
#include "color/palette_text.h"
#include "framework/unicode.h"

namespace huemira {
namespace {

class JsonParser {
 public:
  explicit JsonParser(std::string_view text)
      : text_(text), memberScratch_(kMaxJsonDepth + 1), itemScratch_(kMaxJsonDepth + 1) {}

  JsonValue Document() {
    JsonValue value = Value(0);
    SkipBlanks();
    if (pos_ != text_.size()) Fail("JSON 值之后还有多余内容");
    return value;
  }

 private:
  [[noreturn]] void Fail(const char* message) const { throw PaletteFileError(line_, message); }

  void SkipBlanks() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\n') {
        ++line_;
      } else if (c != ' ' && c != '\t' && c != '\r') {
        return;
      }
      ++pos_;
    }
  }

  bool Take(char c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  bool TakeWord(std::string_view word) {
    if (text_.substr(pos_).starts_with(word)) {
      pos_ += word.size();
      return true;
    }
    return false;
  }

  JsonValue Value(int depth) {
    if (depth > kMaxJsonDepth) Fail("JSON 嵌套过深");
    SkipBlanks();
    JsonValue value;
    value.line = line_;
    if (pos_ >= text_.size()) Fail("JSON 意外结束");
    const char c = text_[pos_];
    if (c == '{') {
      ++pos_;
      value.kind = JsonValue::Kind::Object;
      SkipBlanks();
      if (Take('}')) return value;
      std::vector<JsonMember>& members = memberScratch_[static_cast<std::size_t>(depth)];
      do {
        SkipBlanks();
        if (pos_ >= text_.size() || text_[pos_] != '"') Fail("JSON 对象的成员名应为字符串");
        std::string name = String();
        SkipBlanks();
        if (!Take(':')) Fail("JSON 成员名之后应为冒号");
        members.push_back({std::move(name), Value(depth + 1)});
        SkipBlanks();
      } while (Take(','));
      if (!Take('}')) Fail("JSON 对象缺少逗号或右花括号");
      MoveInto(value.members, members);
    } else if (c == '[') {
      ++pos_;
      value.kind = JsonValue::Kind::Array;
      SkipBlanks();
      if (Take(']')) return value;
      std::vector<JsonValue>& items = itemScratch_[static_cast<std::size_t>(depth)];
      do {
        items.push_back(Value(depth + 1));
        SkipBlanks();
      } while (Take(','));
      if (!Take(']')) Fail("JSON 数组缺少逗号或右方括号");
      MoveInto(value.items, items);
    } else if (c == '"') {
      value.kind = JsonValue::Kind::String;
      value.string = String();
    } else if (TakeWord("true") || TakeWord("false")) {
      value.kind = JsonValue::Kind::Boolean;
      value.boolean = c == 't';
    } else if (TakeWord("null")) {
      value.kind = JsonValue::Kind::Null;
    } else {
      value.kind = JsonValue::Kind::Number;
      value.number = Number();
    }
    return value;
  }

  // A container's elements gather in a buffer kept for its depth and move
  // into a vector of exactly their number: one allocation per container.
  template <typename T>
  static void MoveInto(std::vector<T>& target, std::vector<T>& scratch) {
    target.reserve(scratch.size());
    std::move(scratch.begin(), scratch.end(), std::back_inserter(target));
    scratch.clear();
  }

  std::size_t Digits() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
    return pos_ - start;
  }

  double Number() {
    const std::size_t start = pos_;
    Take('-');
    const std::size_t integerStart = pos_;
    const std::size_t integerDigits = Digits();
    if (integerDigits == 0 || (integerDigits > 1 && text_[integerStart] == '0')) Fail("JSON 数值格式错误");
    if (Take('.') && Digits() == 0) Fail("JSON 数值格式错误");
    if (Take('e') || Take('E')) {
      if (!Take('+')) Take('-');
      if (Digits() == 0) Fail("JSON 数值格式错误");
    }
    double number = 0;
    const auto [end, error] = std::from_chars(text_.data() + start, text_.data() + pos_, number);
    if (error != std::errc() || end != text_.data() + pos_ || !std::isfinite(number)) Fail("JSON 数值超出范围");
    return number;
  }

  char32_t Hex4() {
    if (text_.size() - pos_ < 4) Fail("JSON 字符串的 \\u 转义不完整");
    char32_t code = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = text_[pos_++];
      const int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
      if (digit < 0) Fail("JSON 字符串的 \\u 转义不完整");
      code = code * 16 + static_cast<char32_t>(digit);
    }
    return code;
  }

  std::string String() {
    ++pos_;  // the opening quote
    std::string out;
    while (true) {
      if (pos_ >= text_.size()) Fail("JSON 字符串没有结束");
      const char c = text_[pos_++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) Fail("JSON 字符串中有控制字符");
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= text_.size()) Fail("JSON 字符串没有结束");
      switch (const char escape = text_[pos_++]) {
        case '"':
        case '\\':
        case '/': out += escape; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
          char32_t code = Hex4();
          if (code >= 0xD800 && code <= 0xDBFF) {
            if (!TakeWord("\\u")) Fail("JSON 字符串中有不成对的代理项");
            const char32_t low = Hex4();
            if (low < 0xDC00 || low > 0xDFFF) Fail("JSON 字符串中有不成对的代理项");
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
          } else if (code >= 0xDC00 && code <= 0xDFFF) {
            Fail("JSON 字符串中有不成对的代理项");
          }
          AppendUtf8(out, code);
          break;
        }
        default: Fail("JSON 字符串中有未知的转义");
      }
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
  std::vector<std::vector<JsonMember>> memberScratch_;
  std::vector<std::vector<JsonValue>> itemScratch_;
};

}  // namespace

const JsonValue* JsonValue::Find(std::string_view name) const {
  for (auto member = members.rbegin(); member != members.rend(); ++member) {
    if (member->name == name) return &member->value;
  }
  return nullptr;
}

JsonValue ParseJson(std::string_view text) {
  RequireUtf8(text);
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  return JsonParser(text).Document();
}

std::string JsonQuoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
          out += escape;
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

}  // namespace huemira
