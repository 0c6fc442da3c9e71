#pragma once

// The colour type where it meets Qt: window texts, the canvas, barcode drawing. Header only, so
// this folder's library itself stays free of Qt; the table store never includes it.

#include "data/Color.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

namespace etikor {

// System colours become the matching role of `palette` (the desktop's colours by default);
// clNone is transparent.
inline QColor ToQColor(TColor color, const QPalette& palette = QGuiApplication::palette()) {
    if (color == clNone)
        return QColor(Qt::transparent);
    if (color & kSystemColor) {
        using R = QPalette::ColorRole;
        struct Role {
            QPalette::ColorGroup Group;
            R Role;
        };
        // The desktop role that plays the part of each system colour.
        static const Role roles[25] = {
            {QPalette::Active, R::Button},            // clScrollBar
            {QPalette::Active, R::Window},            // clBackground
            {QPalette::Active, R::Highlight},         // clActiveCaption
            {QPalette::Inactive, R::Highlight},       // clInactiveCaption
            {QPalette::Active, R::Window},            // clMenu
            {QPalette::Active, R::Base},              // clWindow
            {QPalette::Active, R::Shadow},            // clWindowFrame
            {QPalette::Active, R::WindowText},        // clMenuText
            {QPalette::Active, R::Text},              // clWindowText
            {QPalette::Active, R::HighlightedText},   // clCaptionText
            {QPalette::Active, R::Window},            // clActiveBorder
            {QPalette::Inactive, R::Window},          // clInactiveBorder
            {QPalette::Active, R::Dark},              // clAppWorkSpace
            {QPalette::Active, R::Highlight},         // clHighlight
            {QPalette::Active, R::HighlightedText},   // clHighlightText
            {QPalette::Active, R::Button},            // clBtnFace
            {QPalette::Active, R::Dark},              // clBtnShadow
            {QPalette::Disabled, R::Text},            // clGrayText
            {QPalette::Active, R::ButtonText},        // clBtnText
            {QPalette::Inactive, R::HighlightedText}, // clInactiveCaptionText
            {QPalette::Active, R::Light},             // clBtnHighlight
            {QPalette::Active, R::Shadow},            // cl3DDkShadow
            {QPalette::Active, R::Midlight},          // cl3DLight
            {QPalette::Active, R::ToolTipText},       // clInfoText
            {QPalette::Active, R::ToolTipBase},       // clInfoBk
        };
        const TColor n = color & 0xFF;
        if (n < 25)
            return palette.color(roles[n].Group, roles[n].Role);
        return palette.color(QPalette::Active, R::Text);
    }
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>(color >> 8 & 0xFF),
                  static_cast<int>(color >> 16 & 0xFF));
}

// An opaque colour as 00BBGGRR.
inline TColor FromQColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return RgbColor(rgb.red(), rgb.green(), rgb.blue());
}

// The colour as 0xAARRGGBB, as images and metafile records hold it.
inline QRgb ToRgb(TColor color, const QPalette& palette = QGuiApplication::palette()) {
    return ToQColor(color, palette).rgba();
}

} // namespace etikor
