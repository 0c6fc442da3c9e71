// etikor-barcode: encodes a text with the barcode engine and prints what the barcode object
// makes of it, or lists the symbologies.
//
//   etikor-barcode encode --type MEMBER [--no-labels] [--no-check-digit] TEXT
//   etikor-barcode list [--ids]
//
// TEXT is UTF-8 and must be representable in Windows-1250. Exit status: 0 when the command
// ran (whatever the check says), 2 for bad arguments or an unknown member.

#include "barcode/Ean.h"
#include "data/Cp1250.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace etikor;

constexpr int kUsageError = 2;

const char* const kUsage =
    "usage: etikor-barcode encode --type MEMBER [--no-labels] [--no-check-digit] TEXT\n"
    "       etikor-barcode list [--ids]\n";

int usage(const std::string& problem) {
    std::fprintf(stderr, "etikor-barcode: %s\n%s", problem.c_str(), kUsage);
    return kUsageError;
}

const char* errorName(TLastPaintError error) {
    static const char* const names[] = {"erOK",
                                        "erMustBe",
                                        "erErrorInBarCode",
                                        "erCharOutOfSet",
                                        "erSmallPaintBox",
                                        "erOutOfSecurityBox",
                                        "erBarcodeLengthInvalid",
                                        "erFirstCharMustBeZero",
                                        "erCharMustBeSpace",
                                        "erCountCharMustBeEven",
                                        "erEmptyCode"};
    const auto index = static_cast<size_t>(error);
    return index < std::size(names) ? names[index] : "?";
}

int list(const std::vector<std::string_view>& args) {
    bool ids = false;
    for (std::string_view arg : args) {
        if (arg == "--ids")
            ids = true;
        else
            return usage("unexpected argument '" + std::string(arg) + "'");
    }
    std::vector<std::string> lines;
    TCustomEAN::ListTypes(lines, !ids);
    for (const std::string& line : lines)
        std::printf("%s\n", Cp1250ToUtf8(line).c_str());
    return 0;
}

int encode(const std::vector<std::string_view>& args) {
    std::optional<std::string_view> member;
    std::optional<std::string_view> text;
    bool labels = true;
    bool checkDigit = true;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg == "--type") {
            if (i + 1 >= args.size())
                return usage("--type needs a member name");
            member = args[++i];
        } else if (!optionsEnded && arg.starts_with("--type=")) {
            member = arg.substr(7);
        } else if (!optionsEnded && arg == "--no-labels") {
            labels = false;
        } else if (!optionsEnded && arg == "--no-check-digit") {
            checkDigit = false;
        } else if (!optionsEnded && arg.starts_with("--")) {
            return usage("unknown option '" + std::string(arg) + "'");
        } else if (text) {
            return usage("only one TEXT may be given");
        } else {
            text = arg;
        }
    }
    if (!member)
        return usage("--type is required");
    if (!text)
        return usage("TEXT is missing");
    const std::optional<TTypBarCode> type = BarCodeTypeFromIdent(*member);
    if (!type)
        return usage("unknown symbology '" + std::string(*member) + "' (see: etikor-barcode list --ids)");
    // Only texts that survive the round trip: a character the code page lacks must not turn
    // silently into another one.
    const std::string cp1250 = Utf8ToCp1250(*text);
    if (Cp1250ToUtf8(cp1250) != *text)
        return usage("TEXT is not valid UTF-8 or has characters outside Windows-1250");

    TEan ean;
    ean.SetShowLabels(labels);
    ean.SetAutoCheckDigit(checkDigit);
    ean.SetTypBarCode(*type);
    ean.SetBarCode(cp1250);
    ean.CheckBarCode(ean.BarCode());
    const TLastPaintError error = ean.LastPaintError();
    const int errorPos = ean.ErrorPos();
    const BarcodeEncoding encoding = ean.BuildPattern(ean.BarCode());
    const TextAnchors& a = encoding.Anchors;
    std::printf("text=%s\n", Cp1250ToUtf8(ean.BarCode()).c_str());
    std::printf("error=%s\n", errorName(error));
    std::printf("errorpos=%d\n", errorPos);
    std::printf("pattern=%s\n", encoding.BarPattern.c_str());
    std::printf("anchors=%d,%d,%d,%d,%d,%d\n", a.Group1Start, a.Group1End, a.Group2Start, a.Group2End,
                a.AddOnStart, a.TrailingDigit);
    std::printf("minwidth=%d\n", ean.MinimumWidth());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage("a command is required");
    const std::string_view command = argv[1];
    const std::vector<std::string_view> args(argv + 2, argv + argc);
    if (command == "encode")
        return encode(args);
    if (command == "list")
        return list(args);
    return usage("unknown command '" + std::string(command) + "'");
}
