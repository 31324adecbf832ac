#include "platform/RecordingUserInteraction.h"

#include <gtest/gtest.h>

TEST(UserInteraction, RecordingServiceAnswersFromItsScriptAndNotesSurprises) {
    RecordingUserInteraction ui;
    ui.ExpectMessage("保存しますか?", IDNO).PickFile("/tmp/a.kvd");
    EXPECT_EQ(AfxMessageBoxUtf8("保存しますか?", MB_YESNOCANCEL), IDNO);
    EXPECT_EQ(AfxGetUserInteraction().PromptFileName({}), std::optional<std::string>("/tmp/a.kvd"));
    EXPECT_EQ(ui.Problems(), "");

    EXPECT_EQ(AfxMessageBox(CString("\x95\x5C"), MB_OK | MB_ICONSTOP), IDOK); // shown as UTF-8
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
    const std::pair<UINT, int> cases[] = {{MB_OK, IDOK},
                                          {MB_YESNOCANCEL, IDYES},
                                          {MB_YESNO | MB_DEFBUTTON2, IDNO},
                                          {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL}};
    for (const auto& [type, answer] : cases)
        EXPECT_EQ(DefaultAnswer(type), answer) << type;
}
