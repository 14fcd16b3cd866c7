#include "single_instance.h"

#include <QLocalSocket>

namespace platform {

SingleInstance::SingleInstance(const QString& name, QObject* parent) : QObject(parent), name_(name) {
  connect(&server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      if (onRaise) onRaise();
      socket->write("ok");
      socket->flush();
    }
  });
}

bool SingleInstance::anotherIsRunning() {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (socket.waitForConnected(500)) {
    socket.write("raise");
    socket.flush();
    socket.waitForReadyRead(1000);
    return true;
  }
  // Nobody answered: a socket left by a crashed run is taken over.
  QLocalServer::removeServer(name_);
  server_.listen(name_);
  return false;
}

}  // namespace platform
