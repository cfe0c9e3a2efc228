// Line-aware tokens of the engine input: comments, quoted names, N*V repetitions and #k
// delimiters, each with its line and column. Values are interpreted by the block reader,
// which knows what it expects; the lexer only cuts the text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace engine {

struct Token {
  enum Kind { End, Raw, Quoted, Delimiter };
  Kind kind = End;
  std::string text;    // Raw: the value text; Quoted: the text between the quotes
  int repeat = 1;      // N of an N*V repetition
  bool repeated = false;
  int delimiter = 0;   // k of #k
  int line = 0;        // 1-based position of the token's first character
  int col = 0;
  std::string source;  // the token as written, for messages
};

// No list of the input is longer; a larger N in N*V is a typing error, not a list.
inline constexpr long kMaxRepeat = 10000000;

class Lexer {
 public:
  Lexer(std::string fileName, std::string_view bytes);

  void SetCommentChar(char c) { comment_ = c; }
  // Text after "file:line:col: " in every message (the reader's current block).
  void SetContext(std::string context) { context_ = std::move(context); }
  char CommentChar() const { return comment_; }

  Token Next();
  // A quoted free text (title, substance name): from its opening quote to the last quote of
  // the line that is followed by nothing but blanks or a comment.
  Token NextFreeText();
  // Fails unless the rest of the current line is blank or a comment.
  void ExpectEndOfLine();

  const std::string& FileName() const { return file_; }
  int LineCount() const { return static_cast<int>(lines_.size()); }
  int LineLength(int line) const { return static_cast<int>(lines_[line - 1].size()); }
  // "file:line:col: " and the context
  std::string Where(int line, int col) const;

 private:
  void SkipToToken();
  bool AtEnd() const { return line_ >= lines_.size(); }
  size_t CloseQuote(const std::string& s, size_t open) const;

  std::string file_;
  std::vector<std::string> lines_;
  size_t line_ = 0;
  size_t pos_ = 0;
  char comment_ = ';';
  std::string context_;
};

// "'text'" for messages, shortened when long; "end of file" for the end.
std::string Shown(const Token& t);

}  // namespace engine
