// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// The cinemagraph tool window, offscreen: controls and texts, the brush and
// eraser pair with the signed value, the slider range, "静态帧" asking first,
// Enter and Escape ignored, the close box ending the mode, the help page.
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QUrl>

#include "effects/cinemagraph_dlg.h"
#include "platform/control_id.h"
#include "platform/ui_prompts.h"
#include "res/resource.h"
#include "res/string_table.h"
#include "scripted_prompts.h"
#include "widgets/icon_button.h"

TEST(CinemagraphDlg, ControlsAndStartState)
{
    CCinemagraphDlg dlg(40, 3, [] { return 7; });
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Cinemagraph"));
    EXPECT_EQ(controlId(&dlg), IDD_CINEMAGRAPH_DIALOG);
    EXPECT_FALSE(dlg.isModal());
    EXPECT_TRUE(dlg.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(findControl(&dlg, IDC_CINEMAGRAPH_STILL_FRAME), dlg.stillButton());
    EXPECT_EQ(findControl(&dlg, IDC_CINEMAGRAPH_SAVE), dlg.saveButton());
    EXPECT_EQ(findControl(&dlg, IDC_CINEMAGRAPH_HELP), dlg.helpButton());
    EXPECT_EQ(findControl(&dlg, IDC_CINEMAGRAPH_BRUSH), dlg.brushButton());
    EXPECT_EQ(findControl(&dlg, IDC_CINEMAGRAPH_ERASER), dlg.eraserButton());
    EXPECT_EQ(findControl(&dlg, IDC_CINEMAGRAPH_PEN_SLIDER), dlg.slider());
    EXPECT_EQ(dlg.stillButton()->text(), QStringLiteral("静态帧:3"));
    EXPECT_EQ(dlg.saveButton()->text(), QStringLiteral("保存"));
    EXPECT_EQ(dlg.helpButton()->text(), QStringLiteral("帮助"));
    EXPECT_EQ(dlg.brushButton()->tooltipText(), loadString(IDS_CINEMAGRAPH_BRUSH_TIP));
    EXPECT_EQ(dlg.eraserButton()->tooltipText(), loadString(IDS_CINEMAGRAPH_ERASER_TIP));
    EXPECT_EQ(dlg.slider()->orientation(), Qt::Vertical);
    EXPECT_EQ(dlg.slider()->minimum(), 10);
    EXPECT_EQ(dlg.slider()->maximum(), 50);
    EXPECT_EQ(dlg.slider()->tickInterval(), 1);
    EXPECT_EQ(dlg.slider()->value(), 40);
    EXPECT_EQ(dlg.brushButton()->getCheck(), 1);
    EXPECT_EQ(dlg.eraserButton()->getCheck(), 0);
    EXPECT_EQ(dlg.brushValue(), 40);

    // A negative value opens with the eraser on and its magnitude.
    CCinemagraphDlg neg(-25, 1, {});
    EXPECT_EQ(neg.brushButton()->getCheck(), 0);
    EXPECT_EQ(neg.eraserButton()->getCheck(), 1);
    EXPECT_EQ(neg.slider()->value(), 25);
}

TEST(CinemagraphDlg, BrushEraserPairAndSlider)
{
    CCinemagraphDlg dlg(40, 1, {});
    dlg.show();
    QSignalSpy changed(&dlg, &CCinemagraphDlg::brushValueChanged);
    QTest::mouseClick(dlg.eraserButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.eraserButton()->getCheck(), 1);
    EXPECT_EQ(dlg.brushButton()->getCheck(), 0);
    EXPECT_EQ(dlg.brushValue(), -40);
    dlg.slider()->setValue(10);
    EXPECT_EQ(dlg.brushValue(), -10);  // slider at 10 with the eraser
    QTest::mouseClick(dlg.brushButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.brushValue(), 10);
    EXPECT_EQ(dlg.eraserButton()->getCheck(), 0);
    // Clicking the brush again turns it off and the eraser on.
    QTest::mouseClick(dlg.brushButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.brushButton()->getCheck(), 0);
    EXPECT_EQ(dlg.eraserButton()->getCheck(), 1);
    EXPECT_EQ(dlg.brushValue(), -10);
    dlg.slider()->setValue(50);
    EXPECT_EQ(dlg.brushValue(), -50);
    ASSERT_EQ(changed.count(), 5);
    EXPECT_EQ(changed.last().at(0).toInt(), -50);
}

TEST(CinemagraphDlg, StillFrameAsksFirst)
{
    int current = 5;
    CCinemagraphDlg dlg(40, 2, [&] { return current; });
    dlg.show();
    ScriptedPrompts prompts;
    prompts.answerMessageBox(AnswerCancel);
    prompts.answerMessageBox(AnswerOk);
    QTest::mouseClick(dlg.stillButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.stillFrame(), 2);
    QTest::mouseClick(dlg.stillButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.stillFrame(), 5);
    EXPECT_EQ(dlg.stillButton()->text(), QStringLiteral("静态帧:5"));
    ASSERT_EQ(prompts.asked().size(), 2u);
    EXPECT_EQ(prompts.asked()[0].text, loadString(IDS_CINEMAGRAPH_SET_STILL));
    EXPECT_EQ(prompts.asked()[0].type, unsigned(MB_OKCANCEL | MB_ICONQUESTION));
}

TEST(CinemagraphDlg, KeysHelpSaveAndClose)
{
    CCinemagraphDlg dlg(40, 1, {});
    dlg.show();
    QSignalSpy saved(&dlg, &CCinemagraphDlg::saveRequested);
    QSignalSpy closed(&dlg, &CCinemagraphDlg::closed);
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QTest::keyClick(&dlg, Qt::Key_Return);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(closed.count(), 0);

    QUrl opened;
    dlg.setUrlOpener([&](const QUrl& u) {
        opened = u;
        return true;
    });
    QTest::mouseClick(dlg.helpButton(), Qt::LeftButton);
    EXPECT_TRUE(opened.toString().endsWith(QStringLiteral("vx_cinemagraph.htm")))
        << opened.toString().toStdString();

    QTest::mouseClick(dlg.saveButton(), Qt::LeftButton);
    EXPECT_EQ(saved.count(), 1);
    dlg.close();
    EXPECT_EQ(closed.count(), 1);
}
