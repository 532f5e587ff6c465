#include "capturesocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDeadlineTimer>

namespace report::test {

CaptureSocket::CaptureSocket() {
  fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd_ < 0) return;
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  socklen_t len = sizeof addr;
  if (::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd_, 4) != 0 ||
      ::getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    ::close(fd_);
    fd_ = -1;
    return;
  }
  port_ = ntohs(addr.sin_port);
}

CaptureSocket::~CaptureSocket() {
  if (fd_ >= 0) ::close(fd_);
}

bool CaptureSocket::pending(int timeoutMs) const {
  if (fd_ < 0) return false;
  pollfd p{fd_, POLLIN, 0};
  return ::poll(&p, 1, timeoutMs) > 0;
}

bool CaptureSocket::receive(int timeoutMs, QByteArray* bytes) {
  bytes->clear();
  const QDeadlineTimer deadline(timeoutMs);
  if (!pending(static_cast<int>(deadline.remainingTime()))) return false;
  const int conn = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
  if (conn < 0) return false;
  bool ended = false;
  char buffer[16384];
  while (!deadline.hasExpired()) {
    pollfd p{conn, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(deadline.remainingTime())) <= 0) break;
    const ssize_t n = ::read(conn, buffer, sizeof buffer);
    if (n < 0) break;
    if (n == 0) {
      ended = true;
      break;
    }
    bytes->append(buffer, n);
  }
  ::close(conn);
  return ended;
}

}  // namespace report::test
