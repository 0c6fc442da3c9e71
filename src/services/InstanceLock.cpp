#include "services/InstanceLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

namespace etikor {

namespace {

const QByteArray kRaise = QByteArrayLiteral("raise\n");

QString CanonicalFolder(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) : canonical;
}

} // namespace

TInstanceLock::TInstanceLock(QString workingFolder, std::chrono::milliseconds answerWait, QObject* parent)
    : QObject(parent), FFolder(CanonicalFolder(workingFolder)), FAnswerWait(answerWait) {}

TInstanceLock::~TInstanceLock() {
    if (FServer)
        FServer->close();
    if (FLock)
        FLock->unlock();
}

QString TInstanceLock::ServerName(const QString& workingFolder) {
    const QByteArray key = QByteArray::number(static_cast<qulonglong>(::getuid())) + '\n' +
                           CanonicalFolder(workingFolder).toUtf8();
    return QStringLiteral("etikor-") +
           QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(24));
}

bool TInstanceLock::TryLock(const QString& path, bool& heldByOther) {
    auto lock = std::make_unique<QLockFile>(path);
    // Only a lock whose program no longer runs is stale, however old it is.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        FLock = std::move(lock);
        FLockPath = path;
        return true;
    }
    heldByOther = lock->error() == QLockFile::LockFailedError;
    if (heldByOther)
        FLockPath = path;
    return false;
}

TInstanceLock::TResult TInstanceLock::Acquire() {
    bool heldByOther = false;
    bool locked = TryLock(QDir(FFolder).filePath(QString::fromLatin1(kInstanceLockFileName)), heldByOther);
    if (!locked && !heldByOther) {
        // A folder the user may not write into: the user's runtime folder keeps the lock, which
        // still keeps this user's programs apart.
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (!runtime.isEmpty())
            locked =
                TryLock(QDir(runtime).filePath(ServerName(FFolder) + QStringLiteral(".lock")), heldByOther);
    }
    if (locked) {
        Listen();
        return TResult::Acquired;
    }
    if (!heldByOther)
        return TResult::NoLock;
    return AskOtherToRaise() ? TResult::OtherRaised : TResult::OtherRunning;
}

void TInstanceLock::Listen() {
    const QString name = ServerName(FFolder);
    // A socket left by a killed program would make listening fail; the lock says it is ours.
    QLocalServer::removeServer(name);
    FServer = new QLocalServer(this);
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    if (!FServer->listen(name))
        return;
    connect(FServer, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = FServer->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine())
                    return;
                const QByteArray line = socket->readLine();
                socket->write("ok\n");
                socket->flush();
                if (line == kRaise && OnActivate)
                    OnActivate();
            });
        }
    });
}

bool TInstanceLock::AskOtherToRaise() const {
    const int waitMs = static_cast<int>(FAnswerWait.count());
    QLocalSocket socket;
    socket.connectToServer(ServerName(FFolder));
    if (!socket.waitForConnected(waitMs))
        return false;
    socket.write(kRaise);
    if (!socket.waitForBytesWritten(waitMs))
        return false;
    // The answer shows that a program, not a dead socket, took the request.
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(waitMs))
            return false;
    return socket.readLine() == QByteArrayLiteral("ok\n");
}

} // namespace etikor
