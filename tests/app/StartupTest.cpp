#include "app/MainFormFixture.h"
#include "designer/LabelCanvas.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QSettings>

namespace etikor {
namespace {

using test::MainFormTest;

const QString kCr = QStringLiteral("\r");

QString IniValue(const QString& path, const char* key) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith(QByteArray(key) + '='))
            return QString::fromUtf8(line.mid(qstrlen(key) + 1)).trimmed();
    return {};
}

// Start-up with the shipped default set: the label, the status panels, help topic 19.
TEST_F(MainFormTest, StartupWithTheDefaultSetShowsTheLabel) {
    WriteDefaults();
    modal_.ExpectHelp(19);
    TMainForm& form = Start();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Sorozat0.ctv – Etikor"));
    EXPECT_EQ(form.State().TemplateName, QStringLiteral("Sorozat0.ctv"));
    EXPECT_EQ(form.Panel(2), QStringLiteral("Sorozat: Sorozat0.sor"));
    EXPECT_EQ(form.Panel(3), QString());
    EXPECT_EQ(form.Panel(4), QStringLiteral("0"));
    EXPECT_EQ(form.Canvas().Cimke->size(), QSize(234, 147));
    EXPECT_EQ(form.HelpContext(), 10);
    EXPECT_EQ(form.DataSource(), &dm_.T1);
    EXPECT_EQ(Child<QComboBox>("Leptetes")->currentText(), QStringLiteral("1"));
    EXPECT_DOUBLE_EQ(Child<QDoubleSpinBox>("CSzeles")->value(), 62.5);
    EXPECT_FALSE(form.StartupTimer().isActive());
    modal_.Verify();
}

// "Auto sugo" off shows no help; "Auto Orsina" checks the menu item and starts the 800 ms
// timer, which switches itself off on its first tick and opens the label wizard.
TEST_F(MainFormTest, StartupSwitches) {
    WriteDefaults();
    TSettings settings;
    settings.AutoSugo = false;
    settings.AutoOrsina = true;
    WriteSettings(settings);
    TMainForm& form = Start();
    EXPECT_TRUE(Child<QAction>("mOrsina")->isChecked());
    EXPECT_TRUE(form.StartupTimer().isActive());
    EXPECT_EQ(form.StartupTimer().interval(), 800);
    bool opened = false;
    modal_.ExpectModal(QStringLiteral("OrsinaForm"), 0, [&](QObject& w) {
        opened = true;
        EXPECT_FALSE(form.StartupTimer().isActive());
        static_cast<QDialog&>(w).reject();
        return 0;
    });
    modal_.ExpectMessage(QStringLiteral("K"), QStringLiteral("Felhasználod a beállított adatokat?"), false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened; }, 3000));
    EXPECT_FALSE(form.StartupTimer().isActive());
    modal_.Verify();
}

// A missing "Sorozat" folder is created; the default template is then missing, so the
// program reports it and ends without writing the settings.
TEST_F(MainFormTest, MissingSeriesFolderIsCreatedAndTheMissingTemplateEndsTheProgram) {
    modal_.ExpectMessage(QStringLiteral("H"), QStringLiteral("Hiányzik a(z) ") +
                                                  Series(QStringLiteral("Sorozat0.ctv")) +
                                                  QStringLiteral(" file! (.ctv)"));
    TMainForm& form = Start();
    EXPECT_TRUE(QFileInfo(paths_.SeriesFolder()).isDir());
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(QFileInfo::exists(IniPath()));
    modal_.Verify();
}

// A missing companion file: its message, the program ends, the settings stay unwritten.
TEST_F(MainFormTest, MissingCompanionsEndTheProgram) {
    struct Row {
        const char* Remove;
        QString Message;
    } rows[] = {
        {"Sorozat0.sor", QStringLiteral(" file! (.sor)")},
        {"Sorozat0.vks", QStringLiteral(" file (.vks)!")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Remove);
        WriteDefaults();
        QFile::remove(Series(QString::fromLatin1(row.Remove)));
        modal_.ExpectMessage(QStringLiteral("H"), QStringLiteral("Hiányzik a(z) ") +
                                                      Series(QString::fromLatin1(row.Remove)) + row.Message);
        TMainForm& form = Start();
        EXPECT_FALSE(form.isVisible());
        EXPECT_FALSE(QFileInfo::exists(IniPath()));
        modal_.Verify();
        form_.reset();
        dm_.Elemek.Close();
        dm_.T1.Close();
    }
}

// An unreadable template: the message, the default template written into the settings, and
// that setting is not overwritten at close.
TEST_F(MainFormTest, UnreadableTemplateFallsBackToTheDefault) {
    WriteDefaults();
    QFile bad(Series(QStringLiteral("Rossz.ctv")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a table");
    bad.close();
    TSettings settings;
    settings.Utolso = QStringLiteral("Rossz.ctv");
    settings.AutoSugo = false;
    WriteSettings(settings);
    modal_.ExpectMessageStartingWith(QStringLiteral("H"),
                                     QStringLiteral("A megnyitni kívánt címketerv (Rossz.ctv) hiányzik"));
    TMainForm& form = Start();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(IniValue(IniPath(), "Utolso"), QStringLiteral("Sorozat0.ctv"));
    modal_.Verify();
}

// Closing writes the settings with the current template as `Utolso`.
TEST_F(MainFormTest, ClosingWritesUtolso) {
    WriteDefaults();
    for (const char* ext : {".ctv", ".sor", ".vks"})
        QFile::copy(Series(QStringLiteral("Sorozat0") + QLatin1String(ext)),
                    Series(QStringLiteral("Masik") + QLatin1String(ext)));
    TSettings settings;
    settings.Utolso = QStringLiteral("Masik.ctv");
    settings.AutoSugo = false;
    WriteSettings(settings);
    TMainForm& form = Start();
    EXPECT_EQ(form.State().TemplateName, QStringLiteral("Masik.ctv"));
    QFile::remove(IniPath());
    const QRect outer = form.frameGeometry();
    form.close();
    EXPECT_EQ(IniValue(IniPath(), "Utolso"), QStringLiteral("Masik.ctv"));
    // The window's outer size, frame included.
    EXPECT_EQ(IniValue(IniPath(), "Magassag"), QString::number(outer.height()));
    EXPECT_EQ(IniValue(IniPath(), "Szelesseg"), QString::number(outer.width()));
    EXPECT_FALSE(dm_.Elemek.Active());
}

// A series folder that cannot be created stops start-up through the error handler.
TEST_F(MainFormTest, SeriesFolderThatCannotBeCreated) {
    QFile blocker(paths_.SeriesFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    modal_.ExpectMessage(QStringLiteral("H"),
                         QStringLiteral("Hiba történt a program futtatása közben.") + kCr +
                             QStringLiteral("Indítsa újra a programot!") + kCr +
                             QStringLiteral("Nem lehet létrehozni a következő mappát: ") +
                             paths_.SeriesFolder());
    TMainForm& form = Start();
    EXPECT_FALSE(form.isVisible());
    modal_.Verify();
}

// Writes a series whose first record carries a link to `table`.
void WriteLinkedSeries(const std::string& path, const char* table) {
    TStoreTable s;
    s.FieldDefs = SeriesFieldDefs();
    s.Open();
    s.Append();
    s.FieldByName("Vonalkod1").SetAsString("5999000000012");
    s.FieldByName("Tipus1").SetAsInteger(0);
    s.FieldByName("ODBC").SetAsBoolean(true);
    s.FieldByName("ODBC_tbl").SetAsString(table);
    s.Post();
    s.SaveTable(path);
}

// The stored link at start-up: reminder with "Auto adatforras" off, warning when the file is
// missing; the series table stays the data source.
TEST_F(MainFormTest, StoredLinkReminderAndWarning) {
    struct Row {
        bool Auto;
        QString Kind;
        QString Text;
    };
    WriteDefaults();
    WriteLinkedSeries(SeriesPath("Sorozat0.sor"), "adatok.xls");
    const Row rows[] = {
        {false, QStringLiteral("i"),
         QStringLiteral("Ez a címketerv kapcsolt adatokat tartalmaz!") + kCr +
             QStringLiteral("[ Táblanév: adatok.xls ]") + kCr +
             QStringLiteral("Kapcsolja újra az adatokat!")},
        {true, QStringLiteral("F"),
         QStringLiteral("A(z) adatok.xls file") + kCr + QStringLiteral("nem található az alapértelmezett") +
             kCr + QStringLiteral("(") + paths_.SeriesFolder() + QStringLiteral(") mappában!") + kCr +
             QStringLiteral("A kapcsolat nem jött létre!")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Kind.toStdString());
        TSettings settings;
        settings.AutoAdatforras = row.Auto;
        settings.AutoSugo = false;
        WriteSettings(settings);
        modal_.ExpectMessage(row.Kind, row.Text);
        TMainForm& form = Start();
        EXPECT_EQ(form.HelpContext(), 38);
        EXPECT_EQ(form.DataSource(), &dm_.T1);
        EXPECT_EQ(form.Panel(4), QStringLiteral("1"));
        EXPECT_FALSE(form.State().LinkFlag);
        modal_.Verify();
        form.close();
        form_.reset();
    }
}

// With "Auto adatforras" on and the worksheet in the series folder, the link is made again
// without a question; a file there that does not read gives the broken-file message and the
// series stays the data source, its stored link kept.
TEST_F(MainFormTest, StoredLinkWithTheFilePresentReconnects) {
    WriteDefaults();
    TSettings settings;
    settings.AutoSugo = false;
    WriteSettings(settings);
    {
        WriteLinkedSeries(SeriesPath("Sorozat0.sor"), "adatok.csv");
        QFile sheet(Series(QStringLiteral("adatok.csv")));
        ASSERT_TRUE(sheet.open(QIODevice::WriteOnly));
        sheet.write("Cikkszam;Ar\n5990000000017;10\n5990000000024;12\n");
        sheet.close();
        TMainForm& form = Start();
        modal_.Verify();
        EXPECT_EQ(form.HelpContext(), 38);
        EXPECT_NE(form.DataSource(), &dm_.T1);
        EXPECT_TRUE(form.State().LinkFlag);
        EXPECT_EQ(form.Panel(3), QStringLiteral("Kapcsolat: adatok.csv"));
        EXPECT_EQ(form.Panel(4), QStringLiteral("2"));
        ASSERT_EQ(dm_.FieldList().size(), 2u);
        EXPECT_EQ(dm_.FieldList()[0].Name, "Cikkszam       ");
        form.close();
        form_.reset();
    }
    {
        WriteLinkedSeries(SeriesPath("Sorozat0.sor"), "adatok.xls");
        QFile sheet(Series(QStringLiteral("adatok.xls")));
        ASSERT_TRUE(sheet.open(QIODevice::WriteOnly));
        sheet.close();
        modal_.ExpectMessageStartingWith(QStringLiteral("H"), QStringLiteral("Hibás tábla file! (Hibakód: "));
        TMainForm& form = Start();
        modal_.Verify();
        EXPECT_EQ(form.DataSource(), &dm_.T1);
        EXPECT_FALSE(form.State().LinkFlag);
        EXPECT_EQ(dm_.StoredLink(), std::optional<std::string>("adatok.xls"));
    }
}

// The error handler: "General SQL" errors are dropped; any other clears the stored link,
// shows the message and closes the window (writing the settings).
TEST_F(MainFormTest, ApplicationErrorHandler) {
    WriteDefaults();
    WriteLinkedSeries(SeriesPath("Sorozat0.sor"), "adatok.xls");
    TSettings settings;
    settings.AutoAdatforras = false;
    settings.AutoSugo = false;
    WriteSettings(settings);
    modal_.ExpectMessageStartingWith(QStringLiteral("i"), QStringLiteral("Ez a címketerv"));
    TMainForm& form = Start();
    modal_.Verify();

    form.ApplicationException(QStringLiteral("General SQL error: timeout"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(form.isVisible());

    modal_.ExpectMessage(QStringLiteral("H"), QStringLiteral("Hiba történt a program futtatása közben.") +
                                                  kCr + QStringLiteral("Indítsa újra a programot!") + kCr +
                                                  QStringLiteral("T1: Field 'X' not found"));
    form.ApplicationException(QStringLiteral("T1: Field 'X' not found"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(form.isVisible());
    modal_.Verify();
    EXPECT_TRUE(QFileInfo::exists(IniPath()));
    TStoreTable series;
    series.SetTableName(SeriesPath("Sorozat0.sor"));
    series.Open();
    series.First();
    EXPECT_FALSE(series.FieldByName("ODBC").AsBoolean());
    EXPECT_EQ(series.FieldByName("ODBC_tbl").AsString(), "");
}

// While the closing flag is set every error is dropped.
TEST_F(MainFormTest, ErrorsDroppedWhileClosing) {
    WriteDefaults();
    TSettings settings;
    settings.AutoSugo = false;
    WriteSettings(settings);
    TMainForm& form = Start();
    form.State().ClosingFlag = true;
    form.ApplicationException(QStringLiteral("anything"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(form.isVisible());
    modal_.Verify();
}

} // namespace
} // namespace etikor
