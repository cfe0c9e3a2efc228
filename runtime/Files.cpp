#include "runtime/Files.h"

#include <fnmatch.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "runtime/VbError.h"

namespace fs = std::filesystem;

namespace vb {

namespace {

// Error 75 that names the file and the system's reason, so that a full disk or a folder in the
// way is said as such.
[[noreturn]] void RaiseAccess(const std::string& path, int error = errno) {
  std::string description = StandardText(75) + ", '" + path + "'";
  if (error) description += ": " + std::string(std::strerror(error));
  Raise(75, {}, description);
}

}  // namespace

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  std::ifstream in(path, std::ios::binary);
  return in.is_open();
}

void Kill(const std::string& path) {
  const fs::path p(path);
  const std::string name = p.filename().string();
  if (name.find_first_of("*?") == std::string::npos) {
    std::error_code ec;
    const auto status = fs::symlink_status(p, ec);
    if (ec || !fs::exists(status) || fs::is_directory(status)) Raise(53);
    if (!fs::remove(p, ec) || ec) RaiseAccess(path, ec.value());
    return;
  }
  const fs::path folder = p.has_parent_path() ? p.parent_path() : fs::path(".");
  std::error_code ec;
  std::vector<fs::path> matches;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    if (::fnmatch(name.c_str(), it->path().filename().c_str(), FNM_PERIOD) == 0) matches.push_back(it->path());
  }
  if (matches.empty()) Raise(53);
  for (const fs::path& m : matches)
    if (!fs::remove(m, ec) || ec) RaiseAccess(m.string(), ec.value());
}

void FileCopy(const std::string& source, const std::string& target) {
  if (!FileExists(source)) Raise(53);
  std::error_code ec;
  fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
  if (ec) RaiseAccess(target, ec.value());
}

int64_t FileLen(const std::string& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) Raise(53);
  const auto size = fs::file_size(path, ec);
  if (ec) Raise(75);
  return static_cast<int64_t>(size);
}

// ---- binary files

BinaryReader::BinaryReader(const std::string& path) {
  if (!FileExists(path)) Raise(53);
  in_.open(path, std::ios::binary);
  if (!in_) Raise(75);
  in_.seekg(0, std::ios::end);
  length_ = static_cast<int64_t>(in_.tellg());
  in_.seekg(0, std::ios::beg);
}

void BinaryReader::ReadExact(char* buffer, std::size_t count) {
  if (!in_.is_open()) Raise(52);
  in_.read(buffer, static_cast<std::streamsize>(count));
  if (static_cast<std::size_t>(in_.gcount()) != count) {
    in_.clear();
    Raise(62);
  }
}

int32_t BinaryReader::ReadInt32() {
  unsigned char b[4];
  ReadExact(reinterpret_cast<char*>(b), 4);
  const uint32_t u = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
  return static_cast<int32_t>(u);
}

float BinaryReader::ReadSingle() {
  const uint32_t u = static_cast<uint32_t>(ReadInt32());
  float f;
  std::memcpy(&f, &u, sizeof f);
  return f;
}

std::string BinaryReader::ReadBytes(std::size_t count) {
  std::string s(count, '\0');
  if (count) ReadExact(s.data(), count);
  return s;
}

int64_t BinaryReader::Position() {
  if (!in_.is_open()) Raise(52);
  return static_cast<int64_t>(in_.tellg());
}

bool BinaryReader::AtEnd() { return Position() >= length_; }

void BinaryReader::Seek(int64_t position) {
  if (!in_.is_open()) Raise(52);
  if (position < 0) Raise(63);
  in_.clear();
  in_.seekg(position, std::ios::beg);
}

void BinaryReader::Close() { in_.close(); }

BinaryWriter::BinaryWriter(const std::string& path) : path_(path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) RaiseAccess(path, EISDIR);
  errno = 0;
  out_.open(path, std::ios::binary | std::ios::trunc);
  if (!out_) RaiseAccess(path);
}

void BinaryWriter::WriteInt32(int32_t value) {
  const uint32_t u = static_cast<uint32_t>(value);
  const char b[4] = {char(u & 0xFF), char(u >> 8 & 0xFF), char(u >> 16 & 0xFF), char(u >> 24 & 0xFF)};
  WriteBytes(std::string_view(b, 4));
}

void BinaryWriter::WriteSingle(float value) {
  uint32_t u;
  std::memcpy(&u, &value, sizeof u);
  WriteInt32(static_cast<int32_t>(u));
}

void BinaryWriter::WriteBytes(std::string_view bytes) {
  if (!out_.is_open()) Raise(52);
  errno = 0;
  out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out_) RaiseAccess(path_);
}

void BinaryWriter::Close() {
  if (!out_.is_open()) return;
  errno = 0;
  out_.close();
  if (!out_) RaiseAccess(path_);
}

BinaryWriter::~BinaryWriter() {
  if (out_.is_open()) out_.close();
}

// ---- text files

namespace {

// Bytes 0x80 to 0x9F of Windows-1252; 0 marks the five bytes the code page leaves undefined,
// which Windows carries over as the control characters of the same number.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

uint32_t CodePointOf(unsigned char byte) {
  if (byte < 0x80 || byte > 0x9F) return byte;
  const char16_t cp = kHighControls[byte - 0x80];
  return cp ? cp : byte;
}

// The byte of a code point, or '?' when the code page has none.
char ByteOf(uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (unsigned b = 0x80; b <= 0x9F; ++b)
    if (CodePointOf(static_cast<unsigned char>(b)) == cp) return static_cast<char>(b);
  return '?';
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

namespace {
// Where the first byte outside ASCII stands, or the size: ASCII text is its own code-page text.
std::size_t AsciiPrefix(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
  return i;
}
}  // namespace

std::string ToWindows1252(std::string_view utf8) {
  const std::size_t ascii = AsciiPrefix(utf8);
  if (ascii == utf8.size()) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  out.append(utf8.substr(0, ascii));
  for (std::size_t i = ascii; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    int len = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
    uint32_t cp = len == 2 ? c & 0x1F : len == 3 ? c & 0x0F : c & 0x07;
    bool ok = len > 1 && i + static_cast<std::size_t>(len) <= utf8.size();
    for (int k = 1; ok && k < len; ++k) {
      const unsigned char cc = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
      if ((cc & 0xC0) != 0x80) ok = false;
      cp = cp << 6 | (cc & 0x3F);
    }
    if (!ok) {
      // Not UTF-8: the byte is taken as a code-page byte already.
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    out += ByteOf(cp);
    i += static_cast<std::size_t>(len);
  }
  return out;
}

std::string FromWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes) AppendUtf8(out, CodePointOf(static_cast<unsigned char>(ch)));
  return out;
}

TextWriter::TextWriter(const std::string& path, Mode mode) : path_(path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) RaiseAccess(path, EISDIR);
  errno = 0;
  out_.open(path, std::ios::binary | (mode == Mode::Append ? std::ios::app : std::ios::trunc));
  if (!out_) RaiseAccess(path);
}

void TextWriter::Write(std::string_view text) {
  if (!out_.is_open()) Raise(52);
  errno = 0;
  if (AsciiPrefix(text) == text.size()) {
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
  } else {
    const std::string bytes = ToWindows1252(text);
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  if (!out_) RaiseAccess(path_);
}

void TextWriter::WriteLine(std::string_view text) {
  Write(text);
  Write("\r\n");
}

void TextWriter::Close() {
  if (!out_.is_open()) return;
  errno = 0;
  out_.close();
  if (!out_) RaiseAccess(path_);
}

TextWriter::~TextWriter() {
  if (out_.is_open()) out_.close();
}

TextReader::TextReader(const std::string& path) {
  if (!FileExists(path)) Raise(53);
  in_.open(path, std::ios::binary);
  if (!in_) Raise(75);
}

bool TextReader::AtEnd() {
  if (!in_.is_open()) Raise(52);
  return in_.peek() == std::char_traits<char>::eof();
}

std::string TextReader::ReadLine() {
  if (AtEnd()) Raise(62);
  std::string line;
  for (int c; (c = in_.get()) != std::char_traits<char>::eof();) {
    if (c == '\n') break;
    if (c == '\r') {
      if (in_.peek() == '\n') in_.get();
      break;
    }
    line += static_cast<char>(c);
  }
  in_.clear();
  return FromWindows1252(line);
}

void TextReader::Close() { in_.close(); }

}  // namespace vb
