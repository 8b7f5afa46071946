#include "TSingleInstance.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <cerrno>
#include <cstring>

namespace trevan {

namespace {
// Bounds what a stray client can make us hold in memory.
constexpr qint64 MaxMessageBytes = 1 << 20;
constexpr quint8 Acknowledge = 1;
constexpr int ProbeTimeoutMs = 500;
// A real sender writes at once; one that says nothing only holds a descriptor.
constexpr int IdleClientMs = 1000;
constexpr int MaxClients = 16;
constexpr int RetryMs = 20;
// Qt closes the server when an accept fails (no descriptors left, say).
constexpr int RelistenCheckMs = 1000;

// The user at the other end, as the kernel saw it connect or listen.
bool PeerIsUs(qintptr descriptor) {
  ucred peer{};
  socklen_t length = sizeof peer;
  if (::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0) return false;
  return peer.uid == ::getuid();
}

QString Sanitized(const QString& text) {
  QString out;
  for (const QChar c : text) out += c.isLetterOrNumber() || c == '-' || c == '.' ? c : QChar('_');
  return out;
}
}  // namespace

TSingleInstance::TSingleInstance(QString serverPath, QObject* parent)
    : QObject(parent), serverPath_(std::move(serverPath)) {}

TSingleInstance::~TSingleInstance() = default;

QString TSingleInstance::CheckPrivateFolder(const QString& folder, bool create) {
  if (folder.isEmpty()) return QStringLiteral("no folder");
  const QByteArray path = QFile::encodeName(folder);
  if (create && ::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
    return QString("%1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
  struct stat info {};
  if (::lstat(path.constData(), &info) != 0)
    return QString("%1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
  if (!S_ISDIR(info.st_mode)) return QString("%1 is not a folder").arg(folder);
  if (info.st_uid != ::getuid()) return QString("%1 belongs to another user").arg(folder);
  if ((info.st_mode & 077) != 0) return QString("%1 is open to other users").arg(folder);
  return {};
}

QString TSingleInstance::DisplayKey() {
  const QString platform = QGuiApplication::platformName();
  QString display;
  if (platform.startsWith("wayland"))
    display = qEnvironmentVariable("WAYLAND_DISPLAY", "wayland-0");
  else if (platform == "xcb")
    display = qEnvironmentVariable("DISPLAY");
  // An invisible program (offscreen, minimal) must not take a visible one's files.
  return Sanitized((platform.isEmpty() ? QString("none") : platform) + (display.isEmpty() ? "" : "-" + display));
}

QString TSingleInstance::DefaultServerPath(QString* why) {
  QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
  QString problem = CheckPrivateFolder(folder, false);
  if (!problem.isEmpty()) {
    // Not "trevan-<uid>": earlier versions put their socket there.
    folder = QDir::temp().filePath(QStringLiteral("trevan-run-%1").arg(static_cast<qulonglong>(::getuid())));
    problem = CheckPrivateFolder(folder, true);
  }
  if (!problem.isEmpty()) {
    if (why) *why = problem;
    return {};
  }
  return QDir(folder).filePath("trevan-" + DisplayKey());
}

bool TSingleInstance::FolderIsPrivate() const {
  problem_ = serverPath_.isEmpty() ? QStringLiteral("no private folder for the socket")
                                   : CheckPrivateFolder(QFileInfo(serverPath_).path(), false);
  return problem_.isEmpty();
}

QByteArray TSingleInstance::Message(const QStringList& files) {
  QByteArray payload;
  {
    QDataStream stream(&payload, QIODevice::WriteOnly);
    stream << files;
  }
  QByteArray message;
  QDataStream stream(&message, QIODevice::WriteOnly);
  stream << static_cast<quint32>(payload.size());
  return message + payload;
}

TSingleInstance::Delivery TSingleInstance::SendOnce(const QByteArray& message, const QDeadlineTimer& deadline) const {
  QLocalSocket socket;
  socket.connectToServer(serverPath_);
  if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) return Delivery::Failed;
  if (!PeerIsUs(socket.socketDescriptor())) {
    problem_ = QString("%1 is served by another user").arg(serverPath_);
    socket.abort();
    return Delivery::Failed;
  }
  socket.write(message);
  if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())) && socket.bytesToWrite() > 0)
    return socket.state() == QLocalSocket::UnconnectedState ? Delivery::Dropped : Delivery::Failed;
  // Only an answer proves the files were taken; a hung program must not eat them.
  while (socket.bytesAvailable() < 1) {
    if (socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) continue;
    // Turned away while busy with others: worth another try.
    return socket.state() == QLocalSocket::UnconnectedState ? Delivery::Dropped : Delivery::Failed;
  }
  char answer = 0;
  return socket.read(&answer, 1) == 1 && static_cast<quint8>(answer) == Acknowledge ? Delivery::Taken
                                                                                    : Delivery::Failed;
}

bool TSingleInstance::SendToRunning(const QStringList& files, int timeoutMs) const {
  if (!FolderIsPrivate()) return false;
  const QDeadlineTimer deadline(timeoutMs);
  const QByteArray message = Message(files);
  while (true) {
    const Delivery delivery = SendOnce(message, deadline);
    if (delivery != Delivery::Dropped || deadline.hasExpired()) return delivery == Delivery::Taken;
    QThread::msleep(RetryMs);
  }
}

// A program that crashed leaves its socket behind; one that merely answered
// a newcomer late is alive and keeps its name.
bool TSingleInstance::TakeOverStaleName() {
  QLocalSocket probe;
  probe.connectToServer(serverPath_);
  if (probe.waitForConnected(ProbeTimeoutMs)) {
    problem_ = QString("%1 is taken by a running program").arg(serverPath_);
    probe.abort();
    return false;
  }
  struct stat info {};
  const QByteArray path = QFile::encodeName(serverPath_);
  if (::lstat(path.constData(), &info) == 0 && !S_ISSOCK(info.st_mode)) {
    problem_ = QString("%1 is not a socket").arg(serverPath_);
    return false;
  }
  ::unlink(path.constData());
  return server_->listen(serverPath_);
}

bool TSingleInstance::Listen() {
  if (!FolderIsPrivate()) return false;
  server_ = std::make_unique<QLocalServer>();
  // No access options: with them the socket is made elsewhere and renamed
  // into place, over a running program's. The folder keeps others out.
  server_->setSocketOptions(QLocalServer::NoOptions);
  if (!server_->listen(serverPath_) && !TakeOverStaleName()) {
    if (problem_.isEmpty()) problem_ = server_->errorString();
    server_.reset();
    return false;
  }
  connect(server_.get(), &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* client = server_->nextPendingConnection()) Serve(client);
  });
  if (!watchdog_) {
    watchdog_ = std::make_unique<QTimer>();
    connect(watchdog_.get(), &QTimer::timeout, this, [this] {
      if (!server_ || !server_->isListening()) Listen();
    });
    watchdog_->start(RelistenCheckMs);
  }
  return true;
}

void TSingleInstance::Serve(QLocalSocket* client) {
  connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
  if (clients_ >= MaxClients || !PeerIsUs(client->socketDescriptor())) {
    client->abort();
    return;
  }
  ++clients_;
  connect(client, &QObject::destroyed, this, [this] { --clients_; });
  auto* idle = new QTimer(client);
  idle->setSingleShot(true);
  connect(idle, &QTimer::timeout, client, &QLocalSocket::abort);
  idle->start(IdleClientMs);
  connect(client, &QLocalSocket::readyRead, this, [this, client, idle] {
    // Several messages may come in one write: each gets its answer.
    while (client->isOpen()) {
      quint32 size = 0;
      const QByteArray header = client->peek(sizeof size);
      if (header.size() < static_cast<qsizetype>(sizeof size)) return;
      QDataStream headerStream(header);
      headerStream >> size;
      if (size > MaxMessageBytes) {
        client->abort();
        return;
      }
      if (client->bytesAvailable() < static_cast<qint64>(sizeof size + size)) return;
      idle->start(IdleClientMs);
      client->read(sizeof size);
      QStringList files;
      QDataStream body(client->read(size));
      body >> files;
      const char ack = static_cast<char>(Acknowledge);
      client->write(&ack, 1);
      client->flush();
      emit FilesReceived(files);
    }
  });
}

}  // namespace trevan
