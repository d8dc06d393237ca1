// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "platform/ini_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtGlobal>
#include <climits>
#include <cstdint>

namespace {
const QByteArray kBom("\xEF\xBB\xBF");

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString trimBlanks(const QString& s)
{
    int b = 0;
    int e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}
}  // namespace

IniFile::IniFile() = default;

IniFile::LoadResult IniFile::load(const QString& path)
{
    loadFromData(QByteArray());
    QFileInfo info(path);
    if (!info.exists())
        return LoadResult::Missing;
    if (!info.isFile()) {
        qWarning("settings file %s is not a file", qPrintable(path));
        return LoadResult::Unreadable;
    }
    if (info.size() > kMaxFileSize) {
        qWarning("settings file %s is larger than %lld bytes: not read", qPrintable(path),
                 static_cast<long long>(kMaxFileSize));
        return LoadResult::Unreadable;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("cannot read %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return LoadResult::Unreadable;
    }
    const QByteArray data = file.read(kMaxFileSize + 1);
    if (data.size() > kMaxFileSize || file.error() != QFileDevice::NoError) {
        qWarning("cannot read %s completely", qPrintable(path));
        return LoadResult::Unreadable;
    }
    loadFromData(data);
    return LoadResult::Ok;
}

void IniFile::loadFromData(const QByteArray& input)
{
    lines_.clear();
    bom_ = input.startsWith(kBom);
    crlf_ = false;
    const QByteArray data = bom_ ? input.mid(kBom.size()) : input;
    qsizetype start = 0;
    bool first = true;
    while (start < data.size()) {
        qsizetype nl = data.indexOf('\n', start);
        Line line;
        if (nl < 0) {
            line.text = data.mid(start);
            line.eol = Eol::None;
            start = data.size();
        } else {
            line.text = data.mid(start, nl - start);
            line.eol = Eol::Lf;
            if (line.text.endsWith('\r')) {
                line.text.chop(1);
                line.eol = Eol::CrLf;
            }
            start = nl + 1;
        }
        if (first && line.eol != Eol::None)
            crlf_ = line.eol == Eol::CrLf;
        first = false;
        lines_.push_back(std::move(line));
    }
}

QByteArray IniFile::toData() const
{
    QByteArray out;
    if (bom_)
        out += kBom;
    const QByteArray defaultEol = crlf_ ? QByteArray("\r\n") : QByteArray("\n");
    for (size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        out += line.text;
        switch (line.eol) {
            case Eol::Lf:
                out += '\n';
                break;
            case Eol::CrLf:
                out += "\r\n";
                break;
            case Eol::None:
                if (i + 1 < lines_.size())
                    out += defaultEol;
                break;
        }
    }
    return out;
}

bool IniFile::save(const QString& path) const
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        qWarning("cannot create the folder of %s", qPrintable(path));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning("cannot write %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    const QByteArray data = toData();
    if (file.write(data) != data.size()) {
        qWarning("cannot write %s: %s", qPrintable(path), qPrintable(file.errorString()));
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        qWarning("cannot replace %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

IniFile::Parsed IniFile::parse(const QByteArray& raw)
{
    Parsed p;
    const QString line = QString::fromUtf8(raw);
    int i = 0;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    if (i >= line.size())
        return p;
    const QChar c = line[i];
    if (c == QLatin1Char(';') || c == QLatin1Char('#'))
        return p;
    if (c == QLatin1Char('[')) {
        int end = line.indexOf(QLatin1Char(']'), i + 1);
        if (end < 0)
            end = line.size();
        p.kind = Kind::Section;
        p.name = trimBlanks(line.mid(i + 1, end - i - 1));
        return p;
    }
    const int eq = line.indexOf(QLatin1Char('='), i);
    if (eq < 0)
        return p;
    p.kind = Kind::Key;
    p.name = trimBlanks(line.mid(i, eq - i));
    p.value = line.mid(eq + 1);
    return p;
}

QString IniFile::decodeValue(const QString& raw)
{
    QString v = trimBlanks(raw);
    if (v.size() >= 2 && isQuote(v.front()) && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v;
}

QByteArray IniFile::encodeLine(const QString& key, const QString& value)
{
    QString v = value;
    v.replace(QLatin1Char('\r'), QLatin1Char(' '));
    v.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const bool needsQuotes =
        trimBlanks(v) != v || (v.size() >= 2 && isQuote(v.front()) && v.back() == v.front());
    if (needsQuotes)
        v = QLatin1Char('"') + v + QLatin1Char('"');
    return (key + QLatin1Char('=') + v).toUtf8();
}

int IniFile::findSection(const QString& section) const
{
    for (size_t i = 0; i < lines_.size(); ++i) {
        const Parsed p = parse(lines_[i].text);
        if (p.kind == Kind::Section && sameName(p.name, section))
            return int(i);
    }
    return -1;
}

int IniFile::findKey(const QString& section, const QString& key) const
{
    const int header = findSection(section);
    if (header < 0)
        return -1;
    for (size_t i = size_t(header) + 1; i < lines_.size(); ++i) {
        const Parsed p = parse(lines_[i].text);
        if (p.kind == Kind::Section)
            break;
        if (p.kind == Kind::Key && sameName(p.name, key))
            return int(i);
    }
    return -1;
}

bool IniFile::hasSection(const QString& section) const
{
    return findSection(section) >= 0;
}

bool IniFile::hasKey(const QString& section, const QString& key) const
{
    return findKey(section, key) >= 0;
}

QString IniFile::getString(const QString& section, const QString& key, const QString& def) const
{
    const int at = findKey(section, key);
    if (at < 0)
        return def;
    return decodeValue(parse(lines_[size_t(at)].text).value);
}

int IniFile::getInt(const QString& section, const QString& key, int def) const
{
    const int at = findKey(section, key);
    if (at < 0)
        return def;
    const QString value = decodeValue(parse(lines_[size_t(at)].text).value);
    if (value.isEmpty())
        return def;
    return parseInt(value, def);
}

int IniFile::parseInt(const QString& text, int def)
{
    int i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (i >= text.size())
        return def;
    bool negative = false;
    if (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    // Saturate well above 2^32 so the range tests below stay exact.
    constexpr int64_t kCap = int64_t(1) << 40;
    int64_t v = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            break;
        v = v * 10 + (c - u'0');
        if (v > kCap)
            v = kCap;
    }
    if (negative)
        v = -v;
    if (v > int64_t(UINT32_MAX))
        return INT_MAX;
    if (v > int64_t(INT_MAX))
        return int(v - (int64_t(1) << 32));  // "%u" of a negative number
    if (v < int64_t(INT_MIN))
        return INT_MIN;
    return int(v);
}

void IniFile::setString(const QString& section, const QString& key, const QString& value)
{
    const Eol newEol = crlf_ ? Eol::CrLf : Eol::Lf;
    const int at = findKey(section, key);
    if (at >= 0) {
        Line& line = lines_[size_t(at)];
        line.text = encodeLine(parse(line.text).name, value);
        return;
    }
    const int header = findSection(section);
    if (header < 0) {
        if (!lines_.empty() && !trimBlanks(QString::fromUtf8(lines_.back().text)).isEmpty())
            lines_.push_back(Line{QByteArray(), newEol});
        lines_.push_back(Line{(QLatin1Char('[') + section + QLatin1Char(']')).toUtf8(), newEol});
        lines_.push_back(Line{encodeLine(key, value), newEol});
        return;
    }
    // After the last non-blank line of the section.
    size_t insertAt = size_t(header) + 1;
    for (size_t i = size_t(header) + 1; i < lines_.size(); ++i) {
        const Parsed p = parse(lines_[i].text);
        if (p.kind == Kind::Section)
            break;
        if (!trimBlanks(QString::fromUtf8(lines_[i].text)).isEmpty())
            insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + std::ptrdiff_t(insertAt), Line{encodeLine(key, value), newEol});
}

void IniFile::setInt(const QString& section, const QString& key, int value)
{
    setString(section, key, QString::number(value));
}

bool IniFile::removeKey(const QString& section, const QString& key)
{
    const int at = findKey(section, key);
    if (at < 0)
        return false;
    lines_.erase(lines_.begin() + at);
    return true;
}

QStringList IniFile::sections() const
{
    QStringList out;
    for (const Line& line : lines_) {
        const Parsed p = parse(line.text);
        if (p.kind == Kind::Section)
            out << p.name;
    }
    return out;
}

QStringList IniFile::keys(const QString& section) const
{
    QStringList out;
    const int header = findSection(section);
    if (header < 0)
        return out;
    for (size_t i = size_t(header) + 1; i < lines_.size(); ++i) {
        const Parsed p = parse(lines_[i].text);
        if (p.kind == Kind::Section)
            break;
        if (p.kind == Kind::Key)
            out << p.name;
    }
    return out;
}
