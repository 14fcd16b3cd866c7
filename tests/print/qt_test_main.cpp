// Test main for suites that need Qt: a QApplication on the offscreen platform
// (96 logical pixels per inch), so fonts, images and windows work headless.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>

#include "platform/modal.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // A window no test answers is refused rather than left waiting for a user.
  platform::setModalFallback([](QDialog& d) {
    std::fprintf(stderr, "[modal] %s refused (no handler)\n", d.metaObject()->className());
    return int(QDialog::Rejected);
  });
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
