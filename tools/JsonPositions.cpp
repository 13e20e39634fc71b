#include "JsonPositions.h"

namespace saver::tool {
namespace {

constexpr int kDeepest = 64;

class CScanner {
 public:
  explicit CScanner(std::string_view text) : text_(text) {}

  JsonPositions Scan() {
    Value("", 0);
    return std::move(positions_);
  }

 private:
  bool AtEnd() const { return index_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[index_]; }

  void Advance() {
    const auto c = static_cast<unsigned char>(text_[index_++]);
    if (c == '\n') {
      ++here_.line;
      here_.column = 1;
    } else if ((c & 0xC0) != 0x80) {  // UTF-8 continuation bytes belong to the previous character
      ++here_.column;
    }
  }

  void SkipSpace() {
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\r' || Peek() == '\n')) Advance();
  }

  // A string's raw contents (escapes kept as written), the closing quote consumed.
  std::string String() {
    std::string contents;
    Advance();  // the opening quote
    while (!AtEnd() && Peek() != '"') {
      if (Peek() == '\\') {
        contents += Peek();
        Advance();
        if (AtEnd()) break;
      }
      contents += Peek();
      Advance();
    }
    if (!AtEnd()) Advance();
    return contents;
  }

  void Value(const std::string& path, int depth) {
    SkipSpace();
    positions_.emplace(path, here_);  // a member keeps its key's position
    const char c = Peek();
    if (c == '{' || c == '[') {
      if (depth < kDeepest) Container(path, depth);
      else index_ = text_.size();
    } else if (c == '"') {
      String();
    } else {
      while (!AtEnd() && std::string_view(",]} \t\r\n").find(Peek()) == std::string_view::npos) Advance();
    }
  }

  void Container(const std::string& path, int depth) {
    const char close = Peek() == '{' ? '}' : ']';
    Advance();
    SkipSpace();
    for (std::size_t element = 0; !AtEnd() && Peek() != close; ++element) {
      std::string child;
      if (close == '}') {
        SkipSpace();
        if (Peek() != '"') break;
        const TextPosition key_at = here_;
        const std::string key = String();
        child = path.empty() ? key : path + "." + key;
        positions_.emplace(child, key_at);
        SkipSpace();
        if (Peek() != ':') break;
        Advance();
      } else {
        child = path + "[" + std::to_string(element) + "]";
      }
      Value(child, depth + 1);
      SkipSpace();
      if (Peek() != ',') break;
      Advance();
      SkipSpace();
    }
    if (Peek() == close) Advance();
  }

  std::string_view text_;
  std::size_t index_ = 0;
  TextPosition here_;
  JsonPositions positions_;
};

}  // namespace

JsonPositions MapJsonPositions(std::string_view text) { return CScanner(text).Scan(); }

}  // namespace saver::tool
