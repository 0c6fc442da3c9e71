#include "document/LabelStock.h"

#include "document/PageSetupValues.h"
#include "services/AppPaths.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <optional>

namespace etikor {

namespace {

constexpr double kSlackMm = 1e-6;
constexpr int kCatalogueFields = 11;

double Rounded(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

std::optional<double> Number(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString Problem(const QString& source, int line, const QString& reason) {
    return QStringLiteral("%1 %2: %3").arg(source).arg(line).arg(reason);
}

QString SizeText(double mm) {
    return QString::number(mm, 'f', 2).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

// Rows of bands a page setup holds, as the page engine lays them out.
int BandsPerPage(const TPageSetup& s) {
    if (s.LabelHeightMm <= 0)
        return 0;
    const double room = s.PageLengthMm - s.TopMarginMm - s.BottomMarginMm;
    return std::max(1, static_cast<int>(std::floor(room / s.LabelHeightMm + 1e-9)));
}

QStringList Lines(const QString& text) {
    return text.split(QLatin1Char('\n'));
}

std::optional<QString> ReadText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(file.readAll());
}

} // namespace

bool TStockSheet::FitsPage() const {
    const double across = LeftMm + Columns * WidthMm + (Columns - 1) * ColumnGapMm;
    const double down = TopMm + Rows * HeightMm + (Rows - 1) * RowGapMm;
    return Columns >= 1 && Rows >= 1 && WidthMm > 0 && HeightMm > 0 && LeftMm >= 0 && TopMm >= 0 &&
           ColumnGapMm >= 0 && RowGapMm >= 0 && across <= PageWidthMm + kSlackMm &&
           down <= PageLengthMm + kSlackMm;
}

TStockEntry StockEntryOf(const TStockSheet& sheet) {
    TStockEntry entry;
    entry.Maker = sheet.Maker;
    entry.Code = sheet.Code;
    entry.Page = sheet.Page;
    entry.WidthMm = sheet.WidthMm;
    entry.HeightMm = sheet.HeightMm;
    entry.Columns = sheet.Columns;
    entry.Rows = sheet.Rows;

    auto decimals = [](TPageValue value) { return std::max(PageValueInfo(value).Decimals, 0); };
    using enum TPageValue;
    const double widthMax = PageValueInfo(pvPageWidth).Template.Max;
    TPageSetup& s = entry.Setup;
    s.PageWidthMm = std::min(sheet.PageWidthMm, widthMax);
    s.PageLengthMm = Rounded(sheet.PageLengthMm, decimals(pvPageLength));
    s.TopMarginMm = Rounded(sheet.TopMm, decimals(pvTopMargin));
    s.LeftMarginMm = Rounded(sheet.LeftMm, decimals(pvLeftMargin));
    s.ColumnSpaceMm = Rounded(sheet.ColumnGapMm, decimals(pvColumnSpace));
    s.Columns = sheet.Columns;
    s.LabelWidthMm = Rounded(sheet.WidthMm, decimals(pvLabelWidth));
    s.LabelHeightMm = Rounded(sheet.HeightMm + sheet.RowGapMm, decimals(pvLabelHeight));
    s.RightMarginMm = Rounded(s.PageWidthMm - s.LeftMarginMm - s.Columns * s.LabelWidthMm -
                                  (s.Columns - 1) * s.ColumnSpaceMm,
                              decimals(pvRightMargin));
    // The last band takes its row gap too; the bottom margin is what is left, never below 0.
    s.BottomMarginMm = std::max(
        0.0, std::floor((s.PageLengthMm - s.TopMarginMm - sheet.Rows * s.LabelHeightMm) * 10 + 1e-6) / 10);

    if (s.RightMarginMm < -kSlackMm) {
        entry.Usable = false;
        entry.Reason =
            QCoreApplication::translate(
                "LabelStock", "A címkék %1 mm-nél szélesebb oldalra nyúlnak, ezt a program nem kezeli.")
                .arg(SizeText(widthMax));
        return entry;
    }
    s.RightMarginMm = std::max(0.0, s.RightMarginMm);
    if (BandsPerPage(s) < sheet.Rows) {
        entry.Usable = false;
        entry.Reason =
            QCoreApplication::translate("LabelStock", "Az utolsó sor a sorköz miatt nem fér a lapra.");
        return entry;
    }
    for (const TPageValueInfo& info : PageSetupValues()) {
        const double value = s.Value(info.Value);
        if (value < info.Template.Min - kSlackMm || value > info.Template.Max + kSlackMm) {
            entry.Usable = false;
            entry.Reason = QCoreApplication::translate("LabelStock", "%1 a programban %2 és %3 között lehet.")
                               .arg(QCoreApplication::translate("PageSetupValues", info.Hint))
                               .arg(info.Template.Min)
                               .arg(info.Template.Max);
            return entry;
        }
    }
    return entry;
}

TStockLoad ParseStockCatalogue(const QString& text, const QString& source) {
    TStockLoad load;
    const QStringList lines = Lines(text);
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char(','));
        auto problem = [&](const QString& reason) { load.Problems << Problem(source, i + 1, reason); };
        if (f.size() != kCatalogueFields) {
            problem(QCoreApplication::translate("LabelStock", "%1 mező helyett %2")
                        .arg(kCatalogueFields)
                        .arg(f.size()));
            continue;
        }
        TStockSheet sheet;
        sheet.Maker = f[0].trimmed();
        sheet.Code = f[1].trimmed();
        sheet.Page = f[2].trimmed();
        if (sheet.Maker.isEmpty() || sheet.Code.isEmpty()) {
            problem(QCoreApplication::translate("LabelStock", "hiányzik a gyártó vagy a cikkszám"));
            continue;
        }
        if (sheet.Page.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0) {
            sheet.Page = QStringLiteral("A4");
            sheet.PageWidthMm = 210;
            sheet.PageLengthMm = 297;
        } else if (sheet.Page.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0) {
            sheet.Page = QStringLiteral("Letter");
            sheet.PageWidthMm = 215.9;
            sheet.PageLengthMm = 279.4;
        } else {
            problem(QCoreApplication::translate("LabelStock", "ismeretlen lapméret: %1").arg(sheet.Page));
            continue;
        }
        std::optional<double> values[8];
        bool numbers = true;
        for (int n = 0; n < 8; ++n) {
            values[n] = Number(f[3 + n]);
            numbers = numbers && values[n].has_value();
        }
        if (!numbers) {
            problem(QCoreApplication::translate("LabelStock", "nem szám"));
            continue;
        }
        sheet.WidthMm = *values[0];
        sheet.HeightMm = *values[1];
        sheet.Columns = static_cast<int>(*values[2]);
        sheet.Rows = static_cast<int>(*values[3]);
        sheet.TopMm = *values[4];
        sheet.LeftMm = *values[5];
        sheet.ColumnGapMm = *values[6];
        sheet.RowGapMm = *values[7];
        if (sheet.Columns != *values[2] || sheet.Rows != *values[3]) {
            problem(QCoreApplication::translate("LabelStock", "az oszlopok és sorok száma egész szám"));
            continue;
        }
        if (!sheet.FitsPage()) {
            problem(QCoreApplication::translate("LabelStock", "a címkék nem férnek el a lapon"));
            continue;
        }
        load.Entries.push_back(StockEntryOf(sheet));
    }
    return load;
}

TStockLoad LoadStockCatalogue(const QString& path) {
    const QString name = path.section(QLatin1Char('/'), -1);
    if (const std::optional<QString> text = ReadText(path))
        return ParseStockCatalogue(*text, name);
    TStockLoad load;
    load.Problems
        << QCoreApplication::translate("LabelStock", "A címkeív-katalógus nem olvasható: %1").arg(path);
    return load;
}

QString StockCataloguePath() {
    const TAppPaths& paths = AppPaths();
    const QString folder = paths.SharedFolder.isEmpty() ? paths.ProgramFolder : paths.SharedFolder;
    return TAppPaths::Join(TAppPaths::Join(folder, QString::fromLatin1(kStockFolderName)),
                           QString::fromLatin1(kStockCatalogueFile));
}

namespace {

constexpr QChar kOwnSeparator = QLatin1Char(';');

TStockEntry OwnEntry(const QString& name, const TPageSetup& setup) {
    TStockEntry entry;
    entry.Own = true;
    entry.Code = name;
    entry.Page = QStringLiteral("%1 x %2").arg(SizeText(setup.PageWidthMm), SizeText(setup.PageLengthMm));
    entry.WidthMm = setup.LabelWidthMm;
    entry.HeightMm = setup.LabelHeightMm;
    entry.Columns = setup.Columns;
    entry.Rows = BandsPerPage(setup);
    entry.Setup = setup;
    return entry;
}

QString OwnLine(const TStockEntry& entry) {
    QStringList fields{entry.Code};
    for (const TPageValueInfo& info : PageSetupValues())
        fields << QString::number(entry.Setup.Value(info.Value), 'g', 10);
    return fields.join(kOwnSeparator);
}

bool WriteOwn(const QString& path, const std::vector<TStockEntry>& entries, QString* error) {
    QSaveFile file(path);
    QString text;
    for (const TStockEntry& entry : entries)
        text += OwnLine(entry) + QLatin1Char('\n');
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

// A name fit for the file: no separator, no line break, not empty.
QString CleanName(const QString& name) {
    QString clean = name;
    clean.replace(kOwnSeparator, QLatin1Char(','));
    clean.replace(QRegularExpression(QStringLiteral("[\\r\\n\\t]")), QStringLiteral(" "));
    return clean.trimmed();
}

} // namespace

TStockLoad ParseOwnStock(const QString& text, const QString& source) {
    TStockLoad load;
    const QStringList lines = Lines(text);
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        const QStringList f = line.split(kOwnSeparator);
        if (f.size() != kPageValueCount + 1 || f[0].trimmed().isEmpty()) {
            load.Problems << Problem(source, i + 1,
                                     QCoreApplication::translate("LabelStock", "%1 mező helyett %2")
                                         .arg(kPageValueCount + 1)
                                         .arg(f.size()));
            continue;
        }
        TPageSetup setup;
        bool ok = true;
        for (const TPageValueInfo& info : PageSetupValues()) {
            const std::optional<double> value = Number(f[1 + static_cast<int>(info.Value)]);
            ok = ok && value.has_value();
            if (value)
                setup.SetValue(info.Value, *value);
        }
        if (!ok) {
            load.Problems << Problem(source, i + 1, QCoreApplication::translate("LabelStock", "nem szám"));
            continue;
        }
        load.Entries.push_back(OwnEntry(f[0].trimmed(), setup));
    }
    return load;
}

TStockLoad LoadOwnStock(const QString& path) {
    if (!QFile::exists(path))
        return {};
    if (const std::optional<QString> text = ReadText(path))
        return ParseOwnStock(*text, path.section(QLatin1Char('/'), -1));
    TStockLoad load;
    load.Problems
        << QCoreApplication::translate("LabelStock", "A saját címkeívek nem olvashatók: %1").arg(path);
    return load;
}

QString OwnStockPath() {
    return TAppPaths::Join(AppPaths().SettingsLocation(), QString::fromLatin1(kOwnStockFile));
}

bool SaveOwnStock(const QString& path, const QString& name, const TPageSetup& setup, QString* error) {
    const QString clean = CleanName(name);
    if (clean.isEmpty()) {
        if (error)
            *error = QCoreApplication::translate("LabelStock", "Üres név");
        return false;
    }
    std::vector<TStockEntry> entries = LoadOwnStock(path).Entries;
    const TStockEntry entry = OwnEntry(clean, setup);
    auto same = std::find_if(entries.begin(), entries.end(), [&](const TStockEntry& e) {
        return e.Code.compare(clean, Qt::CaseInsensitive) == 0;
    });
    if (same != entries.end())
        *same = entry;
    else
        entries.push_back(entry);
    return WriteOwn(path, entries, error);
}

bool DeleteOwnStock(const QString& path, const QString& name, QString* error) {
    std::vector<TStockEntry> entries = LoadOwnStock(path).Entries;
    std::erase_if(entries,
                  [&](const TStockEntry& e) { return e.Code.compare(name, Qt::CaseInsensitive) == 0; });
    return WriteOwn(path, entries, error);
}

bool StockMatches(const TStockEntry& entry, const QString& search) {
    static const QRegularExpression size(QStringLiteral("^(\\d+(?:[.,]\\d+)?)[x×*](\\d+(?:[.,]\\d+)?)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression joinSize(QStringLiteral("(\\d)\\s*([x×*X])\\s*(\\d)"));
    QString text = search;
    text.replace(joinSize, QStringLiteral("\\1x\\3"));
    const QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    for (const QString& word : words) {
        const QRegularExpressionMatch m = size.match(word);
        if (m.hasMatch()) {
            const double w = m.captured(1).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
            const double h = m.captured(2).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
            if (std::abs(entry.WidthMm - w) > 0.5 || std::abs(entry.HeightMm - h) > 0.5)
                return false;
            continue;
        }
        if (!entry.Maker.contains(word, Qt::CaseInsensitive) &&
            !entry.Code.contains(word, Qt::CaseInsensitive) &&
            !entry.Page.contains(word, Qt::CaseInsensitive))
            return false;
    }
    return true;
}

} // namespace etikor
