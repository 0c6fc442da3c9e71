#pragma once

// The settings dialog "Beállítások": start-up switches, the barcode options, automatic
// reopening of a linked workbook, and the default page and label of templates without a page
// setup. The page and label fields act at once on the settings they were given (they are the
// template defaults, kept even when the dialog is left with Esc); the seven check boxes reach
// the settings only through "Rendben", which also writes the settings file.

#include "document/Settings.h"
#include "ui/PageSetupFields.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QDoubleSpinBox;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace etikor {

class IModal;

class TBeallitasForm final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 20;
    enum Page { kAltalanos = 0, kEtikettOldal = 1, kEtikettCimke = 2, kVonalkod = 3 };

    TBeallitasForm(TSettings& settings, const TSettingsFile& file, IModal& modal, QWidget* parent = nullptr);

    // Sets the check boxes from the current settings, turns to `page` (-1: the page shown last)
    // and shows the dialog modally through the modal seam, in help context 20; the context the
    // caller had is back afterwards. Returns the modal result.
    int Execute(int page = -1);

    // Hooks to the program. Save writes the settings file (the caller knows the current
    // template's name and the window size); without it the file is written as it is.
    std::function<void()> Save;
    // After "Rendben" and after a reset: the settings' flags may have changed.
    std::function<void()> SettingsChanged;
    std::function<int()> HelpContext;
    std::function<void(int)> SetHelpContext;

    // The check boxes from the current settings.
    void ShowFlags();

    QTabWidget* Lapok = nullptr;
    QCheckBox* cbAutoSugo = nullptr;
    QCheckBox* cbAOrsina = nullptr;
    QDoubleSpinBox* OldalHossz = nullptr;
    QDoubleSpinBox* OldalSzel = nullptr;
    QDoubleSpinBox* Felsom = nullptr;
    QDoubleSpinBox* Balm = nullptr;
    QDoubleSpinBox* Jobbm = nullptr;
    QDoubleSpinBox* Alsom = nullptr;
    QPushButton* A4Gomb = nullptr;
    QDoubleSpinBox* CMagassag = nullptr;
    QDoubleSpinBox* CSzelesseg = nullptr;
    QSpinBox* COszlopok = nullptr;
    QDoubleSpinBox* CTerkoz = nullptr;
    QCheckBox* cbSecurity = nullptr;
    QCheckBox* cbAutoChD = nullptr;
    QCheckBox* cbAutoBetu = nullptr;
    QCheckBox* cbAutoVonal = nullptr;
    QCheckBox* cbAutoExcel = nullptr;
    QPushButton* RendbenGomb = nullptr;
    QPushButton* VisszaGomb = nullptr;
    QPushButton* SugoGomb = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* BuildGeneralPage();
    QWidget* BuildPagePage();
    QWidget* BuildLabelPage();
    QWidget* BuildBarcodePage();
    // The page and label fields from the settings, and back (each change at once).
    TPageSetupFields Fields() const;
    void ShowGeometry();
    void ConnectGeometry();
    void RendbenGombClick();
    void VisszaGombClick();
    void ShowHelp(int topic);
    int CurrentHelpContext() const;

    TSettings& FSettings;
    const TSettingsFile& FFile;
    IModal& FModal;
    int FHelpContext = kHelpContext; // without the hooks
};

} // namespace etikor
