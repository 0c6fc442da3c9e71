#include "services/Language.h"

#include "services/SystemLocale.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace etikor {

namespace {

// The translators of the last InstallLanguage, owned by the application object.
QList<QPointer<QTranslator>>& Installed() {
    static QList<QPointer<QTranslator>> translators;
    return translators;
}

} // namespace

std::optional<TLanguage> LanguageFromCode(const QString& code) {
    if (code == QLatin1String("hu"))
        return TLanguage::Hungarian;
    if (code == QLatin1String("en"))
        return TLanguage::English;
    return std::nullopt;
}

TLanguage ChooseLanguage(std::optional<TLanguage> requested, const QLocale& desktop) {
    if (requested)
        return *requested;
    const QStringList languages = desktop.uiLanguages();
    const QLocale first = languages.isEmpty() ? desktop : QLocale(languages.first());
    return first.language() == QLocale::Hungarian ? TLanguage::Hungarian : TLanguage::English;
}

void UninstallLanguage() {
    for (const QPointer<QTranslator>& translator : Installed()) {
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    Installed().clear();
}

bool InstallLanguage(TLanguage language) {
    auto* app = QCoreApplication::instance();
    if (!app)
        return false;
    UninstallLanguage();
    if (language == TLanguage::Hungarian) {
        // The program's texts are Hungarian already; Qt's own buttons and dialogs need theirs.
        QTranslator* qt = InstallQtTranslations(QLocale(QLocale::Hungarian, QLocale::Hungary));
        if (qt)
            Installed().append(qt);
        return qt != nullptr;
    }
    auto* translator = new QTranslator(app);
    if (!translator->load(QStringLiteral(":/translations/etikor_en.qm")) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    Installed().append(translator);
    return true;
}

} // namespace etikor
