// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// An INI file with the semantics of the Windows profile functions
// (GetPrivateProfileString / GetPrivateProfileInt / WritePrivateProfileString):
//  - sections and keys are compared without regard to case; the first match wins;
//  - an absent key yields the caller's default; a key present with an empty value
//    yields the empty string (and, for integers, the default);
//  - lines that are not touched (other keys, other sections, comments, blank
//    lines, their order and their bytes) are written back unchanged;
//  - values are stored verbatim after "key="; a value with leading or trailing
//    blanks, or one enclosed in matching quotes, is written inside double quotes
//    so that it reads back exactly; line breaks cannot be stored and are written
//    as spaces;
//  - text is UTF-8 (a leading byte-order mark is kept);
//  - save() replaces the file atomically (temporary file in the same folder, then
//    rename), so a failed save leaves the old file intact.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

class IniFile {
public:
    enum class LoadResult {
        Ok,          // read
        Missing,     // no such file: starts empty
        Unreadable,  // exists but could not be read, or is larger than kMaxFileSize
    };
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

    IniFile();

    LoadResult load(const QString& path);
    void loadFromData(const QByteArray& data);
    bool save(const QString& path) const;  // creates the folder when missing
    QByteArray toData() const;

    bool hasSection(const QString& section) const;
    bool hasKey(const QString& section, const QString& key) const;
    QString getString(const QString& section, const QString& key, const QString& def = QString()) const;
    // Decimal integer: optional blanks and sign, then digits up to the first
    // other character ("12px" gives 12, "abc" gives 0); an absent or empty
    // value gives def. Values from 2^31 to 2^32-1 wrap to negative numbers (so
    // "%u"-written negatives read back), others saturate at the int range.
    int getInt(const QString& section, const QString& key, int def) const;

    // Sets the value, replacing the first matching key in place, else adding
    // the key at the end of its section (the section is added at the end of the
    // file when absent).
    void setString(const QString& section, const QString& key, const QString& value);
    void setInt(const QString& section, const QString& key, int value);  // "%d"
    bool removeKey(const QString& section, const QString& key);

    QStringList sections() const;
    QStringList keys(const QString& section) const;

    // The integer rule of getInt() applied to a text.
    static int parseInt(const QString& text, int def);

private:
    enum class Eol { None, Lf, CrLf };
    struct Line {
        QByteArray text;      // without the line break
        Eol eol = Eol::None;  // None: the file's last line had no break, or a new line
    };
    // Parsed view of a line.
    enum class Kind { Other, Section, Key };
    struct Parsed {
        Kind kind = Kind::Other;
        QString name;   // section name or key
        QString value;  // raw value (keys only)
    };
    static Parsed parse(const QByteArray& line);
    int findSection(const QString& section) const;                  // line index of the header, -1
    int findKey(const QString& section, const QString& key) const;  // line index, -1
    static QString decodeValue(const QString& raw);
    static QByteArray encodeLine(const QString& key, const QString& value);

    std::vector<Line> lines_;
    bool bom_ = false;
    bool crlf_ = false;  // line break for new lines: "\r\n" when the file used it
};
