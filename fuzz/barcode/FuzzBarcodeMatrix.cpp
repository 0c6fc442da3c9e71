// Input: byte 0 picks the two-dimensional symbology (mod 4) and the angle (bits 2-3); bytes 1
// and 2 are its option code (as a template stores it, any value); byte 3 sets Security (bit 0)
// and ShowLabels (bit 1); the rest, up to 4,000 bytes, is the text. Whatever the input, the
// object reports a failed check with an empty matrix, or a whole matrix whose modules are
// all there; drawing either into a small picture never crashes and only succeeds with a
// matrix.

#include "barcode/Ean.h"
#include "barcode/EncodeMatrix.h"
#include "support/FuzzSupport.h"

#include <QImage>
#include <QPainter>

#include <cstdint>
#include <string_view>

namespace {

constexpr const char* kTarget = "fuzz_barcode_matrix";

void require(bool condition, const char* what) {
    etikor::fuzz::Require(condition, kTarget, what);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace etikor;
    if (size < 4)
        return 0;
    fuzz::EnsureGuiApplication();
    static TEan ean;
    const auto type = static_cast<TTypBarCode>(kLinearBarCodeTypeCount + data[0] % 4);
    ean.SetTypBarCode(type);
    ean.SetAngle(90 * ((data[0] >> 2) & 3));
    ean.SetMatrixOptions(MatrixOptionsFromCode(type, data[1] | (data[2] << 8)));
    ean.SetSecurity((data[3] & 1) != 0);
    ean.SetShowLabels((data[3] & 2) != 0);
    const std::string_view text(reinterpret_cast<const char*>(data + 4), std::min<size_t>(size - 4, 4000));
    ean.SetBarCode(text);

    const BarcodeEncoding e = ean.BuildPattern(ean.BarCode());
    require(e.BarPattern.empty(), "a bar pattern beside the matrix");
    const BarcodeMatrix& m = e.Matrix;
    const bool ok = ean.LastPaintError() == TLastPaintError::erOK;
    if (!ok) {
        require(m.Empty() && m.Modules.empty(), "a failed check with a matrix");
    } else {
        require(m.Rows > 0 && m.Columns > 0 && m.Rows <= 600 && m.Columns <= 1152, "matrix out of bounds");
        require(m.Modules.size() == static_cast<size_t>(m.Rows) * static_cast<size_t>(m.Columns),
                "modules missing");
        require(m.QuietZone == MatrixQuietZone(type), "wrong quiet zone");
    }

    QImage image(160, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    ean.DrawBarCode(painter, TRect{0, 0, 160, 120}, TCanvasKind::ckScreen);
    painter.end();
    require(ok || ean.LastPattern().empty(), "drew a rejected text");
    return 0;
}
