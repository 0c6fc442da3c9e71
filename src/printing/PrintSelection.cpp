#include "printing/PrintSelection.h"

#include "data/Cp1250Text.h"
#include "data/FormatSettings.h"
#include "data/ScopeGuard.h"
#include "document/ShippedFiles.h"
#include "services/Modal.h"

#include <QCoreApplication>
#include <QDir>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TPrintSelectionText {
    Q_DECLARE_TR_FUNCTIONS(TPrintSelectionText)
};
} // namespace

namespace {
constexpr int kCopiedFields = 6;

std::string Path(const QString& folder, const char* file) {
    return QDir(folder).filePath(QString::fromLatin1(file)).toStdString();
}

void EmptyAndSave(TStoreTable& table) {
    if (!table.Active())
        table.Open();
    table.EmptyTable();
    table.SaveTable(table.FilePath());
}
} // namespace

TPrintSelection::TPrintSelection(QString programFolder) : FFolder(std::move(programFolder)) {
    FSelection.Name = "NyTemp";
    FPrint.Name = "Temp";
}

TPrintSelection::~TPrintSelection() = default;

QString TPrintSelection::SelectionFile() const {
    return QString::fromStdString(Path(FFolder, kSelectionTableFile));
}

QString TPrintSelection::PrintFile() const {
    return QString::fromStdString(Path(FFolder, kPrintTableFile));
}

void TPrintSelection::Open(TDataSet& source) {
    FPrint.SetTableName(Path(FFolder, kPrintTableFile));
    source.DisableControls();
    const TScopeGuard enable([&source] { source.EnableControls(); });
    FSelection.Close();
    FSelection.SetIndexFieldNames({});
    SortedColumn = 0;
    FSelection.SetTableName(Path(FFolder, kSelectionTableFile));
    FSelection.Open();
    FSelection.EmptyTable();
    const int copied = std::min(source.FieldCount(), kCopiedFields);
    int number = 0;
    for (source.First(); !source.Eof(); source.Next()) {
        FSelection.Append();
        FSelection.FieldByName("Darab").SetAsInteger(0);
        FSelection.FieldByName("Szamlalo").SetAsInteger(++number);
        for (int i = 0; i < copied; ++i)
            if (!source.Fields(i).IsNull())
                FSelection.Fields(2 + i).SetAsString(source.Fields(i).AsString());
        FSelection.Post();
    }
    source.First();
    FSelection.First();
    FSelection.SaveTable(FSelection.FilePath());
}

void TPrintSelection::SelectAll() {
    FSelection.CheckBrowseMode();
    FSelection.DisableControls();
    for (FSelection.First(); !FSelection.Eof(); FSelection.Next()) {
        if (FSelection.FieldByName("Darab").AsInteger() == 0) {
            FSelection.Edit();
            FSelection.FieldByName("Darab").SetAsInteger(1);
            FSelection.Post();
        }
    }
    FSelection.First();
    FSelection.EnableControls();
    Counter = FSelection.RecordCount();
}

void TPrintSelection::Clear() {
    FSelection.CheckBrowseMode();
    FSelection.DisableControls();
    for (FSelection.First(); !FSelection.Eof(); FSelection.Next()) {
        if (FSelection.FieldByName("Darab").AsInteger() != 0) {
            FSelection.Edit();
            FSelection.FieldByName("Darab").SetAsInteger(0);
            FSelection.Post();
        }
    }
    FSelection.First();
    FSelection.EnableControls();
    Counter = 0;
}

void TPrintSelection::SumCounts() {
    FSelection.CheckBrowseMode();
    const TField& darab = FSelection.FieldByName("Darab");
    int sum = 0;
    for (int i = 0; i < FSelection.RecordCount(); ++i)
        sum += static_cast<int>(FSelection.ValueAt(i, darab).ToInt());
    Counter = sum;
}

void TPrintSelection::SortBy(int column) {
    FSelection.CheckBrowseMode();
    if (column == 1 || column == 2) {
        FSelection.SetIndexFieldNames("Vonalkod" + std::to_string(column));
        SortedColumn = column;
    }
    FSelection.First();
}

void TPrintSelection::OpenPrintTable() {
    // The print table keeps the structure stored in its file, whatever the data source's is.
    FPrint.Close();
    FPrint.SetTableName(Path(FFolder, kPrintTableFile));
    FPrint.Open();
    FPrint.EmptyTable();
    FPrint.SaveTable(FPrint.FilePath());
}

int TPrintSelection::BuildPrintTable() {
    FSelection.CheckBrowseMode();
    OpenPrintTable();
    const int blanks = std::clamp(FirstPlace, 1, kMaxFirstPlace) - 1;
    for (int i = 0; i < blanks; ++i) {
        FPrint.Append();
        if (FPrint.FieldCount() > 0 && FPrint.Fields(0).DataType() == TFieldType::ftString)
            FPrint.Fields(0).SetAsString(" ");
        FPrint.Post();
    }
    const int fields = std::min(FPrint.FieldCount(), kCopiedFields);
    FSelection.DisableControls();
    for (FSelection.First(); !FSelection.Eof(); FSelection.Next()) {
        const int count = FSelection.FieldByName("Darab").AsInteger();
        for (int c = 0; c < count; ++c) {
            FPrint.Append();
            for (int i = 0; i < fields; ++i) {
                const TField& from = FSelection.Fields(2 + i);
                if (!from.IsNull() && !from.AsString().empty())
                    FPrint.Fields(i).SetAsString(from.AsString());
            }
            FPrint.Post();
        }
    }
    FSelection.First();
    FSelection.EnableControls();
    FPrint.SaveTable(FPrint.FilePath());
    return FPrint.RecordCount() - blanks;
}

bool TPrintSelection::Print(IModal& modal, const std::function<void(TDataSet&)>& handOver) {
    // The print table holds only this run: emptied afterwards, however the run ends.
    const TScopeGuard empty([this] {
        EmptyAndSave(FPrint);
        FPrint.Close();
    });
    const int labels = BuildPrintTable();
    if (labels < 1) {
        modal.Message(QString(), TPrintSelectionText::tr("Nem választott ki semmit!"), QStringLiteral("F"));
        return false;
    }
    if (!modal.Message(QString(), StartQuestion(labels), QStringLiteral("K")))
        return false;
    FPrint.First();
    handOver(FPrint);
    FPrint.First();
    return true;
}

void TPrintSelection::Close() {
    FSelection.SetIndexFieldNames({});
    if (FSelection.TableName().empty())
        FSelection.SetTableName(Path(FFolder, kSelectionTableFile));
    EmptyAndSave(FSelection);
    FSelection.Close();
    if (FPrint.TableName().empty())
        FPrint.SetTableName(Path(FFolder, kPrintTableFile));
    EmptyAndSave(FPrint);
    FPrint.Close();
}

QString StartQuestion(int labels) {
    return TPrintSelectionText::tr("Indulhat ") + FromCp1250(FormatFloat("#,##0", labels)) +
           TPrintSelectionText::tr(" db. cimke nyomtatása?");
}

} // namespace etikor
