// File services: existence, deletion, binary files (little-endian) and CRLF text files in the
// Windows-1252 code page, the single-byte code page the engine and the text editors expect.
// Names without a folder are taken in the working directory. Texts in the program are UTF-8.
#pragma once
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

namespace vb {

// True when the name is a regular file that can be opened for reading; a folder is not a file.
bool FileExists(const std::string& path);
// Deletes a file, or every file matching "*"/"?" in the name part. 53 when nothing matches,
// 75 when a file cannot be deleted.
void Kill(const std::string& path);
// Copies a file over any existing target. 53 when the source is missing, 75 on failure.
void FileCopy(const std::string& source, const std::string& target);
// The length in bytes; 53 when the file is missing.
int64_t FileLen(const std::string& path);

// Reads a binary file. Opening a missing file raises 53; reading past its end raises 62.
class BinaryReader {
 public:
  explicit BinaryReader(const std::string& path);
  int32_t ReadInt32();
  float ReadSingle();
  std::string ReadBytes(std::size_t count);
  int64_t Position();
  int64_t Length() const { return length_; }
  bool AtEnd();
  void Seek(int64_t position);  // from the start; 63 when negative
  void Close();

 private:
  void ReadExact(char* buffer, std::size_t count);
  std::ifstream in_;
  int64_t length_ = 0;
};

// Writes a binary file, created or truncated. 75 when it cannot be created or written; the
// description then names the file and the system's reason, as for every 75 of these services.
class BinaryWriter {
 public:
  explicit BinaryWriter(const std::string& path);
  void WriteInt32(int32_t value);
  void WriteSingle(float value);
  void WriteBytes(std::string_view bytes);
  void Close();  // 75 when the data could not be written
  ~BinaryWriter();

 private:
  std::string path_;
  std::ofstream out_;
};

// Writes a text file line by line with CRLF line ends, UTF-8 texts converted to Windows-1252
// (a character outside it becomes "?"). 75 when the file cannot be created or written.
class TextWriter {
 public:
  enum class Mode { Output, Append };
  explicit TextWriter(const std::string& path, Mode mode = Mode::Output);
  void Write(std::string_view text);      // no line end
  void WriteLine(std::string_view text);  // text and CRLF
  void Close();
  ~TextWriter();

 private:
  std::string path_;
  std::ofstream out_;
};

// Reads a Windows-1252 text file line by line (CRLF, LF or CR ends), giving UTF-8. 53 when missing,
// 62 when reading past the end.
class TextReader {
 public:
  explicit TextReader(const std::string& path);
  bool AtEnd();
  std::string ReadLine();
  void Close();

 private:
  std::ifstream in_;
};

// Windows-1252 <-> UTF-8: the en dash, the euro sign and the curly quotes have their bytes
// 0x80 to 0x9F; a character the code page lacks is written "?".
std::string ToWindows1252(std::string_view utf8);
std::string FromWindows1252(std::string_view bytes);

}  // namespace vb
