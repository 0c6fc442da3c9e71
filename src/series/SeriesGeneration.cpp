#include "series/SeriesGeneration.h"

#include "barcode/ValueCheck.h"
#include "data/Cp1250Text.h"
#include "data/FormatSettings.h"
#include "document/TemplateSchema.h"
#include "series/DateLayout.h"
#include "series/SeriesSegments.h"
#include "series/tables/SeriesTables.h"
#include "services/Modal.h"
#include "tablestore/StoreAppend.h"
#include "tablestore/StoreFile.h"
#include "tablestore/StoreTable.h"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TSeriesGenerationText {
    Q_DECLARE_TR_FUNCTIONS(TSeriesGenerationText)
};
} // namespace

namespace {

QString SeriesUnchanged() {
    return TSeriesGenerationText::tr("A generálás leállt, a sorozat nem változott.");
}

QString grouped(int64_t value) {
    return FromCp1250(FormatFloat("#,##0", static_cast<double>(value)));
}

} // namespace

QString GenerationProgressText(int64_t count, int64_t written) {
    return grouped(count) + QLatin1Char('/') + grouped(written);
}

TGenerationResult GenerateSeries(TStoreTable& definition, TStoreTable& series, IModal& modal,
                                 const TGenerationOptions& options) {
    TGenerationResult result;
    if (!series.Active())
        series.Open();
    if (series.RecordCount() > 0 &&
        !modal.Message(QString(),
                       TSeriesGenerationText::tr("Felülírja a meglévő sorozatot? [") +
                           options.SeriesFileName + QLatin1Char(']'),
                       QStringLiteral("K")))
        return result;
    if (!definition.Active())
        definition.Open();
    if (definition.RecordCount() == 0) {
        modal.Message(QString(),
                      TSeriesGenerationText::tr(
                          "Nem adta meg a vonalkód részeit, vagy nem töltött be elmentett sorozatott!"),
                      QStringLiteral("F"));
        result.Outcome = TGenerationOutcome::NoSegment;
        return result;
    }

    // The definition is checked before the old series is given up, so a definition that cannot
    // be generated leaves the series as it was.
    std::vector<TSeriesSegment> segments = BuildSegments(definition);
    definition.First();
    std::string layout = DateLayouts().front();
    const bool hasDate =
        std::any_of(segments.begin(), segments.end(), [](const TSeriesSegment& s) { return s.Kind == 'D'; });
    if (hasDate && options.ChooseDateFormat) {
        std::optional<std::string> chosen = options.ChooseDateFormat();
        if (!chosen) {
            result.Outcome = TGenerationOutcome::Refused;
            return result;
        }
        layout = *chosen;
        while (!layout.empty() && layout.back() == ' ')
            layout.pop_back();
        while (!layout.empty() && layout.front() == ' ')
            layout.erase(layout.begin());
    }
    std::optional<TSeriesExpander> expander;
    try {
        expander.emplace(std::move(segments), options.Vertical, layout);
    } catch (const ESeriesError& error) {
        result.Outcome = TGenerationOutcome::Refused;
        result.Message = error.Text();
        modal.Message(QString(), error.Text(), QStringLiteral("H"));
        return result;
    }
    result.Count = expander->Count();

    result.Outcome = TGenerationOutcome::Stopped;
    if (!modal.Message(QString(),
                       TSeriesGenerationText::tr("Generált vonalkódok száma (1): ") + grouped(result.Count) +
                           TSeriesGenerationText::tr("\rFolytatja a feldolgozást?"),
                       QStringLiteral("K"))) {
        modal.Message(QString(), SeriesUnchanged(), QStringLiteral("I"));
        return result;
    }
    if (result.Count > kLongGenerationValues &&
        !modal.Message(QString(),
                       TSeriesGenerationText::tr("Ez a feldolgozás több percig is eltarthat! Folytatja?"),
                       QStringLiteral("K"))) {
        modal.Message(QString(), SeriesUnchanged(), QStringLiteral("I"));
        return result;
    }

    if (options.Busy)
        options.Busy(true);
    struct BusyOff {
        const TGenerationOptions& Options;
        ~BusyOff() {
            if (Options.Busy)
                Options.Busy(false);
        }
    } busyOff{options};

    // The values go into a new file beside the series, which takes the series' place only when
    // every value is in it: a run that is stopped, killed or runs out of disk leaves the old
    // series as it was (a killed run's file is removed by the next save of the series).
    const std::string path = series.FilePath();
    const std::string building = CreateStoreTempFile(path);
    struct RemoveUnfinished {
        const std::string& Path;
        bool Done = false;
        ~RemoveUnfinished() {
            if (!Done)
                std::remove(Path.c_str());
        }
    } removeUnfinished{building};
    {
        TStoreCursor empty;
        empty.SetFields(series.Cursor()->Fields());
        empty.Notes = series.Cursor()->Notes;
        std::string image;
        empty.WriteToStream(image);
        SaveImageToFile(building, image);
    }

    TStoreAppender appender;
    try {
        appender.Open(building);
        const TStoreCursor& fields = appender.Fields();
        const int valueField = fields.FieldIndex(kSeriesValueField);
        const int typeField = fields.FieldIndex(kSeriesTypeField);
        const std::size_t valueSize =
            valueField >= 0 ? fields.Field(valueField).DeclaredSize : std::size_t(0);
        TStoreValues values = appender.NewValues();
        using Clock = std::chrono::steady_clock;
        Clock::time_point shown{};
        // Every value is checked against the chosen type as it is made: one the type cannot
        // encode stops the run before the series is touched.
        const std::optional<TTypBarCode> type = BarcodeTypeForIndex(options.BarcodeType);
        EncoderOptions encoderOptions;
        encoderOptions.Matrix = BarcodeOptionsForIndex(options.BarcodeType);
        std::string value;
        while (expander->Next(value)) {
            if (value.size() > valueSize)
                value.resize(valueSize);
            if (type) {
                const QString problem = BarCodeValueProblem(*type, encoderOptions, value);
                if (!problem.isEmpty())
                    throw ESeriesError(
                        TSeriesGenerationText::tr("A(z) %1. érték („%2”) nem lehet ilyen vonalkód:")
                            .arg(grouped(result.Written + 1), FromCp1250(value)) +
                        QLatin1Char('\r') + problem);
            }
            fields.ClearValues(values);
            if (valueField >= 0)
                fields.SetString(values, valueField, value);
            if (typeField >= 0)
                fields.SetInteger(values, typeField, options.BarcodeType);
            appender.Append(values);
            ++result.Written;
            if (options.Progress) {
                const Clock::time_point now = Clock::now();
                if (result.Written == result.Count || now - shown >= std::chrono::milliseconds(50)) {
                    shown = now;
                    options.Progress(GenerationProgressText(result.Count, result.Written));
                }
            }
        }
        appender.Close();
    } catch (const ESeriesError& error) {
        // A step that cannot be made (a character beyond code 255) or a value the type cannot
        // encode: nothing is kept.
        appender.Close();
        result.Message = error.Text();
        modal.Message(QString(), error.Text() + QLatin1Char('\r') + SeriesUnchanged(), QStringLiteral("H"));
        return result;
    }
    ReplaceFileWith(path, building);
    removeUnfinished.Done = true;
    series.Refresh();
    series.First();
    result.Outcome = TGenerationOutcome::Done;
    modal.Message(QString(), TSeriesGenerationText::tr("Feldolgozás vége!"), QStringLiteral("I"));
    return result;
}

} // namespace etikor
