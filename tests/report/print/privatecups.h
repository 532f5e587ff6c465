// A CUPS scheduler of the test's own: cupsd in the foreground as a child process,
// with its configuration, spool, cache, state and logs in a temporary directory,
// listening on 127.0.0.1 only, no browsing or sharing. The system's CUPS files
// and spool are not touched. Stopped by stop() or the destructor, and by the
// kernel when the test process dies.
//
// The client side (libcups, and through it Qt) is pointed at it by start(), which
// must run before the first use of QPrinterInfo: CUPS_SERVER is set to the
// daemon's address and CUPS_SERVERROOT to an empty directory of its own, so no
// client.conf or lpoptions of the machine applies.
#pragma once

#include <memory>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class QProcess;

namespace report::test {

class PrivateCups {
 public:
  PrivateCups();
  ~PrivateCups();
  PrivateCups(const PrivateCups&) = delete;
  PrivateCups& operator=(const PrivateCups&) = delete;

  // Writes the configuration, starts cupsd and waits until it answers (at most
  // timeoutMs). False with the reason in *why.
  bool start(int timeoutMs, QString* why);
  // Adds an enabled queue that accepts jobs. An empty ppdPath makes a raw queue.
  bool addQueue(const QString& name, const QString& deviceUri, const QString& ppdPath, QString* why);
  // Makes the queue refuse new jobs.
  bool rejectJobs(const QString& name, QString* why);
  bool setDefault(const QString& name, QString* why);
  // Waits until no job of the scheduler is pending or printing.
  bool waitIdle(int timeoutMs);
  // Title of the newest job of the queue (finished or not), empty when none.
  QString lastJobTitle(const QString& queue);
  // Number of jobs the scheduler knows for the queue (empty: for all queues),
  // finished or not; -1 when it cannot be asked.
  int jobCount(const QString& queue);
  void stop();

  QString server() const;  // "127.0.0.1:port"
  QString dir() const { return root_.path(); }
  QString logTail(int lines = 30) const;

 private:
  bool writeConfig(QString* why);
  bool answers() const;
  bool runTool(const QString& tool, const QStringList& args, QString* why);

  QTemporaryDir root_;
  QTemporaryDir clientRoot_;
  int port_ = 0;
  std::unique_ptr<QProcess> daemon_;
};

}  // namespace report::test
