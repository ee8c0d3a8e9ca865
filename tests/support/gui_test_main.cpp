// Test entry point for tests that need Qt: one QApplication for the whole program, on the
// offscreen platform unless the caller chose another one.
#include <QApplication>
#include <gtest/gtest.h>

#include "sky/vector_state.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  zenitra::ClearUpperVectorState();  // starting Qt leaves the AVX upper halves dirty
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
