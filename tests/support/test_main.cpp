// Test main: Qt runs offscreen, and every test gets its own empty working folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "services/ErrorUI.h"

namespace {

class WorkDirListener : public testing::EmptyTestEventListener {
 public:
  void OnTestStart(const testing::TestInfo& info) override {
    std::random_device rd;
    std::string name = std::string(info.name()).substr(0, 40);
    for (char& c : name)
      if (c == '/' || c == ' ') c = '_';
    dir_ = std::filesystem::temp_directory_path() / ("tulmo-" + name + "-" + std::to_string(rd()));
    std::filesystem::create_directories(dir_);
    std::filesystem::current_path(dir_);
  }
  void OnTestEnd(const testing::TestInfo&) override {
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

 private:
  std::filesystem::path dir_;
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  ErrorUI::Install();
  testing::UnitTest::GetInstance()->listeners().Append(new WorkDirListener);
  return RUN_ALL_TESTS();
}
