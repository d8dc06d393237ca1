// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The output size dialog, offscreen: start values, the slider's 50-pixel rule,
// typing either side, OK from the width only, OK refused without a width,
// Esc and the close box cancel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "app/app_settings.h"
#include "editor/size_dlg.h"
#include "platform/control_id.h"
#include "res/resource.h"

namespace {

struct Fixture {
    AppSettings settings;
    std::unique_ptr<CSizeDlg> dlg;
    explicit Fixture(float scale, int w = 640, int h = 480)
    {
        settings.outputScale = scale;
        dlg = std::make_unique<CSizeDlg>(w, h, settings, QPoint(123, 234));
        dlg->show();
        QCoreApplication::processEvents();
    }
    QString width() const { return dlg->widthEdit()->text(); }
    QString height() const { return dlg->heightEdit()->text(); }
    void type(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
};

}  // namespace

TEST(SizeDlg, OpensWithTheReferenceSizeAndTheScale)
{
    Fixture f(0.5f);
    EXPECT_EQ(f.dlg->windowTitle(), QStringLiteral("输出GIF的宽高（建议500x500以内）"));
    EXPECT_EQ(controlId(f.dlg.get()), IDD_SIZE_DIALOG);
    EXPECT_EQ(f.dlg->pos(), QPoint(123, 234));
    EXPECT_EQ(f.dlg->originalLabel()->text(), QStringLiteral("640 X 480"));
    EXPECT_EQ(findControlAs<QLabel>(f.dlg.get(), IDC_SIZE_ORIGINAL), f.dlg->originalLabel());
    EXPECT_EQ(f.width(), QStringLiteral("320"));
    EXPECT_EQ(f.height(), QStringLiteral("240"));
    EXPECT_EQ(f.dlg->slider()->value(), 50);
    EXPECT_EQ(f.dlg->slider()->minimum(), 1);
    EXPECT_EQ(f.dlg->slider()->maximum(), 100);
    EXPECT_EQ(f.dlg->okButton()->text(), QStringLiteral("确定"));
    EXPECT_TRUE(f.dlg->okButton()->isDefault());
    QStringList labels;
    for (QLabel* l : f.dlg->findChildren<QLabel*>())
        labels << l->text();
    EXPECT_TRUE(labels.contains(QStringLiteral("原始尺寸：")));
    EXPECT_TRUE(labels.contains(QStringLiteral("输出尺寸：")));
    EXPECT_TRUE(labels.contains(QStringLiteral("X")));
}

TEST(SizeDlg, SliderKeepsSidesOfFiftyPixels)
{
    Fixture f(0.5f);
    f.dlg->slider()->setValue(10);  // 64 x 48: the height would be below 50
    EXPECT_EQ(f.width(), QStringLiteral("320"));
    EXPECT_EQ(f.height(), QStringLiteral("240"));
    f.dlg->slider()->setValue(11);
    EXPECT_EQ(f.width(), QStringLiteral("70"));
    EXPECT_EQ(f.height(), QStringLiteral("53"));
    f.dlg->slider()->setValue(100);
    EXPECT_EQ(f.width(), QStringLiteral("640"));
    EXPECT_EQ(f.height(), QStringLiteral("480"));
}

TEST(SizeDlg, TypingOneSideSetsTheOther)
{
    Fixture f(0.5f);
    f.type(f.dlg->widthEdit(), QStringLiteral("321"));
    EXPECT_EQ(f.width(), QStringLiteral("321"));
    EXPECT_EQ(f.height(), QStringLiteral("241"));
    f.type(f.dlg->widthEdit(), QStringLiteral("800"));
    EXPECT_EQ(f.width(), QStringLiteral("640"));
    EXPECT_EQ(f.height(), QStringLiteral("480"));
    f.type(f.dlg->heightEdit(), QStringLiteral("120"));
    EXPECT_EQ(f.width(), QStringLiteral("160"));
    EXPECT_EQ(f.height(), QStringLiteral("120"));
    f.type(f.dlg->heightEdit(), QStringLiteral("9999"));
    EXPECT_EQ(f.width(), QStringLiteral("640"));
    EXPECT_EQ(f.height(), QStringLiteral("480"));
    // Letters do not get in.
    f.type(f.dlg->widthEdit(), QStringLiteral("1a2"));
    EXPECT_EQ(f.width(), QStringLiteral("12"));
    EXPECT_EQ(f.height(), QStringLiteral("9"));
}

TEST(SizeDlg, OkTakesTheScaleFromTheWidth)
{
    Fixture f(0.5f);
    f.type(f.dlg->widthEdit(), QStringLiteral("321"));
    QTest::mouseClick(f.dlg->okButton(), Qt::LeftButton);
    EXPECT_EQ(f.dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(f.dlg->isVisible());
    EXPECT_FLOAT_EQ(f.settings.outputScale, 321.0f / 640.0f);
}

TEST(SizeDlg, OkRefusedWithoutAWidth)
{
    for (const QString& typed : {QString(), QStringLiteral("0")}) {
        Fixture f(0.5f);
        f.type(f.dlg->widthEdit(), typed);
        QTest::mouseClick(f.dlg->okButton(), Qt::LeftButton);
        EXPECT_TRUE(f.dlg->isVisible()) << typed.toStdString();
        EXPECT_EQ(f.settings.outputScale, 0.5f);
        // Enter (the default button) is refused the same way.
        QTest::keyClick(f.dlg->widthEdit(), Qt::Key_Return);
        EXPECT_TRUE(f.dlg->isVisible());
        EXPECT_EQ(f.settings.outputScale, 0.5f);
        // A width of 1 goes through.
        f.type(f.dlg->widthEdit(), QStringLiteral("1"));
        QTest::keyClick(f.dlg->widthEdit(), Qt::Key_Return);
        EXPECT_FALSE(f.dlg->isVisible());
        EXPECT_FLOAT_EQ(f.settings.outputScale, 1.0f / 640.0f);
    }
}

TEST(SizeDlg, EscAndTheCloseBoxCancel)
{
    {
        Fixture f(0.5f);
        f.type(f.dlg->widthEdit(), QStringLiteral("100"));
        QTest::keyClick(f.dlg.get(), Qt::Key_Escape);
        EXPECT_FALSE(f.dlg->isVisible());
        EXPECT_EQ(f.dlg->result(), QDialog::Rejected);
        EXPECT_EQ(f.settings.outputScale, 0.5f);
    }
    {
        Fixture f(0.5f);
        f.type(f.dlg->widthEdit(), QStringLiteral("100"));
        EXPECT_TRUE(f.dlg->close());
        EXPECT_EQ(f.dlg->result(), QDialog::Rejected);
        EXPECT_EQ(f.settings.outputScale, 0.5f);
    }
}
