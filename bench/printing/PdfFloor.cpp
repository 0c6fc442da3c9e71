// The floor for writing labels to a PDF with Qt: a bare QPdfWriter at 600 dpi on A4, 21 labels
// a page (3 columns of 7), each label two texts, the bars of a Code 128 as filled rectangles
// and a frame, and nothing else: no template, no data set, no layout, no encoder.
//
//   bench_pdf_floor COUNT OUT.pdf

#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: bench_pdf_floor COUNT OUT.pdf\n", stderr);
        return 2;
    }
    const int count = std::atoi(argv[1]);
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);

    QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
    pdf.setResolution(600);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&pdf);
    const double dots = 600 / 25.4;
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(10);
    painter.setFont(font);
    QPen framePen(Qt::black);
    framePen.setWidthF(25.4 / 96 * dots);
    // 40 bars of one to four modules with spaces of one to three; modules of 6 dots
    // (0.254 mm), on whole dots as a printer wants them.
    const int module = 6;
    char text[24];
    for (int i = 0; i < count; ++i) {
        const int place = i % 21;
        if (i > 0 && place == 0)
            pdf.newPage();
        const double left = (5 + (place % 3) * 66.67) * dots;
        const double top = (13 + (place / 3) * 38.1) * dots;
        std::snprintf(text, sizeof text, "ETK%09d", i);
        const QString value = QString::fromLatin1(text);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(left + 2 * dots, top + 5 * dots), value);
        int x = static_cast<int>(left + 3 * dots);
        const int barTop = static_cast<int>(top + 8 * dots);
        const int barHeight = static_cast<int>(20 * dots);
        for (int bar = 0; bar < 40; ++bar) {
            const int w = (1 + (bar * 7 + i) % 4) * module;
            painter.fillRect(QRect(x, barTop, w, barHeight), Qt::black);
            x += w + (1 + bar % 3) * module;
        }
        painter.drawText(QPointF(left + 15 * dots, top + 32 * dots), value);
        painter.setPen(framePen);
        painter.drawRect(QRectF(left, top, 66.67 * dots, 38.1 * dots));
    }
    return painter.end() ? 0 : 1;
}
