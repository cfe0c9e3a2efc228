#include "EngineCase.h"

#include <unistd.h>

#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

#include "engine/Messages.h"
#include "engine/Steps.h"
#include "engine/WorkFile.h"

namespace fs = std::filesystem;

namespace fixture {

TempDir::TempDir() {
  static std::mt19937_64 rng(std::random_device{}());
  path_ = fs::temp_directory_path() / ("engine-test-" + std::to_string(::getpid()) + "-" + std::to_string(rng()));
  fs::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

fs::path GoldenDir(const std::string& name) { return fs::path(TULMO_SOURCE_DIR) / "tests" / "modelrun" / "golden" / name; }

void CopyGolden(const fs::path& dir, const std::string& name) {
  for (const auto& entry : fs::directory_iterator(GoldenDir(name)))
    fs::copy_file(entry.path(), dir / entry.path().filename(), fs::copy_options::overwrite_existing);
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream o(path, std::ios::binary | std::ios::trunc);
  o.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const fs::path& path) {
  std::ifstream i(path, std::ios::binary);
  std::ostringstream s;
  s << i.rdbuf();
  return s.str();
}

std::string LineOf(const std::string& text, int n) {
  size_t pos = 0;
  for (int i = 1; i < n; ++i) {
    pos = text.find('\n', pos);
    if (pos == std::string::npos) return {};
    ++pos;
  }
  size_t end = text.find('\n', pos);
  std::string l = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
  if (!l.empty() && l.back() == '\r') l.pop_back();
  return l;
}

std::string ReplaceLine(const std::string& text, int n, const std::string& line) {
  size_t pos = 0;
  for (int i = 1; i < n; ++i) pos = text.find('\n', pos) + 1;
  size_t end = text.find('\n', pos);
  size_t cut = (end != std::string::npos && end > pos && text[end - 1] == '\r') ? end - 1 : end;
  return text.substr(0, pos) + line + text.substr(cut);
}

namespace {
template <class F>
StepResult InDir(const fs::path& dir, F&& f) {
  const fs::path old = fs::current_path();
  fs::current_path(dir);
  std::ostringstream err;
  StepResult r;
  r.code = f(err);
  r.err = err.str();
  fs::current_path(old);
  return r;
}
}  // namespace

StepResult RunStep1(const fs::path& dir, const std::vector<std::string>& args) {
  return InDir(dir, [&](std::ostream& err) { return engine::RunCorvix1(args, err); });
}

StepResult RunStep2(const fs::path& dir, const std::vector<std::string>& args) {
  return InDir(dir, [&](std::ostream& err) { return engine::RunTulmo(args, err); });
}

Solved Solve(const fs::path& dir) {
  Solved s;
  const StepResult r = RunStep1(dir);
  s.code = r.code;
  s.err = r.err;
  if (r.code != 0) return s;
  s.problem = engine::DecodeWork(ReadFile(dir / "pirsel.wrk"), "pirsel.wrk");
  engine::Report rep;
  try {
    s.result = engine::RunModel(s.problem, rep);
  } catch (const engine::EngineError& e) {
    s.code = e.ExitCode();
    s.err = e.what();
  }
  s.warnings = rep.warnings;
  return s;
}

bool ReadMap(const fs::path& path, Map& m) {
  const std::string b = ReadFile(path);
  m.bytes = b.size();
  if (b.size() < 172) return false;
  auto i32 = [&](size_t off) {
    int32_t v;
    std::memcpy(&v, b.data() + off, 4);
    return v;
  };
  auto f32 = [&](size_t off) {
    float v;
    std::memcpy(&v, b.data() + off, 4);
    return v;
  };
  for (int t = 0; t < 4; ++t) m.titles.push_back(b.substr(40 * t, 40));
  m.nosys = i32(160);
  m.noseg = i32(164);
  if (m.nosys <= 0 || m.noseg < 0) return false;
  const size_t need = 172 + 20 * static_cast<size_t>(m.nosys) + 4 * static_cast<size_t>(m.nosys) * m.noseg + 24;
  if (b.size() < need) return false;
  for (int s = 0; s < m.nosys; ++s) m.names.push_back(b.substr(168 + 20 * s, 20));
  size_t off = 168 + 20 * static_cast<size_t>(m.nosys);
  m.time = i32(off);
  off += 4;
  m.values.assign(m.noseg, std::vector<float>(m.nosys));
  for (int s = 0; s < m.noseg; ++s)
    for (int k = 0; k < m.nosys; ++k, off += 4) m.values[s][k] = f32(off);
  for (int k = 0; k < 6; ++k, off += 4) m.marine[k] = f32(off);
  return true;
}

double RiverFlow(const engine::Problem& p) {
  double q = 0;
  for (const engine::Exchange& e : p.exchanges) {
    if (e.from == engine::kRiverBoundary) q += e.F;
    if (e.to == engine::kRiverBoundary) q -= e.F;
  }
  return q;
}

}  // namespace fixture
