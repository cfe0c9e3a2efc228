// Every message the engine can stop with, and its exit status, in one table.
// Texts take their variable parts through "{}" placeholders, filled in order by Text().
// Nothing here does I/O; callers add the "file:line:col: block k (...): " prefix.
#pragma once

#include <sstream>
#include <stdexcept>
#include <type_traits>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

enum ExitCode : int {
  kExitOk = 0,
  kExitInvalidInput = 1,
  kExitFileIO = 2,
  kExitNumerical = 3,
  kExitUsage = 64,
};

// X(id, exit status, text)
#define ENGINE_MESSAGES(X)                                                                          \
  X(UsageCorvix1, kExitUsage, "usage: corvix1 <input file> [-np]")                                  \
  X(UsageTulmo, kExitUsage, "usage: tulmo <work file stem>")                                        \
  X(UnknownOption, kExitUsage, "unknown option '{}'")                                                \
  X(CannotOpen, kExitFileIO, "cannot open '{}' for reading: {}")                                     \
  X(CannotWrite, kExitFileIO, "cannot write '{}': {}")                                               \
  X(ExpectedValues, kExitInvalidInput, "expected {} values for {}, found {}")                       \
  X(ExpectedInteger, kExitInvalidInput, "expected an integer for {}, found {}")                     \
  X(ExpectedNumber, kExitInvalidInput, "expected a number for {}, found {}")                        \
  X(ExpectedDigits, kExitInvalidInput, "expected a digit string for {}, found {}")                  \
  X(ExpectedName, kExitInvalidInput, "expected a quoted name for {}, found {}")                     \
  X(ExpectedDelimiter, kExitInvalidInput, "expected '#{}' closing block {}, found {}")              \
  X(TrailingText, kExitInvalidInput, "unexpected text {}")                     \
  X(UnclosedQuote, kExitInvalidInput, "unclosed quote")                                             \
  X(BadDelimiter, kExitInvalidInput, "malformed block delimiter '{}'")                              \
  X(RepeatWithoutValue, kExitInvalidInput, "repetition '{}' has no value")                          \
  X(RepeatCountZero, kExitInvalidInput, "repetition count must be positive in '{}'")                \
  X(RepeatCountLarge, kExitInvalidInput, "repetition count in '{}' is larger than {}")              \
  X(TooManyValues, kExitInvalidInput, "the input holds more than {} values")                       \
  X(RepeatPastList, kExitInvalidInput, "repetition '{}' runs past the end of the {} values of {}")  \
  X(NumberOutOfRange, kExitInvalidInput, "number '{}' is out of range")                             \
  X(IntegerOutOfRange, kExitInvalidInput, "{} must be {}, found {}")                                \
  X(CommentCharacter, kExitInvalidInput,                                                           \
    "the comment character must be one character other than a blank, a quote or '#', found {}")    \
  X(NotSupported, kExitInvalidInput, "{} {} is not supported ({})")                                 \
  X(SubstanceCount, kExitInvalidInput,                                                             \
    "the engine computes 3 active substances (Salinity, the compound, Retention) and no inactive " \
    "ones, found {} active and {} inactive")                                                        \
  X(SubstanceIndex, kExitInvalidInput, "substance index {} out of order, {} expected")              \
  X(SubstanceRoles, kExitInvalidInput,                                                             \
    "the substances must be 'Salinity', 'Retention' and one compound, found {}")                   \
  X(AreaMissing, kExitInvalidInput, "no area named '{}'")                                           \
  X(AreaDuplicate, kExitInvalidInput, "area '{}' is defined twice")                                 \
  X(AreaSegment, kExitInvalidInput, "area '{}': segment {} is not in 1..{}")                        \
  X(AreaRepeated, kExitInvalidInput, "area '{}': segment {} is listed twice")                       \
  X(MarineArea, kExitInvalidInput, "area 'Marine' must hold exactly one segment, found {}")         \
  X(MarineInEstuary, kExitInvalidInput, "the marine segment {} is also in the area 'estuary'")      \
  X(EstuaryTooLarge, kExitInvalidInput,                                                            \
    "area 'estuary' holds {} segments; the result map holds at most 500")                           \
  X(BoundaryRow, kExitInvalidInput, "boundary number {} is not in 1..{}")                           \
  X(BoundaryTwice, kExitInvalidInput, "boundary {} is given twice")                                 \
  X(SegmentTwice, kExitInvalidInput, "segment {} is given twice")                                   \
  X(BoundaryCount, kExitInvalidInput, "boundary number {} is larger than the number of exchanges {}") \
  X(LoadRow, kExitInvalidInput, "load number {} is not in 1..{}")                                   \
  X(LoadTwice, kExitInvalidInput, "load {} is given twice")                                         \
  X(LoadSegment, kExitInvalidInput, "load '{}': segment {} is not in 1..{}")                        \
  X(LoadFlow, kExitInvalidInput,                                                                   \
    "load '{}' has a flow of {} m3/s after scaling; loads with flow would break the water balance") \
  X(SaltLoad, kExitInvalidInput,                                                                   \
    "load '{}' carries salinity {} after scaling; the salinity column must scale to 0")            \
  X(NoValue, kExitInvalidInput, "{} holds the no-value marker -99999")                              \
  X(NegativeValue, kExitInvalidInput, "{} must not be negative, found {}")                          \
  X(ConstantMissing, kExitInvalidInput, "constant '{}' is missing ({})")                            \
  X(ConstantTwice, kExitInvalidInput, "constant '{}' is given twice")                               \
  X(ConstantRange, kExitInvalidInput, "constant '{}' = {} is out of range: {}")                     \
  X(ParameterRange, kExitInvalidInput, "parameter '{}' of segment {} = {} is out of range: {}")     \
  X(SegmentOutOfRange, kExitInvalidInput, "segment {} is not in 1..{}")                             \
  X(CountMismatch, kExitInvalidInput, "{}")                                                         \
  X(GridFileSize, kExitInvalidInput, "'{}' has {} bytes; {}")                                       \
  X(GridFileHeader, kExitInvalidInput, "'{}': header item {} is {}, {} expected")                   \
  X(CannotRemove, kExitFileIO, "cannot remove the old '{}': {}")                                   \
  X(GridValue, kExitInvalidInput, "'{}': {} of segment {} is {}; it must be positive and finite")  \
  X(TableField, kExitInvalidInput, "exchange {}: {} field '{}' is not a number")                    \
  X(TableRecord, kExitInvalidInput, "exchange {}: {}")                                              \
  X(TableEnds, kExitInvalidInput, "the table ends after {} of {} exchanges")                        \
  X(TableExtra, kExitInvalidInput, "unexpected text after the last of {} exchanges")                \
  X(Unconnected, kExitInvalidInput,                                                                \
    "{} segment(s) are not connected to an open boundary (first: {}); their steady state is "      \
    "undefined")                                                                                     \
  X(WaterBalance, kExitInvalidInput,                                                               \
    "segment {}: water balance off by {} m3/s ({} of its throughput {} m3/s); {}")                 \
  X(WorkDamaged, kExitInvalidInput, "{} is damaged or from another version; run step 1 again")    \
  X(Singular, kExitNumerical, "the {} system is singular (zero pivot at unknown {})")              \
  X(TooWide, kExitNumerical, "the {} system of {} unknowns has bandwidth {} even after reordering; "  \
                             "this grid is too irregular for the solver")                          \
  X(Residual, kExitNumerical, "the {} solution has relative residual {} (limit 1E-10)")             \
  X(NotFinite, kExitNumerical, "{} is not finite ({})")                                             \
  X(Negative, kExitNumerical, "{} of segment {} is negative ({}) beyond round-off")                 \
  X(SalinityRange, kExitNumerical,                                                                 \
    "salinity {} of segment {} lies outside the boundary range {} .. {}")                          \
  X(MatrixSign, kExitNumerical, "the transport matrix breaks its sign pattern at row {}")           \
  X(Closure, kExitNumerical, "the {} budget does not close: in {} g/s, out {} g/s (relative to its gross exchange {})")  \
  X(Internal, kExitNumerical, "internal error: {}")

enum class Msg {
#define ENGINE_MSG_ID(id, code, text) id,
  ENGINE_MESSAGES(ENGINE_MSG_ID)
#undef ENGINE_MSG_ID
};

struct MessageDef {
  int exitCode;
  std::string_view text;
};

inline constexpr MessageDef kMessages[] = {
#define ENGINE_MSG_DEF(id, code, text) {code, text},
    ENGINE_MESSAGES(ENGINE_MSG_DEF)
#undef ENGINE_MSG_DEF
};

inline const MessageDef& Def(Msg m) { return kMessages[static_cast<int>(m)]; }

namespace detail {
inline void FillOne(std::string& out, std::string_view& rest, const std::string& arg) {
  const size_t at = rest.find("{}");
  if (at == std::string_view::npos) return;
  out.append(rest.substr(0, at));
  out.append(arg);
  rest.remove_prefix(at + 2);
}
template <class T>
std::string ToText(const T& v) {
  if constexpr (std::is_convertible_v<T, std::string_view>) {
    return std::string(std::string_view(v));
  } else {
    std::ostringstream s;
    s.precision(7);
    s << v;
    return s.str();
  }
}
}  // namespace detail

template <class... A>
std::string Text(Msg m, const A&... args) {
  std::string out;
  std::string_view rest = Def(m).text;
  (detail::FillOne(out, rest, detail::ToText(args)), ...);
  out.append(rest);
  return out;
}

// The one exception type of the engine: an exit status and the full message line(s).
class EngineError : public std::runtime_error {
 public:
  EngineError(int exitCode, std::string message, std::vector<std::string> more = {})
      : std::runtime_error(message), exitCode_(exitCode), more_(std::move(more)) {}
  int ExitCode() const { return exitCode_; }
  // Further errors collected with the first (all constant errors of block 7).
  const std::vector<std::string>& More() const { return more_; }

 private:
  int exitCode_;
  std::vector<std::string> more_;
};

template <class... A>
[[noreturn]] void Fail(std::string_view where, Msg m, const A&... args) {
  std::string line = std::string(where) + Text(m, args...);
  // Names and fields quoted from a damaged file may hold control characters.
  for (char& c : line)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  throw EngineError(Def(m).exitCode, std::move(line));
}

}  // namespace engine
