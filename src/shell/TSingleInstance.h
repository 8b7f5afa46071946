#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QDeadlineTimer;
class QLocalServer;
class QLocalSocket;
class QTimer;

namespace trevan {

// One running program per user and display: a second start hands its files
// to the first over a local socket and ends, so a double-clicked beam opens
// in the program the user already has on that screen.
//
// The socket lives in a folder only its user can enter, and both ends check
// that the other is the same user, so nobody else can take the files or
// hand us theirs.
class TSingleInstance : public QObject {
  Q_OBJECT

 public:
  // The socket's full path; tests pass one in a folder of their own.
  explicit TSingleInstance(QString serverPath, QObject* parent = nullptr);
  ~TSingleInstance() override;

  // $XDG_RUNTIME_DIR, else a folder of our own under the temporary folder,
  // and a name for this session's display. Empty, with why, when neither
  // folder is private.
  static QString DefaultServerPath(QString* why = nullptr);
  // The folder exists (made 0700 when missing), is no link, is ours and
  // lets nobody else in. Empty when fine, else why not.
  static QString CheckPrivateFolder(const QString& folder, bool create);
  // Which screen this program shows on: programs on other displays, or on
  // none, never take each other's files.
  static QString DisplayKey();

  // True when a running program of ours took the files (it answers once it
  // has them).
  bool SendToRunning(const QStringList& files, int timeoutMs = 2000) const;
  // Starts answering later starts; false when the name cannot be taken.
  // A program that answers there keeps its name. Clients that say nothing
  // are dropped, only a few are served at once, and the name is taken
  // again should the server close after an error.
  bool Listen();
  // Why the last SendToRunning or Listen refused the rendezvous.
  const QString& Problem() const { return problem_; }

 signals:
  void FilesReceived(const QStringList& files);

 private:
  enum class Delivery { Taken, Dropped, Failed };
  static QByteArray Message(const QStringList& files);
  Delivery SendOnce(const QByteArray& message, const QDeadlineTimer& deadline) const;
  bool FolderIsPrivate() const;
  bool TakeOverStaleName();
  void Serve(QLocalSocket* client);

  QString serverPath_;
  mutable QString problem_;
  int clients_ = 0;  // before the server, whose clients count down as they go
  std::unique_ptr<QLocalServer> server_;
  std::unique_ptr<QTimer> watchdog_;
};

}  // namespace trevan
