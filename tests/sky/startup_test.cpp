// The program's main window starts with its caption.
#include <gtest/gtest.h>

#include "sky/tfhimmel.h"

namespace zenitra {
namespace {

TEST(MainWindow, IsCaptionedAktuellerZenitra) {
  Tfhimmel window;
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Aktueller Zenitra"));
}

}  // namespace
}  // namespace zenitra
