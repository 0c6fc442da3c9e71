#pragma once

// The data source tab `tsAdatforras`: the toggle `Gen_Gomb` showing the generated-series
// panel `Gen_doboz` (open, data browser, generate) and the ODBC button, which this program
// never enables.

#include <QWidget>

class QPushButton;
class QToolButton;

namespace etikor {

class TDataSourceTab final : public QWidget {
    Q_OBJECT
public:
    explicit TDataSourceTab(QWidget* parent = nullptr);

signals:
    // The generated-series panel's buttons: open a template, browse the data, generate.
    void OpenRequested();
    void BrowseRequested();
    void GenerateRequested();

private:
    QToolButton* Gen_Gomb = nullptr;
    QWidget* Gen_doboz = nullptr;
    QPushButton* GNyit_Gomb = nullptr;
    QPushButton* Bongeszo_Gomb = nullptr;
    QPushButton* General_Gomb = nullptr;
    QPushButton* ODBC_Gomb = nullptr;
};

} // namespace etikor
