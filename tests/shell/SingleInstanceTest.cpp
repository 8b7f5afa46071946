#include <gtest/gtest.h>

#include <QDataStream>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>
#include <future>

#include "TSingleInstance.h"

namespace trevan {
namespace {

QString UniqueName() { return "trevan-test-" + QUuid::createUuid().toString(QUuid::Id128); }

// The sender blocks until the running program answers, so it runs on its own
// thread while this one serves the events of the running program.
bool SendWhileServing(const TSingleInstance& sender, const QStringList& files) {
  auto sent = std::async(std::launch::async, [&] { return sender.SendToRunning(files, 5000); });
  while (sent.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
    QCoreApplication::processEvents();
  return sent.get();
}

TEST(SingleInstanceTest, WithNobodyRunningTheFilesStayWithTheNewProgram) {
  TSingleInstance second(UniqueName());
  EXPECT_FALSE(second.SendToRunning({"/tmp/a.tvn"}, 500));
}

TEST(SingleInstanceTest, TheRunningProgramReceivesTheFilesOfALaterStart) {
  const QString name = UniqueName();
  TSingleInstance first(name);
  ASSERT_TRUE(first.Listen());
  QSignalSpy received(&first, &TSingleInstance::FilesReceived);

  const QStringList files{"/home/eng/beams/a&b.tvn", QString::fromUtf8("/tmp/Träger 2.tvn")};
  TSingleInstance second(name);
  EXPECT_TRUE(SendWhileServing(second, files));
  ASSERT_EQ(received.count(), 1);
  EXPECT_EQ(received.at(0).at(0).toStringList(), files);

  // A second later start is served the same way.
  EXPECT_TRUE(SendWhileServing(second, {"/tmp/c.tvn"}));
  QTRY_COMPARE(received.count(), 2);
}

TEST(SingleInstanceTest, AnOversizedMessageIsDroppedWithoutOpeningAnything) {
  const QString name = UniqueName();
  TSingleInstance first(name);
  ASSERT_TRUE(first.Listen());
  QSignalSpy received(&first, &TSingleInstance::FilesReceived);

  QLocalSocket stray;
  stray.connectToServer(name);
  ASSERT_TRUE(stray.waitForConnected(2000));
  QByteArray header;
  {
    QDataStream stream(&header, QIODevice::WriteOnly);
    stream << quint32(0xFFFFFFF0u);
  }
  stray.write(header + QByteArray(64, 'x'));
  stray.flush();
  QTRY_COMPARE(stray.state(), QLocalSocket::UnconnectedState);
  EXPECT_EQ(received.count(), 0);
}

}  // namespace
}  // namespace trevan
