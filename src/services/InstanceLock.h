#pragma once

// One running program per working folder. Two programs on the same templates would overwrite
// each other's changes, because every edit writes the whole table. The first start holds a lock
// file in the working folder (one left by a killed program is taken over) and listens on a
// local socket; a later start in the same folder asks the running one to come to the front
// through that socket and ends.

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>

class QLocalServer;
class QLockFile;

namespace etikor {

inline constexpr const char* kInstanceLockFileName = "etikor.lock";

class TInstanceLock final : public QObject {
    Q_OBJECT
public:
    enum class TResult {
        Acquired,     // this is the only program in the folder
        OtherRaised,  // another program runs here and was asked to come to the front
        OtherRunning, // another program runs here and could not be reached
        NoLock,       // neither the folder nor the user's runtime folder can hold a lock
    };

    // How long a later start waits for the running program to take its request (each of
    // connect, send and answer). A program that hangs costs the user this long at each start.
    static constexpr std::chrono::milliseconds kDefaultAnswerWait{2000};

    explicit TInstanceLock(QString workingFolder, std::chrono::milliseconds answerWait = kDefaultAnswerWait,
                           QObject* parent = nullptr);
    ~TInstanceLock() override;

    TResult Acquire();
    // The lock file in use (after Acquire).
    const QString& LockPath() const { return FLockPath; }
    // Called when a later start in the same folder asks this program to come to the front.
    std::function<void()> OnActivate;

    // The name of the local socket of a working folder (per user and folder).
    static QString ServerName(const QString& workingFolder);

private:
    bool TryLock(const QString& path, bool& heldByOther);
    bool AskOtherToRaise() const;
    void Listen();

    QString FFolder;
    std::chrono::milliseconds FAnswerWait;
    QString FLockPath;
    std::unique_ptr<QLockFile> FLock;
    QLocalServer* FServer = nullptr;
};

} // namespace etikor
