#include "designer/DataSourceTab.h"

#include "ui/Controls.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct TDataSourceTabText {
    Q_DECLARE_TR_FUNCTIONS(TDataSourceTabText)
};
} // namespace

TDataSourceTab::TDataSourceTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tsAdatforras"));
    auto* layout = new QVBoxLayout(this);
    Gen_Gomb = new QToolButton(this);
    Gen_Gomb->setObjectName(QStringLiteral("Gen_Gomb"));
    Gen_Gomb->setText(TDataSourceTabText::tr("&Generált adatbázis"));
    Gen_Gomb->setCheckable(true);
    Gen_Gomb->setChecked(true);
    Gen_Gomb->setToolButtonStyle(Qt::ToolButtonTextOnly);
    Gen_Gomb->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    layout->addWidget(Gen_Gomb);
    Gen_doboz = new QWidget(this);
    Gen_doboz->setObjectName(QStringLiteral("Gen_doboz"));
    auto* boxLayout = new QVBoxLayout(Gen_doboz);
    auto boxButton = [&](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, Gen_doboz);
        b->setObjectName(QString::fromLatin1(name));
        boxLayout->addWidget(b);
        return b;
    };
    GNyit_Gomb = boxButton("GNyit_Gomb", TDataSourceTabText::tr("Megnyitás"));
    Bongeszo_Gomb = boxButton("Bongeszo_Gomb", TDataSourceTabText::tr("Adatböngésző"));
    General_Gomb = boxButton("General_Gomb", TDataSourceTabText::tr("Generálás"));
    layout->addWidget(Gen_doboz);
    connect(GNyit_Gomb, &QPushButton::clicked, this, &TDataSourceTab::OpenRequested);
    connect(Bongeszo_Gomb, &QPushButton::clicked, this, &TDataSourceTab::BrowseRequested);
    connect(General_Gomb, &QPushButton::clicked, this, &TDataSourceTab::GenerateRequested);
    connect(Gen_Gomb, &QToolButton::toggled, Gen_doboz, &QWidget::setVisible);
    ODBC_Gomb = new QPushButton(TDataSourceTabText::tr("&ODBC adatforrás"), this);
    ODBC_Gomb->setObjectName(QStringLiteral("ODBC_Gomb"));
    ODBC_Gomb->setEnabled(false);
    layout->addWidget(ODBC_Gomb);
    layout->addStretch(1);
}

} // namespace etikor
