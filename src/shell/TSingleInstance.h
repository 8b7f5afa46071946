#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QLocalServer;

namespace trevan {

// One running program per user: a second start hands its files to the first
// over a local socket and ends, so a double-clicked beam opens in the program
// the user already has.
class TSingleInstance : public QObject {
  Q_OBJECT

 public:
  // The name is unique per user; tests pass their own.
  explicit TSingleInstance(QString serverName = DefaultServerName(), QObject* parent = nullptr);
  ~TSingleInstance() override;

  static QString DefaultServerName();

  // True when a running program took the files (it answers once it has them).
  bool SendToRunning(const QStringList& files, int timeoutMs = 2000) const;
  // Starts answering later starts; false when the name cannot be taken.
  bool Listen();

 signals:
  void FilesReceived(const QStringList& files);

 private:
  QString serverName_;
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace trevan
