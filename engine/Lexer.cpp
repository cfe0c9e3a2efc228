// The lexer works on whole lines (CR before LF dropped, tabs read as blanks) and never
// looks ahead beyond the token it returns, so free texts can be cut differently from names.
#include "engine/Lexer.h"

#include "engine/Messages.h"
#include "engine/Text.h"

namespace engine {

Lexer::Lexer(std::string fileName, std::string_view bytes) : file_(std::move(fileName)) {
  std::string cur;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\n') {
      if (!cur.empty() && cur.back() == '\r') cur.pop_back();
      lines_.push_back(std::move(cur));
      cur.clear();
    } else {
      cur.push_back(c == '\t' ? ' ' : c);
    }
  }
  if (!cur.empty()) {
    if (cur.back() == '\r') cur.pop_back();
    lines_.push_back(std::move(cur));
  }
}

std::string Lexer::Where(int line, int col) const {
  return file_ + ":" + std::to_string(line) + ":" + std::to_string(col) + ": " + context_;
}

std::string Shown(const Token& t) {
  if (t.kind == Token::End) return "end of file";
  std::string s = Printable(t.source);
  if (s.size() > 40) s = s.substr(0, 37) + "...";
  return "'" + s + "'";
}

void Lexer::SkipToToken() {
  while (!AtEnd()) {
    const std::string& s = lines_[line_];
    while (pos_ < s.size() && s[pos_] == ' ') ++pos_;
    if (pos_ < s.size() && s[pos_] != comment_) return;
    ++line_;
    pos_ = 0;
  }
}

size_t Lexer::CloseQuote(const std::string& s, size_t open) const {
  for (size_t q = open + 1; q < s.size(); ++q) {
    if (s[q] != '\'') continue;
    if (q + 1 == s.size() || s[q + 1] == ' ' || s[q + 1] == comment_) return q;
  }
  return std::string::npos;
}

Token Lexer::Next() {
  SkipToToken();
  Token t;
  if (AtEnd()) {
    t.kind = Token::End;
    t.line = static_cast<int>(lines_.size());
    t.col = lines_.empty() ? 1 : static_cast<int>(lines_.back().size()) + 1;
    if (t.line == 0) t.line = 1;
    return t;
  }
  const std::string& s = lines_[line_];
  const size_t start = pos_;
  t.line = static_cast<int>(line_) + 1;
  t.col = static_cast<int>(start) + 1;
  auto isStop = [&](size_t i) { return i >= s.size() || s[i] == ' ' || s[i] == comment_; };
  auto quoted = [&](size_t open) {
    const size_t close = CloseQuote(s, open);
    if (close == std::string::npos)
      Fail(Where(t.line, static_cast<int>(open) + 1), Msg::UnclosedQuote);
    t.kind = Token::Quoted;
    t.text = s.substr(open + 1, close - open - 1);
    pos_ = close + 1;
  };

  size_t d = start;
  while (d < s.size() && s[d] >= '0' && s[d] <= '9') ++d;
  if (s[start] == '\'') {
    quoted(start);
  } else if (d > start && d < s.size() && s[d] == '*') {
    // N*V: one token; the reader expands it lazily.
    const std::string count = s.substr(start, d - start);
    const size_t v = d + 1;
    if (v < s.size() && s[v] == '\'') {
      quoted(v);
    } else {
      size_t e = v;
      while (!isStop(e)) ++e;
      if (e == v) {
        t.source = s.substr(start, e - start);
        Fail(Where(t.line, t.col), Msg::RepeatWithoutValue, t.source);
      }
      t.kind = Token::Raw;
      t.text = s.substr(v, e - v);
      pos_ = e;
    }
    t.repeated = true;
    long n = 0;
    for (char c : count) {
      n = n * 10 + (c - '0');
      if (n > kMaxRepeat) break;
    }
    t.source = s.substr(start, pos_ - start);
    if (n <= 0) Fail(Where(t.line, t.col), Msg::RepeatCountZero, t.source);
    if (n > kMaxRepeat) Fail(Where(t.line, t.col), Msg::RepeatCountLarge, t.source, kMaxRepeat);
    t.repeat = static_cast<int>(n);
    return t;
  } else {
    size_t e = start;
    while (!isStop(e)) ++e;
    t.kind = Token::Raw;
    t.text = s.substr(start, e - start);
    pos_ = e;
    if (t.text[0] == '#') {
      const std::string k = t.text.substr(1);
      if (k.size() != 1 || k[0] < '1' || k[0] > '9')
        Fail(Where(t.line, t.col), Msg::BadDelimiter, t.text);
      t.kind = Token::Delimiter;
      t.delimiter = k[0] - '0';
    }
  }
  t.source = s.substr(start, pos_ - start);
  return t;
}

Token Lexer::NextFreeText() {
  SkipToToken();
  if (AtEnd() || lines_[line_][pos_] != '\'') return Next();  // the caller reports it
  const std::string& s = lines_[line_];
  Token t;
  t.line = static_cast<int>(line_) + 1;
  t.col = static_cast<int>(pos_) + 1;
  size_t close = std::string::npos;
  for (size_t q = s.size(); q-- > pos_ + 1;) {
    if (s[q] != '\'') continue;
    size_t r = q + 1;
    while (r < s.size() && s[r] == ' ') ++r;
    if (r == s.size() || s[r] == comment_) {
      close = q;
      break;
    }
  }
  if (close == std::string::npos) {
    // A text that closes but is followed by more than a comment says so, not "unclosed".
    const size_t last = s.rfind('\'');
    if (last > pos_) {
      Token rest;
      rest.kind = Token::Raw;
      rest.source = Trim(s.substr(last + 1, s.find(comment_, last + 1) - last - 1));
      Fail(Where(t.line, static_cast<int>(s.find_first_not_of(' ', last + 1)) + 1), Msg::TrailingText, Shown(rest));
    }
    Fail(Where(t.line, t.col), Msg::UnclosedQuote);
  }
  t.kind = Token::Quoted;
  t.text = s.substr(pos_ + 1, close - pos_ - 1);
  t.source = s.substr(pos_, close - pos_ + 1);
  pos_ = close + 1;
  return t;
}

void Lexer::ExpectEndOfLine() {
  if (AtEnd()) return;
  const std::string& s = lines_[line_];
  size_t p = pos_;
  while (p < s.size() && s[p] == ' ') ++p;
  if (p < s.size() && s[p] != comment_) {
    Token t;
    t.kind = Token::Raw;
    t.source = Trim(s.substr(p, s.find(comment_, p) - p));
    Fail(Where(static_cast<int>(line_) + 1, static_cast<int>(p) + 1), Msg::TrailingText, Shown(t));
  }
  ++line_;
  pos_ = 0;
}

}  // namespace engine
