// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// A static text painted with its own font face, size, attributes, alignment,
// text colour and optionally its own background colour. The font height is the
// size times the UI text scale.
#include <QLabel>

#include "imaging/raster_image.h"

class CStyledLabel : public QLabel {
    Q_OBJECT
public:
    // Style flags.
    enum : int {
        StyleBold = 1,
        StyleItalic = 2,
        StyleUnderline = 4,
        StyleStrikeOut = 8,
        StyleSmooth = 16,  // anti-aliased letters
        StyleCenter = 32,
        StyleRight = 128,
    };

    explicit CStyledLabel(QWidget* parent = nullptr);
    explicit CStyledLabel(const QString& text, QWidget* parent = nullptr);

    // Attribute flags only switch attributes on; the alignment is centre (32),
    // else right (128), else left.
    void setLabelStyle(int flags);
    // Also switches the own background on.
    void setBackgroundColor(ColorRef colour);
    void setTextColor(ColorRef colour);
    // Face, size, text colour and style flags together.
    void setLabelFont(const QString& face, int size, ColorRef textColour, int flags);

    QString face() const { return face_; }
    int fontSize() const { return size_; }
    bool bold() const { return bold_; }
    bool italic() const { return italic_; }
    bool underlined() const { return underline_; }
    bool strikeOut() const { return strikeOut_; }
    bool smooth() const { return smooth_; }
    Qt::Alignment textAlignment() const { return align_; }
    ColorRef textColor() const { return textColor_; }
    ColorRef backgroundColor() const { return background_; }
    bool ownBackground() const { return ownBackground_; }

    // The font the label paints with (height size x UiScale, weight 900 or 400).
    QFont paintFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString face_ = QStringLiteral("Verdana");
    int size_ = 14;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    bool strikeOut_ = false;
    bool smooth_ = false;
    Qt::Alignment align_ = Qt::AlignLeft;
    ColorRef textColor_ = makeColorRef(0, 0, 0);
    ColorRef background_ = makeColorRef(0, 0, 0);
    bool ownBackground_ = false;
};
