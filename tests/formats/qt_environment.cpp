// Seals are widgets: every test of this folder runs inside one application object.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

class TQtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "formats_test";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new TQtEnvironment);

}  // namespace
