// A library's message box in a Qt program: shown on the user-interface thread, with the library's
// buttons and the user's answer handed back, also when a worker thread asks and waits.
#include <gtest/gtest.h>

#include <QApplication>
#include <QThread>
#include <atomic>
#include <thread>

#include "platform/qt/library_message_boxes.h"
#include "platform/qt/message_box.h"
#include "tests/support/temp_folder.h"

namespace qtplatform {
namespace {

struct Asked {
  QString text, title;
  MessageButtons buttons;
  QThread* thread;
};

TEST(LibraryMessageBoxes, AWorkersBoxIsShownOnTheUserInterfaceThreadAndItsAnswerReturned) {
  std::vector<Asked> asked;
  const ScopedMessagePresenter presenter(
      [&](QWidget*, const QString& text, const QString& title, MessageButtons buttons) {
        asked.push_back({text, title, buttons, QThread::currentThread()});
        return MessageAnswer::kNo;
      });
  int answer = 0;
  std::atomic<bool> done = false;
  {
    const LibraryMessageBoxes boxes;
    EXPECT_EQ(win::MessageBox(nullptr, "on this thread", "Here", win::MB_OK), win::IDNO);
    std::thread worker([&] {
      answer = win::MessageBox(nullptr, "from a worker", "AutoWrap()", win::MB_YESNO | win::MB_ICONERROR);
      done = true;
    });
    EXPECT_TRUE(kx::test::WaitFor([&] { return done.load(); }, std::chrono::seconds(20),
                                  [] { QApplication::processEvents(QEventLoop::AllEvents, 5); }));
    worker.join();
  }
  EXPECT_EQ(answer, win::IDNO);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[1].text, "from a worker");
  EXPECT_EQ(asked[1].title, "AutoWrap()");
  EXPECT_EQ(asked[1].buttons, MessageButtons::kYesNo);
  EXPECT_EQ(asked[1].thread, qApp->thread());
}

TEST(LibraryMessageBoxes, WithoutAUserInterfaceABoxIsALineOnStandardError) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(win::MessageBox(nullptr, "IDispatch::Invoke failed", "AutoWrap()", win::MB_OK), win::IDOK);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "AutoWrap(): IDispatch::Invoke failed\n");
}

}  // namespace
}  // namespace qtplatform
