#pragma once
// One check for the alignment dialogs of both programs: every calibration box keeps the
// value it shows when the user leaves it, whichever way he leaves: Enter, a click into
// another box, another page, "Save to File", "Close" or Escape. The value must then be in the
// image, on the radio and, after "Save to File", in the calibration file. The receiver
// offset is stepped to -3 by its arrows; every other box gets its value by one road after
// another: typed, pasted by Ctrl+V, by the context menu or by the middle button (where the
// platform has a mouse selection), or dropped. A box the user only passes through changes
// nothing: its stored byte, even one beyond the box's range, stays in the image and in the
// file, and nothing is sent to the radio. A box that takes more characters than a byte needs
// gets a number too long for any integer: the conversion error is shown, and the box shows
// its byte again.
//
// Header only: each program's test executable instantiates it with its own dialog.

#include "Cal_table.h"
#include "Up_down.h"
#include "platform/ScriptedHost.h"
#include "support/Typing.h"
#include "support/Waits.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace testsupport {

// What the check needs of the program under test.
struct AlignmentProgram {
    std::function<void()> openOnline; // shows the dialog on-line
    std::function<uint8_t(int)> imageByte;
    std::function<void(int, uint8_t)> setImageByte;
    std::function<uint8_t(int)> radioByte;
};

enum class LeaveBy { Enter, ClickAnotherBox, AnotherPage, SaveToFile, Close, Escape };
enum class PutBy { Keys, CtrlV, Menu, MiddleButton, Drop };

inline const char* PutName(PutBy way) {
    const char* names[] = {"keys", "Ctrl+V", "the context menu", "the middle button", "a drop"};
    return names[int(way)];
}

// The roads this platform has.
inline std::vector<PutBy> Roads() {
    std::vector<PutBy> roads{PutBy::Keys, PutBy::CtrlV, PutBy::Menu, PutBy::Drop};
    if (HasMouseSelection())
        roads.push_back(PutBy::MiddleButton);
    return roads;
}

// Puts `text` over the box's selected text by `way`; the mouse roads insert where they point,
// so the box is emptied by keys before them.
inline void Put(QLineEdit* edit, const QString& text, PutBy way) {
    edit->selectAll();
    switch (way) {
    case PutBy::Keys:
        QTest::keyClicks(edit, text);
        break;
    case PutBy::CtrlV:
        Paste(edit, text);
        break;
    case PutBy::Menu:
        EXPECT_TRUE(PasteByMenu(edit, text));
        break;
    case PutBy::MiddleButton:
        QTest::keyClick(edit, Qt::Key_Delete);
        PasteByMiddleButton(edit, text);
        break;
    case PutBy::Drop:
        QTest::keyClick(edit, Qt::Key_Delete);
        Drop(edit, text);
        break;
    }
}

inline const char* LeaveName(LeaveBy way) {
    const char* names[] = {
        "Enter", "click into another box", "another page", "Save to File", "Close", "Escape"};
    return names[int(way)];
}

// True once `done` holds; false after `limitMs` (events keep running meanwhile).
inline bool WaitUntil(const std::function<bool()>& done, int limitMs = WAIT_LIMIT_MS) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

template <class Dialog> QWidget* PageOf(Dialog* form, QWidget* control) {
    for (int i = 0; i < form->PageControl1->count(); ++i)
        if (form->PageControl1->widget(i)->isAncestorOf(control))
            return form->PageControl1->widget(i);
    return nullptr;
}

template <class Dialog>
QLineEdit* AnotherBoxOnPage(Dialog* form, cal::Generation generation, QLineEdit* edit) {
    for (const cal::Field& other : cal::FieldsOf(generation)) {
        QLineEdit* candidate = form->*other.edit;
        if (candidate != edit && candidate->isEnabled() &&
            PageOf(form, candidate) == PageOf(form, edit))
            return candidate;
    }
    return nullptr;
}

template <class Dialog>
void Leave(Dialog* form, cal::Generation generation, QLineEdit* edit, LeaveBy way) {
    switch (way) {
    case LeaveBy::Enter:
        QTest::keyClick(edit, Qt::Key_Return);
        break;
    case LeaveBy::ClickAnotherBox:
        QTest::mouseClick(AnotherBoxOnPage(form, generation, edit), Qt::LeftButton);
        break;
    case LeaveBy::AnotherPage: {
        auto* tabs = form->PageControl1->template findChild<QTabBar*>();
        const int other = form->PageControl1->currentIndex() == 0 ? 1 : 0;
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(other).center());
        break;
    }
    case LeaveBy::SaveToFile:
        QTest::mouseClick(form->btnWriteFile, Qt::LeftButton);
        break;
    case LeaveBy::Close:
        QTest::mouseClick(form->CancelBtn, Qt::LeftButton);
        break;
    case LeaveBy::Escape:
        QTest::keyClick(edit, Qt::Key_Escape);
        break;
    }
}

// Opens the dialog on the page of the field's box and clicks into the box.
template <class Dialog>
QLineEdit* OpenOnBox(Dialog* form, const AlignmentProgram& program, const cal::Field& field) {
    program.openOnline();
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form));
    QLineEdit* edit = form->*field.edit;
    form->PageControl1->setCurrentWidget(PageOf(form, edit));
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_TRUE(edit->hasFocus());
    return edit;
}

// Leaves the box, then closes the dialog if leaving left it open; after "Save to File" the
// file's byte of the field is `saved`.
template <class Dialog>
void LeaveAndClose(Dialog* form, cal::Generation generation, platform::ScriptedHost& host,
                   const QString& calFile, const cal::Field& field, LeaveBy way, uint8_t saved) {
    QLineEdit* edit = form->*field.edit;
    if (way == LeaveBy::SaveToFile)
        host.fileAnswers.enqueue(calFile);
    Leave(form, generation, edit, way);
    EXPECT_EQ(way == LeaveBy::Enter, edit->hasFocus());
    EXPECT_EQ(way == LeaveBy::Close || way == LeaveBy::Escape, !form->isVisible());
    if (form->isVisible())
        form->close();
    if (way == LeaveBy::SaveToFile) {
        QFile file(calFile);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(uint8_t(file.readAll().at(field.address)), saved);
    }
    EXPECT_TRUE(host.messages.isEmpty());
}

template <class Dialog>
void ExpectEveryBoxKeepsItsValueWhenLeft(Dialog* form, cal::Generation generation,
                                         const AlignmentProgram& program,
                                         platform::ScriptedHost& host, const QString& calFile) {
    // Beyond the receiver offset's -15..15: a commit would store 15.
    constexpr uint8_t Untouched = 0x50;
    const QString NoNumber = QStringLiteral("51088112629");
    const std::vector<PutBy> roads = Roads();
    size_t road = 0;
    for (const cal::Field& field : cal::FieldsOf(generation)) {
        for (LeaveBy way : {LeaveBy::Enter, LeaveBy::ClickAnotherBox, LeaveBy::AnotherPage,
                            LeaveBy::SaveToFile, LeaveBy::Close, LeaveBy::Escape}) {
            const PutBy put = roads[road++ % roads.size()];
            SCOPED_TRACE(testing::Message() << "byte " << field.address << ", put by "
                                            << PutName(put) << ", left by " << LeaveName(way));
            const int value = field.address == cal::RX_OFFSET ? -3 : 77;
            const uint8_t stored = uint8_t(value);
            program.setImageByte(field.address, uint8_t(value + 1));
            QLineEdit* edit = OpenOnBox(form, program, field);
            if (field.address == cal::RX_OFFSET)
                QTest::mouseClick((form->*field.upDown)->buttons()->downButton(), Qt::LeftButton);
            else
                Put(edit, QString::number(value), put);
            ASSERT_EQ(edit->text(), QString::number(value));
            LeaveAndClose(form, generation, host, calFile, field, way, stored);
            EXPECT_EQ(program.imageByte(field.address), stored);
            EXPECT_TRUE(WaitUntil([&] { return program.radioByte(field.address) == stored; }))
                << "the radio holds " << int(program.radioByte(field.address));

            SCOPED_TRACE("passed through");
            program.setImageByte(field.address, Untouched);
            OpenOnBox(form, program, field);
            LeaveAndClose(form, generation, host, calFile, field, way, Untouched);
            EXPECT_EQ(program.imageByte(field.address), Untouched);
            EXPECT_EQ(program.radioByte(field.address), stored);

            if (edit->maxLength() < NoNumber.size())
                continue;
            SCOPED_TRACE("a number no integer holds, pasted");
            OpenOnBox(form, program, field);
            Put(edit, NoNumber, PutBy::CtrlV);
            LeaveAndClose(form, generation, host, calFile, field, way, Untouched);
            EXPECT_EQ(
                host.exceptions,
                QStringList{QStringLiteral("'%1' is not a valid integer value").arg(NoNumber)});
            host.exceptions.clear();
            EXPECT_EQ(edit->text(), QString::number(Untouched));
            EXPECT_EQ(program.imageByte(field.address), Untouched);
            EXPECT_EQ(program.radioByte(field.address), stored);
        }
    }
}

} // namespace testsupport
