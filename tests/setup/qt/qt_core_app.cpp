// One Qt core application for the whole test program, before any test runs.
#include <gtest/gtest.h>

#include <QCoreApplication>

namespace {

class QtCoreApplication : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "lumora-tests";
    static char* argv[] = {name, nullptr};
    app_ = new QCoreApplication(argc, argv);
  }
  void TearDown() override { delete app_; }

 private:
  QCoreApplication* app_ = nullptr;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtCoreApplication);

}  // namespace
