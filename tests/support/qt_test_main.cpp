// The Qt tests run without a display: one offscreen application for the whole program.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>

namespace {

// The offscreen platform remarks that it cannot pass size hints on to a window system; nothing to act on.
QtMessageHandler standard_handler = nullptr;

void QuietOffscreenRemarks(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains("propagateSizeHints")) return;
  if (standard_handler) {
    standard_handler(type, context, message);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
  }
}

}  // namespace

int main(int argc, char** argv) {
  standard_handler = qInstallMessageHandler(QuietOffscreenRemarks);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
