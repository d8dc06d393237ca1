// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "widgets/num_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QRegularExpressionValidator>

#include "app/ui_scale.h"
#include "widgets/cell_height_font.h"
#include "widgets/num_edit_value.h"

namespace {
bool isCommitKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}
}  // namespace

CNumEdit::CNumEdit(QWidget* parent) : QLineEdit(parent)
{
    CellHeightFontOptions options;
    options.styleHint = QFont::SansSerif;
    setFont(cellHeightFont(QStringLiteral("Verdana"), int(12.0f * UiScale()), options));
    setAlignment(Qt::AlignRight);
    // Pasted or dropped text is held to the same rule as typing: blanks (the
    // "%3d" start text) and digits only.
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[ ]*[0-9]*")), this));
}

bool CNumEdit::event(QEvent* event)
{
    // Enter and Esc belong to the edit: no shortcut or default button of the
    // window sees them.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isCommitKey(key->key()) && !(key->modifiers() & ~Qt::KeypadModifier)) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CNumEdit::keyPressEvent(QKeyEvent* event)
{
    if (isCommitKey(event->key())) {
        event->accept();
        commit();
        return;
    }
    if (event->key() == Qt::Key_Backspace) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString text = event->text();
    const bool isCharacter = !text.isEmpty() && text.at(0).isPrint();
    const bool isDigit = text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9');
    if (isCharacter && !isDigit) {
        event->accept();  // every other character is dropped
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CNumEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // The edit's own context menu takes the focus for a moment; that is not
    // the end of the edit.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    commit();
}

void CNumEdit::commit()
{
    if (committed_)
        return;
    committed_ = true;
    const int value = numEditValue(text());
    QPointer<CNumEdit> self(this);
    emit committed(frame_, value);
    if (!self)
        return;  // the owner deleted the edit itself
    hide();
    deleteLater();
}
