#pragma once

// The date-format chooser `TDatumBe`: which of the eight layouts the dates of a series are
// written in. It can be closed only with "Rendben"; the choice is kept while the program runs.

#include <QDialog>

#include <string>

namespace etikor {

class TRadioList;

class TDatumBe : public QDialog {
    Q_OBJECT
public:
    // Width a title bar takes besides its text: the window's icon and its buttons.
    static constexpr int kTitleBarExtras = 110;
    explicit TDatumBe(QWidget* parent = nullptr);

    // The chosen layout (Windows-1250), without surrounding blanks.
    std::string Layout() const;
    TRadioList& rgDatum() const { return *FRgDatum; }

    void reject() override {} // Esc and the window manager do not close it

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void RendBenGombClick();
    TRadioList* FRgDatum;
    bool FClosing = false;
};

} // namespace etikor
