#include "exchange/FieldList.h"

#include "data/Cp1250Text.h"
#include "data/DataSet.h"
#include "data/DatabaseError.h"
#include "document/DataModule.h"
#include "services/Modal.h"
#include <QCoreApplication>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TFieldListText {
    Q_DECLARE_TR_FUNCTIONS(TFieldListText)
};
} // namespace

bool RebuildFieldList(TDM& dm, TDataSet& source) {
    try {
        if (!source.Active())
            source.Open();
    } catch (const EDatabaseError& error) {
        dm.ForrasStru.Close();
        dm.ForrasStru.Open();
        dm.ForrasStru.EmptyTable();
        ShowBrokenSource(error.what());
        return false;
    }
    dm.FillFieldList(source);
    return true;
}

void ShowBrokenSource(const std::string& error) {
    Modal().Message(TFieldListText::tr("Hiba"),
                    TFieldListText::tr("Hibás tábla file! (Hibakód: ") + FromCp1250(error) +
                        QStringLiteral(")"),
                    QStringLiteral("H"));
}

} // namespace etikor
