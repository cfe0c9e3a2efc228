// libFuzzer target for step 1's reader. One fuzz input holds the engine input file and, after
// lines "%%% <name>", the files it may read (test.vol, test.srf, test.tab), so the mutator can
// damage the grid files as well as the text. Every accepted problem must survive the checks
// that follow the reader and come back unchanged through the work file; any exception other
// than the engine's own error is a fault. An input that starts with the work file's magic is
// step 2's work file instead. With TULMO_FUZZ_MODEL=1 in the environment, small
// accepted problems are also solved and mapped, as step 2 would.
//
//   CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTULMO_ENGINE_FUZZ=ON
//   cmake --build build-fuzz --target engine_fuzz
//   mkdir corpus && build-fuzz/bin/engine_fuzz corpus engine/fuzz/seeds \
//       -dict=engine/fuzz/input.dict -max_len=16384 -malloc_limit_mb=1024 -max_total_time=600
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <string_view>

#include "engine/Constants.h"
#include "engine/GridFiles.h"
#include "engine/InputReader.h"
#include "engine/MapFile.h"
#include "engine/Messages.h"
#include "engine/Model.h"
#include "engine/WorkFile.h"

namespace {

std::map<std::string, std::string> SplitFiles(std::string_view data) {
  std::map<std::string, std::string> files;
  std::string name = "pirsel.inp";
  size_t pos = 0;
  while (true) {
    size_t mark = data.find("\n%%% ", pos);
    // The newline before a marker belongs to the marker, so binary files keep their size.
    files[name] = std::string(data.substr(pos, mark == std::string_view::npos ? std::string_view::npos : mark - pos));
    if (mark == std::string_view::npos) break;
    const size_t nameStart = mark + 5;
    const size_t eol = data.find('\n', nameStart);
    name = std::string(data.substr(nameStart, eol == std::string_view::npos ? std::string_view::npos : eol - nameStart));
    if (eol == std::string_view::npos) {
      files[name] = "";
      break;
    }
    pos = eol + 1;
  }
  return files;
}

// Step 2 may refuse a problem, but a map it writes holds finite values only.
void CheckMap(const std::string& map) {
  for (size_t off = 392; off + 4 <= map.size(); off += 4) {
    float f;
    std::memcpy(&f, map.data() + off, 4);
    if (!std::isfinite(f)) std::abort();
  }
}

// A work file (seeds "*.wrk") with its CRC made to match: step 2's reader must refuse what
// step 1 would never write instead of trusting it.
void WorkFile(std::string bytes, bool model) {
  if (bytes.size() >= 16) {
    const uint32_t crc = engine::Crc32(std::string_view(bytes).substr(0, bytes.size() - 4));
    for (int i = 0; i < 4; ++i) bytes[bytes.size() - 4 + i] = static_cast<char>((crc >> (8 * i)) & 0xff);
  }
  try {
    const engine::Problem p = engine::DecodeWork(bytes, "pirsel.wrk");
    if (model && p.noseg <= 200) {
      engine::Report report;
      const engine::ModelResult r = engine::RunModel(p, report);
      CheckMap(engine::EncodeMap(p, r));
    }
  } catch (const engine::EngineError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool model = std::getenv("TULMO_FUZZ_MODEL") != nullptr;
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  if (all.substr(0, 8) == "TLMOWRK1") {
    WorkFile(std::string(all), model);
    return 0;
  }
  const std::map<std::string, std::string> files =
      SplitFiles(all);
  const engine::FileSource source = [&](const std::string& name) {
    engine::FileBytes f;
    auto it = files.find(name);
    if (it == files.end()) {
      f.error = "No such file or directory";
    } else {
      f.ok = true;
      f.bytes = it->second;
    }
    return f;
  };
  engine::Report report;
  try {
    engine::Problem p = engine::ReadInput("pirsel.inp", files.at("pirsel.inp"), source, report);
    engine::InterpretConstants(p.constants, "pirsel.inp", &report);
    engine::RepairWaterBalance(p, report);
    engine::CheckConnected(p);
    const std::string work = engine::EncodeWork(p);
    const engine::Problem back = engine::DecodeWork(work, "pirsel.wrk");
    if (engine::EncodeWork(back) != work) std::abort();  // the hand-over must be lossless
    if (model && back.noseg <= 200) {
      engine::Report report2;
      try {
        const engine::ModelResult r = engine::RunModel(back, report2);
        CheckMap(engine::EncodeMap(back, r));
      } catch (const engine::EngineError&) {
        // Any exit status: a numerical failure is a fair answer to a strange problem.
      }
    }
  } catch (const engine::EngineError& e) {
    if (e.ExitCode() != engine::kExitInvalidInput && e.ExitCode() != engine::kExitFileIO) std::abort();
  }
  return 0;
}
