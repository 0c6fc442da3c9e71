#include "app/HelpViewer.h"
#include "app/MainForm.h"
#include "document/DataModule.h"
#include "services/AppPaths.h"
#include "services/LocaleCollation.h"
#include "ui/QtModal.h"

#include <QApplication>
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

} // namespace

int main(int argc, char* argv[]) {
    TEtikorApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Etikor"));
    QApplication::setApplicationDisplayName(QStringLiteral("Etikor"));
    etikor::InstallSystemCollation(); // tables sorted case-insensitively follow the user's locale

    etikor::TQtModal modal;
    etikor::SetModal(&modal);
    etikor::TDM dm;
    etikor::TMainForm form(dm, modal);
    app.MainForm = &form;
    modal.Parent = &form;
    modal.HelpContext = [&form] { return form.HelpContext(); };
    QPointer<etikor::THelpViewer> viewer;
    modal.HelpViewer = [&](int topic) {
        if (!viewer) {
            const etikor::TAppPaths& paths = etikor::AppPaths();
            viewer = new etikor::THelpViewer(
                etikor::THelpFile::Load(etikor::THelpFile::Locate(paths.WorkingFolder, paths.ProgramFolder)),
                &form);
        }
        viewer->ShowTopic(topic);
    };
    form.show();
    return QApplication::exec();
}
