#include "series/ManualEntry.h"

#include "data/Cp1250Text.h"
#include "data/FormatSettings.h"
#include "data/ScopeGuard.h"
#include "series/tables/SeriesTables.h"
#include "services/Modal.h"
#include "tablestore/StoreTable.h"

#include <QCoreApplication>
#include <limits>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TManualEntryText {
    Q_DECLARE_TR_FUNCTIONS(TManualEntryText)
};
} // namespace

namespace {

bool Blank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

// The six fields besides the value and its type, as a record made by the windows carries them.
void SetOtherFields(TStoreTable& series) {
    series.FieldByName(kSeriesValue2Field).SetAsString("");
    series.FieldByName(kSeriesType2Field).SetAsInteger(0);
    series.FieldByName(kSeriesValue3Field).SetAsString("");
    series.FieldByName(kSeriesType3Field).SetAsInteger(0);
    series.FieldByName(kSeriesLinkedField).SetAsBoolean(false);
    series.FieldByName(kSeriesLinkedSheetField).SetAsString("");
}

void ReopenSorted(TStoreTable& series) {
    series.Close();
    series.Open();
    series.SetIndexFieldNames(std::string(kManualEntryIndex));
}

} // namespace

QString GroupedCount(int64_t count) {
    return FromCp1250(FormatFloat("#,##0", static_cast<double>(count)));
}

void AppendSeriesRecord(TStoreTable& series, const std::string& value, int typeIndex) {
    series.Append();
    series.FieldByName(kSeriesValueField).SetAsString(value);
    series.FieldByName(kSeriesTypeField).SetAsInteger(typeIndex);
    SetOtherFields(series);
    series.Post();
}

void WriteSeries(TStoreTable& series) {
    series.SaveTable(series.FilePath());
    series.CommitChanges();
}

void ReloadSortedSeries(TStoreTable& series) {
    WriteSeries(series);
    ReopenSorted(series);
}

TCloneResult CloneSeriesValue(TStoreTable& series, const std::string& value, int typeIndex, IModal& modal,
                              const std::function<void()>& written) {
    TCloneResult result;
    result.Asked = true;
    const QString byDefault = QStringLiteral("10");
    // A cancelled box answers its default.
    const QString answer = modal
                               .InputBox(FromCp1250(value) + TManualEntryText::tr(" sokszorosítása"),
                                         TManualEntryText::tr("+ darab: "), byDefault)
                               .value_or(byDefault);
    bool ok = false;
    const qlonglong count = answer.trimmed().toLongLong(&ok);
    if (!ok || count > std::numeric_limits<int32_t>::max() || count < std::numeric_limits<int32_t>::min()) {
        modal.Message(QString(), answer + TManualEntryText::tr(" nem szám!"), QStringLiteral("H"));
        return result;
    }
    // Every clone is a record of the series held in memory: a mistyped count must not exhaust it.
    if (count > kMaxCloneCount) {
        modal.Message(QString(),
                      TManualEntryText::tr("Egyszerre legfeljebb 100 000 darab sokszorosítható! (") + answer +
                          QStringLiteral(")"),
                      QStringLiteral("H"));
        return result;
    }
    {
        series.DisableControls();
        const TScopeGuard enable([&] { series.EnableControls(); });
        for (qlonglong i = 0; i < count; ++i)
            AppendSeriesRecord(series, value, typeIndex);
        WriteSeries(series);
        series.Refresh();
    }
    result.Appended = true;
    result.Count = count > 0 ? count : 0;
    if (written)
        written();
    modal.Message(QString(),
                  TManualEntryText::tr("Feldolgozás vége! (") + answer +
                      TManualEntryText::tr(" db. vonalkód)"),
                  QStringLiteral("I"));
    return result;
}

TCloneResult CloneFromMainWindow(TStoreTable& series, const std::string& value, int typeIndex, IModal& modal,
                                 const std::function<void()>& written) {
    if (!series.Active())
        series.Open();
    if (series.RecordCount() >= 2 &&
        !modal.Message(QString(), TManualEntryText::tr("Folytatja a sokszorosítást?"), QStringLiteral("K")))
        return {};
    return CloneSeriesValue(series, value, typeIndex, modal, written);
}

// ---- the manual-entry session --------------------------------------------------------------

TManualEntry::TManualEntry(TStoreTable& series) : FSeries(series) {}

void TManualEntry::Start() {
    if (!FSeries.Active())
        FSeries.Open();
    FSeries.SetIndexFieldNames(std::string(kManualEntryIndex));
    FSeries.First();
}

void TManualEntry::BeginNew() {
    // New records go after the last one.
    FSeries.Last();
    FSeries.Append();
    SetOtherFields(FSeries);
}

void TManualEntry::BeginChange() {
    FSeries.Edit();
}

bool TManualEntry::Entering() const {
    return FSeries.State() == TDataSetState::dsInsert || FSeries.State() == TDataSetState::dsEdit;
}

bool TManualEntry::Confirm(int typeIndex) {
    const std::string value = FSeries.FieldByName(kSeriesValueField).AsString();
    if (Blank(value))
        return false;
    FSeries.FieldByName(kSeriesTypeField).SetAsInteger(typeIndex);
    FSeries.Post();
    const std::string posted = FSeries.FieldByName(kSeriesValueField).AsString();
    ReloadSortedSeries(FSeries);
    FSeries.Locate(kManualEntryLocateKey, TVariant(posted), 0);
    return true;
}

void TManualEntry::Cancel() {
    FSeries.Cancel();
    FSeries.Refresh();
}

void TManualEntry::Delete(IModal& modal) {
    std::string deleted;
    if (modal.Message(QString(), TManualEntryText::tr("Valóban törölni kívánja az aktuális vonalkódot?"),
                      QStringLiteral("K")) &&
        !FSeries.IsEmpty()) {
        deleted = FSeries.FieldByName(kSeriesValueField).AsString();
        FSeries.Delete();
    }
    ReloadSortedSeries(FSeries);
    // The value that follows the deleted one; after No, the first record with a value.
    FSeries.Locate(kManualEntryLocateKey, TVariant(deleted), loPartialKey);
}

void TManualEntry::DeleteAll(IModal& modal) {
    if (modal.Message(QString(), TManualEntryText::tr("Valóban törölni kívánja az ÖSSZES vonalkódot?"),
                      QStringLiteral("K")))
        FSeries.EmptyTable();
    ReloadSortedSeries(FSeries);
}

void TManualEntry::ReloadAfterGeneration() {
    ReopenSorted(FSeries);
    FSeries.First();
}

void TManualEntry::Finish() {
    if (Entering())
        FSeries.Cancel();
    FSeries.SetIndexFieldNames("");
    FSeries.Close();
    FSeries.Open();
}

std::string TManualEntry::CurrentValue() const {
    if (!FSeries.Active() || FSeries.IsEmpty())
        return {};
    return FSeries.FieldByName(kSeriesValueField).AsString();
}

int TManualEntry::CurrentType() const {
    if (!FSeries.Active() || FSeries.IsEmpty())
        return 0;
    return FSeries.FieldByName(kSeriesTypeField).AsInteger();
}

} // namespace etikor
