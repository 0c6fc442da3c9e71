#include "app/HelpViewer.h"
#include "app/MainForm.h"
#include "document/DataModule.h"
#include "services/AppPaths.h"
#include "services/InstanceLock.h"
#include "services/LocaleCollation.h"
#include "services/SystemLocale.h"
#include "ui/QtModal.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QPointer>

#include <exception>

namespace {

// Every exception that no operation handled ends at the main window's error handler.
class TEtikorApplication final : public QApplication {
public:
    using QApplication::QApplication;
    QPointer<etikor::TMainForm> MainForm;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            if (MainForm)
                MainForm->ApplicationException(QString::fromLocal8Bit(e.what()));
        }
        return false;
    }
};

const QString kCr = QStringLiteral("\r");

} // namespace

int main(int argc, char* argv[]) {
    TEtikorApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Etikor"));
    QApplication::setApplicationDisplayName(QStringLiteral("Etikor"));
    // Numbers, dates and the standard dialogs follow the desktop's language and formats.
    etikor::UseSystemLocale();
    etikor::InstallQtTranslations(QLocale::system());
    // Tables sorted case-insensitively follow the user's locale.
    etikor::InstallSystemCollation();

    etikor::TQtModal modal;
    etikor::SetModal(&modal);

    // One program per working folder: a second start brings the running one to the front.
    const QString workingFolder = QDir::toNativeSeparators(QDir::currentPath());
    etikor::TInstanceLock instance(workingFolder);
    switch (instance.Acquire()) {
    case etikor::TInstanceLock::TResult::OtherRaised:
        return 0;
    case etikor::TInstanceLock::TResult::OtherRunning:
        modal.Message(QString(),
                      QStringLiteral("Az Etikor már fut ebben a munkamappában:") + kCr + workingFolder + kCr +
                          QStringLiteral("Ugyanazokon a címketerveken egyszerre csak egy példány dolgozhat."),
                      QStringLiteral("F"));
        return 1;
    case etikor::TInstanceLock::TResult::Acquired:
    case etikor::TInstanceLock::TResult::NoLock:
        break;
    }

    etikor::TDM dm;
    etikor::TMainForm form(dm, modal);
    app.MainForm = &form;
    modal.Parent = &form;
    modal.HelpContext = [&form] { return form.HelpContext(); };
    etikor::InstallHelpViewer(modal, form);
    instance.OnActivate = [&form] {
        form.setWindowState(form.windowState() & ~Qt::WindowMinimized);
        form.show();
        form.raise();
        form.activateWindow();
    };
    form.show();
    return QApplication::exec();
}
