#include "series/SeriesDefinition.h"

#include "series/tables/SeriesTables.h"
#include "services/Modal.h"
#include "tablestore/StoreTable.h"

#include <QCoreApplication>
#include <QString>

#include <algorithm>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TSeriesDefinitionText {
    Q_DECLARE_TR_FUNCTIONS(TSeriesDefinitionText)
};
} // namespace

namespace {

void setValues(TStoreTable& m1, const TSegmentValues& v) {
    m1.FieldByName(kSegmentIdField).SetAsInteger(v.Azon);
    m1.FieldByName(kSegmentLengthField).SetAsInteger(v.Hossz);
    m1.FieldByName(kSegmentKindField).SetAsString(v.Tipus);
    m1.FieldByName(kSegmentCountsField).SetAsBoolean(v.Szamlalo);
    m1.FieldByName(kSegmentStepField).SetAsInteger(v.Szorzo);
    m1.FieldByName(kSegmentStartField).SetAsString(v.Ertek1);
    m1.FieldByName(kSegmentEndField).SetAsString(v.Ertek2);
    m1.FieldByName(kSegmentBarcodeTypeField).SetAsInteger(v.Vktip);
}

std::string aiOf(TStoreTable& m1) {
    return m1.FieldByName(kSegmentAiField).AsString();
}

} // namespace

void WriteDefinition(TStoreTable& definition) {
    const int recNo = definition.RecNo();
    definition.SaveTable(definition.FilePath());
    definition.CommitChanges();
    definition.Refresh();
    if (recNo > 0 && recNo <= definition.RecordCount())
        definition.SetRecNo(recNo);
}

void AppendSegment(TStoreTable& definition, const TSegmentValues& values) {
    definition.Append();
    setValues(definition, values);
    definition.Post();
    WriteDefinition(definition);
}

void ChangeSegment(TStoreTable& definition, const TSegmentValues& values) {
    definition.Edit();
    setValues(definition, values);
    definition.Post();
    WriteDefinition(definition);
}

void DeleteSegment(TStoreTable& definition) {
    if (definition.RecordCount() == 0)
        return;
    definition.Delete();
    WriteDefinition(definition);
}

bool InsertAiSegment(TStoreTable& m1, IModal& modal, const std::string& ai, bool adding, int editedRecNo,
                     int azon, int vktip) {
    const int count = m1.RecordCount();
    // Rule 1: one of 01 and 02 only (a second 01 or 02 included). The segment being replaced
    // does not count.
    if (ai == "01" || ai == "02") {
        for (int recNo = 1; recNo <= count; ++recNo) {
            if (!adding && recNo == editedRecNo)
                continue;
            m1.SetRecNo(recNo);
            const std::string other = aiOf(m1);
            if (other == "01" || other == "02") {
                modal.Message(QString(),
                              TSeriesDefinitionText::tr(
                                  "01-es és 02-es adattartalom azonosító nem szerepelhet együtt!"),
                              QStringLiteral("F"));
                return false;
            }
        }
    }
    // Rule 2: an identifier 02 before the insertion point's data segment asks for 37.
    // Adding: the segment before the last one (the only one when there is one); editing: the
    // segment before the one being replaced.
    const int previous = adding ? std::max(count - 1, std::min(count, 1)) : editedRecNo - 1;
    if (previous >= 1) {
        m1.SetRecNo(previous);
        if (aiOf(m1) == "02" && ai != "37") {
            modal.Message(QString(),
                          TSeriesDefinitionText::tr("02-es adattartalom azonosítót 37-nek kell követnie!"),
                          QStringLiteral("F"));
            return false;
        }
    }
    TSegmentValues values;
    values.Azon = azon;
    values.Hossz = static_cast<int>(ai.size()) + 2;
    values.Tipus = "S";
    values.Szamlalo = false;
    values.Szorzo = 1;
    values.Ertek1 = "(" + ai + ")";
    values.Vktip = vktip;
    if (adding) {
        m1.Append();
    } else {
        m1.SetRecNo(editedRecNo);
        m1.Edit();
    }
    setValues(m1, values);
    m1.FieldByName(kSegmentAiField).SetAsString(ai);
    m1.Post();
    WriteDefinition(m1);
    return true;
}

} // namespace etikor
