#include "EtikorVersion.h"
#include "app/CommandLine.h"
#include "app/HelpViewer.h"
#include "app/MainForm.h"
#include "document/DataModule.h"
#include "document/ShippedFiles.h"
#include "services/AppPaths.h"
#include "services/InstanceLock.h"
#include "services/Language.h"
#include "services/LocaleCollation.h"
#include "services/SystemLocale.h"
#include "ui/Icons.h"
#include "ui/QtModal.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLocale>
#include <QPointer>
#include <QTimer>

#include <cstdio>
#include <exception>
#include <string_view>

namespace {

// The texts of this file are translated under one name.
struct TMainText {
    Q_DECLARE_TR_FUNCTIONS(TMainText)
};

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
    // Answered before the application object exists: they need no display.
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(etikor::TCommandLine::Usage().toLocal8Bit().constData(), stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("etikor %s\n", etikor::kVersion);
            return 0;
        }
    }
    TEtikorApplication app(argc, argv);
    // Qt has taken its own options (-style, -platform) out of the arguments by now.
    const etikor::TCommandLine line = etikor::TCommandLine::Parse(QApplication::arguments().mid(1));
    if (!line.Error.isEmpty()) {
        std::fprintf(stderr, "etikor: %s\n%s", line.Error.toLocal8Bit().constData(),
                     etikor::TCommandLine::Usage().toLocal8Bit().constData());
        return 2;
    }
    QApplication::setApplicationName(QStringLiteral("Etikor"));
    QApplication::setApplicationDisplayName(QStringLiteral("Etikor"));
    // The desktop entry an installed program starts from, and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.etikor.Etikor"));
    QApplication::setWindowIcon(etikor::ProgramIcon("etikor"));
    // Numbers and dates follow the desktop's formats.
    etikor::UseSystemLocale();
    // The windows speak the desktop's language (Hungarian, or English for any other) unless
    // --lang says otherwise.
    etikor::InstallLanguage(
        etikor::ChooseLanguage(etikor::LanguageFromCode(line.Language), QLocale::system()));
    // Tables sorted case-insensitively follow the user's locale.
    etikor::InstallSystemCollation();

    etikor::TQtModal modal;
    modal.Unattended = line.QuitAfterStart;
    etikor::SetModal(&modal);

    // One program per working folder: a second start brings the running one to the front.
    etikor::TAppPaths paths = etikor::TAppPaths::FromSystem();
    // Installed, the first start makes the user's folders from the shipped files.
    etikor::PrepareUserFolders(paths);
    const QString startTemplate = line.File.isEmpty() ? QString() : etikor::StartTemplate(line.File, paths);
    etikor::SetAppPaths(paths);
    const QString workingFolder = paths.LockFolder();
    etikor::TInstanceLock instance(workingFolder);
    switch (instance.Acquire()) {
    case etikor::TInstanceLock::TResult::OtherRaised:
        return 0;
    case etikor::TInstanceLock::TResult::OtherRunning:
        modal.Message(QString(),
                      TMainText::tr("Az Etikor már fut ebben a munkamappában:") + kCr + workingFolder + kCr +
                          TMainText::tr("Ugyanazokon a címketerveken egyszerre csak egy példány dolgozhat."),
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
    form.SetStartTemplate(startTemplate);
    form.show();
    if (line.QuitAfterStart) {
        // Start-up ran inside the first show; what it opened decides the exit status.
        QTimer::singleShot(0, &form, [&form] {
            const bool opened = form.TemplateOpened();
            form.close();
            QApplication::exit(opened ? 0 : 1);
        });
    }
    return QApplication::exec();
}
