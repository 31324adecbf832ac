#include "platform/RecordingUserInteraction.h"

#include <gtest/gtest.h>

// Every test that expects a message relies on the service noting surprises.
TEST(UserInteraction, RecordingServiceAnswersFromItsScriptAndNotesSurprises) {
    RecordingUserInteraction ui;
    ui.ExpectMessage("保存しますか?", IDNO).PickFile("/tmp/a.kvd");
    EXPECT_EQ(AfxMessageBoxUtf8("保存しますか?", MB_YESNOCANCEL), IDNO);
    EXPECT_EQ(AfxGetUserInteraction().PromptFileName({}), std::optional<std::string>("/tmp/a.kvd"));
    EXPECT_EQ(ui.Problems(), "");
    // An unexpected box gets its default button.
    EXPECT_EQ(AfxMessageBox(CString("\x95\x5C"), MB_YESNO | MB_DEFBUTTON2), IDNO); // as UTF-8
    EXPECT_EQ(AfxMessageBoxUtf8("x", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(ui.Problems(), "unexpected message: 表\nunexpected message: x\n");
    ui.Clear();
    ui.ExpectMessage("a");
    AfxMessageBoxUtf8("b");
    EXPECT_EQ(ui.Problems(), "message differs:\n  expected: a\n  shown:    b\n");
    ui.Clear();
    ui.AnswerMessage(IDYES);
    EXPECT_EQ(ui.Problems(), "message never shown: \n");
}
