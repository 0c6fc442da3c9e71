#include "services/Modal.h"

#include <QCoreApplication>
#include <stdexcept>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TModalText {
    Q_DECLARE_TR_FUNCTIONS(TModalText)
};
} // namespace

IModal::~IModal() = default;

TMessageStyle MessageStyle(const QString& kind) {
    const QString help = TModalText::tr("&Súgó");
    if (kind == QLatin1String("H"))
        return {TMessageIcon::Error, TModalText::tr("Hiba"), {TModalText::tr("&Megszakít"), help}, true};
    if (kind == QLatin1String("I"))
        return {TMessageIcon::Information, TModalText::tr("Információ"), {TModalText::tr("OK")}, false};
    if (kind == QLatin1String("K"))
        return {TMessageIcon::Question,
                TModalText::tr("Kérdés"),
                {TModalText::tr("&Igen"), TModalText::tr("&Nem"), help},
                true};
    if (kind == QLatin1String("i"))
        return {TMessageIcon::Information, TModalText::tr("Információ"), {TModalText::tr("OK"), help}, true};
    return {TMessageIcon::Warning, TModalText::tr("Figyelmeztetés"), {TModalText::tr("OK")}, false};
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
