// etikor-barcode: encodes a text with the barcode engine and prints what the barcode object
// makes of it, or lists the symbologies.
//
//   etikor-barcode encode --type MEMBER [--no-labels] [--no-check-digit] TEXT
//   etikor-barcode list [--ids]
//   etikor-barcode render --type MEMBER [--width PX] [--height PX] [--angle DEG]
//                         [--security | --stretch] [--no-labels] [--no-check-digit]
//                         [--font-size PT] -o FILE TEXT
//
// TEXT is UTF-8 and must be representable in Windows-1250. Exit status: 0 when the command
// ran (encode: whatever the check says; render: bars were drawn), 1 when render drew the error
// hatch or nothing, 2 for bad arguments or an unknown member.

#include "barcode/Ean.h"
#include "data/Cp1250.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace etikor;

constexpr int kUsageError = 2;
constexpr int kDrawingFailed = 1;

const char* const kUsage =
    "usage: etikor-barcode encode --type MEMBER [--no-labels] [--no-check-digit] TEXT\n"
    "       etikor-barcode list [--ids]\n"
    "       etikor-barcode render --type MEMBER [--width PX] [--height PX] [--angle DEG]\n"
    "                             [--security | --stretch] [--no-labels] [--no-check-digit]\n"
    "                             [--font-size PT] -o FILE TEXT\n"
    "         FILE: .png .bmp .svg .emf .wmf; --font-size fixes the size (no automatic fitting)\n"
    "         modules: whole pixels without --width, stretched to fill a given --width;\n"
    "         --security or --stretch chooses either way\n";

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

std::optional<int> toInt(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

int render(const std::vector<std::string_view>& args) {
    std::optional<std::string_view> member;
    std::optional<std::string_view> text;
    std::optional<std::string_view> output;
    std::optional<int> width;
    int height = 80;
    int angle = 0;
    std::optional<int> fontSize;
    std::optional<bool> security;
    bool labels = true;
    bool checkDigit = true;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool option = !optionsEnded && arg.starts_with("-") && arg.size() > 1;
        const auto value = [&](std::string_view name) -> std::optional<std::string_view> {
            if (i + 1 >= args.size())
                return std::nullopt;
            (void)name;
            return args[++i];
        };
        const auto number = [&](std::string_view name, int low, int high) -> std::optional<int> {
            const std::optional<std::string_view> v = value(name);
            if (!v)
                return std::nullopt;
            const std::optional<int> n = toInt(*v);
            if (!n || *n < low || *n > high)
                return std::nullopt;
            return n;
        };
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (option && arg == "--type") {
            member = value(arg);
            if (!member)
                return usage("--type needs a member name");
        } else if (option && arg == "-o") {
            output = value(arg);
            if (!output)
                return usage("-o needs a file name");
        } else if (option && arg == "--width") {
            width = number(arg, 1, 30000);
            if (!width)
                return usage("--width needs a number of pixels from 1 to 30000");
        } else if (option && arg == "--height") {
            const std::optional<int> n = number(arg, 1, 10000);
            if (!n)
                return usage("--height needs a number of pixels from 1 to 10000");
            height = *n;
        } else if (option && arg == "--angle") {
            const std::optional<int> n = number(arg, -100000, 100000);
            if (!n)
                return usage("--angle needs a whole number of degrees");
            angle = *n;
        } else if (option && arg == "--font-size") {
            fontSize = number(arg, 1, 1000);
            if (!fontSize)
                return usage("--font-size needs a number of points from 1 to 1000");
        } else if (option && (arg == "--security" || arg == "--stretch")) {
            const bool whole = arg == "--security";
            if (security && *security != whole)
                return usage("--security and --stretch exclude each other");
            security = whole;
        } else if (option && arg == "--no-labels") {
            labels = false;
        } else if (option && arg == "--no-check-digit") {
            checkDigit = false;
        } else if (option) {
            return usage("unknown option '" + std::string(arg) + "'");
        } else if (text) {
            return usage("only one TEXT may be given");
        } else {
            text = arg;
        }
    }
    if (!member)
        return usage("--type is required");
    if (!output || output->empty())
        return usage("-o FILE is required");
    if (!text)
        return usage("TEXT is missing");
    const std::optional<TTypBarCode> type = BarCodeTypeFromIdent(*member);
    if (!type)
        return usage("unknown symbology '" + std::string(*member) + "' (see: etikor-barcode list --ids)");
    const std::string cp1250 = Utf8ToCp1250(*text);
    if (Cp1250ToUtf8(cp1250) != *text)
        return usage("TEXT is not valid UTF-8 or has characters outside Windows-1250");
    const std::string fileName(*output);
    const QString ext = QFileInfo(QString::fromStdString(fileName)).suffix().toLower();
    if (ext != "png" && ext != "bmp" && ext != "svg" && ext != "emf" && ext != "wmf")
        return usage("FILE must end in .png, .bmp, .svg, .emf or .wmf");

    // Text is measured with real fonts: a headless GUI application is enough.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "etikor-barcode";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    TEan ean;
    ean.SetShowLabels(labels);
    ean.SetAutoCheckDigit(checkDigit);
    ean.SetTypBarCode(*type);
    ean.SetBarCode(cp1250);
    // A box the tool chooses itself gets whole-pixel modules: stretched into the one spare
    // column of the minimum width, the first module would be half as wide again.
    ean.SetSecurity(security.value_or(!width));
    ean.SetAngle(angle);
    if (fontSize) {
        TBarcodeFont font = ean.Font();
        font.Size = *fontSize;
        ean.SetFont(font);
        ean.SetFontAutoSize(false);
    }
    // Without --width the tool sizes the box: the side along the bars (the box's height when
    // the barcode stands upright) is the minimum width, the bars are --height long.
    const bool upright = ean.Angle() % 180 != 0;
    if (width)
        ean.SetBounds(*width, height);
    else if (upright)
        ean.SetBounds(height, ean.MinimumWidth());
    else
        ean.SetBounds(ean.MinimumWidth(), height);
    const bool written = ean.SaveToFile(fileName);
    std::printf("error=%s\n", errorName(ean.LastPaintError()));
    if (!written) {
        std::fprintf(stderr, "etikor-barcode: cannot write '%s'\n", fileName.c_str());
        return kDrawingFailed;
    }
    return ean.LastPattern().empty() ? kDrawingFailed : 0;
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
    if (command == "render")
        return render(args);
    return usage("unknown command '" + std::string(command) + "'");
}
