// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include <gtest/gtest.h>

#include "platform/ui_prompts.h"
#include "scripted_prompts.h"

TEST(UiPrompts, ScriptedAnswersAreRecorded)
{
    ScriptedPrompts prompts;
    prompts.answerMessageBox(AnswerOk);
    prompts.answerOpenFile("/tmp/a.gif");
    prompts.answerSaveFile("/tmp/out");  // typed without an extension
    prompts.answerColor(makeColorRef(1, 2, 3));

    EXPECT_EQ(promptMessageBox(nullptr, "确定要删除吗？", QString(), MB_OKCANCEL | MB_ICONQUESTION),
              AnswerOk);
    EXPECT_EQ(promptOpenFile(nullptr, "动画GIF文件(*.gif)|*.gif||"), "/tmp/a.gif");
    EXPECT_EQ(promptSaveFile(nullptr, "动画GIF文件(*.gif)|*.gif||", "gif"), "/tmp/out.gif");
    EXPECT_EQ(promptColor(nullptr, makeColorRef(9, 9, 9)), makeColorRef(1, 2, 3));
    EXPECT_TRUE(prompts.allAnswersUsed());

    // Nothing queued: recorded as unanswered and cancelled.
    EXPECT_EQ(promptMessageBox(nullptr, "x", "cap", MB_OKCANCEL), AnswerCancel);
    EXPECT_EQ(promptMessageBox(nullptr, "y"), AnswerOk);
    EXPECT_EQ(promptMessageBox(nullptr, "z", "cap", MB_YESNO), AnswerNo);
    EXPECT_EQ(promptOpenFile(nullptr, "A|*.a||"), QString());
    EXPECT_EQ(promptColor(nullptr, 0), std::nullopt);

    const auto& asked = prompts.asked();
    ASSERT_EQ(asked.size(), 9u);
    EXPECT_EQ(asked[0].kind, ScriptedPrompts::Kind::MessageBox);
    EXPECT_EQ(asked[0].text, "确定要删除吗？");
    EXPECT_FALSE(asked[0].caption.isEmpty());  // the product name stands in
    EXPECT_EQ(asked[0].type, unsigned(MB_OKCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(asked[1].kind, ScriptedPrompts::Kind::OpenFile);
    EXPECT_EQ(asked[1].text, "动画GIF文件(*.gif)|*.gif||");
    EXPECT_EQ(asked[2].kind, ScriptedPrompts::Kind::SaveFile);
    EXPECT_EQ(asked[2].file.defaultExt, "gif");
    EXPECT_EQ(asked[3].kind, ScriptedPrompts::Kind::Color);
    EXPECT_EQ(asked[3].initialColor, makeColorRef(9, 9, 9));
    EXPECT_EQ(prompts.unansweredCount(), 5);
}

TEST(UiPrompts, ScriptsNestAndRestore)
{
    ScriptedPrompts outer;
    {
        ScriptedPrompts inner;
        promptMessageBox(nullptr, "inner");
        EXPECT_EQ(inner.asked().size(), 1u);
    }
    promptMessageBox(nullptr, "outer");
    ASSERT_EQ(outer.asked().size(), 1u);
    EXPECT_EQ(outer.asked()[0].text, "outer");
}

TEST(UiPrompts, FilterConversion)
{
    // Shown as the program writes them; the dialog matches without regard to case.
    EXPECT_EQ(qtFileFilter("动画GIF文件(*.gif)|*.gif||"), "动画GIF文件(*.gif)");
    EXPECT_EQ(qtFileFilter("BMP (*.bmp)|*.bmp|JPG (*.jpg)|*.jpg|PNG (*.png)|*.png||"),
              "BMP (*.bmp);;JPG (*.jpg);;PNG (*.png)");
    EXPECT_EQ(qtFileFilter("All Formats|*.JPG;*.JPEG;*.BMP|JPEG (*.JPG;*.JPEG)|*.JPG;*.JPEG||"),
              "All Formats (*.JPG *.JPEG *.BMP);;JPEG (*.JPG *.JPEG)");
    // A description whose parentheses do not list its patterns gets them.
    EXPECT_EQ(qtFileFilter("Pictures (any)|*.png;*.bmp||"), "Pictures (*.png *.bmp)");
    EXPECT_EQ(qtFileFilter(""), "");

    EXPECT_EQ(withDefaultExtension("/a/out", "gif"), "/a/out.gif");
    EXPECT_EQ(withDefaultExtension("/a/out.GIF", "gif"), "/a/out.GIF");
    EXPECT_EQ(withDefaultExtension("/a/out.png", "gif"), "/a/out.png");
    EXPECT_EQ(withDefaultExtension("/a.b/out", "*.gif"), "/a.b/out.gif");
    EXPECT_EQ(withDefaultExtension("/a/out", "*.*"), "/a/out");
    EXPECT_EQ(withDefaultExtension("", "gif"), "");
}
