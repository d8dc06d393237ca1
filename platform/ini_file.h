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
//  - save() replaces the file atomically (temporary file in the same folder,
//    flushed to disk with the folder, then renamed), so a failed save leaves the
//    old file intact (temporary files of saves killed before the rename are
//    removed by a later save once they are ten minutes old); a save never writes a file that load() would
//    refuse: when the text would exceed kMaxFileSize, only the sections and keys this run read or set are
//    written (with a warning);
//  - reading, lookups and changes take time linear in the file (a section
//    looked up keeps an index of its keys).
#include <QByteArray>
#include <QHash>
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
    enum class Kind { Other, Section, Key };
    struct Line {
        QByteArray text;            // without the line break
        Eol eol = Eol::None;        // None: the file's last line had no break, or a new line
        mutable bool used = false;  // read or set in this run
    };
    // Parsed view of a line.
    struct Parsed {
        Kind kind = Kind::Other;
        QString name;   // section name or key
        QString value;  // raw value (keys only)
    };
    // A section header and the lines up to the next one (the first block
    // holds the lines before any header and has no name).
    struct Block {
        bool hasHeader = false;
        std::vector<Line> lines;  // lines[0] is the header when hasHeader
        // Hash of the case-folded key -> the lines holding a key of that hash;
        // made at the first lookup in the section.
        mutable QMultiHash<size_t, int> keys;
        mutable bool indexed = false;
    };
    struct KeyRef {
        const Block* block = nullptr;
        int line = -1;
    };
    static Parsed parse(const QByteArray& line);
    static QString folded(const QString& name) { return name.toCaseFolded(); }
    static void indexBlock(const Block& block);
    static size_t keyHash(const QString& key) { return qHash(folded(key)); }
    static void addKey(const Block& block, const QString& key, int line);
    const Block* findBlock(const QString& section) const;
    KeyRef findKey(const QString& section, const QString& key) const;
    static QString decodeValue(const QString& raw);
    static QByteArray encodeLine(const QString& key, const QString& value);
    void appendLine(Line line);
    QByteArray serialise(bool usedOnly) const;

    std::vector<Block> blocks_;
    QHash<QString, int> sectionIndex_;  // lower-cased name -> first block with it
    bool bom_ = false;
    bool crlf_ = false;  // line break for new lines: "\r\n" when the file used it
};
