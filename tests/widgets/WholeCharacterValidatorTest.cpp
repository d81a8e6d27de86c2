// The whole-character validator, on a real line edit with the name fields' limit.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QString>
#include <vector>

#include "widgets/WholeCharacterValidator.h"

namespace {

const QString strFace = QString::fromUtf8("\xF0\x9F\x98\x80");  // two UTF-16 code units

}  // namespace

TEST(WholeCharacterValidator, TypedOrPastedTextNeverLeavesHalfACharacter) {
    struct Case {
        int intBefore;        // letters already in the field
        QString strInserted;  // what the user types or pastes at the end
        QString strAdded;     // what the field takes of it
    };
    const std::vector<Case> arrCases = {
        {19, strFace, strFace},
        {20, strFace, ""},  // half of it would fit: none of it is taken
        {18, "b" + strFace + "c", "b" + strFace},
        {17, strFace + strFace, strFace + strFace},
        {0, "plain text", "plain text"},
        {20, "bc", "b"},
    };
    for (const Case& objCase : arrCases) {
        SCOPED_TRACE(objCase.strInserted.toStdString() + " after " +
                     std::to_string(objCase.intBefore));
        QLineEdit objField;
        objField.setMaxLength(21);
        objField.setValidator(new WholeCharacterValidator(&objField));
        const QString strBefore(objCase.intBefore, QLatin1Char('a'));
        objField.setText(strBefore);
        objField.end(false);
        objField.insert(objCase.strInserted);
        EXPECT_EQ(objField.text(), strBefore + objCase.strAdded);
    }
}
