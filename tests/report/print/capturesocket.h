// A TCP listener on 127.0.0.1 that stands in for a network printer: the private
// CUPS daemon's socket backend connects to it and sends a job's bytes.
#pragma once

#include <QByteArray>

namespace report::test {

class CaptureSocket {
 public:
  CaptureSocket();  // listens on a free port of 127.0.0.1
  ~CaptureSocket();
  CaptureSocket(const CaptureSocket&) = delete;
  CaptureSocket& operator=(const CaptureSocket&) = delete;

  bool listening() const { return fd_ >= 0; }
  int port() const { return port_; }
  // Takes one connection and reads it to its end. False when none came or it did
  // not end within timeoutMs (the bytes read so far are in *bytes).
  bool receive(int timeoutMs, QByteArray* bytes);
  // True when a connection is waiting within timeoutMs (nothing is read).
  bool pending(int timeoutMs) const;

 private:
  int fd_ = -1;
  int port_ = 0;
};

}  // namespace report::test
