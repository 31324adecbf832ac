#include "platform/RecordingUserInteraction.h"

#include <gtest/gtest.h>

TEST(UserInteraction, RecordingServiceAnswersFromItsScriptAndNotesSurprises) {
    RecordingUserInteraction ui;
    ui.ExpectMessage("保存しますか?", IDNO).PickFile("/tmp/a.kvd");
    EXPECT_EQ(AfxMessageBoxUtf8("保存しますか?", MB_YESNOCANCEL), IDNO);
    EXPECT_EQ(AfxGetUserInteraction().PromptFileName({}), std::optional<std::string>("/tmp/a.kvd"));
    EXPECT_EQ(ui.Problems(), "");

    // Shift_JIS text is shown as UTF-8.
    EXPECT_EQ(AfxMessageBox(CString("\x95\x5C"), MB_OK | MB_ICONSTOP), IDOK);
    EXPECT_EQ(ui.messages.back().text, "表");
    EXPECT_EQ(ui.messages.back().type, UINT(MB_ICONSTOP));
    EXPECT_EQ(ui.Problems(), "unexpected message: 表\n");

    ui.Clear();
    ui.ExpectMessage("a");
    AfxMessageBoxUtf8("b");
    EXPECT_EQ(ui.Problems(), "message differs:\n  expected: a\n  shown:    b\n");
    ui.Clear();
    ui.AnswerMessage(IDYES);
    EXPECT_EQ(ui.Problems(), "message never shown: \n");
}

TEST(UserInteraction, UnansweredBoxGivesItsDefaultButton) {
    EXPECT_EQ(DefaultAnswer(MB_OK), IDOK);
    EXPECT_EQ(DefaultAnswer(MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(DefaultAnswer(MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(DefaultAnswer(MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(WithDefaultIcon(MB_YESNO), UINT(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_EQ(WithDefaultIcon(MB_ICONQUESTION), UINT(MB_ICONQUESTION));
}
