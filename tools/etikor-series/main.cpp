// etikor-series: generate series data from the command line with the designer's generation.
//
//   etikor-series generate --definition FILE.vks --series FILE.sor [--vertical]
//                          [--date-format LAYOUT] [--type INDEX]
//
// Empties the series table (a missing series file is created with the program's structure), writes one record
// per value of the definition (Vonalkod1, and the barcode type index in Tipus1) and prints the number of
// values; a table without a Vonalkod1 field is refused. Questions the designer asks are answered Yes. Exit
// codes: 0 done, 1 the definition cannot be generated, the series file has no Vonalkod1 field, or a file
// cannot be read or written (the message on standard error; the series file stays a valid table), 2 bad
// usage.

#include "StandardOptions.h"
#include "ToolLanguage.h"
#include "data/Cp1250.h"
#include "document/DataModule.h"
#include "document/TemplateSchema.h"
#include "series/DateLayout.h"
#include "series/SeriesGeneration.h"
#include "services/Modal.h"
#include "tablestore/StoreFile.h"
#include "tablestore/StoreFormat.h"
#include "tablestore/StoreTable.h"

#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <clocale>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace etikor;

constexpr int kExitOk = 0;
constexpr int kExitError = 1;
constexpr int kExitUsage = 2;

void printUsage(std::FILE* out) {
    std::fputs("usage: etikor-series generate --definition FILE.vks --series FILE.sor [--vertical]\n"
               "                              [--date-format LAYOUT] [--type INDEX]\n"
               "  LAYOUT: one of",
               out);
    for (const std::string& layout : DateLayouts())
        std::fprintf(out, " %s", Cp1250ToUtf8(layout).c_str());
    std::fprintf(out, " (default %s)\n", Cp1250ToUtf8(DateLayouts().front()).c_str());
    std::fprintf(out, "  INDEX: barcode type index 0 to %d (default 5, Code 128)\n",
                 int(kBarcodeListSize - 1));
}

int usage(const std::string& problem = {}) {
    if (!problem.empty())
        std::cerr << "etikor-series: " << problem << "\n";
    std::cerr.flush();
    printUsage(stderr);
    return kExitUsage;
}

int generate(const std::vector<std::string>& args) {
    std::string definitionPath, seriesPath;
    std::string layout = DateLayouts().front();
    TGenerationOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string* { return i + 1 < args.size() ? &args[++i] : nullptr; };
        if (arg == "--vertical") {
            options.Vertical = true;
        } else if (arg == "--definition" || arg == "--series" || arg == "--date-format" || arg == "--type") {
            const std::string* v = value();
            if (!v)
                return usage(arg + " needs a value");
            if (arg == "--definition") {
                definitionPath = *v;
            } else if (arg == "--series") {
                seriesPath = *v;
            } else if (arg == "--date-format") {
                layout = Utf8ToCp1250(*v);
                const auto& layouts = DateLayouts();
                if (std::find(layouts.begin(), layouts.end(), layout) == layouts.end())
                    return usage("unknown date format '" + *v + "'");
            } else {
                std::size_t used = 0;
                int type = -1;
                try {
                    type = std::stoi(*v, &used);
                } catch (const std::exception&) {
                    used = 0;
                }
                if (used != v->size() || type < 0 || type >= kBarcodeListSize)
                    return usage("barcode type index must be 0 to " + std::to_string(kBarcodeListSize - 1) +
                                 ", not '" + *v + "'");
                options.BarcodeType = type;
            }
        } else {
            return usage("unknown argument '" + arg + "'");
        }
    }
    if (definitionPath.empty() || seriesPath.empty())
        return usage("--definition and --series are required");

    options.ChooseDateFormat = [&]() -> std::optional<std::string> { return layout; };
    options.SeriesFileName = QString::fromStdString(seriesPath);
    TUnattendedModal modal(true); // every question Yes
    try {
        TStoreTable definition, series;
        definition.Name = "M1";
        definition.SetTableName(definitionPath);
        definition.Open();
        // A series file that does not exist yet is made with the program's series structure.
        std::string existing;
        if (!ReadWholeFile(seriesPath, existing))
            SaveImageToFile(seriesPath, BuildEmptyTableImage(SeriesFieldDefs()));
        series.Name = "T1";
        series.SetTableName(seriesPath);
        series.Open();
        // Generation writes the values into Vonalkod1: another table would get empty records.
        if (!series.FindField(kSeriesValueField)) {
            std::cerr << "etikor-series: " << seriesPath
                      << " is no series file: it has no Vonalkod1 field; nothing was written\n";
            return kExitError;
        }
        const TGenerationResult result = GenerateSeries(definition, series, modal, options);
        if (result.Outcome != TGenerationOutcome::Done || !modal.Problems.isEmpty()) {
            // The program's messages break lines with '\r' (a terminal would overwrite the line).
            for (QString problem : modal.Problems)
                std::cerr << problem.replace(QLatin1Char('\r'), QLatin1Char('\n')).toStdString() << "\n";
            return kExitError;
        }
        std::cout << result.Written << "\n";
        return kExitOk;
    } catch (const std::exception& error) {
        std::cerr << "etikor-series: " << error.what() << "\n";
        return kExitError;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> done = StandardOption(argc, argv, "etikor-series", printUsage))
        return *done;
    // The application object only carries the messages' translations; the C library keeps its
    // "C" locale, so that the output's formats stay fixed.
    int qtArgc = 1;
    char name[] = "etikor-series";
    char* qtArgv[] = {name, nullptr};
    QCoreApplication app(qtArgc, qtArgv);
    std::setlocale(LC_ALL, "C");
    UseDesktopLanguage();
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return usage();
    if (args[0] == "generate")
        return generate(std::vector<std::string>(args.begin() + 1, args.end()));
    return usage("unknown command '" + args[0] + "'");
}
