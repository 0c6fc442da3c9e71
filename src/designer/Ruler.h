#pragma once

// A millimetre ruler along one edge of the label: navy ticks and numbers on silver, zero at the
// label's edge, scale 100 x zoom, and a hair line at the reported position.

#include <QWidget>

namespace etikor {

class TRuler final : public QWidget {
    Q_OBJECT
public:
    TRuler(Qt::Orientation orientation, QWidget* parent);

    int Scale() const { return FScale; }
    void SetScale(int scale);
    // Pixels between the ruler's start and the label's edge (where 0 mm is).
    int Origin() const { return FOrigin; }
    void SetOrigin(int px);
    // The hair line, in pixels from the label's edge; negative hides it.
    int HairLine() const { return FHairLine; }
    void SetHairLine(int px);
    // Pixels per millimetre at the current scale.
    double PixelsPerMm() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation FOrientation;
    int FScale = 100;
    int FOrigin = 0;
    int FHairLine = -1;
};

} // namespace etikor
