// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "app/app_settings.h"

#include <QtGlobal>
#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/app_paths.h"
#include "platform/ini_file.h"

namespace {
const QString kPos = QStringLiteral("POS");
const QString kParam = QStringLiteral("Param");

enum class Kind {
    Unsigned,  // int written with "%u"
    Signed,    // int written with "%d"
    Bool,      // read as int, non-zero true; written 0 or 1
    Color,     // "#%02X%02X%02X"
    String,    // verbatim, cut to maxChars on reading
};

// One key of the settings file. Exactly one of the member pointers is set.
struct KeyDef {
    const QString* section;
    const char* key;
    Kind kind;
    int AppSettings::*intField = nullptr;
    bool AppSettings::*boolField = nullptr;
    ColorRef AppSettings::*colorField = nullptr;
    QString AppSettings::*stringField = nullptr;
    int intDefault = 0;            // Unsigned, Signed, Bool
    const char* textDefault = "";  // Color, String (UTF-8)
    int maxChars = 0;              // String
};

KeyDef intKey(const QString& section, const char* key, int AppSettings::*field, int def,
              Kind kind = Kind::Unsigned)
{
    KeyDef d{&section, key, kind};
    d.intField = field;
    d.intDefault = def;
    return d;
}

KeyDef boolKey(const char* key, bool AppSettings::*field, bool def)
{
    KeyDef d{&kParam, key, Kind::Bool};
    d.boolField = field;
    d.intDefault = def ? 1 : 0;
    return d;
}

KeyDef colorKey(const char* key, ColorRef AppSettings::*field, const char* def)
{
    KeyDef d{&kParam, key, Kind::Color};
    d.colorField = field;
    d.textDefault = def;
    return d;
}

KeyDef stringKey(const char* key, QString AppSettings::*field, const char* def, int maxChars)
{
    KeyDef d{&kParam, key, Kind::String};
    d.stringField = field;
    d.textDefault = def;
    d.maxChars = maxChars;
    return d;
}

// Every key, in the order it is written.
const std::vector<KeyDef>& keyTable()
{
    using S = AppSettings;
    static const std::vector<KeyDef> table = {
        intKey(kPos, "WndPosLeft", &S::wndPosLeft, 300, Kind::Signed),
        intKey(kPos, "WndPosTop", &S::wndPosTop, 200, Kind::Signed),
        intKey(kPos, "WndPosEmptyWidth", &S::wndPosEmptyWidth, 310),
        intKey(kPos, "WndPosEmptyHeight", &S::wndPosEmptyHeight, 250),
        intKey(kParam, "Rate1", &S::rate1, 20),
        intKey(kParam, "Rate2", &S::rate2, 20),
        boolKey("File", &S::file, true),
        boolKey("Notice", &S::notice, true),
        boolKey("TopWnd", &S::topWnd, true),
        boolKey("WhiteBK", &S::whiteBk, false),
        intKey(kParam, "Mouse", &S::mouse, 0),
        boolKey("Last10", &S::last10, false),
        boolKey("Aero", &S::aero, true),
        intKey(kParam, "ExpandFont", &S::expandFont, 1),
        stringKey("DEFAULT_FONTNAME", &S::defaultFontName, "Verdana", kMaxFontNameChars),
        intKey(kParam, "DEFAULT_FONTSIZE", &S::defaultFontSize, 14),
        boolKey("DEFAULT_FONTBOLD", &S::defaultFontBold, true),
        boolKey("DEFAULT_FONTITALIC", &S::defaultFontItalic, false),
        boolKey("DEFAULT_FONTVERTICAL", &S::defaultFontVertical, false),
        colorKey("DEFAULT_FONTCOLOR", &S::defaultFontColor, "#FFFF00"),
        intKey(kParam, "DEFAULT_FONT_BK_STYLE", &S::defaultFontBkStyle, 2),
        colorKey("DEFAULT_FONT_BK_COLOR", &S::defaultFontBkColor, "#000000"),
        boolKey("TxtEnableLogo", &S::txtEnableLogo, false),
        intKey(kParam, "TxtLogoPos", &S::txtLogoPos, 0),
        stringKey("LogoText", &S::logoText, "", kMaxFontNameChars),
        stringKey("LogoFontName", &S::logoFontName, "Verdana", kMaxFontNameChars),
        intKey(kParam, "LogoFont", &S::logoFont, 14),
        boolKey("LOGO_FONTBOLD", &S::logoFontBold, true),
        boolKey("LOGO_FONTITALIC", &S::logoFontItalic, false),
        colorKey("LogoColor", &S::logoColor, "#000000"),
        boolKey("LogoBK", &S::logoBk, false),
        colorKey("LogoBKColor", &S::logoBkColor, "#FFFFFF"),
        boolKey("ImgEnableLogo", &S::imgEnableLogo, false),
        intKey(kParam, "ImgLogoPos", &S::imgLogoPos, 0),
        intKey(kParam, "ImgLogoSize", &S::imgLogoSize, 100),
        stringKey("LogoImgFile", &S::logoImgFile, "", kMaxPathChars),
    };
    return table;
}

// Cuts a text to at most maxChars UTF-16 units without splitting a surrogate pair.
QString cutToField(QString text, int maxChars)
{
    if (text.size() <= maxChars)
        return text;
    text.truncate(maxChars);
    if (!text.isEmpty() && text.back().isHighSurrogate())
        text.chop(1);
    return text;
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Up to two hexadecimal digits, stopping at the first other character.
int hexPair(const QString& text)
{
    int v = 0;
    for (QChar c : text) {
        const int d = hexDigit(c);
        if (d < 0)
            break;
        v = v * 16 + d;
    }
    return v;
}

void readKeys(AppSettings& s, const IniFile& ini)
{
    for (const KeyDef& d : keyTable()) {
        const QString key = QString::fromLatin1(d.key);
        switch (d.kind) {
            case Kind::Unsigned:
            case Kind::Signed:
                s.*d.intField = ini.getInt(*d.section, key, d.intDefault);
                break;
            case Kind::Bool:
                s.*d.boolField = ini.getInt(*d.section, key, d.intDefault) != 0;
                break;
            case Kind::Color:
                s.*d.colorField =
                    parseColorText(ini.getString(*d.section, key, QString::fromUtf8(d.textDefault)));
                break;
            case Kind::String:
                s.*d.stringField =
                    cutToField(ini.getString(*d.section, key, QString::fromUtf8(d.textDefault)), d.maxChars);
                break;
        }
    }
    // Rate1 divides 1000 (frame period) and the frame count (seconds shown).
    if (s.rate1 <= 0 || s.rate1 > kMaxRate) {
        qWarning("stored capture rate %d is out of range: using %d", s.rate1, kFallbackRate);
        s.rate1 = kFallbackRate;
    }
}

void writeKeys(const AppSettings& s, IniFile& ini)
{
    for (const KeyDef& d : keyTable()) {
        const QString key = QString::fromLatin1(d.key);
        QString text;
        switch (d.kind) {
            case Kind::Unsigned:
                text = QString::number(uint32_t(s.*d.intField));
                break;
            case Kind::Signed:
                text = QString::number(s.*d.intField);
                break;
            case Kind::Bool:
                text = s.*d.boolField ? QStringLiteral("1") : QStringLiteral("0");
                break;
            case Kind::Color:
                text = formatColorText(s.*d.colorField);
                break;
            case Kind::String:
                text = s.*d.stringField;
                break;
        }
        ini.setString(*d.section, key, text);
    }
}
}  // namespace

AppSettings& appSettings()
{
    static AppSettings settings;
    return settings;
}

QString settingsFilePath()
{
    const QString dir = settingsFolder();
    if (dir.isEmpty())
        return QString();
    return dir + QStringLiteral("/vexlo.ini");
}

void loadSettingsFromFile(AppSettings& settings, const QString& path)
{
    IniFile ini;
    if (ini.load(path) == IniFile::LoadResult::Unreadable)
        qWarning("settings file %s cannot be read: defaults apply", qPrintable(path));
    readKeys(settings, ini);
}

bool saveSettingsToFile(const AppSettings& settings, const QString& path)
{
    IniFile ini;
    // Keys of other programs and hand-made sections are kept, so a file that
    // cannot be read is not replaced by one holding only our keys.
    if (ini.load(path) == IniFile::LoadResult::Unreadable) {
        qWarning("settings file %s cannot be read: not overwritten", qPrintable(path));
        return false;
    }
    writeKeys(settings, ini);
    return ini.save(path);
}

void LoadSettings(AppSettings& settings)
{
    moveLegacySettingsFile(QStringLiteral("vexlo.ini"));
    const QString path = settingsFilePath();
    if (path.isEmpty())
        return;  // no settings folder: the built-in defaults stay
    loadSettingsFromFile(settings, path);
}

bool SaveSettings(const AppSettings& settings)
{
    const QString path = settingsFilePath();
    if (path.isEmpty())
        return false;
    return saveSettingsToFile(settings, path);
}

ColorRef parseColorText(const QString& text)
{
    const QString rest = text.mid(1);
    const int red = hexPair(rest.mid(0, 2));
    const int green = hexPair(rest.mid(2, 2));
    const int blue = hexPair(rest.right(2));
    return makeColorRef(red, green, blue);
}

QString formatColorText(ColorRef colour)
{
    return QString::asprintf("#%02X%02X%02X", colorRefRed(colour), colorRefGreen(colour),
                             colorRefBlue(colour));
}

QPoint initialWindowPosition(const AppSettings& s)
{
    if (s.wndPosLeft < 0 || s.wndPosLeft > 1000 || s.wndPosTop < 0 || s.wndPosTop > 700)
        return QPoint(100, 100);
    return QPoint(s.wndPosLeft, s.wndPosTop);
}

void storeCaptureGeometry(AppSettings& s, const QPoint& windowPos, int captureWidth, int captureHeight)
{
    s.wndPosLeft = windowPos.x();
    s.wndPosTop = windowPos.y();
    s.wndPosEmptyWidth = captureWidth;
    s.wndPosEmptyHeight = captureHeight;
}

bool bringCaptureSizeIntoRange(AppSettings& s, const QSize& desktop)
{
    const int maxWidth = desktop.width() > 0 ? std::max(desktop.width() - 10, kMinCaptureWidth) : INT_MAX;
    const int maxHeight = desktop.height() > 0 ? std::max(desktop.height(), kMinCaptureHeight) : INT_MAX;
    const int width = std::clamp(s.wndPosEmptyWidth, kMinCaptureWidth, maxWidth);
    const int height = std::clamp(s.wndPosEmptyHeight, kMinCaptureHeight, maxHeight);
    if (width == s.wndPosEmptyWidth && height == s.wndPosEmptyHeight)
        return false;
    qWarning("stored capture size %d x %d cannot be used: using %d x %d", s.wndPosEmptyWidth,
             s.wndPosEmptyHeight, width, height);
    s.wndPosEmptyWidth = width;
    s.wndPosEmptyHeight = height;
    return true;
}
