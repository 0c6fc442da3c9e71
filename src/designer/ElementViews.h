#pragma once

// The element views of the label panel, one class per kind: rotated text, picture and drawing
// here, the barcode view in BarcodeView.h. Every view reports a click so the canvas can select
// its element; a view's objectName is its element's `Elemnev`.

#include "document/PictureFiles.h"
#include "document/TemplateSchema.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>

namespace etikor {

class TElementView : public QWidget {
    Q_OBJECT
public:
    TElementView(TElemKind kind, QWidget* parent);
    TElemKind Kind() const { return FKind; }
    TPixelRect ScreenRect() const;
    void SetScreenRect(const TPixelRect& rect);

signals:
    void Clicked(etikor::TElementView* view);
    // A click with Ctrl or Shift: the view joins or leaves a selection of several.
    void ToggleClicked(etikor::TElementView* view);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    TElemKind FKind;
};

// Text turned by an escapement angle (counter-clockwise degrees), with its alignment and auto
// size. No 3-D effect.
class TRotateLabel final : public TElementView {
    Q_OBJECT
public:
    explicit TRotateLabel(QWidget* parent);

    QString Text() const { return FText; }
    void SetText(const QString& text);
    void SetTextFont(const QFont& font, const QColor& color);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    int Escapement() const { return FEscapement; }
    void SetEscapement(int degrees);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSize TextExtent() const;
    void Adjust();

    QString FText;
    QColor FColor = Qt::black;
    TAlignment FAlignment = TAlignment::taLeftJustify;
    int FEscapement = 0;
    bool FAutoSize = true;
};

// A picture stretched to the view's bounds.
class TPictureView final : public TElementView {
    Q_OBJECT
public:
    explicit TPictureView(QWidget* parent);
    void SetPicture(const QImage& picture, bool placeholder);
    const QImage& Picture() const { return FPicture; }
    bool IsPlaceholder() const { return FPlaceholder; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage FPicture;
    bool FPlaceholder = true;
};

// A shape drawn with a one-pixel outline and no fill.
class TMyShape final : public TElementView {
    Q_OBJECT
public:
    explicit TMyShape(QWidget* parent);
    int Shape() const { return FShape; }
    void SetShape(int shape);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int FShape = stRectangle;
};

} // namespace etikor
