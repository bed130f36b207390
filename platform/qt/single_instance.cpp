// One running instance per user: a process that finds no window of a class
// becomes the one that others find, through a local socket in the user's
// runtime directory. A lock file makes the look-up and the becoming one
// step, so two simultaneous starts never both run.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>
#include <QThread>
#include <map>
#include <vector>

#include "platform/qt/strings.h"
#include "platform/qt/window_internal.h"

namespace {
enum Request : quint8 { kFind = 1, kForeground, kParent, kVisible, kActivate, kSend };

constexpr quint32 kLargestFrame = 1024;  // requests and replies are tiny
constexpr int kLockWaitMs = 10000;
constexpr int kReplyWaitMs = 5000;
constexpr int kConnectWaitMs = 2000;
constexpr UINT kCloseReaderMessage = 1023;

struct InstancePaths {
  QString socket;
  QString lock;
};

// "Kestro (Vowels)" -> <runtime dir>/kestro-vowels.socket and .lock
InstancePaths PathsFor(const QString& className) {
  const QString directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (directory.isEmpty()) return {};
  QString slug;
  for (const QChar c : className.toLower()) {
    if (c.isLetterOrNumber() && c.unicode() < 128)
      slug += c;
    else if (!slug.isEmpty() && !slug.endsWith(QLatin1Char('-')))
      slug += QLatin1Char('-');
  }
  while (slug.endsWith(QLatin1Char('-'))) slug.chop(1);
  if (slug.isEmpty()) slug = QStringLiteral("window");
  return {directory + QLatin1Char('/') + slug + QStringLiteral(".socket"),
          directory + QLatin1Char('/') + slug + QStringLiteral(".lock")};
}

// An exclusive lock on a file, held until released or the process ends.
class InstanceLock {
 public:
  InstanceLock() = default;
  InstanceLock(InstanceLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  InstanceLock& operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
      Release();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  ~InstanceLock() { Release(); }

  bool Acquire(const QString& path) {
    fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) return false;
    for (int waited = 0; waited < kLockWaitMs; waited += 20) {
      if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return true;
      QThread::msleep(20);
    }
    Release();
    return false;
  }

  void Release() {
    if (fd_ < 0) return;
    ::close(fd_);  // closing drops the lock
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

bool PeerIsThisUser(qintptr descriptor) {
  ucred credentials{};
  socklen_t length = sizeof credentials;
  return ::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials,
                      &length) == 0 &&
         credentials.uid == ::getuid();
}

bool IsSocketFile(const QString& path) {
  struct stat status {};
  return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISSOCK(status.st_mode);
}

QByteArray Framed(const QByteArray& payload) {
  QByteArray frame;
  QDataStream out(&frame, QIODevice::WriteOnly);
  out << static_cast<quint32>(payload.size());
  frame += payload;
  return frame;
}

template <typename... Values>
QByteArray Payload(const Values&... values) {
  QByteArray payload;
  QDataStream out(&payload, QIODevice::WriteOnly);
  out.setVersion(QDataStream::Qt_6_0);
  (out << ... << values);
  return payload;
}

// Takes one whole frame from the socket's buffer. False when none is
// complete yet; `tooLarge` when the peer breaks the size limit.
bool TakeFrame(QLocalSocket& socket, QByteArray* payload, bool* tooLarge) {
  *tooLarge = false;
  if (socket.bytesAvailable() < 4) return false;
  quint32 length = 0;
  QDataStream(socket.peek(4)) >> length;
  if (length > kLargestFrame) {
    *tooLarge = true;
    return false;
  }
  if (socket.bytesAvailable() < 4 + static_cast<qint64>(length)) return false;
  socket.read(4);
  *payload = socket.read(length);
  return true;
}

bool AcceptedFromOutside(UINT message) {
  return message == WM_COMMAND || message == WM_CLOSE || message == WM_HELP ||
         message == kCloseReaderMessage;
}

quint64 IdOf(HWND window) { return static_cast<quint64>(reinterpret_cast<std::uintptr_t>(window)); }

// A local top-level window by the id a peer was given, or NULL.
HWND LocalTopLevel(quint64 id) {
  HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(id));
  const Window* record = LookUpWindow(window);
  return record != nullptr && record->kind != WindowKind::Remote ? window : nullptr;
}

// --- The running instance's side ------------------------------------------

struct Claim {
  std::u16string className;
  InstancePaths paths;
  InstanceLock lock;
};

struct Service {
  std::u16string className;
  QLocalServer* server;
};

std::vector<Claim> claims;
std::vector<Service> services;

void Reply(QLocalSocket* socket, qint64 value) {
  if (socket == nullptr || socket->state() != QLocalSocket::ConnectedState) return;
  socket->write(Framed(Payload(value)));
  socket->flush();
}

void Serve(QLocalSocket* socket, const QByteArray& payload) {
  QDataStream in(payload);
  in.setVersion(QDataStream::Qt_6_0);
  quint8 request = 0;
  in >> request;
  if (request == kFind) {
    QString className, title;
    in >> className >> title;
    const std::u16string wantedClass = className.toStdU16String();
    const std::u16string wantedTitle = title.toStdU16String();
    return Reply(socket, static_cast<qint64>(IdOf(FindLocalWindow(
                             wantedClass.c_str(), title.isNull() ? nullptr : wantedTitle.c_str()))));
  }
  if (request == kForeground) return Reply(socket, static_cast<qint64>(IdOf(LocalForegroundWindow())));
  quint64 id = 0;
  in >> id;
  HWND window = LocalTopLevel(id);
  if (in.status() != QDataStream::Ok || window == nullptr) return Reply(socket, 0);
  switch (request) {
    case kParent: return Reply(socket, static_cast<qint64>(IdOf(GetParent(window))));
    case kVisible: return Reply(socket, IsWindowVisible(window));
    case kActivate:
      QueueLoopCall([window] { SetForegroundWindow(window); });
      return Reply(socket, TRUE);
    case kSend: {
      quint32 message = 0;
      quint64 wParam = 0;
      in >> message >> wParam;
      if (in.status() != QDataStream::Ok || !AcceptedFromOutside(message)) return Reply(socket, 0);
      // Handled by the message loop; the sender waits for the result.
      QueueLoopCall([socket = QPointer<QLocalSocket>(socket), window, message, wParam] {
        const LRESULT result = SendMessageW(window, message, static_cast<WPARAM>(wParam), 0);
        Reply(socket, static_cast<qint64>(result));
      });
      return;
    }
    default: socket->abort();
  }
}

void ServeRequests(QLocalSocket* socket) {
  QByteArray payload;
  bool tooLarge = false;
  while (TakeFrame(*socket, &payload, &tooLarge)) Serve(socket, payload);
  if (tooLarge) socket->abort();
}

void AcceptPeers(QLocalServer* server) {
  while (QLocalSocket* peer = server->nextPendingConnection()) {
    QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
    if (!PeerIsThisUser(peer->socketDescriptor())) {
      peer->abort();
      continue;
    }
    QObject::connect(peer, &QLocalSocket::readyRead, peer, [peer] { ServeRequests(peer); });
    ServeRequests(peer);
  }
}

QLocalServer* Listen(const QString& path) {
  auto* server = new QLocalServer;
  server->setSocketOptions(QLocalServer::UserAccessOption);
  // Holding the lock, any socket file left is a dead instance's.
  if (!server->listen(path)) {
    QLocalServer::removeServer(path);
    if (!server->listen(path)) {
      delete server;
      return nullptr;
    }
  }
  QObject::connect(server, &QLocalServer::newConnection, server, [server] { AcceptPeers(server); });
  return server;
}

void StopServing(Service& service) {
  for (QLocalSocket* peer : service.server->findChildren<QLocalSocket*>()) peer->abort();
  service.server->close();  // removes the socket file
  delete service.server;
}

void StopAllServices() {
  for (Service& service : services) StopServing(service);
  services.clear();
}

// --- The second process's side --------------------------------------------

struct Connection {
  std::unique_ptr<QLocalSocket> socket;
  std::map<quint64, HWND> handles;  // remote ids already given a handle
};

std::vector<std::unique_ptr<Connection>> connections;
std::map<HWND, Connection*> connectionOf;

// Connects to a running instance. A socket file nobody listens on is left
// by a crash and is removed.
std::unique_ptr<QLocalSocket> Connect(const QString& path) {
  auto socket = std::make_unique<QLocalSocket>();
  socket->connectToServer(path);
  if (socket->waitForConnected(kConnectWaitMs)) {
    if (PeerIsThisUser(socket->socketDescriptor())) return socket;
    return nullptr;
  }
  if (socket->error() == QLocalSocket::ConnectionRefusedError && IsSocketFile(path))
    QFile::remove(path);
  return nullptr;
}

// Sends a request and waits for its reply; false when the instance is gone.
bool Ask(Connection& connection, const QByteArray& request, int waitMs, qint64* result) {
  QLocalSocket& socket = *connection.socket;
  if (socket.state() != QLocalSocket::ConnectedState) return false;
  socket.write(Framed(request));
  if (!socket.waitForBytesWritten(kReplyWaitMs)) return false;
  QByteArray payload;
  bool tooLarge = false;
  while (!TakeFrame(socket, &payload, &tooLarge)) {
    if (tooLarge || !socket.waitForReadyRead(waitMs)) return false;
  }
  QDataStream in(payload);
  in.setVersion(QDataStream::Qt_6_0);
  in >> *result;
  return in.status() == QDataStream::Ok;
}

HWND HandleFor(Connection& connection, qint64 id) {
  if (id == 0) return nullptr;
  const auto known = connection.handles.find(static_cast<quint64>(id));
  if (known != connection.handles.end()) return known->second;
  auto record = std::make_unique<Window>();
  record->kind = WindowKind::Remote;
  record->remoteId = static_cast<quint64>(id);
  HWND handle = AddWindow(std::move(record));
  connection.handles.emplace(static_cast<quint64>(id), handle);
  connectionOf.emplace(handle, &connection);
  return handle;
}

qint64 AskAbout(const Window& record, const QByteArray& request, int waitMs = kReplyWaitMs) {
  const auto found = connectionOf.find(record.handle);
  qint64 result = 0;
  if (found == connectionOf.end() || !Ask(*found->second, request, waitMs, &result)) return 0;
  return result;
}

bool IsClaimedOrServed(const std::u16string& className) {
  for (const Claim& claim : claims)
    if (claim.className == className) return true;
  for (const Service& service : services)
    if (service.className == className) return true;
  return false;
}
}  // namespace

HWND FindRemoteWindow(LPCWSTR className, LPCWSTR title) {
  if (className == nullptr || IS_INTRESOURCE(className) || QCoreApplication::instance() == nullptr)
    return nullptr;
  const std::u16string wanted = ToQString(className).toStdU16String();
  if (IsClaimedOrServed(wanted)) return nullptr;
  InstancePaths paths = PathsFor(ToQString(className));
  InstanceLock lock;
  if (paths.socket.isEmpty() || !lock.Acquire(paths.lock)) return nullptr;
  if (std::unique_ptr<QLocalSocket> socket = Connect(paths.socket)) {
    auto connection = std::make_unique<Connection>();
    connection->socket = std::move(socket);
    qint64 id = 0;
    const QString titleText = title == nullptr ? QString() : ToQString(title);
    if (!Ask(*connection, Payload(quint8{kFind}, ToQString(className), titleText), kReplyWaitMs, &id) ||
        id == 0)
      return nullptr;  // that instance has no such window: none is found, none is made here
    connections.push_back(std::move(connection));
    return HandleFor(*connections.back(), id);
  }
  // None runs: this process becomes the instance once it has made the window.
  static const bool cleanUpRegistered = [] {
    qAddPostRoutine(StopAllServices);
    return true;
  }();
  (void)cleanUpRegistered;
  claims.push_back(Claim{wanted, std::move(paths), std::move(lock)});
  return nullptr;
}

void NoteTopLevelCreated(const Window& record) {
  for (auto claim = claims.begin(); claim != claims.end(); ++claim) {
    if (claim->className != record.className) continue;
    if (QLocalServer* server = Listen(claim->paths.socket))
      services.push_back(Service{claim->className, server});
    claims.erase(claim);  // releases the lock: the next start finds this one
    return;
  }
}

void NoteTopLevelDestroyed(const Window& record) {
  for (auto service = services.begin(); service != services.end(); ++service) {
    if (service->className != record.className) continue;
    if (FindLocalWindow(record.className.c_str(), nullptr) != nullptr) return;
    StopServing(*service);
    services.erase(service);
    return;
  }
}

HWND RemoteForegroundWindow() {
  for (const std::unique_ptr<Connection>& connection : connections) {
    qint64 id = 0;
    if (Ask(*connection, Payload(quint8{kForeground}), kReplyWaitMs, &id))
      return HandleFor(*connection, id);
  }
  return nullptr;
}

HWND RemoteParent(const Window& record) {
  const qint64 id = AskAbout(record, Payload(quint8{kParent}, quint64{record.remoteId}));
  const auto found = connectionOf.find(record.handle);
  return found != connectionOf.end() ? HandleFor(*found->second, id) : nullptr;
}

LRESULT RemoteSendMessage(const Window& record, UINT message, WPARAM wParam, LPARAM lParam) {
  if (lParam != 0 || !AcceptedFromOutside(message)) return 0;
  const QByteArray request = Payload(quint8{kSend}, quint64{record.remoteId},
                                     quint32{message}, quint64{wParam});
  return static_cast<LRESULT>(AskAbout(record, request, -1));
}

BOOL RemoteSetForeground(const Window& record) {
  return AskAbout(record, Payload(quint8{kActivate}, quint64{record.remoteId})) != 0;
}

BOOL RemoteIsVisible(const Window& record) {
  return AskAbout(record, Payload(quint8{kVisible}, quint64{record.remoteId})) != 0;
}
