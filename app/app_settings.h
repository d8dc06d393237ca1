// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// The settings record: every option of the settings file "vexlo.ini" (sections
// [POS] and [Param]) plus a few values that last only for the run. One record
// lives for the whole process (appSettings()); it is read once at start-up and
// written once when the capture window closes, and every window reads and
// changes it in place in between. Only the user-interface thread touches it,
// except for fields copied to the worker before a message is posted.
#include <QPoint>
#include <QSize>
#include <QString>

#include "imaging/raster_image.h"

struct AppSettings {
    // Start values are the built-in defaults used when no settings folder can be
    // found. LoadSettings() replaces every persistent field with the file's value
    // or the key's own default (which for Rate1 and Rate2 is 20, not 15).

    // [POS]
    int wndPosLeft = 300;         // WndPosLeft: screen x of the capture window
    int wndPosTop = 200;          // WndPosTop: screen y of the capture window
    int wndPosEmptyWidth = 310;   // WndPosEmptyWidth: width of the capture rectangle
    int wndPosEmptyHeight = 250;  // WndPosEmptyHeight: height of the capture rectangle

    // [Param]
    int rate1 = 15;        // Rate1: capture rate, frames per second (1..1000 after loading)
    int rate2 = 15;        // Rate2: kept and written back, unused
    bool file = true;      // File: "rendering" option of generation
    bool notice = true;    // Notice: large-file notice after a generation
    bool topWnd = true;    // TopWnd: capture window topmost when not recording
    bool whiteBk = false;  // WhiteBK: force-keep-white option of generation
    int mouse = 0;         // Mouse: mouse-track mode 0..4 (not validated)
    bool last10 = false;   // Last10: keep only the last ten seconds
    bool aero = true;      // Aero: desktop composition switch (no effect here)
    int expandFont = 1;    // ExpandFont: UI text scale step 1..3 (not clamped)
    QString defaultFontName = QStringLiteral("Verdana");         // DEFAULT_FONTNAME (<= 31 chars)
    int defaultFontSize = 14;                                    // DEFAULT_FONTSIZE: points
    bool defaultFontBold = true;                                 // DEFAULT_FONTBOLD
    bool defaultFontItalic = false;                              // DEFAULT_FONTITALIC
    bool defaultFontVertical = false;                            // DEFAULT_FONTVERTICAL
    ColorRef defaultFontColor = makeColorRef(0xFF, 0xFF, 0x00);  // DEFAULT_FONTCOLOR
    int defaultFontBkStyle = 2;                             // DEFAULT_FONT_BK_STYLE: background style index
    ColorRef defaultFontBkColor = makeColorRef(0, 0, 0);    // DEFAULT_FONT_BK_COLOR
    bool txtEnableLogo = false;                             // TxtEnableLogo: text watermark on
    int txtLogoPos = 0;                                     // TxtLogoPos: text watermark corner index
    QString logoText;                                       // LogoText (<= 31 chars)
    QString logoFontName = QStringLiteral("Verdana");       // LogoFontName (<= 31 chars)
    int logoFont = 14;                                      // LogoFont: text watermark size in points
    bool logoFontBold = true;                               // LOGO_FONTBOLD
    bool logoFontItalic = false;                            // LOGO_FONTITALIC
    ColorRef logoColor = makeColorRef(0, 0, 0);             // LogoColor
    bool logoBk = false;                                    // LogoBK: text watermark on a background
    ColorRef logoBkColor = makeColorRef(0xFF, 0xFF, 0xFF);  // LogoBKColor
    bool imgEnableLogo = false;                             // ImgEnableLogo: image watermark on
    int imgLogoPos = 0;                                     // ImgLogoPos: image watermark corner index
    int imgLogoSize = 100;                                  // ImgLogoSize: image watermark width in pixels
    QString logoImgFile;  // LogoImgFile: image watermark path (<= 259 chars)

    // Run-only values, never written to the file.
    bool playOnce = false;     // the generated GIF plays once
    int filterNumber = 0;      // filter applied at generation, 0 = none
    float outputScale = 1.0f;  // output size factor for generation

    // Derived at start-up (see app/ui_scale.h), never written to the file.
    float uiScale = 1.0f;    // UiScale(); 1.0 until the capture window initialises
    bool windows10 = false;  // device-pixel conversion of the capture rectangle applies
    float dpiRatio = 1.0f;   // DpiRatio()
};

// Field lengths: longer stored strings are cut to these on reading.
inline constexpr int kMaxFontNameChars = 31;  // DEFAULT_FONTNAME, LogoFontName, LogoText
inline constexpr int kMaxPathChars = 259;     // LogoImgFile
// A stored Rate1 outside 1..kMaxRate is read as kFallbackRate (it is a divisor).
inline constexpr int kMaxRate = 1000;
inline constexpr int kFallbackRate = 20;

// The one process-wide record.
AppSettings& appSettings();

// "<settings folder>/vexlo.ini", empty when there is no settings folder
// (platform/app_paths.h).
QString settingsFilePath();

// Fills the record from the settings file. Without a settings folder nothing is
// read and the record keeps its values; with one, every persistent field gets
// the file's value or the key's default (a missing file gives the defaults).
void LoadSettings(AppSettings& settings);
// Writes every key of the table; other keys and sections in the file stay.
// False when there is no settings folder (nothing written) or writing failed.
bool SaveSettings(const AppSettings& settings);

// The same with an explicit file (tests, tools).
void loadSettingsFromFile(AppSettings& settings, const QString& path);
bool saveSettingsToFile(const AppSettings& settings, const QString& path);

// Colour text: "#%02X%02X%02X" (red, green, blue) and its lenient reading: the
// first character is dropped, red comes from the next two characters, green from
// the two after them and blue from the last two of the remainder; each pair is
// read as hexadecimal up to the first other character ("#12ab3f" -> 0x3FAB12).
ColorRef parseColorText(const QString& text);
QString formatColorText(ColorRef colour);

// Step 3 of the capture window's close sequence, before SaveSettings(): its
// screen position and the capture rectangle's size.
void storeCaptureGeometry(AppSettings& settings, const QPoint& windowPos, int captureWidth,
                          int captureHeight);

// The smallest capture rectangle the capture frame can be dragged to (the frame
// is 10 pixels wider than WndPosEmptyWidth).
inline constexpr int kMinCaptureWidth = 50;
inline constexpr int kMinCaptureHeight = 60;
// Brings a stored capture size that would make the capture frame unusable back
// into range at start: at least the smallest size the frame can be dragged to,
// at most the desktop (`desktop`, ignored when empty), so the bars stay within
// reach. True when a value was changed (the close writes the new ones back).
bool bringCaptureSizeIntoRange(AppSettings& settings, const QSize& desktop);

// Where the capture window goes at start: (100, 100) when WndPosLeft is outside
// 0..1000 or WndPosTop outside 0..700, else (WndPosLeft, WndPosTop).
QPoint initialWindowPosition(const AppSettings& settings);
