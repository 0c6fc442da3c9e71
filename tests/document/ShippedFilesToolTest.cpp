// The generator that the build runs, and its files as the table tool dumps them.
#if defined(ETIKOR_RESOURCES_TOOL) && defined(ETIKOR_TABLE_TOOL)

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <QStringList>

namespace etikor {
namespace {

using test::TempDir;

// Runs a program; its standard output, or a failure.
std::string RunProgram(const char* program, const QStringList& args) {
    QProcess p;
    p.start(QString::fromLocal8Bit(program), args);
    EXPECT_TRUE(p.waitForFinished(30000)) << program;
    EXPECT_EQ(p.exitCode(), 0) << program << " " << args.join(' ').toStdString() << "\n"
                               << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput().toStdString();
}

TEST(ShippedFilesTool, GeneratorWritesTablesTheToolReads) {
    TempDir dir;
    const QString program = QString::fromStdString(dir.file("bin"));
    const QString series = QString::fromStdString(dir.file("bin/Sorozat"));
    RunProgram(ETIKOR_RESOURCES_TOOL, {"--program-folder", program, "--series-folder", series});

    // Field lists (name:type code) from the schemas; strings of 1..35 characters show their
    // size as one digit or letter, longer ones as "s" + size.
    const struct {
        const char* File;
        const char* Header;
        int Records;
    } cases[] = {
        {"bin/Sorozat/Sorozat0.ctv",
         "Azon:1\tElemnev:K\tForras:s100\tFErtek:s128\tForgat:i\tBetu:s80\tHeight_mm:f\tLeft_mm:f\tTop_mm:f\t"
         "Width_mm:f\tHeight_px:i\tTop_px:i\tLeft_px:i\tWidth_px:i\tFm_mm:f\tBm_mm:f\tJm_mm:f\tAm_mm:f\t"
         "Terkoz:f\tOszlopok:i\tOldalH_mm:f\tOldalSz_mm:f\tVk_index:i\tVErtek:b\tStartstop:b\tAddOn:"
         "b\tTajolas:1",
         1},
        {"bin/Sorozat/Sorozat0.sor",
         "Vonalkod1:s128\tTipus1:i\tVonalkod2:s128\tTipus2:i\tVonalkod3:s128\tTipus3:i\tODBC:b\tODBC_tbl:"
         "s255",
         0},
        {"bin/Sorozat/Sorozat0.vks",
         "Azon:i\tHossz:i\tTipus:1\tSzamlalo:b\tSzorzo:i\tErtek1:s200\tErtek2:s200\tVktip:i\tAI:4", 0},
        {"bin/Temp.tmp",
         "Vonalkod1:s128\tTipus1:i\tVonalkod2:s128\tTipus2:i\tVonalkod3:s128\tTipus3:i\tODBC:b\tODBC_tbl:"
         "s255",
         0},
        {"bin/nytemp.tmp",
         "Darab:i\tSzamlalo:i\tVonalkod1:s255\tVonalkod2:s255\tVonalkod3:s255\tVonalkod4:s255\tVonalkod5:"
         "s255\t"
         "Vonalkod6:s255",
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.File);
        const std::string dump =
            RunProgram(ETIKOR_TABLE_TOOL, {"dump", QString::fromStdString(dir.file(c.File))});
        const size_t eol = dump.find('\n');
        EXPECT_EQ(dump.substr(0, eol), c.Header);
        int lines = 0;
        for (size_t i = eol + 1; i < dump.size(); ++i)
            lines += dump[i] == '\n';
        EXPECT_EQ(lines, c.Records) << dump;
    }
    const std::string ctv =
        RunProgram(ETIKOR_TABLE_TOOL, {"dump", QString::fromStdString(dir.file("bin/Sorozat/Sorozat0.ctv"))});
    EXPECT_NE(ctv.find("\n0\tOldalbeall\t"), std::string::npos) << ctv;
}

} // namespace
} // namespace etikor

#endif
