// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The send-to-phone QR code: payload text, which files are fonts, the 81-byte
// limit on font names, the symbol libqrencode makes, the picture and its place.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <QString>

#include "share/qr_image.h"
#include "share/qr_payload.h"
#include "share/qr_symbol.h"

TEST(QrPayload, GifPayloads)
{
    struct Case {
        const char* address;
        int port;
        const char* payload;
    };
    const Case cases[] = {
        {"192.168.1.5", 8881, "  83994816888100"},     {"10.0.0.5", 8881, "  83886090888100"},
        {"10.0.0.5", 8882, "  83886090888200"},        {"127.0.0.1", 8890, "  16777343889000"},
        {"255.255.255.255", 8881, "4294967295888100"}, {"0.0.0.0", 8881, "         0888100"},
    };
    for (const Case& c : cases) {
        const qrpayload::Result r =
            qrpayload::build(c.address, c.port, QStringLiteral("out/1-2-3-4-5-6.gif"));
        EXPECT_TRUE(r.ok()) << c.address;
        EXPECT_EQ(r.payload, QByteArray(c.payload)) << c.address;
        EXPECT_EQ(r.payload.size(), 16);
    }
}

TEST(QrPayload, FontsAreNamedInUtf8)
{
    const qrpayload::Result ascii = qrpayload::build("192.168.1.5", 8881, QStringLiteral("fonts/Demo.TTF"));
    EXPECT_EQ(ascii.payload, QByteArray("  839948168881Demo.TTF"));
    const QString chinese = QStringLiteral("字体/微软雅黑 粗体.ttc");
    const qrpayload::Result utf8 = qrpayload::build("10.0.0.5", 8881, chinese);
    EXPECT_EQ(utf8.payload, QByteArray("  838860908881") + QStringLiteral("微软雅黑 粗体.ttc").toUtf8());
    // Exactly 81 bytes fits; 82 is refused with a message naming the limit.
    const QString fits = QString(77, QLatin1Char('a')) + QStringLiteral(".otf");
    const qrpayload::Result r81 = qrpayload::build("10.0.0.5", 8881, fits);
    ASSERT_TRUE(r81.ok());
    EXPECT_EQ(r81.payload.size(), 14 + 81);
    EXPECT_LT(r81.payload.size(), qrpayload::kBufferBytes);
    const QString tooLong = QString(78, QLatin1Char('a')) + QStringLiteral(".otf");
    const qrpayload::Result r82 = qrpayload::build("10.0.0.5", 8881, tooLong);
    EXPECT_FALSE(r82.ok());
    EXPECT_TRUE(r82.error.contains(QStringLiteral("81"))) << r82.error.toStdString();
    // Counted in UTF-8 bytes, not characters: 26 * 3 + 4 = 82, 25 * 3 + 4 = 79.
    EXPECT_FALSE(
        qrpayload::build("10.0.0.5", 8881, QString(26, QChar(0x5B57)) + QStringLiteral(".ttf")).ok());
    EXPECT_TRUE(qrpayload::build("10.0.0.5", 8881, QString(25, QChar(0x5B57)) + QStringLiteral(".ttf")).ok());
    // A long GIF name does not matter: its payload has no name.
    EXPECT_TRUE(
        qrpayload::build("10.0.0.5", 8881, QString(200, QLatin1Char('g')) + QStringLiteral(".gif")).ok());
}

TEST(QrPayload, FontTypeByTheLastFourCharacters)
{
    for (const char* font : {"a.ttf", "a.TTF", "a.Ttc", "a.otf", "dir.gif/x.OTF", ".ttf"})
        EXPECT_TRUE(qrpayload::isFontPath(QString::fromUtf8(font))) << font;
    for (const char* other : {"a.gif", "a.ttf.gif", "a.woff", "attf", "a.ttf ", "ttf", ""})
        EXPECT_FALSE(qrpayload::isFontPath(QString::fromUtf8(other))) << other;
}

TEST(QrPayload, AddressesAreStrictDottedIPv4)
{
    EXPECT_EQ(qrpayload::addressNumber("1.2.3.4"), std::optional<uint32_t>(0x04030201u));
    for (const char* bad : {"", "1.2.3", "1.2.3.4.5", "256.1.1.1", "1..2.3", "1.2.3.", ".1.2.3", "a.b.c.d",
                            "1.2.3.4 ", "1.2.3.0004", "-1.2.3.4", "::1"})
        EXPECT_FALSE(qrpayload::addressNumber(bad).has_value()) << bad;
    EXPECT_FALSE(qrpayload::build("", 8881, QStringLiteral("a.gif")).ok());
    EXPECT_FALSE(qrpayload::build("1.2.3.4", 0, QStringLiteral("a.gif")).ok());
    EXPECT_FALSE(qrpayload::build("1.2.3.4", 65536, QStringLiteral("a.gif")).ok());
}

TEST(QrSymbol, SmallestVersionAtLevelH)
{
    // libqrencode puts runs of digits in numeric mode, so the 16 characters of
    // a GIF payload fit version 2 at level H (25 modules); the longest font
    // payload (95 bytes, 81 of them letters) needs version 9 (53 modules).
    const QrSymbol gif = QrSymbol::encode("  83994816888100");
    ASSERT_TRUE(gif.isValid());
    EXPECT_EQ(gif.width(), 25);
    const QrSymbol font = QrSymbol::encode("  838860908881" + QByteArray(81, 'a'));
    ASSERT_TRUE(font.isValid());
    EXPECT_EQ(font.width(), 53);
    // The finder pattern: dark corner, dark border ring, light ring, dark centre.
    EXPECT_TRUE(gif.dark(0, 0));
    EXPECT_TRUE(gif.dark(6, 6));
    EXPECT_FALSE(gif.dark(1, 1));
    EXPECT_TRUE(gif.dark(3, 3));
    EXPECT_FALSE(gif.dark(-1, 0));
    EXPECT_FALSE(gif.dark(25, 0));
    EXPECT_FALSE(QrSymbol::encode(QByteArray()).isValid());
    EXPECT_FALSE(QrSymbol::encode(QByteArray(4000, 'x')).isValid());
}

TEST(QrImage, EightPixelModulesWithoutBorder)
{
    const QrSymbol symbol = QrSymbol::encode("  83886090888100");
    const std::unique_ptr<RasterImage> image = qrimage::render(symbol);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->depth(), 24);
    ASSERT_EQ(image->width(), symbol.width() * 8);
    ASSERT_EQ(image->height(), symbol.width() * 8);
    int mismatches = 0;
    for (int y = 0; y < image->height(); ++y)
        for (int x = 0; x < image->width(); ++x) {
            const RgbQuad c = image->getColor(x, y);
            const uint8_t want = symbol.dark(x / 8, y / 8) ? 0 : 255;
            if (c.red != want || c.green != want || c.blue != want)
                ++mismatches;
        }
    EXPECT_EQ(mismatches, 0);
    EXPECT_FALSE(qrimage::render(QrSymbol()));
}

TEST(QrImage, CentredAcrossWithItsCentreFiveEighthsDown)
{
    EXPECT_EQ(qrimage::origin(QSize(500, 600), QSize(200, 200)), QPoint(150, 275));
    // centre at 5/8 of the height: 275 + 100 = 375 = 600 * 5 / 8
    EXPECT_EQ(qrimage::origin(QSize(501, 601), QSize(200, 200)), QPoint(150, 275));  // integer arithmetic
    EXPECT_EQ(qrimage::origin(QSize(100, 100), QSize(200, 200)), QPoint(-50, -37));
}

TEST(QrSymbol, TerminalTextHasTwoModuleRowsPerLine)
{
    const QrSymbol symbol = QrSymbol::encode("  83886090888100");
    const QByteArray text = symbol.terminalText(2);
    const QList<QByteArray> lines = text.split('\n');
    // 25 + 4 = 29 module rows -> 15 lines (and the empty piece after the last newline)
    ASSERT_EQ(lines.size(), 16);
    EXPECT_TRUE(lines.last().isEmpty());
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(QString::fromUtf8(lines[i]).size(), 29) << i;
    // The border is light: the first line is all full blocks.
    EXPECT_EQ(QString::fromUtf8(lines[0]), QString(29, QChar(0x2588)));
    EXPECT_TRUE(QrSymbol().terminalText().isEmpty());
}
