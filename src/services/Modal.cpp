#include "services/Modal.h"

#include <stdexcept>

namespace etikor {

IModal::~IModal() = default;

TMessageStyle MessageStyle(const QString& kind) {
    const QString help = QStringLiteral("&Súgó");
    if (kind == QLatin1String("H"))
        return {TMessageIcon::Error, QStringLiteral("Hiba"), {QStringLiteral("&Megszakít"), help}, true};
    if (kind == QLatin1String("I"))
        return {TMessageIcon::Information, QStringLiteral("Információ"), {QStringLiteral("OK")}, false};
    if (kind == QLatin1String("K"))
        return {TMessageIcon::Question,
                QStringLiteral("Kérdés"),
                {QStringLiteral("&Igen"), QStringLiteral("&Nem"), help},
                true};
    if (kind == QLatin1String("i"))
        return {TMessageIcon::Information, QStringLiteral("Információ"), {QStringLiteral("OK"), help}, true};
    return {TMessageIcon::Warning, QStringLiteral("Figyelmeztetés"), {QStringLiteral("OK")}, false};
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
