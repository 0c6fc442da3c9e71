// etikor-barcode: encodes a text with the barcode engine and prints what the barcode object
// makes of it, or lists the symbologies.
//
//   etikor-barcode encode --type MEMBER [--no-labels] [--no-check-digit] [2D OPTIONS] TEXT
//   etikor-barcode list [--ids]
//   etikor-barcode render --type MEMBER [--width PX] [--height PX] [--angle DEG]
//                         [--security | --stretch] [--no-labels | --labels] [--no-check-digit]
//                         [--font-size PT] [--module PX] [2D OPTIONS] -o FILE TEXT
//   2D OPTIONS: --ecc L|M|Q|H (QR Code), 0-8 (PDF417), 1-4 (Aztec); --columns N (PDF417);
//               --rectangular, --gs1 (Data Matrix)
//
// TEXT is UTF-8 and must be representable in Windows-1250. Exit status: 0 when the command
// ran (encode: whatever the check says; render: bars were drawn), 1 when render drew the error
// hatch or nothing, 2 for bad arguments or an unknown member.

#include "StandardOptions.h"
#include "barcode/Ean.h"
#include "data/Cp1250.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>
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
    "usage: etikor-barcode encode --type MEMBER [--no-labels] [--no-check-digit] [2D OPTIONS] TEXT\n"
    "       etikor-barcode list [--ids]\n"
    "       etikor-barcode render --type MEMBER [--width PX] [--height PX] [--angle DEG]\n"
    "                             [--security | --stretch] [--no-labels | --labels] [--no-check-digit]\n"
    "                             [--font-size PT] [--module PX] [2D OPTIONS] -o FILE TEXT\n"
    "         FILE: .png .bmp .svg .emf .wmf; --font-size fixes the size (no automatic fitting)\n"
    "         modules: whole pixels without --width, stretched to fill a given --width;\n"
    "         --security or --stretch chooses either way\n"
    "         2D symbols: --module PX sets the module size of a picture sized by the tool (4);\n"
    "         --labels adds the text below them\n"
    "       2D OPTIONS: --ecc L|M|Q|H (bcQRCode), 0-8 (bcPDF417), 1-4 (bcAztec: 10, 23, 36, 50 %)\n"
    "                   --columns 1-30 (bcPDF417); --rectangular, --gs1 (bcDataMatrix)\n";

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
                                        "erEmptyCode",
                                        "erInvalidGs1"};
    const auto index = static_cast<size_t>(error);
    return index < std::size(names) ? names[index] : "?";
}

// The options of the two-dimensional symbologies, gathered while the arguments are read and
// checked against the type once it is known.
struct MatrixArgs {
    std::optional<std::string> Ecc;
    std::optional<int> Columns;
    bool Rectangular = false;
    bool Gs1 = false;

    // Takes the option at args[i] (and its value); nullopt when it is none of these, else an
    // empty string or the problem.
    std::optional<std::string> take(const std::vector<std::string_view>& args, size_t& i) {
        const std::string_view arg = args[i];
        if (arg == "--ecc") {
            if (i + 1 >= args.size())
                return std::string("--ecc needs a level");
            Ecc = std::string(args[++i]);
            return std::string();
        }
        if (arg == "--columns") {
            int n = 0;
            if (i + 1 >= args.size())
                return std::string("--columns needs a number from 1 to 30");
            const std::string_view v = args[++i];
            const auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), n);
            if (error != std::errc() || end != v.data() + v.size() || n < 1 || n > 30)
                return std::string("--columns needs a number from 1 to 30");
            Columns = n;
            return std::string();
        }
        if (arg == "--rectangular") {
            Rectangular = true;
            return std::string();
        }
        if (arg == "--gs1") {
            Gs1 = true;
            return std::string();
        }
        return std::nullopt;
    }

    // The options for `type`, or the problem with them.
    std::optional<std::string> apply(TTypBarCode type, TMatrixOptions& options) const {
        const std::string_view ident = BarCodeTypeIdent(type);
        if ((Rectangular || Gs1) && type != TTypBarCode::bcDataMatrix)
            return std::string(Rectangular ? "--rectangular" : "--gs1") + " is for bcDataMatrix, not " +
                   std::string(ident);
        if (Columns && type != TTypBarCode::bcPDF417)
            return "--columns is for bcPDF417, not " + std::string(ident);
        options.DmRectangular = Rectangular;
        options.DmGs1 = Gs1;
        options.PdfColumns = Columns.value_or(0);
        if (!Ecc)
            return std::nullopt;
        const std::string& e = *Ecc;
        switch (type) {
        case TTypBarCode::bcQRCode:
            if (e == "L" || e == "l")
                options.QrEcc = TQrEcc::L;
            else if (e == "M" || e == "m")
                options.QrEcc = TQrEcc::M;
            else if (e == "Q" || e == "q")
                options.QrEcc = TQrEcc::Q;
            else if (e == "H" || e == "h")
                options.QrEcc = TQrEcc::H;
            else
                return std::string("--ecc for bcQRCode is L, M, Q or H");
            return std::nullopt;
        case TTypBarCode::bcPDF417:
            if (e.size() != 1 || e[0] < '0' || e[0] > '8')
                return std::string("--ecc for bcPDF417 is a level from 0 to 8");
            options.PdfEcc = e[0] - '0';
            return std::nullopt;
        case TTypBarCode::bcAztec:
            if (e.size() != 1 || e[0] < '1' || e[0] > '4')
                return std::string("--ecc for bcAztec is 1 to 4 (10, 23, 36 or 50 %)");
            options.AztecEcc = e[0] - '0';
            return std::nullopt;
        default:
            return "--ecc is for bcQRCode, bcPDF417 and bcAztec, not " + std::string(ident);
        }
    }
};

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
    MatrixArgs matrixArgs;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (const std::optional<std::string> problem =
                       optionsEnded ? std::nullopt : matrixArgs.take(args, i)) {
            if (!problem->empty())
                return usage(*problem);
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

    TMatrixOptions matrix;
    if (const std::optional<std::string> problem = matrixArgs.apply(*type, matrix))
        return usage(*problem);

    TEan ean;
    ean.SetTypBarCode(*type);
    ean.SetShowLabels(labels);
    ean.SetAutoCheckDigit(checkDigit);
    ean.SetMatrixOptions(matrix);
    ean.SetBarCode(cp1250);
    ean.CheckBarCode(ean.BarCode());
    const TLastPaintError error = ean.LastPaintError();
    const int errorPos = ean.ErrorPos();
    const std::string detail = ean.ErrorDetail();
    const BarcodeEncoding encoding = ean.BuildPattern(ean.BarCode());
    const TextAnchors& a = encoding.Anchors;
    std::printf("text=%s\n", Cp1250ToUtf8(ean.BarCode()).c_str());
    std::printf("error=%s\n", errorName(error));
    std::printf("errorpos=%d\n", errorPos);
    if (IsMatrixType(*type)) {
        // The matrix row by row, 1 for a dark module; the quiet zone is not in it.
        const BarcodeMatrix& m = encoding.Matrix;
        if (!detail.empty())
            std::printf("detail=%s\n", detail.c_str());
        std::printf("size=%dx%d\n", m.Rows, m.Columns);
        std::printf("quietzone=%d\n", m.QuietZone);
        std::string row;
        for (int r = 0; r < m.Rows; ++r) {
            row.clear();
            for (int c = 0; c < m.Columns; ++c)
                row.push_back(m.Dark(r, c) ? '1' : '0');
            std::printf("row=%s\n", row.c_str());
        }
        std::printf("minwidth=%d\n", ean.MinimumWidth());
        std::printf("minheight=%d\n", ean.MinimumHeight());
        return 0;
    }
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
    std::optional<bool> labels;
    std::optional<int> module;
    std::optional<int> givenHeight;
    bool checkDigit = true;
    bool optionsEnded = false;
    MatrixArgs matrixArgs;
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
        } else if (const std::optional<std::string> problem =
                       option ? matrixArgs.take(args, i) : std::nullopt) {
            if (!problem->empty())
                return usage(*problem);
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
            givenHeight = n;
        } else if (option && arg == "--module") {
            module = number(arg, 1, 100);
            if (!module)
                return usage("--module needs a number of pixels from 1 to 100");
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
        } else if (option && (arg == "--no-labels" || arg == "--labels")) {
            const bool on = arg == "--labels";
            if (labels && *labels != on)
                return usage("--labels and --no-labels exclude each other");
            labels = on;
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
    TMatrixOptions matrix;
    if (const std::optional<std::string> problem = matrixArgs.apply(*type, matrix))
        return usage(*problem);
    const bool twoD = IsMatrixType(*type);
    if (module && !twoD)
        return usage("--module is for the two-dimensional symbologies");
    if (module && width)
        return usage("--module and --width exclude each other");
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
    ean.SetTypBarCode(*type);
    ean.SetShowLabels(labels.value_or(!twoD));
    ean.SetAutoCheckDigit(checkDigit);
    ean.SetMatrixOptions(matrix);
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
    if (twoD && !width) {
        // The symbol and its quiet zone at --module pixels a module; --height alone gives the
        // box's height. The text line below, when asked for, takes at most a quarter of it.
        const int k = module.value_or(4);
        const int side = std::max(1, ean.MinimumWidth()) * k;
        const int symbolHeight = std::max(1, ean.MinimumHeight()) * k;
        const int tall =
            givenHeight.value_or(ean.ShowLabels() ? (symbolHeight * 4 + 2) / 3 + 1 : symbolHeight);
        if (upright)
            ean.SetBounds(tall, side);
        else
            ean.SetBounds(side, tall);
    } else if (width)
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
    if (const std::optional<int> done =
            StandardOption(argc, argv, "etikor-barcode", [](std::FILE* out) { std::fputs(kUsage, out); }))
        return *done;
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
