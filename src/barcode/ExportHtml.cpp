#include "barcode/ExportHtml.h"

#include "barcode/BarCodeInfo.h"
#include "data/Cp1250.h"

#include <QSaveFile>
#include <QString>

#include <filesystem>
#include <system_error>
#include <vector>

namespace etikor {

namespace {

constexpr const char* kTitle = "List of barcode types supported by Etikor.";
constexpr const char* kKeywords = "barcode,bar code,barcode types,symbology,barcode label,Etikor";
constexpr const char* kPublisher = "<P align=center>Etikor &mdash; barcode label designer</P>";
constexpr const char* kFootNotice =
    "<P align=center>The pictures on this page were drawn by Etikor's own barcode engine.</P>";
constexpr const char* kExtensions[] = {".Bmp", ".Wmf", ".Emf", ".Jpg", ".Gif"};

// Windows-1250 text as HTML that reads the same in any page encoding: markup characters and
// everything beyond ASCII as character references, control characters left out.
std::string Html(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"')
            out += "&quot;";
        else if (byte >= 128)
            out += "&#" + std::to_string(static_cast<uint32_t>(Cp1250ToUnicode(byte))) + ";";
        else if (byte == 127)
            out += "^?"; // DEL, in the caret form the other control characters are shown in
        else if (byte >= 32)
            out.push_back(c);
    }
    return out;
}

std::string Row(const char* label, const std::string& value) {
    return std::string("<TR><TD><B>") + label + "</B></TD><TD colspan=2>" + value + "</TD></TR>";
}

} // namespace

bool ExportHtml(TCustomEAN& /*barcode*/, const std::string& fileName, int pictureFormat) {
    if (pictureFormat < hpBmp || pictureFormat > hpGif)
        return false;
    // The catalogue shows every symbology in the engine's standard look, whatever the settings
    // of the barcode the export was started from.
    // Its pictures get whole-pixel modules: stretched into the one spare column of the minimum
    // width, the first module would come out half as wide again and some symbols would not scan.
    TEan ean;
    ean.SetSecurity(true);
    std::vector<std::string> lines;
    lines.emplace_back("<HTML>");
    lines.emplace_back("<HEAD>");
    lines.push_back(std::string("<META NAME=DESCRIPTION CONTENT=\"") + kTitle + "\">");
    std::string keywords = kKeywords;
    for (int i = 0; i < kBarCodeTypeCount; ++i) {
        std::string name = GetBarCodeInfo(static_cast<TTypBarCode>(i)).Name;
        for (char& c : name)
            if (c == '(' || c == ')')
                c = ',';
        keywords += "," + Html(name);
    }
    lines.push_back("<META NAME=KEYWORDS CONTENT=\"" + keywords + "\">");
    lines.push_back(std::string("<TITLE>") + kTitle + "</TITLE>");
    lines.emplace_back("</HEAD>");
    lines.push_back(std::string("<BODY><H2 align=center>") + kTitle + "</H2><HR><BR>");
    lines.emplace_back(kPublisher);

    const std::filesystem::path page(fileName);
    const std::filesystem::path folder = page.parent_path();
    std::error_code error;
    if (!folder.empty())
        std::filesystem::create_directories(folder, error);

    const std::string extension = kExtensions[pictureFormat];
    // GIF pictures cannot be written: the page refers to them all the same.
    const bool gif = pictureFormat == hpGif;
    const auto picture = [&](const std::string& name) {
        // A two-dimensional symbol as a square picture of two pixels a module, quiet zone included.
        if (IsMatrixType(ean.TypBarCode()))
            ean.SetBounds(2 * ean.MinimumWidth(), 2 * ean.MinimumHeight());
        else
            ean.SetWidth(ean.MinimumWidth());
        if (!gif)
            ean.SaveToFile((folder / name).string());
        return "<IMG src=\"" + Html(name) + "\" width=" + std::to_string(ean.Width()) +
               " height=" + std::to_string(ean.Height());
    };

    for (int i = 0; i < kBarCodeTypeCount; ++i) {
        const auto type = static_cast<TTypBarCode>(i);
        const TBarCodeInfo info = GetBarCodeInfo(type);
        ean.SetTypBarCode(type);
        ean.SetBarCode(info.Sample);
        ean.SetHeight(70);
        ean.SetWidth(ean.MinimumWidth());
        lines.push_back("<BR><BR><BR><BR><TABLE cols=3 rules=NONE border=0 width=\"100%\"><TR><TH colspan=3 "
                        "color=yellow><H3>" +
                        Html(info.Name) + "</H3></TD></TR>");
        if (!info.Description.empty())
            lines.push_back(Row("Description", Html(info.Description)));
        // UPC shipping's add-on is a second Interleaved 2 of 5 symbol of six digits.
        const bool shipping = type == TTypBarCode::bcUPCShipping;
        if (info.Supplement)
            lines.push_back(Row("Supplement", shipping ? "6 digits" : "2 or 5 digits"));
        lines.push_back(Row("Charset", Html(ean.ReadableCharSet())));
        if (info.HasFamily())
            lines.push_back(Row("Barcode family", Html(GetBarCodeInfo(info.Family).Name)));
        if (!info.Country.empty())
            lines.push_back(Row("Country", Html(info.Country)));
        if (info.Year != 0)
            lines.push_back(Row("Year", std::to_string(info.Year)));
        const std::string ident = ean.TypeIdent();
        if (info.Supplement) {
            const std::string sample = ean.BarCode();
            lines.emplace_back("<TR>");
            lines.push_back("<TD align=center>" + picture(ident + extension) + "></TD>");
            if (shipping) {
                ean.SetBarCode(sample + " 123456");
                lines.push_back("<TD align=center>" + picture(ident + "_6" + extension) + "></TD>");
            } else {
                ean.SetBarCode(sample + " 12");
                lines.push_back("<TD align=center>" + picture(ident + "_2" + extension) + "></TD>");
                ean.SetBarCode(sample + " 12345");
                lines.push_back("<TD align=center>" + picture(ident + "_5" + extension) + "></TD>");
            }
            lines.emplace_back("</TR>");
        } else {
            lines.push_back("<TR><TD colspan=3 align=center><BR>" + picture(ident + extension) + " alt=\"" +
                            Html(info.Description) + "\" border=0></TD></TR>");
        }
        lines.emplace_back("</TABLE>");
    }
    lines.emplace_back("<HR>");
    lines.emplace_back(kFootNotice);
    lines.emplace_back("</BODY></HTML>");

    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    QSaveFile file(QString::fromStdString(fileName));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace etikor
