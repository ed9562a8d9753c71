#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// Widget tests run without a display unless one is asked for explicitly.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication qapp(argc, argv);
  // Tests close windows all the time; that must not end nested event loops.
  QApplication::setQuitOnLastWindowClosed(false);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
