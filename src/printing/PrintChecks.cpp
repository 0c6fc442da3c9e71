#include "printing/PrintChecks.h"

#include "data/Cp1250Text.h"
#include "data/DataSet.h"
#include "document/PageSetupValues.h"
#include "document/TemplateSchema.h"
#include "printing/LabelReport.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TPrintChecksText {
    Q_DECLARE_TR_FUNCTIONS(TPrintChecksText)
};
} // namespace

namespace {

QString Number(double value) {
    // One decimal at most, as the controls show them; no trailing zeros.
    return QString::number(value, 'f', 2).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

QString WithUnit(double value, bool millimetres) {
    return millimetres ? Number(value) + QStringLiteral(" mm") : Number(value);
}

} // namespace

QStringList PageSetupProblems(const TPageSetup& setup) {
    QStringList problems;
    for (const TPageValueInfo& info : PageSetupValues()) {
        if (info.Value == TPageValue::pvLabelWidth)
            continue;
        const double value = setup.Value(info.Value);
        const bool millimetres = info.Decimals > 0;
        // NaN fails both comparisons and is out of range too.
        if (!(value >= info.Template.Min && value <= info.Template.Max))
            problems << TPrintChecksText::tr("„%1” értéke %2, de csak %3 és %4 között lehet.")
                            .arg(QCoreApplication::translate("PageSetupValues", info.Hint),
                                 WithUnit(value, millimetres), WithUnit(info.Template.Min, millimetres),
                                 WithUnit(info.Template.Max, millimetres));
    }
    if (!problems.isEmpty())
        return problems;
    const double columnWidth = setup.ColumnWidthMm();
    if (columnWidth <= 0)
        problems << TPrintChecksText::tr(
                        "A címkék nem férnek el a lapon: %1 oszlop a margók és a térközök mellett "
                        "%2 széles lenne.")
                        .arg(setup.Columns)
                        .arg(WithUnit(columnWidth, true));
    const double pageRoom = setup.PageLengthMm - setup.TopMarginMm - setup.BottomMarginMm;
    if (pageRoom <= 0)
        problems << TPrintChecksText::tr(
                        "A címkék nem férnek el a lapon: a felső és az alsó margó után %1 marad.")
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

TPrintProblems CheckBeforePrinting(const std::vector<TLabelElement>& elements, const TPageSetup& setup,
                                   const TDataSet* data, bool dataFlag) {
    TPrintProblems problems;
    problems.PageSetup = PageSetupProblems(setup);
    if (dataFlag && data && !data->IsEmpty())
        problems.MissingFields = MissingBoundFields(elements, *data);
    return problems;
}

QString PageSetupMessage(const QStringList& problems) {
    return TPrintChecksText::tr("A sablon oldalbeállításával nem lehet nyomtatni:\r") +
           problems.join(QLatin1Char('\r'));
}

QString MissingFieldsQuestion(const QStringList& fields) {
    return TPrintChecksText::tr(
               "Ezek a mezők nincsenek meg az adatforrásban, az értékük üresen nyomtatódna: ") +
           fields.join(QStringLiteral(", ")) + TPrintChecksText::tr("\rÍgy is nyomtat?");
}

} // namespace etikor
