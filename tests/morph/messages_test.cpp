#include "morph/messages.h"

#include <gtest/gtest.h>

#include "support/recording_dialog.h"

namespace kavrell {
namespace {

using test::RecordingDialog;

TEST(MessageTableTest, HoldsTheFourMessages) {
    struct Row {
        int32_t code;
        const char* text;
        DialogType type;
        DialogButtons buttons;
    };
    const Row rows[] = {
        {0, "Error generating morphing sequence. Possible reason: control points overlaping!",
         DialogType::Error, DialogButtons::Ok},
        {1, "Quorvane animation mode is OFF. To execute morphing, turn animation mode ON!",
         DialogType::Warning, DialogButtons::Ok},
        {2, "No morphing control points. Action suspended!", DialogType::Warning, DialogButtons::Ok},
        {4, "Deleting all control points for selected method.\nDo you want to proceed?",
         DialogType::Confirmation, DialogButtons::YesNo},
    };
    for (const Row& row : rows) {
        const auto message = MessageFor(row.code);
        ASSERT_TRUE(message) << row.code;
        EXPECT_EQ(message->text, row.text);
        EXPECT_EQ(message->type, row.type);
        EXPECT_EQ(message->buttons, row.buttons);
    }
    EXPECT_FALSE(MessageFor(3));
    EXPECT_FALSE(MessageFor(-1));
}

TEST(MorphMessageTest, OnlyNoAndCancelAnswerFalse) {
    struct Case {
        int32_t code;
        DialogResult answer;
        bool expected;
    };
    const Case cases[] = {
        {4, DialogResult::Yes, true}, {4, DialogResult::No, false}, {4, DialogResult::Cancel, false},
        {0, DialogResult::Ok, true},  {1, DialogResult::Ok, true},  {2, DialogResult::Ok, true},
    };
    for (const Case& c : cases) {
        RecordingDialog dialog(c.answer);
        EXPECT_EQ(MorphMessage(c.code), c.expected) << c.code;
        ASSERT_EQ(dialog.shown.size(), 1u);
        EXPECT_EQ(dialog.shown[0].code, c.code);
    }
}

TEST(MorphMessageTest, UnknownCodeShowsNothing) {
    RecordingDialog dialog(DialogResult::Ok);
    EXPECT_FALSE(MorphMessage(3));
    EXPECT_TRUE(dialog.shown.empty());
}

TEST(MorphMessageTest, WithoutADialogTheMessageCountsAsClosed) {
    InstallDialogHandler({});
    EXPECT_FALSE(MorphMessage(4));
}

}  // namespace
}  // namespace kavrell
