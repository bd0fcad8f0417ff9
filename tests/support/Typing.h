#pragma once
// Typing into a form's boxes as a user does, key by key.

#include <QLineEdit>
#include <QString>
#include <QTest>

namespace testsupport {

// Selects the box's text, deletes it and types `text` in its place.
inline void TypeOver(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

} // namespace testsupport
