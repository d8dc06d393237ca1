// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// A push button drawn entirely from two pictures: the normal one and the one
// shown while the pointer is over the button. The pictures are scaled by the
// UI text scale and the button takes the size of the normal picture.
#include <QImage>
#include <QPixmap>
#include <QPushButton>

class CMyBitmapButton : public QPushButton {
    Q_OBJECT
public:
    explicit CMyBitmapButton(QWidget* parent = nullptr);

    // With a scale within 0.000001 of 1 the pictures are used as they are;
    // otherwise each is resampled smoothly to width x scale by height x scale
    // (both truncated). The button is then resized, without moving, to the
    // normal picture. Returns false when the normal picture is missing or
    // cannot be scaled (the button keeps what it had).
    bool loadBitmaps(double scale, const QImage& normal, const QImage& hover = QImage());
    // The same from image files or resources (":/...").
    bool loadBitmaps(double scale, const QString& normalPath, const QString& hoverPath = QString());

    const QPixmap& normalBitmap() const { return normal_; }
    const QPixmap& hoverBitmap() const { return hover_; }
    bool isHovered() const { return hovered_; }

    QSize sizeHint() const override;

    // A picture scaled as loadBitmaps scales it (null when it cannot be).
    static QImage scaledBitmap(const QImage& image, double scale);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setHovered(bool on);

    QPixmap normal_;
    QPixmap hover_;
    bool hovered_ = false;
    bool mouseDown_ = false;
};
