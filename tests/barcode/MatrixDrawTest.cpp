// QR Code, Data Matrix, PDF417 and Aztec drawn by the program's own drawing: square modules of
// whole pixels, the quiet zone, every angle, the box rules and the optional text line, read
// back by zxing-cpp from the screen picture and from a PDF page printed at 203, 300 and 600 dpi.

#include "DecoderOracle.h"
#include "DrawSupport.h"
#include "ImageDecoder.h"
#include "support/TempDir.h"

#include "barcode/Ean.h"

#include <QPageSize>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <string>

namespace etikor::test {
namespace {

using T = TTypBarCode;
using E = TLastPaintError;

struct Case {
    const char* why;
    T type;
    TMatrixOptions options;
    std::string text; // Windows-1250
    std::string read; // UTF-8, as the reader returns it
    const char* format;
};

TMatrixOptions Qr(TQrEcc ecc) {
    TMatrixOptions o;
    o.QrEcc = ecc;
    return o;
}
TMatrixOptions Dm(bool rectangular, bool gs1) {
    TMatrixOptions o;
    o.DmRectangular = rectangular;
    o.DmGs1 = gs1;
    return o;
}
TMatrixOptions Pdf(int columns, int ecc) {
    TMatrixOptions o;
    o.PdfColumns = columns;
    o.PdfEcc = ecc;
    return o;
}
TMatrixOptions Aztec(int ecc) {
    TMatrixOptions o;
    o.AztecEcc = ecc;
    return o;
}

// Every option of every type, with text of the code page.
const Case kCases[] = {
    {"QR L", T::bcQRCode, Qr(TQrEcc::L), "Etikor 2D", "Etikor 2D", "QRCode"},
    {"QR M", T::bcQRCode, Qr(TQrEcc::M), "https://example.com/01/09501101530003",
     "https://example.com/01/09501101530003", "QRCode"},
    {"QR Q", T::bcQRCode, Qr(TQrEcc::Q), "\xE1rv\xEDzt\xFBr\xF5 t\xFCk\xF6rf\xFAr\xF3g\xE9p",
     "\xC3\xA1rv\xC3\xADzt\xC5\xB1r\xC5\x91 t\xC3\xBCk\xC3\xB6rf\xC3\xBAr\xC3\xB3g\xC3\xA9p", "QRCode"},
    {"QR H", T::bcQRCode, Qr(TQrEcc::H), "01234567", "01234567", "QRCode"},
    {"Data Matrix square", T::bcDataMatrix, Dm(false, false), "Etikor 123456", "Etikor 123456", "DataMatrix"},
    {"Data Matrix rectangular", T::bcDataMatrix, Dm(true, false), "1234567890", "1234567890", "DataMatrix"},
    {"GS1 DataMatrix", T::bcDataMatrix, Dm(false, true), "(01)09501101530003(17)261231(10)AB12",
     "01095011015300031726123110AB12", "DataMatrix"},
    {"GS1 DataMatrix, rectangular", T::bcDataMatrix, Dm(true, true), "(01)09501101530003", "0109501101530003",
     "DataMatrix"},
    {"PDF417 chosen columns", T::bcPDF417, Pdf(0, -1), "Etikor PDF417 12345", "Etikor PDF417 12345",
     "PDF417"},
    {"PDF417 2 columns, level 5", T::bcPDF417, Pdf(2, 5), "Etikor", "Etikor", "PDF417"},
    {"PDF417 6 columns, level 0", T::bcPDF417, Pdf(6, 0), "\xE1rv\xEDzt\xFBr\xF5",
     "\xC3\xA1rv\xC3\xADzt\xC5\xB1r\xC5\x91", "PDF417"},
    {"Aztec", T::bcAztec, Aztec(0), "Etikor Aztec 12345", "Etikor Aztec 12345", "Aztec"},
    {"Aztec 10 %", T::bcAztec, Aztec(1), "123456", "123456", "Aztec"},
    {"Aztec 50 %", T::bcAztec, Aztec(4), "Etikor", "Etikor", "Aztec"},
};

void Prepare(TEan& ean, const Case& c) {
    ean.SetTypBarCode(c.type);
    ean.SetMatrixOptions(c.options);
    ean.SetBarCode(c.text);
}

// The box for k pixels a module (at 90 and 270 degrees its sides swap).
TRect BoxFor(TEan& ean, int k, int margin, int angle) {
    const int w = ean.MinimumWidth() * k;
    const int h = ean.MinimumHeight() * k;
    const bool upright = angle % 180 != 0;
    return TRect{margin, margin, margin + (upright ? h : w), margin + (upright ? w : h)};
}

TEST(MatrixDraw, EveryTypeAndOptionReadsBackAtEveryAngle) {
    constexpr int kMargin = 10;
    for (const Case& c : kCases)
        for (bool security : {true, false})
            for (int angle : {0, 90, 180, 270}) {
                SCOPED_TRACE(std::string(c.why) + (security ? ", whole pixels" : ", filled") + ", angle " +
                             std::to_string(angle));
                TEan ean;
                Prepare(ean, c);
                ean.SetSecurity(security);
                ean.SetAngle(angle);
                // Three pixels a module, the filled box a little larger: uneven modules there.
                TRect box = BoxFor(ean, 3, kMargin, angle);
                if (!security) {
                    box.Right += 7;
                    box.Bottom += 7;
                }
                const QImage image = DrawToImage(ean, box.Right + kMargin, box.Bottom + kMargin, box);
                ASSERT_EQ(ean.LastPaintError(), E::erOK);
                EXPECT_FALSE(ean.LastPattern().empty());
                const DecodeResult d = DecodeImage(image, kMatrixFormats);
                ASSERT_TRUE(d.ok) << d.error;
                EXPECT_EQ(d.format, c.format);
                EXPECT_EQ(d.text, c.read);
                if (c.type == T::bcDataMatrix && c.options.DmGs1) {
                    EXPECT_EQ(d.symbology, "]d2");
                }
            }
}

TEST(MatrixDraw, WholePixelModulesSitOnTheGridAtEveryAngle) {
    // QR Code "01234567" at level M: 21 x 21 modules and four of quiet zone, 29 x 29 in all.
    // With Security every module is k x k pixels from the box's corner, whatever the angle;
    // the box's spare pixels stay background.
    TEan ean;
    ean.SetTypBarCode(T::bcQRCode);
    ean.SetBarCode("01234567");
    ean.SetSecurity(true);
    const BarcodeMatrix m = ean.BuildPattern(ean.BarCode()).Matrix;
    ASSERT_EQ(m.TotalColumns(), 29);
    for (int k : {1, 2, 3})
        for (int angle : {0, 90, 180, 270}) {
            SCOPED_TRACE(std::to_string(k) + " px, angle " + std::to_string(angle));
            ean.SetAngle(angle);
            const int side = 29 * k + k - 1; // k - 1 spare pixels: still k a module
            const QImage image = DrawToImage(ean, side, side + 5, TRect{0, 0, side, side + 5});
            ASSERT_EQ(ean.LastPaintError(), E::erOK);
            EXPECT_EQ(ean.LastPattern().size(), static_cast<size_t>(29 * k));
            for (int r = 0; r < m.TotalRows(); ++r)
                for (int c = 0; c < m.TotalColumns(); ++c) {
                    const bool dark = r >= 4 && c >= 4 && r < 25 && c < 25 && m.Dark(r - 4, c - 4);
                    // The layout pixel (x, y) and where the turn puts it in the box.
                    for (int dy = 0; dy < k; ++dy)
                        for (int dx = 0; dx < k; ++dx) {
                            const int x = c * k + dx;
                            const int y = r * k + dy;
                            const int layoutW = angle % 180 ? side + 5 : side;
                            const int layoutH = angle % 180 ? side : side + 5;
                            int px = x, py = y;
                            if (angle == 90) {
                                px = y;
                                py = layoutW - 1 - x;
                            } else if (angle == 180) {
                                px = layoutW - 1 - x;
                                py = layoutH - 1 - y;
                            } else if (angle == 270) {
                                px = layoutH - 1 - y;
                                py = x;
                            }
                            ASSERT_EQ(PixelBit(image.pixel(px, py)), dark ? '1' : '0')
                                << "module " << r << "," << c << " pixel " << px << "," << py;
                        }
                }
        }
}

TEST(MatrixDraw, BoxRulesHatchOnScreenAndNothingOnPaper) {
    TEan ean;
    ean.SetTypBarCode(T::bcDataMatrix);
    ean.SetBarCode("123456"); // 10 x 10 and one module of quiet zone: 12 x 12
    ASSERT_EQ(ean.MinimumWidth(), 12);
    ASSERT_EQ(ean.MinimumHeight(), 12);
    const struct {
        const char* why;
        int width;
        int height;
        E error;
    } boxes[] = {
        {"exactly one pixel a module", 12, 12, E::erOK},
        {"one pixel too narrow", 11, 12, E::erSmallPaintBox},
        {"one pixel too low", 12, 11, E::erSmallPaintBox},
    };
    for (bool security : {true, false})
        for (const auto& b : boxes) {
            SCOPED_TRACE(std::string(b.why) + (security ? ", whole pixels" : ", filled"));
            ean.SetSecurity(security);
            const QImage screen = DrawToImage(ean, b.width, b.height);
            EXPECT_EQ(ean.LastPaintError(), b.error);
            EXPECT_EQ(CountRed(screen) > 0, b.error != E::erOK);
            EXPECT_EQ(ean.LastPattern().empty(), b.error != E::erOK);
            const QImage paper =
                DrawToImage(ean, b.width, b.height, TRect{0, 0, b.width, b.height}, TCanvasKind::ckPrinter);
            EXPECT_EQ(ean.LastPaintError(), b.error);
            EXPECT_EQ(AllWhite(paper), b.error != E::erOK);
        }
    // A text the type cannot encode: the same hatch, and its own error.
    TMatrixOptions gs1;
    gs1.DmGs1 = true;
    ean.SetMatrixOptions(gs1);
    ean.SetBarCode("(01)09501101530004");
    const QImage screen = DrawToImage(ean, 60, 60);
    EXPECT_EQ(ean.LastPaintError(), E::erInvalidGs1);
    EXPECT_EQ(ean.ErrorPos(), 18);
    EXPECT_GT(CountRed(screen), 0);
    EXPECT_TRUE(AllWhite(DrawToImage(ean, 60, 60, TRect{0, 0, 60, 60}, TCanvasKind::ckPrinter)));
}

TEST(MatrixDraw, TheTextLineIsOffByDefaultAndSitsBelowTheSymbol) {
    TEan ean;
    ean.SetTypBarCode(T::bcAztec);
    EXPECT_FALSE(ean.ShowLabels()); // none by default
    ean.SetBarCode("Etikor");
    ean.SetSecurity(true);
    const int side = ean.MinimumWidth() * 4;
    QImage image = DrawToImage(ean, side, side * 2);
    ASSERT_EQ(ean.LastPaintError(), E::erOK);
    const auto inkBelow = [&](const QImage& img, int from) {
        for (int y = from; y < img.height(); ++y)
            if (RowBits(img, y).find('1') != std::string::npos)
                return true;
        return false;
    };
    EXPECT_FALSE(inkBelow(image, side));
    ean.SetShowLabels(true);
    image = DrawToImage(ean, side, side * 2);
    ASSERT_EQ(ean.LastPaintError(), E::erOK);
    EXPECT_TRUE(inkBelow(image, side));
    // No quiet zone of its own: a module's gap stays between the symbol and the text.
    EXPECT_FALSE(inkBelow(image.copy(0, side, side, 4), 0));
    // On a label (white around the box) the symbol still reads with its text under it.
    image = DrawToImage(ean, side + 16, side * 2 + 16, TRect{8, 8, 8 + side, 8 + side * 2});
    const DecodeResult d = DecodeImage(image, kMatrixFormats);
    ASSERT_TRUE(d.ok) << d.error;
    EXPECT_EQ(d.text, "Etikor");
}

TEST(MatrixDraw, CaptionsAboveAndBelowTheSymbol) {
    TEan ean;
    ean.SetTypBarCode(T::bcQRCode);
    ean.SetBarCode("Etikor");
    ean.SetSecurity(true);
    const auto inkRows = [](const QImage& image) {
        std::vector<bool> rows;
        for (int y = 0; y < image.height(); ++y)
            rows.push_back(RowBits(image, y).find('1') != std::string::npos);
        return rows;
    };
    const int side = ean.MinimumWidth() * 4;
    const QImage plain = DrawToImage(ean, side, side + 60);
    ASSERT_EQ(ean.LastPaintError(), E::erOK);
    const std::vector<bool> before = inkRows(plain);
    ean.Caption().SetText("TOP");
    ean.Caption().SetVisible(true);
    ean.CaptionBottom().SetText("BOTTOM");
    ean.CaptionBottom().SetVisible(true);
    const QImage image = DrawToImage(ean, side, side + 60);
    ASSERT_EQ(ean.LastPaintError(), E::erOK);
    const std::vector<bool> after = inkRows(image);
    // Without captions the quiet zone keeps the top rows and the rows under the symbol clear;
    // with them the upper caption inks the top and the lower one the bottom of the box.
    const auto anyInk = [](const std::vector<bool>& rows, int from, int to) {
        return std::find(rows.begin() + from, rows.begin() + to, true) != rows.begin() + to;
    };
    EXPECT_FALSE(anyInk(before, 0, 10));
    EXPECT_TRUE(anyInk(after, 0, 10));
    EXPECT_FALSE(anyInk(before, side, side + 60));
    EXPECT_TRUE(anyInk(after, image.height() - 20, image.height()));
    // On a label (white around the box) the symbol still reads between its captions.
    const QImage label = DrawToImage(ean, side + 16, side + 76, TRect{8, 8, 8 + side, 8 + side + 60});
    const DecodeResult d = DecodeImage(label, kMatrixFormats);
    ASSERT_TRUE(d.ok) << d.error;
    EXPECT_EQ(d.text, "Etikor");
}

// A page printed to PDF at a printer's resolution, rendered back at that resolution without
// smoothing (as the printer places its dots) by pdftoppm, and read.
TEST(MatrixDraw, PrintedPdfPagesReadAt203300And600Dpi) {
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed: scripts/deps.sh";
    TempDir dir;
    for (int dpi : {203, 300, 600})
        for (const Case& c : {kCases[1], kCases[6], kCases[9], kCases[11]})
            for (int angle : {0, 90, 180, 270}) {
                SCOPED_TRACE(std::string(c.why) + " at " + std::to_string(dpi) + " dpi, angle " +
                             std::to_string(angle));
                const QString pdf = QString::fromStdString(dir.file("page.pdf"));
                {
                    QPdfWriter writer(pdf);
                    writer.setResolution(dpi);
                    writer.setPageSize(
                        QPageSize(QSizeF(60, 60), QPageSize::Millimeter, {}, QPageSize::ExactMatch));
                    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
                    QPainter painter(&writer);
                    TEan ean;
                    Prepare(ean, c);
                    ean.SetSecurity(false); // whole dots all the same: it is a printer
                    ean.SetAngle(angle);
                    // A 40 mm box five millimetres from the corner.
                    const int at = dpi * 5 * 10 / 254;
                    const int size = dpi * 40 * 10 / 254;
                    ean.DrawOnPrinter(painter, TRect{at, at, at + size, at + size});
                    ASSERT_EQ(ean.LastPaintError(), E::erOK);
                }
                QProcess render;
                render.start("pdftoppm", {"-r", QString::number(dpi), "-aa", "no", "-aaVector", "no", "-png",
                                          "-singlefile", pdf, QString::fromStdString(dir.file("page"))});
                ASSERT_TRUE(render.waitForFinished(30000));
                ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
                const QImage page(QString::fromStdString(dir.file("page.png")));
                ASSERT_FALSE(page.isNull());
                const DecodeResult d = DecodeImage(page, kMatrixFormats);
                ASSERT_TRUE(d.ok) << d.error;
                EXPECT_EQ(d.text, c.read);
            }
}

TEST(MatrixDraw, PrintedModulesAreWholeDots) {
    // On a printer every module is a whole number of dots even without Security: a 40-dot box
    // for 12 modules gives 3 dots a module, 36 in all.
    TEan ean;
    ean.SetTypBarCode(T::bcDataMatrix);
    ean.SetBarCode("123456");
    ean.SetSecurity(false);
    DrawToImage(ean, 40, 40, TRect{0, 0, 40, 40}, TCanvasKind::ckPrinter);
    ASSERT_EQ(ean.LastPaintError(), E::erOK);
    EXPECT_EQ(ean.LastPattern().size(), 36u);
    // On screen without Security the modules fill the box.
    DrawToImage(ean, 40, 40);
    EXPECT_EQ(ean.LastPattern().size(), 40u);
}

} // namespace
} // namespace etikor::test
