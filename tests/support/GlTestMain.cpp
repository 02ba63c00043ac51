// Test entry for tests that draw: they need a QGuiApplication (and a display).
// Listing the tests needs neither, so test discovery works without a display.
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

int main(int argc, char **argv) {
  testing::InitGoogleTest(&argc, argv);
  std::unique_ptr<QGuiApplication> App;
  if (!GTEST_FLAG_GET(list_tests))
    App = std::make_unique<QGuiApplication>(argc, argv);
  return RUN_ALL_TESTS();
}
