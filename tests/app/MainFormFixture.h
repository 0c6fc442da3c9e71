#pragma once

// The main window in a temporary working folder (with a "Sorozat" folder holding the default
// set unless a test says otherwise), scripted prompts, the Hungarian locale.

#include "app/MainForm.h"
#include "data/FormatSettings.h"
#include "designer/CanvasTestSupport.h"
#include "document/DataModule.h"
#include "document/ShippedFiles.h"
#include "document/TemplateSchema.h"
#include "services/AppPaths.h"
#include "support/ScriptedModal.h"
#include "support/TempDir.h"
#include "tablestore/StoreTable.h"

#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace etikor::test {

class MainFormTest : public testing::Test {
protected:
    MainFormTest() {
        paths_.WorkingFolder = QString::fromStdString(work_.path().string());
        paths_.ProgramFolder = QString::fromStdString(program_.path().string());
        SetAppPaths(paths_);
        SetFormatSettings(TFormatSettings::HungarianSpace());
    }
    ~MainFormTest() override {
        form_.reset();
        SetFormatSettings(TFormatSettings::Invariant());
        // The next test finds the program's own folders again, not a removed temporary one.
        SetAppPaths(savedPaths_);
    }

    QString Series(const QString& name) const { return TAppPaths::Join(paths_.SeriesFolder(), name); }
    std::string SeriesPath(const char* name) const { return Series(QString::fromLatin1(name)).toStdString(); }
    QString IniPath() const { return QString::fromStdString(program_.file("etikor.ini")); }
    void WriteDefaults() { WriteDefaultSet(paths_.SeriesFolder()); }
    void WriteSettings(const TSettings& settings) { TSettingsFile(paths_.ProgramFolder).Write(settings); }

    // Shows the window (start-up runs) and lets a queued close happen.
    TMainForm& Start() {
        form_ = std::make_unique<TMainForm>(dm_, modal_);
        form_->show();
        QCoreApplication::processEvents();
        return *form_;
    }
    // The fixture template (one element of each kind) without the start-up help.
    TMainForm& StartOnFixture() {
        WriteDefaults();
        WriteBmp(work_.file("kep.bmp"), 8, 6);
        WriteFixtureTemplate(SeriesPath("Sorozat0.ctv"), work_.file("kep.bmp"));
        TSettings settings;
        settings.AutoSugo = false;
        WriteSettings(settings);
        return Start();
    }
    TMainForm& Form() { return *form_; }
    // Every control with a text on each tab of the window shows its whole text.
    void ExpectTabControlsShowTheirTextInFull() {
        auto* pages = Child<QTabWidget>("PageControl1");
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            QWidget* tab = pages->widget(i);
            SCOPED_TRACE(tab->objectName().toStdString());
            QCoreApplication::processEvents();
            for (QWidget* w : tab->findChildren<QWidget*>()) {
                if (!w->isVisibleTo(form_.get()))
                    continue;
                const bool hasText = qobject_cast<QLabel*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                                     qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractButton*>(w);
                if (hasText) {
                    EXPECT_GE(w->width(), w->sizeHint().width())
                        << w->objectName().toStdString() << " " << w->metaObject()->className();
                }
            }
        }
    }
    template <typename T>
    T* Child(const char* name) {
        return form_->findChild<T*>(QString::fromLatin1(name));
    }

    TAppPaths savedPaths_ = AppPaths();
    TempDir work_;
    TempDir program_;
    TAppPaths paths_;
    ScriptedModal modal_;
    TDM dm_;
    std::unique_ptr<TMainForm> form_;
};

} // namespace etikor::test
