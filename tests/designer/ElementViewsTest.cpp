#include "designer/ElementViews.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

namespace etikor {
namespace {

// The number of pixels a view paints (its background is transparent).
int InkedPixels(QWidget& view) {
    const QImage image = view.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            inked += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    return inked;
}

// A turned text stays inside its view after an alignment is chosen (which ends its auto-size),
// as it prints: at every turn and alignment the view shows the text.
TEST(ElementViews, TurnedTextStaysVisibleAfterAnAlignment) {
    QWidget canvas;
    canvas.resize(300, 300);
    for (const int degrees : {0, 90, 180, 270})
        for (const TAlignment alignment :
             {TAlignment::taLeftJustify, TAlignment::taCenter, TAlignment::taRightJustify}) {
            TRotateLabel view(&canvas);
            QFont font(QStringLiteral("Liberation Sans"));
            font.setPixelSize(20);
            view.SetTextFont(font, Qt::black);
            view.SetText(QStringLiteral("Felirat"));
            view.SetEscapement(degrees);
            view.SetAutoSize(true);
            const int shown = InkedPixels(view);
            EXPECT_GT(shown, 50) << degrees;
            view.SetAutoSize(false);
            view.SetAlignment(alignment);
            EXPECT_EQ(InkedPixels(view), shown) << degrees << " " << static_cast<int>(alignment);
        }
}

} // namespace
} // namespace etikor
