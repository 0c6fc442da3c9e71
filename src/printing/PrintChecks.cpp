#include "printing/PrintChecks.h"

#include "data/Cp1250Text.h"
#include "data/DataSet.h"
#include "document/TemplateModel.h"
#include "printing/LabelReport.h"

#include <QRegularExpression>

namespace etikor {

namespace {

QString Number(double value) {
    // One decimal at most, as the controls show them; no trailing zeros.
    return QString::number(value, 'f', 2).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

QString WithUnit(double value, bool millimetres) {
    return millimetres ? Number(value) + QStringLiteral(" mm") : Number(value);
}

} // namespace

const std::array<TPageSetupLimit, 9>& PrintedPageSetupLimits() {
    static const std::array<TPageSetupLimit, 9> limits = {{
        {"OldalHossz", "Oldal hosszúsága", 10, 297, true, [](const TPageSetup& s) { return s.OldalHMm; }},
        {"OldalSzel", "Oldal szélessége", 10, 210, true, [](const TPageSetup& s) { return s.OldalSzMm; }},
        {"Felsom", "Felső margó", 0, 100, true, [](const TPageSetup& s) { return s.FmMm; }},
        {"Alsom", "Alsó margó", 0, 100, true, [](const TPageSetup& s) { return s.AmMm; }},
        {"Balm", "Bal margó", 0, 100, true, [](const TPageSetup& s) { return s.BmMm; }},
        {"Jobbm", "Jobb margó", 0, 100, true, [](const TPageSetup& s) { return s.JmMm; }},
        {"CTerkoz", "Cimkék közötti térköz", 0, 100, true, [](const TPageSetup& s) { return s.TerkozMm; }},
        {"COszlopok", "Cimke oszlopok száma", 1, 15, false,
         [](const TPageSetup& s) { return static_cast<double>(s.Oszlopok); }},
        {"CMagassag", "Címke magassága", 10, 297, true, [](const TPageSetup& s) { return s.HeightMm; }},
    }};
    return limits;
}

QStringList PageSetupProblems(const TPageSetup& setup) {
    QStringList problems;
    for (const TPageSetupLimit& limit : PrintedPageSetupLimits()) {
        const double value = limit.Value(setup);
        // NaN fails both comparisons and is out of range too.
        if (!(value >= limit.Min && value <= limit.Max))
            problems << QStringLiteral("„%1” értéke %2, de csak %3 és %4 között lehet.")
                            .arg(QString::fromUtf8(limit.Caption), WithUnit(value, limit.Millimetres),
                                 WithUnit(limit.Min, limit.Millimetres),
                                 WithUnit(limit.Max, limit.Millimetres));
    }
    if (!problems.isEmpty())
        return problems;
    const double columnWidth =
        (setup.OldalSzMm - setup.BmMm - setup.JmMm - (setup.Oszlopok - 1) * setup.TerkozMm) / setup.Oszlopok;
    if (columnWidth <= 0)
        problems << QStringLiteral("A címkék nem férnek el a lapon: %1 oszlop a margók és a térközök mellett "
                                   "%2 széles lenne.")
                        .arg(setup.Oszlopok)
                        .arg(WithUnit(columnWidth, true));
    const double pageRoom = setup.OldalHMm - setup.FmMm - setup.AmMm;
    if (pageRoom <= 0)
        problems << QStringLiteral("A címkék nem férnek el a lapon: a felső és az alsó margó után %1 marad.")
                        .arg(WithUnit(pageRoom, true));
    return problems;
}

QStringList MissingBoundFields(const std::vector<TLabelElement>& elements, const TDataSet& data) {
    QStringList missing;
    for (const TLabelElement& element : elements) {
        if (element.Kind != TElemKind::ekText && element.Kind != TElemKind::ekBarcode)
            continue;
        if (!element.HasSource() || ResolveDateTimeCode(ToCp1250(element.Source), ToCp1250(element.Value)))
            continue;
        const QString name = element.Source.trimmed();
        if (BoundField(name, &data, true).empty() && !missing.contains(name))
            missing << name;
    }
    return missing;
}

QString PageSetupMessage(const QStringList& problems) {
    return QStringLiteral("A sablon oldalbeállításával nem lehet nyomtatni:\r") +
           problems.join(QLatin1Char('\r'));
}

QString MissingFieldsQuestion(const QStringList& fields) {
    return QStringLiteral("Ezek a mezők nincsenek meg az adatforrásban, az értékük üresen nyomtatódna: ") +
           fields.join(QStringLiteral(", ")) + QStringLiteral("\rÍgy is nyomtat?");
}

} // namespace etikor
