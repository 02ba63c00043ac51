// Test entry for tests of the editor's core: a widget application (message
// boxes need one) and a display. Listing the tests needs neither.
#include "platform/GlSurface.h"
#include "platform/Memory.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

int main(int argc, char **argv) {
  testing::InitGoogleTest(&argc, argv);
  KeepFreedBuffers();
  ChooseGlIntegration();
  std::unique_ptr<QApplication> App;
  if (!GTEST_FLAG_GET(list_tests))
    App = std::make_unique<QApplication>(argc, argv);
  return RUN_ALL_TESTS();
}
