// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// A small top-level window showing the progress of a long operation that runs on
// the user-interface thread: a few lines of text, a progress bar, the percentage
// in the title ("Progress [42%]") and a Cancel button that stays disabled. After
// every item the operation advances the bar and lets the program process its
// pending events. While the window is modal the windows it belongs to are
// disabled. Its screen position is remembered (QSettings, organisation and
// application "Vexlo", group "ProgressWndSettings", keys "X" and "Y").
//
// Usual calling order: CProgressWnd wnd(owner, "Progress", false);
// wnd.BeginModal("Progress", false); wnd.SetRange(0, n, 1);
// wnd.SetText("Loading..."); then wnd.Advance() per item; destruction closes it.
#include <QPointer>
#include <QString>

#include "share/modal_progress.h"

class QWidget;
class QLabel;
class QProgressBar;
class QPushButton;

class CProgressWnd : public ModalProgress {
public:
    static constexpr int kLabelId = 11;
    static constexpr int kBarId = 12;
    static constexpr int kCancelId = 10;
    static constexpr int kDefaultTextLines = 4;
    static constexpr int kTextWidth = 390;
    static constexpr int kMaxTextChars = 511;

    CProgressWnd();  // defaults only; the window is made by Create or BeginModal
    // Sets the defaults and creates the window at once (a null parent means the
    // application's main window).
    CProgressWnd(QWidget* parent, const QString& title, bool smooth = false);
    ~CProgressWnd() override;
    CProgressWnd(const CProgressWnd&) = delete;
    CProgressWnd& operator=(const CProgressWnd&) = delete;

    bool Create(QWidget* parent, const QString& title, bool smooth = false);
    // Creates the window when there is none, disables the highest enabled window
    // of its owner chain and enables itself.
    bool BeginModal(const QString& title = progressTitle(), bool smooth = false);
    // Remembers the position, re-enables what BeginModal disabled and destroys
    // the window (also done by the destructor).
    void DestroyWindow();

    void SetRange(int lower, int upper, int step = 1);
    int SetPos(int position);  // returns the previous position
    int OffsetPos(int delta);
    int StepIt();
    int SetStep(int step);  // returns the previous step

    // printf-style text (at most 511 characters); format and %s arguments UTF-8.
    void SetText(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void SetText(const QString& text);
    void Clear();
    void Show();
    void Hide();
    void SetWindowSize(int textLines, int textWidth = kTextWidth);
    void SetPersistentPosition(bool on)
    {
        persistentPosition_ = on;
    }

    // Lets the program process its pending events (taking the keyboard focus
    // first while modal). A quit request that arrives meanwhile stops the
    // pumping and is posted again, so the program still quits afterwards.
    void PumpMessages();
    // StepIt and PumpMessages; false once cancelled.
    bool Advance();
    bool Cancelled() const
    {
        return cancelled_;
    }

    // State for windows and tests.
    QWidget* window() const
    {
        return wnd_.data();
    }
    bool isModal() const
    {
        return modal_;
    }
    int pos() const
    {
        return position_;
    }
    int lower() const
    {
        return lower_;
    }
    int upper() const
    {
        return upper_;
    }
    int step() const
    {
        return step_;
    }
    int shownPercent() const
    {
        return lastPercent_;
    }
    const QString& title() const
    {
        return title_;
    }

    // ModalProgress
    bool beginModal(const QString& title, bool smooth) override
    {
        return BeginModal(title, smooth);
    }
    void setRange(int lower, int upper, int step) override
    {
        SetRange(lower, upper, step);
    }
    void setText(const QString& text) override
    {
        SetText(text);
    }
    bool advance() override
    {
        return Advance();
    }

private:
    void updatePosition(int position);
    void layout();
    void placeWindow(QWidget* owner);
    void savePosition() const;
    void endModal();

    QString title_ = progressTitle();
    QString cancelText_ = QStringLiteral(" Cancel ");
    int textLines_ = kDefaultTextLines;
    int textWidth_ = kTextWidth;
    int lower_ = 0;
    int upper_ = 100;
    int step_ = 1;
    int position_ = 0;
    int lastPercent_ = 0;
    bool cancelled_ = false;
    bool modal_ = false;
    bool persistentPosition_ = true;
    bool smooth_ = false;

    QPointer<QWidget> wnd_;
    QPointer<QLabel> label_;
    QPointer<QProgressBar> bar_;
    QPointer<QPushButton> cancel_;
    QPointer<QWidget> disabled_;  // the window BeginModal disabled
};
