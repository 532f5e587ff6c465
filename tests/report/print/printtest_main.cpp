// Entry of the print layer's unit tests: a GUI application (offscreen unless the
// environment says otherwise) and a CUPS client that finds no scheduler (its
// address is a port of 127.0.0.1 that takes no connection) and no client
// settings, so that "no printer installed" holds on any machine.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Bound but not listening: connections to it are refused at once.
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    std::fprintf(stderr, "cannot reserve a port on 127.0.0.1\n");
    return 1;
  }
  const QTemporaryDir clientRoot;  // no client.conf, no lpoptions
  qputenv("CUPS_SERVER", "127.0.0.1:" + QByteArray::number(ntohs(addr.sin_port)));
  qputenv("CUPS_SERVERROOT", QFile::encodeName(clientRoot.path()));
  qunsetenv("LPDEST");
  qunsetenv("PRINTER");
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int rc;
  {
    QGuiApplication app(argc, argv);
    rc = RUN_ALL_TESTS();
  }
  ::close(fd);
  return rc;
}
