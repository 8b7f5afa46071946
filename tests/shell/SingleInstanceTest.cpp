#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <future>

#include "TSingleInstance.h"

namespace trevan {
namespace {

// A private folder of the test's own (QTemporaryDir makes it 0700).
QString UniqueName() {
  static QTemporaryDir folder;
  return folder.filePath("trevan-" + QUuid::createUuid().toString(QUuid::Id128));
}

// Another process that binds a socket and answers every message with the
// acknowledgement, reporting what it was sent on a pipe; optionally as
// another user. Killed when the test ends.
class Intruder {
 public:
  Intruder(const QString& path, uid_t asUser) {
    int ready[2];
    if (::pipe(ready) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) Serve(QFile::encodeName(path).toStdString(), asUser, ready[1]);
    ::close(ready[1]);
    pipe_ = ready[0];
    char c = 0;
    listening_ = ::read(pipe_, &c, 1) == 1;
  }
  ~Intruder() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    if (pipe_ >= 0) ::close(pipe_);
  }
  bool listening() const { return listening_; }
  // Bytes the intruder was sent so far.
  std::size_t Received() {
    char buffer[4096];
    ::fcntl(pipe_, F_SETFL, O_NONBLOCK);
    while (true) {
      const ssize_t n = ::read(pipe_, buffer, sizeof buffer);
      if (n <= 0) return received_;
      received_ += static_cast<std::size_t>(n);
    }
  }

 private:
  [[noreturn]] static void Serve(const std::string& path, uid_t asUser, int report) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) ::_exit(1);
    ::chmod(path.c_str(), 0777);
    if (asUser != ::getuid() && ::setuid(asUser) != 0) ::_exit(1);
    if (::listen(fd, 64) != 0) ::_exit(1);
    if (::write(report, "r", 1) != 1) ::_exit(1);
    while (true) {
      const int client = ::accept(fd, nullptr, nullptr);
      char buffer[4096];
      const ssize_t n = client >= 0 ? ::read(client, buffer, sizeof buffer) : -1;
      if (n > 0 && ::write(report, buffer, static_cast<std::size_t>(n)) < 0) ::_exit(1);
      if (client >= 0 && ::write(client, "\1", 1) < 0) ::_exit(1);
    }
  }

  pid_t pid_ = -1;
  int pipe_ = -1;
  bool listening_ = false;
  std::size_t received_ = 0;
};

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

// Another process that connects count clients once told to go, and then
// sends nothing.
class IdleClients {
 public:
  IdleClients(const QString& path, int count) {
    if (::pipe(go_) != 0 || ::pipe(done_) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) Connect(QFile::encodeName(path).toStdString(), count);
    ::close(go_[0]);
    ::close(done_[1]);
    ::fcntl(done_[0], F_SETFL, O_NONBLOCK);
  }
  ~IdleClients() {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    ::close(go_[1]);
    ::close(done_[0]);
  }
  void Go() { ASSERT_EQ(::write(go_[1], "g", 1), 1); }
  bool AllConnected() {
    char c = 0;
    return ::read(done_[0], &c, 1) == 1;
  }

 private:
  [[noreturn]] void Connect(const std::string& path, int count) {
    char c = 0;
    if (::read(go_[0], &c, 1) != 1) ::_exit(1);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    for (int i = 0; i < count; ++i) {
      const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
      if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) ::_exit(1);
    }
    if (::write(done_[1], "d", 1) != 1) ::_exit(1);
    ::pause();
    ::_exit(0);
  }

  pid_t pid_ = -1;
  int go_[2] = {-1, -1};
  int done_[2] = {-1, -1};
};

int OpenDescriptors() { return static_cast<int>(QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size()); }

TEST(SingleInstanceTest, IdleClientsAreDroppedAndTheHandOffGoesOn) {
  const QString name = UniqueName();
  TSingleInstance first(name);
  ASSERT_TRUE(first.Listen());
  QSignalSpy received(&first, &TSingleInstance::FilesReceived);
  const int before = OpenDescriptors();
  IdleClients idle(name, 1100);
  idle.Go();
  // Served as the program's own loop serves them, without the pauses of a test wait.
  int most = 0;
  QElapsedTimer clock;
  clock.start();
  while (!idle.AllConnected() && clock.elapsed() < 30000) {
    QCoreApplication::processEvents();
    most = std::max(most, OpenDescriptors());
  }
  ASSERT_LT(clock.elapsed(), 30000) << "the clients were never all taken";
  EXPECT_LE(most - before, 40) << "descriptors held for clients";
  EXPECT_TRUE(SendWhileServing(TSingleInstance(name), {"/tmp/a.tvn"}));
  EXPECT_EQ(received.count(), 1);
}

TEST(SingleInstanceTest, TwoMessagesInOneWriteGetTwoAnswers) {
  const QString name = UniqueName();
  TSingleInstance first(name);
  ASSERT_TRUE(first.Listen());
  QSignalSpy received(&first, &TSingleInstance::FilesReceived);
  QByteArray both;
  for (const QString file : {"/tmp/a.tvn", "/tmp/b.tvn"}) {
    QByteArray payload;
    QDataStream body(&payload, QIODevice::WriteOnly);
    body << QStringList{file};
    QByteArray header;
    QDataStream size(&header, QIODevice::WriteOnly);
    size << static_cast<quint32>(payload.size());
    both += header + payload;
  }
  QLocalSocket client;
  client.connectToServer(name);
  ASSERT_TRUE(client.waitForConnected(2000));
  client.write(both);
  client.flush();
  QTRY_COMPARE(received.count(), 2);
  QTRY_COMPARE(client.bytesAvailable(), 2);
  EXPECT_EQ(received.at(1).at(0).toStringList(), QStringList{"/tmp/b.tvn"});
}

// Out of descriptors, the accept fails and the server closes; once there
// are descriptors again the program listens again.
TEST(SingleInstanceTest, TheServerListensAgainAfterAnError) {
  const QString name = UniqueName();
  TSingleInstance first(name);
  ASSERT_TRUE(first.Listen());
  IdleClients client(name, 1);
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
  rlimit none = saved;
  const int lowestFree = ::dup(0);  // every new descriptor would need this number or more
  ::close(lowestFree);
  none.rlim_cur = static_cast<rlim_t>(lowestFree);
  ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &none), 0);
  client.Go();
  QTRY_VERIFY(!QFileInfo::exists(name));
  ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &saved), 0);
  QTRY_VERIFY(QFileInfo::exists(name));
  QSignalSpy received(&first, &TSingleInstance::FilesReceived);
  EXPECT_TRUE(SendWhileServing(TSingleInstance(name), {"/tmp/a.tvn"}));
}

// Programs on other displays, or on none as here, never meet.
TEST(SingleInstanceTest, TheSocketLivesInAPrivateFolderNamedForTheDisplay) {
  const QByteArray runtimeBefore = qgetenv("XDG_RUNTIME_DIR"), tmpBefore = qgetenv("TMPDIR");
  QTemporaryDir runtime, tmp;
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
  qputenv("TMPDIR", QFile::encodeName(tmp.path()));
  EXPECT_EQ(TSingleInstance::DefaultServerPath(), runtime.path() + "/trevan-offscreen");

  ASSERT_EQ(::chmod(QFile::encodeName(runtime.path()).constData(), 0755), 0);
  const QString own = tmp.path() + QString("/trevan-run-%1").arg(::getuid());
  EXPECT_EQ(TSingleInstance::DefaultServerPath(), own + "/trevan-offscreen");
  struct stat info {};
  ASSERT_EQ(::lstat(QFile::encodeName(own).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);

  ASSERT_EQ(::chmod(QFile::encodeName(own).constData(), 0777), 0);  // someone opened it up
  QString why;
  EXPECT_EQ(TSingleInstance::DefaultServerPath(&why), "");
  EXPECT_NE(why.indexOf("open to other users"), -1) << why.toStdString();
  for (const auto& [name, value] : {std::pair{"XDG_RUNTIME_DIR", runtimeBefore}, std::pair{"TMPDIR", tmpBefore}})
    value.isNull() ? qunsetenv(name) : qputenv(name, value);
}

TEST(SingleInstanceTest, AFolderOthersMayEnterIsNeverUsed) {
  QTemporaryDir base;
  const QString folder = base.filePath("shared");
  ASSERT_TRUE(QDir().mkdir(folder));
  ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0777), 0);
  const QString name = folder + "/trevan-offscreen";
  Intruder intruder(name, ::getuid());
  ASSERT_TRUE(intruder.listening());

  TSingleInstance second(name);
  EXPECT_FALSE(second.SendToRunning({"/home/eng/secret.tvn"}, 500));
  EXPECT_FALSE(second.Listen());
  EXPECT_NE(second.Problem().indexOf("open to other users"), -1) << second.Problem().toStdString();
  EXPECT_EQ(intruder.Received(), 0u);
  EXPECT_TRUE(QFileInfo::exists(name));  // not ours to remove
}

TEST(SingleInstanceTest, AServerOfAnotherUserIsNotSentTheFiles) {
  if (::getuid() != 0) GTEST_SKIP() << "needs to start a process as another user";
  const QString name = UniqueName();
  Intruder intruder(name, 65534);
  ASSERT_TRUE(intruder.listening());
  TSingleInstance second(name);
  EXPECT_FALSE(second.SendToRunning({"/home/eng/secret.tvn"}, 1000));
  EXPECT_NE(second.Problem().indexOf("another user"), -1) << second.Problem().toStdString();
  EXPECT_EQ(intruder.Received(), 0u);
}

TEST(SingleInstanceTest, ALateAnswerKeepsTheRunningProgramsName) {
  const QString name = UniqueName();
  TSingleInstance first(name);
  ASSERT_TRUE(first.Listen());
  QSignalSpy received(&first, &TSingleInstance::FilesReceived);

  // The first program is busy (no events served), so the newcomer hears nothing in time.
  TSingleInstance second(name);
  EXPECT_FALSE(second.SendToRunning({"/tmp/a.tvn"}, 200));
  EXPECT_FALSE(second.Listen());
  EXPECT_TRUE(SendWhileServing(TSingleInstance(name), {"/tmp/b.tvn"}));
  QTRY_VERIFY(received.count() >= 1);
  EXPECT_EQ(received.last().at(0).toStringList(), QStringList{"/tmp/b.tvn"});
}

TEST(SingleInstanceTest, TheSocketOfAProgramThatDiedIsTakenOver) {
  const QString name = UniqueName();
  { Intruder gone(name, ::getuid()); }  // killed: its socket file stays behind
  ASSERT_TRUE(QFileInfo::exists(name));
  TSingleInstance next(name);
  EXPECT_TRUE(next.Listen()) << next.Problem().toStdString();
  QSignalSpy received(&next, &TSingleInstance::FilesReceived);
  EXPECT_TRUE(SendWhileServing(TSingleInstance(name), {"/tmp/c.tvn"}));
}

}  // namespace
}  // namespace trevan
