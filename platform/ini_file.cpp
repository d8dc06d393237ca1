// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "platform/ini_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>
#include <climits>
#include <cstdint>
#include <cstring>

#include "platform/errno_text.h"

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

bool isQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

QString systemError()
{
    return QString::fromStdString(errnoText(errno));
}

// Temporary files of earlier saves that never got renamed (the program was
// killed in between) are removed once they are this old; younger ones may be
// another instance's save in progress.
constexpr qint64 kStaleTemporarySeconds = 10 * 60;

// Removes the stale temporary files beside `path` (".NAME.XXXXXX").
void removeStaleTemporaries(const QFileInfo& info)
{
    const QString prefix = QLatin1Char('.') + info.fileName() + QLatin1Char('.');
    QDir dir(info.absolutePath());
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        if (entry.isSymLink() || name.size() != prefix.size() + 6 || !name.startsWith(prefix))
            continue;
        if (entry.lastModified().toUTC().secsTo(now) >= kStaleTemporarySeconds)
            QFile::remove(entry.absoluteFilePath());
    }
}

// Writes `data` to a new file beside `path`, flushes it and the folder to
// disk and renames it over `path`; on any failure the temporary file is
// removed and `path` stays as it was.
bool replaceFileDurably(const QString& path, const QByteArray& data, QString& error)
{
    const QFileInfo info(path);
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    QByteArray temp = QFile::encodeName(info.absolutePath() + QLatin1String("/.") + info.fileName() +
                                        QLatin1String(".XXXXXX"));
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = systemError();
        return false;
    }
    auto fail = [&](int descriptor) {
        error = systemError();
        if (descriptor >= 0)
            ::close(descriptor);
        ::unlink(temp.constData());
        return false;
    };
    struct stat old {};
    const mode_t mode = ::stat(QFile::encodeName(path).constData(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    if (::fchmod(fd, mode) != 0)
        return fail(fd);
    const char* p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(fd);
        p += n;
        left -= n;
    }
    if (::fsync(fd) != 0)
        return fail(fd);
    if (::close(fd) != 0)
        return fail(-1);
    if (::rename(temp.constData(), QFile::encodeName(path).constData()) != 0)
        return fail(-1);
    // The rename itself lasts once the folder is on disk.
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    removeStaleTemporaries(info);
    return true;
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
    blocks_.clear();
    sectionIndex_.clear();
    blocks_.emplace_back();  // the lines before any section
    bom_ = input.startsWith(kBom);
    crlf_ = false;
    const qsizetype begin = bom_ ? kBom.size() : 0;
    const char* data = input.constData();
    qsizetype start = begin;
    bool first = true;
    while (start < input.size()) {
        const qsizetype nl = input.indexOf('\n', start);
        Line line;
        if (nl < 0) {
            line.text = QByteArray(data + start, input.size() - start);
            line.eol = Eol::None;
            start = input.size();
        } else {
            qsizetype end = nl;
            line.eol = Eol::Lf;
            if (end > start && data[end - 1] == '\r') {
                --end;
                line.eol = Eol::CrLf;
            }
            line.text = QByteArray(data + start, end - start);
            start = nl + 1;
        }
        if (first && line.eol != Eol::None)
            crlf_ = line.eol == Eol::CrLf;
        first = false;
        appendLine(std::move(line));
    }
}

// Adds a line at the end of the file: a header starts a new block.
void IniFile::appendLine(Line line)
{
    const Parsed p = parse(line.text);
    if (p.kind == Kind::Section) {
        Block block;
        block.hasHeader = true;
        blocks_.push_back(std::move(block));
        const QString name = folded(p.name);
        if (!sectionIndex_.contains(name))  // the first section of a name wins
            sectionIndex_.insert(name, int(blocks_.size() - 1));
    }
    blocks_.back().lines.push_back(std::move(line));
}

void IniFile::indexBlock(const Block& block)
{
    block.keys.clear();
    for (size_t i = block.hasHeader ? 1 : 0; i < block.lines.size(); ++i) {
        const Parsed p = parse(block.lines[i].text);
        if (p.kind == Kind::Key)
            block.keys.insert(keyHash(p.name), int(i));
    }
    block.indexed = true;
}

void IniFile::addKey(const Block& block, const QString& key, int line)
{
    if (block.indexed)
        block.keys.insert(keyHash(key), line);
}

QByteArray IniFile::serialise(bool usedOnly) const
{
    QByteArray out;
    if (bom_)
        out += kBom;
    const QByteArray defaultEol = crlf_ ? QByteArray("\r\n") : QByteArray("\n");
    const Line* last = nullptr;
    auto put = [&](const Line& line) {
        if (last && last->eol == Eol::None)
            out += defaultEol;
        out += line.text;
        switch (line.eol) {
            case Eol::Lf:
                out += '\n';
                break;
            case Eol::CrLf:
                out += "\r\n";
                break;
            case Eol::None:
                break;
        }
        last = &line;
    };
    for (const Block& block : blocks_) {
        if (usedOnly) {
            bool anyUsed = false;
            for (const Line& line : block.lines)
                anyUsed = anyUsed || line.used;
            if (!anyUsed || !block.hasHeader)
                continue;
            put(block.lines[0]);
            for (size_t i = 1; i < block.lines.size(); ++i)
                if (block.lines[i].used)
                    put(block.lines[i]);
            continue;
        }
        for (const Line& line : block.lines)
            put(line);
    }
    return out;
}

QByteArray IniFile::toData() const
{
    return serialise(false);
}

bool IniFile::save(const QString& path) const
{
    QByteArray data = toData();
    if (data.size() > kMaxFileSize) {
        // The next start would refuse the whole file: keep what this run uses.
        data = serialise(true);
        if (data.size() > kMaxFileSize) {
            qWarning("settings would exceed %lld bytes: %s is left as it was",
                     static_cast<long long>(kMaxFileSize), qPrintable(path));
            return false;
        }
        qWarning("settings file %s would exceed %lld bytes: only the settings in use are written",
                 qPrintable(path), static_cast<long long>(kMaxFileSize));
    }
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        qWarning("cannot create the folder of %s", qPrintable(path));
        return false;
    }
    QString error;
    if (!replaceFileDurably(path, data, error)) {
        qWarning("cannot write %s: %s", qPrintable(path), qPrintable(error));
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

const IniFile::Block* IniFile::findBlock(const QString& section) const
{
    const auto it = sectionIndex_.constFind(folded(section));
    return it == sectionIndex_.constEnd() ? nullptr : &blocks_[size_t(it.value())];
}

IniFile::KeyRef IniFile::findKey(const QString& section, const QString& key) const
{
    const Block* block = findBlock(section);
    if (!block)
        return {};
    if (!block->indexed)
        indexBlock(*block);
    // The first line of the section holding the key (hashes may collide).
    const QString name = folded(key);
    int first = -1;
    const auto range = block->keys.equal_range(keyHash(key));
    for (auto it = range.first; it != range.second; ++it)
        if ((first < 0 || it.value() < first) &&
            folded(parse(block->lines[size_t(it.value())].text).name) == name)
            first = it.value();
    if (first < 0)
        return {};
    block->lines[0].used = true;
    block->lines[size_t(first)].used = true;
    return KeyRef{block, first};
}

bool IniFile::hasSection(const QString& section) const
{
    return findBlock(section) != nullptr;
}

bool IniFile::hasKey(const QString& section, const QString& key) const
{
    return findKey(section, key).block != nullptr;
}

QString IniFile::getString(const QString& section, const QString& key, const QString& def) const
{
    const KeyRef at = findKey(section, key);
    if (!at.block)
        return def;
    return decodeValue(parse(at.block->lines[size_t(at.line)].text).value);
}

int IniFile::getInt(const QString& section, const QString& key, int def) const
{
    const KeyRef at = findKey(section, key);
    if (!at.block)
        return def;
    const QString value = decodeValue(parse(at.block->lines[size_t(at.line)].text).value);
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
    const KeyRef at = findKey(section, key);
    if (at.block) {
        Line& line = const_cast<Block*>(at.block)->lines[size_t(at.line)];
        line.text = encodeLine(parse(line.text).name, value);
        return;
    }
    const Block* found = findBlock(section);
    if (!found) {
        // A blank line before the new section, unless the file ends in one.
        const Line* lastLine = nullptr;
        for (auto it = blocks_.rbegin(); it != blocks_.rend() && !lastLine; ++it)
            if (!it->lines.empty())
                lastLine = &it->lines.back();
        if (lastLine && !trimBlanks(QString::fromUtf8(lastLine->text)).isEmpty())
            blocks_.back().lines.push_back(Line{QByteArray(), newEol});
        appendLine(Line{(QLatin1Char('[') + section + QLatin1Char(']')).toUtf8(), newEol, true});
        Block& block = blocks_.back();
        block.lines.push_back(Line{encodeLine(key, value), newEol, true});
        addKey(block, key, int(block.lines.size() - 1));
        return;
    }
    // After the last non-blank line of the section: only blank lines follow,
    // so the indexed keys keep their places.
    Block& block = *const_cast<Block*>(found);
    size_t insertAt = 1;
    for (size_t i = 1; i < block.lines.size(); ++i)
        if (!trimBlanks(QString::fromUtf8(block.lines[i].text)).isEmpty())
            insertAt = i + 1;
    block.lines[0].used = true;
    block.lines.insert(block.lines.begin() + std::ptrdiff_t(insertAt),
                       Line{encodeLine(key, value), newEol, true});
    addKey(block, key, int(insertAt));
}

void IniFile::setInt(const QString& section, const QString& key, int value)
{
    setString(section, key, QString::number(value));
}

bool IniFile::removeKey(const QString& section, const QString& key)
{
    const KeyRef at = findKey(section, key);
    if (!at.block)
        return false;
    Block& block = *const_cast<Block*>(at.block);
    block.lines.erase(block.lines.begin() + at.line);
    indexBlock(block);
    return true;
}

QStringList IniFile::sections() const
{
    QStringList out;
    for (const Block& block : blocks_)
        if (block.hasHeader)
            out << parse(block.lines[0].text).name;
    return out;
}

QStringList IniFile::keys(const QString& section) const
{
    QStringList out;
    const Block* block = findBlock(section);
    if (!block)
        return out;
    for (size_t i = 1; i < block->lines.size(); ++i) {
        const Parsed p = parse(block->lines[i].text);
        if (p.kind == Kind::Key)
            out << p.name;
    }
    return out;
}
