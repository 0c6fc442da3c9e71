#include "services/Modal.h"

#include <QCoreApplication>
#include <stdexcept>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TText {
    Q_DECLARE_TR_FUNCTIONS(Modal)
};
} // namespace

IModal::~IModal() = default;

QString HelpButtonCaption() {
    return TText::tr("&Súgó");
}

QString YesButtonCaption() {
    return TText::tr("&Igen");
}

TMessageStyle MessageStyle(const QString& kind) {
    const QString help = HelpButtonCaption();
    if (kind == QLatin1String("H"))
        return {TMessageIcon::Error, TText::tr("Hiba"), {TText::tr("&Megszakít"), help}, true};
    if (kind == QLatin1String("I"))
        return {TMessageIcon::Information, TText::tr("Információ"), {TText::tr("OK")}, false};
    if (kind == QLatin1String("K"))
        return {
            TMessageIcon::Question, TText::tr("Kérdés"), {YesButtonCaption(), TText::tr("&Nem"), help}, true};
    if (kind == QLatin1String("i"))
        return {TMessageIcon::Information, TText::tr("Információ"), {TText::tr("OK"), help}, true};
    return {TMessageIcon::Warning, TText::tr("Figyelmeztetés"), {TText::tr("OK")}, false};
}

bool TUnattendedModal::Message(const QString&, const QString& text, const QString& kind) {
    const TMessageIcon icon = MessageStyle(kind).Icon;
    if (icon == TMessageIcon::Question)
        return FAnswerYes;
    if (icon == TMessageIcon::Error || icon == TMessageIcon::Warning)
        Problems << text;
    return false;
}

namespace {
IModal* gModal = nullptr;
}

IModal& Modal() {
    if (!gModal)
        throw std::logic_error("No modal interaction service installed");
    return *gModal;
}

void SetModal(IModal* modal) {
    gModal = modal;
}

} // namespace etikor
