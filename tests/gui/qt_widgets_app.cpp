// One Qt widgets application for the whole test program, before any test runs.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

class QtWidgetsApplication : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "lumora-gui-tests";
    static char* argv[] = {name, nullptr};
    app_ = new QApplication(argc, argv);
  }
  void TearDown() override { delete app_; }

 private:
  QApplication* app_ = nullptr;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtWidgetsApplication);

}  // namespace
