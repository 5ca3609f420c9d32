#include "message_dialogs.h"

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "morph/messages.h"
#include "platform/message_service.h"
#include "widget_testing.h"

namespace kavrell::ui {
namespace {

using Answer = std::function<void(QMessageBox&)>;

void PressEscape(QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }
void CloseBox(QMessageBox& box) { box.close(); }
Answer Click(QMessageBox::StandardButton which) {
    return [which](QMessageBox& box) { QTest::mouseClick(box.button(which), Qt::LeftButton); };
}

class MessageDialogsTest : public ::testing::Test {
protected:
    void SetUp() override { InstallWidgetDialogs(); }
    void TearDown() override { InstallDialogHandler({}); }
};

TEST_F(MessageDialogsTest, ShowsEachTypeWithItsIconCaptionAndButtons) {
    struct Case {
        DialogType type;
        DialogButtons buttons;
        QMessageBox::Icon icon;
        const char* caption;
        QMessageBox::StandardButtons shown;
    };
    const Case cases[] = {
        {DialogType::Error, DialogButtons::Ok, QMessageBox::Critical, "Error", QMessageBox::Ok},
        {DialogType::Warning, DialogButtons::Ok, QMessageBox::Warning, "Warning", QMessageBox::Ok},
        {DialogType::Confirmation, DialogButtons::YesNo, QMessageBox::Question, "Confirm",
         QMessageBox::Yes | QMessageBox::No},
    };
    for (const Case& c : cases) {
        bool seen = false;
        test::WhenShown<QMessageBox>([&](QMessageBox& box) {
            seen = true;
            EXPECT_EQ(box.icon(), c.icon);
            EXPECT_EQ(box.windowTitle(), QString::fromLatin1(c.caption));
            EXPECT_EQ(box.text(), QStringLiteral("Line one\nline two"));
            QMessageBox::StandardButtons visible;
            for (QAbstractButton* button : box.buttons()) {
                if (button->isVisible()) visible |= box.standardButton(button);
            }
            EXPECT_EQ(visible, c.shown);
            box.close();
        });
        ShowMessageDialog({0, "Line one\nline two", c.type, c.buttons});
        EXPECT_TRUE(seen) << c.caption;
    }
}

TEST_F(MessageDialogsTest, AnswersWithTheButtonAndCancelWhenClosed) {
    struct Case {
        const char* what;
        DialogButtons buttons;
        Answer answer;
        DialogResult expected;
    };
    const Case cases[] = {
        {"Yes", DialogButtons::YesNo, Click(QMessageBox::Yes), DialogResult::Yes},
        {"No", DialogButtons::YesNo, Click(QMessageBox::No), DialogResult::No},
        {"Escape on Yes/No", DialogButtons::YesNo, PressEscape, DialogResult::Cancel},
        {"close box on Yes/No", DialogButtons::YesNo, CloseBox, DialogResult::Cancel},
        {"OK", DialogButtons::Ok, Click(QMessageBox::Ok), DialogResult::Ok},
        {"Escape on OK", DialogButtons::Ok, PressEscape, DialogResult::Cancel},
        {"close box on OK", DialogButtons::Ok, CloseBox, DialogResult::Cancel},
    };
    for (const Case& c : cases) {
        test::WhenShown<QMessageBox>(c.answer);
        EXPECT_EQ(ShowMessageDialog({4, "Proceed?", DialogType::Confirmation, c.buttons}), c.expected)
            << c.what;
    }
}

TEST_F(MessageDialogsTest, ClosingTheConfirmationRefusesIt) {
    test::WhenShown<QMessageBox>(CloseBox);
    EXPECT_FALSE(MorphMessage(kMsgConfirmClear));
    test::WhenShown<QMessageBox>(Click(QMessageBox::Yes));
    EXPECT_TRUE(MorphMessage(kMsgConfirmClear));
}

}  // namespace
}  // namespace kavrell::ui
