#include "services/Modal.h"
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

bool TUnattendedModal::Message(const QString&, const QString& text, const QString& kind) {
    const TMessageIcon icon = MessageStyle(kind).Icon;
    if (icon == TMessageIcon::Question)
        return FAnswerYes;
    if (icon == TMessageIcon::Error || icon == TMessageIcon::Warning)
        Problems << text;
    return false;
}

} // namespace etikor
