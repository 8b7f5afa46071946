#include "TSingleInstance.h"

#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

namespace trevan {

namespace {
// Bounds what a stray client can make us hold in memory.
constexpr qint64 MaxMessageBytes = 1 << 20;
constexpr quint8 Acknowledge = 1;
}  // namespace

TSingleInstance::TSingleInstance(QString serverName, QObject* parent)
    : QObject(parent), serverName_(std::move(serverName)) {}

TSingleInstance::~TSingleInstance() = default;

QString TSingleInstance::DefaultServerName() {
  return QStringLiteral("trevan-%1").arg(static_cast<qulonglong>(::getuid()));
}

bool TSingleInstance::SendToRunning(const QStringList& files, int timeoutMs) const {
  QLocalSocket socket;
  socket.connectToServer(serverName_);
  if (!socket.waitForConnected(timeoutMs)) return false;
  QByteArray payload;
  {
    QDataStream stream(&payload, QIODevice::WriteOnly);
    stream << files;
  }
  QByteArray message;
  QDataStream out(&message, QIODevice::WriteOnly);
  out << static_cast<quint32>(payload.size());
  message.append(payload);
  socket.write(message);
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  // Only an answer proves the files were taken; a hung program must not eat them.
  while (socket.bytesAvailable() < 1) {
    if (!socket.waitForReadyRead(timeoutMs)) return false;
  }
  char answer = 0;
  return socket.read(&answer, 1) == 1 && static_cast<quint8>(answer) == Acknowledge;
}

bool TSingleInstance::Listen() {
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(serverName_)) {
    // A program that crashed leaves its socket file behind; nobody answered
    // SendToRunning, so it is safe to take the name over.
    QLocalServer::removeServer(serverName_);
    if (!server_->listen(serverName_)) {
      server_.reset();
      return false;
    }
  }
  connect(server_.get(), &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
      connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
      connect(client, &QLocalSocket::readyRead, this, [this, client] {
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
        client->read(sizeof size);
        QStringList files;
        QDataStream body(client->read(size));
        body >> files;
        const char ack = static_cast<char>(Acknowledge);
        client->write(&ack, 1);
        client->flush();
        emit FilesReceived(files);
      });
    }
  });
  return true;
}

}  // namespace trevan
