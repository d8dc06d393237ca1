// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "editor/caption_item.h"

void CaptionItem::setText(const QString& text)
{
    text_ = truncateUtf16(text, kMaxTextUnits);
}

bool CaptionItem::setTypedText(const QString& typed)
{
    if (typed.isEmpty())
        return false;
    setText(vertical_ ? verticalText(typed) : typed);
    return true;
}

void CaptionItem::setVertical(bool on)
{
    if (on == vertical_)
        return;
    vertical_ = on;
    text_ = on ? verticalText(text_) : horizontalText(text_);
}

QString CaptionItem::verticalText(const QString& text, int maxUnits)
{
    QString out;
    out.reserve(qMin(maxUnits, int(text.size()) * 2));
    int i = 0;
    const int n = int(text.size());
    while (i < n) {
        int len = 1;
        if (text.at(i).isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate())
            len = 2;
        const int needed = (out.isEmpty() ? 0 : 1) + len;
        if (out.size() + needed > maxUnits)
            break;
        if (!out.isEmpty())
            out.append(QChar(10));
        out.append(text.mid(i, len));
        i += len;
    }
    return out;
}

QString CaptionItem::horizontalText(const QString& text)
{
    QString out = text;
    out.remove(QChar(10));
    return out;
}
