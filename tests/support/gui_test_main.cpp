// Test entry point for tests that need Qt: one QApplication for the whole program, on the
// offscreen platform unless the caller chose another one.
#include <gtest/gtest.h>

#include "ui/application.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  zenitra::Application app(argc, argv);  // as the program: the vector state is reset after each event
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
