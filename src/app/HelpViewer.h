#pragma once

// The help viewer window: shows one topic of the help file at a time, with a list of every
// topic to move between them. Not modal; the designer stays usable beside it. Opened while a
// modal window runs (a message box's Help button, F1 in a modal dialog), it moves under that
// window so that it can be used, and goes back to its owner when that window closes.

#include "app/HelpFile.h"

#include <QDialog>
#include <QPointer>

class QListWidget;
class QTextBrowser;
class QWindow;

namespace etikor {

class TQtModal;

class THelpViewer final : public QDialog {
    Q_OBJECT
public:
    THelpViewer(THelpFile file, QWidget* owner);

    // Shows the topic and brings the window to the front.
    void ShowTopic(int topic);
    int CurrentTopic() const { return FCurrent; }
    QTextBrowser* Browser() const { return FBrowser; }
    QListWidget* Topics() const { return FList; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The window the viewer belongs to now: the running modal window, or the owner.
    void FollowModalWindow();
    void MoveUnder(QWidget* parent);
    void ToFront();

    THelpFile FFile;
    QPointer<QWidget> FOwner;
    QPointer<QWidget> FModalHost;
    // The owner's window while the viewer waits for it to appear on screen.
    QPointer<QWindow> FWaitingFor;
    QListWidget* FList = nullptr;
    QTextBrowser* FBrowser = nullptr;
    int FCurrent = 0;
    bool FFrontPending = false;
};

// Makes `modal` show help topics in one viewer owned by `owner`, created on first use from the
// help file of the program's folders.
void InstallHelpViewer(TQtModal& modal, QWidget& owner);

} // namespace etikor
