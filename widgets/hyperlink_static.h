// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// A static text that behaves like a web link: link, visited and hover colours,
// underlined while the pointer is over it, a hand pointer and a tooltip; a
// click opens the link through the platform and reports failures in a message
// box.
#include <QFont>
#include <QLabel>
#include <QTimer>
#include <QUrl>
#include <functional>

#include "imaging/raster_image.h"

class CHyperlinkStatic : public QLabel {
    Q_OBJECT
public:
    enum UnderlineMode { UnderlineHover = 0, UnderlineAlways = 1, UnderlineNever = 2 };
    // A hover colour meaning "the system highlight colour".
    static constexpr ColorRef kHighlightColor = 0xFFFFFFFFu;
    static constexpr int kHoverTimerMs = 100;

    explicit CHyperlinkStatic(QWidget* parent = nullptr);
    explicit CHyperlinkStatic(const QString& text, QWidget* parent = nullptr);

    // Sets the link (an empty text takes it), the tooltip, and refits.
    void setUrl(const QString& url);
    // The link: the URL, or the text when no URL was set.
    QString url() const;
    // Sets the shown text (an empty text shows the URL) and refits.
    void setText(const QString& text);
    // Text, URL and one colour for link, visited and hover, in one step.
    void setLink(const QString& text, const QString& url, ColorRef colour, bool tooltip);

    void setColors(ColorRef link, ColorRef visited, ColorRef hover = kHighlightColor);
    ColorRef linkColor() const { return link_; }
    ColorRef visitedColor() const { return visited_; }
    ColorRef hoverColor() const { return hover_; }
    // The colour the text has now.
    QColor currentTextColor() const;

    void setUnderline(UnderlineMode mode);
    UnderlineMode underline() const { return underlineMode_; }
    void setVisited(bool on);
    bool visited() const { return visitedFlag_; }
    void setFitToText(bool on);
    bool fitToText() const { return fit_; }
    void setTooltipEnabled(bool on);
    bool isOver() const { return over_; }

    // How links are opened; the platform's opener by default (tests give their own).
    using Opener = std::function<bool(const QUrl&)>;
    void setOpener(Opener opener);

    // Opens the link as a click does: success marks it visited; failure beeps and
    // shows "Unable to open hyperlink:" with the reason. Returns the result code
    // (above 32 on success).
    int openLink();

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void pointerEntered();
    void pointerLeft();
    void checkPointer();
    void applyLook();
    void refit();

    QString url_;
    ColorRef link_ = makeColorRef(0, 0, 238);
    ColorRef visited_ = makeColorRef(85, 26, 139);
    ColorRef hover_ = makeColorRef(255, 0, 0);
    UnderlineMode underlineMode_ = UnderlineHover;
    bool over_ = false;
    bool visitedFlag_ = false;
    bool fit_ = true;
    bool tooltipEnabled_ = true;
    bool pressed_ = false;
    bool applying_ = false;
    QTimer hoverTimer_;
    Opener opener_;
};
