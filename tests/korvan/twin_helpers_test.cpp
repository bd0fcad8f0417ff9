// The helpers both programs' twin dialogs and main windows share.
#include "Call_memories.h"
#include "Channel_edit.h"
#include "Controls.h"
#include "Group_members.h"
#include "Main_window.h"
#include "Srecord.h"
#include "platform/Registry.h"
#include "platform/ScriptedHost.h"
#include "support/FirmwareFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QKeyEvent Key(int key, const QString& text) {
    return QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text);
}

struct StatusWindow : ProgrammerWindow {
    StatusWindow() { BuildStatusBar(200); }
    void FormClose() override { ++closes; }
    int closes = 0;
};

} // namespace

TEST(ProgrammerWindow, StatusPanelsHoldTheMessageAndTheClockAndClosingRunsFormClose) {
    StatusWindow window;
    window.SetStatus(QStringLiteral("Reading..."));
    EXPECT_EQ(window.StatusText(0), QStringLiteral("Reading..."));
    EXPECT_TRUE(window.StatusText(1).isEmpty());
    window.Timer1Timer();
    EXPECT_EQ(window.StatusText(1).size(), 8); // hh:mm:ss
    EXPECT_EQ(window.StatusText(0), QStringLiteral("Reading..."));
    ASSERT_NE(window.Timer1, nullptr);
    EXPECT_TRUE(window.Timer1->isActive());
    EXPECT_EQ(window.Timer1->interval(), 1000);
    window.show();
    EXPECT_TRUE(window.close());
    EXPECT_EQ(window.closes, 1);
}

TEST(MainWindowFiles, ReportedReadsAndWritesTellFailuresAndMissingFilesOnlyWhenAsked) {
    platform::ScriptedHost host;
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("cal.mem"));
    const uint8_t bytes[4] = {9, 8, 7, 6};
    EXPECT_TRUE(mainwindow::writeReported(name, bytes, 4, FileNotice::Tell, 49));
    QByteArray read;
    EXPECT_TRUE(mainwindow::readReported(name, 4, read, FileNotice::Tell, 49));
    EXPECT_EQ(read, QByteArray("\x09\x08\x07\x06", 4));
    EXPECT_TRUE(host.messages.isEmpty());

    EXPECT_FALSE(mainwindow::readReported(name, 5, read, FileNotice::Quiet, 49)); // too short
    const QString missing = dir.filePath(QStringLiteral("none.mem"));
    EXPECT_FALSE(mainwindow::readReported(missing, 4, read, FileNotice::Quiet, 49));
    EXPECT_FALSE(mainwindow::readReported(missing, 4, read, FileNotice::Tell, 1));
    // A path under a file cannot be created, even by root.
    const QString underFile = name + QStringLiteral("/x.mem");
    EXPECT_FALSE(mainwindow::writeReported(underFile, bytes, 4, FileNotice::Quiet, 1));
    EXPECT_FALSE(mainwindow::writeReported(underFile, bytes, 4, FileNotice::Tell, 1));
    ASSERT_EQ(host.messages.size(), 3);
    EXPECT_EQ(host.messages[0].text, mainwindow::ReadProblem);
    EXPECT_EQ(host.messages[0].flags, 49);
    EXPECT_EQ(host.messages[1].text, mainwindow::ReadProblem);
    EXPECT_EQ(host.messages[1].flags, 1);
    EXPECT_EQ(host.messages[2].text, mainwindow::WriteProblem);
    EXPECT_EQ(host.messages[2].caption, QStringLiteral("File Error"));
}

TEST(MainWindowFiles, FileChoicesStartFromTheCurrentFileAndTheReadWantsAnExistingOne) {
    platform::ScriptedHost host;
    platform::FileDialogRequest box;
    QString chosen;
    host.fileAnswers.enqueue(QStringLiteral("/tmp/a.mem"));
    EXPECT_TRUE(mainwindow::chooseFileToRead(box, QStringLiteral("c.mem"), chosen));
    EXPECT_EQ(chosen, QStringLiteral("/tmp/a.mem"));
    box.filter.clear();
    EXPECT_FALSE(mainwindow::chooseFileToWrite(box, QStringLiteral("d.mem"), chosen)); // cancelled
    ASSERT_EQ(host.fileRequests.size(), 2);
    EXPECT_TRUE(host.fileRequests[0].fileMustExist);
    EXPECT_TRUE(host.fileRequests[0].hideReadOnly);
    EXPECT_EQ(host.fileRequests[0].fileName, QStringLiteral("c.mem"));
    EXPECT_EQ(host.fileRequests[0].filter, mainwindow::MemFilter);
    EXPECT_EQ(host.fileRequests[1].filter, mainwindow::MemFilter);
    EXPECT_EQ(host.fileRequests[1].fileName, QStringLiteral("d.mem"));
}

TEST(MainWindowMessages, WriteWarnsOfAnUnreadRadioAndFollowsTheAnswer) {
    platform::ScriptedHost host;
    host.messageAnswers.enqueue(platform::IDCANCEL);
    EXPECT_FALSE(mainwindow::confirmWrite(0));
    EXPECT_TRUE(mainwindow::confirmWrite(2));
    ASSERT_EQ(host.messages.size(), 2);
    EXPECT_EQ(host.messages[0].text,
              QStringLiteral("Radio has not been read.\nAll current radio data will be lost."));
    EXPECT_EQ(host.messages[1].text, QStringLiteral("All current radio data will be lost."));
    EXPECT_EQ(host.messages[1].caption, QStringLiteral("Write to radio?"));
    EXPECT_EQ(host.messages[1].flags, 49);

    mainwindow::reportPortNotOpened(12, QStringLiteral("No port."));
    mainwindow::reportNoDefaultFile(QStringLiteral("x.mem"));
    ASSERT_EQ(host.messages.size(), 4);
    EXPECT_EQ(host.messages[2].text, QStringLiteral("Unable to open COM12"));
    EXPECT_EQ(host.messages[2].caption, QStringLiteral("No port."));
    EXPECT_EQ(host.messages[3].text, QStringLiteral("Default file x.mem does not exist."));
    EXPECT_EQ(host.messages[3].flags, platform::MB_ICONEXCLAMATION);
}

TEST(MainWindowLabels, BandBitSevenIsUhfAndTheVersionIsSixCharactersFromTheEighth) {
    EXPECT_EQ(mainwindow::radioTypeText(0x80), QStringLiteral("Korvan UHF"));
    EXPECT_EQ(mainwindow::radioTypeText(0xFF), QStringLiteral("Korvan UHF"));
    EXPECT_EQ(mainwindow::radioTypeText(0x7F), QStringLiteral("Korvan VHF"));
    EXPECT_EQ(mainwindow::versionText(QStringLiteral("Korvan v2.01.3 x")),
              QStringLiteral("v2.01."));
    EXPECT_EQ(mainwindow::versionText(QStringLiteral("short")), QString());
}

TEST(MainWindowSettings, FileNamesMissingFromTheKeyLeaveTheStringsAlone) {
    const QString key = QStringLiteral("\\Tarq\\TwinHelperTest\\Files");
    platform::Registry registry;
    ASSERT_TRUE(registry.OpenKey(key, true));
    QString defaultFile = QStringLiteral("keep.mem");
    QString currentFile = QStringLiteral("also.mem");
    registry.WriteString(QStringLiteral("CurrentFile"), QStringLiteral("now.mem"));
    mainwindow::readFileNames(registry, defaultFile, currentFile);
    EXPECT_EQ(defaultFile, QStringLiteral("keep.mem"));
    EXPECT_EQ(currentFile, QStringLiteral("now.mem"));
}

TEST(CallMemories, OnlyCharacterKeysInTheCommandColumnToggleTheFlag) {
    QTableWidget grid(3, 4);
    grid.setCurrentCell(1, 3);
    EXPECT_TRUE(callmem::TogglesCommand(grid, 3, Key(Qt::Key_Y, QStringLiteral("y"))));
    EXPECT_TRUE(callmem::TogglesCommand(grid, 3, Key(Qt::Key_Space, QStringLiteral(" "))));
    EXPECT_FALSE(callmem::TogglesCommand(grid, 3, Key(Qt::Key_Escape, QStringLiteral("\x1b"))));
    EXPECT_FALSE(callmem::TogglesCommand(grid, 3, Key(Qt::Key_Tab, QStringLiteral("\t"))));
    EXPECT_FALSE(callmem::TogglesCommand(grid, 3, Key(Qt::Key_Backtab, QStringLiteral("\t"))));
    EXPECT_FALSE(callmem::TogglesCommand(grid, 3, Key(Qt::Key_Down, QString())));
    grid.setCurrentCell(1, 1);
    EXPECT_FALSE(callmem::TogglesCommand(grid, 3, Key(Qt::Key_Y, QStringLiteral("y"))));
}

TEST(CallMemories, PrefixNotTypedKeepsItsByteAndBadTextIsRefused) {
    platform::ScriptedHost host;
    QLineEdit box;
    uint8_t prefix = 0;
    box.setText(QStringLiteral("4A"));
    EXPECT_TRUE(callmem::ReadPrefix(&box, false, 0x4A, prefix));
    EXPECT_EQ(prefix, 0x4A);
    box.setText(QStringLiteral("7"));
    EXPECT_TRUE(callmem::ReadPrefix(&box, true, 0x4A, prefix));
    EXPECT_EQ(prefix, 0x70);
    box.setText(QStringLiteral("4B"));
    prefix = 0x11;
    EXPECT_FALSE(callmem::ReadPrefix(&box, true, 0x4A, prefix));
    EXPECT_EQ(prefix, 0x11);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, idents::PrefixError);
    EXPECT_EQ(host.messages[0].caption, idents::PrefixErrorCaption);
}

TEST(CallMemories, GridMasksAndTexts) {
    std::unique_ptr<QTableWidget> grid(callmem::NewGrid(40));
    EXPECT_EQ(grid->rowCount(), 40);
    ASSERT_EQ(grid->columnCount(), 4);
    EXPECT_EQ(grid->horizontalHeaderItem(3)->text(), QStringLiteral("Command?"));
    EXPECT_EQ(grid->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(callmem::EditMask(5), QStringLiteral(">CCCCC"));
    EXPECT_EQ(callmem::EditMask(0), QStringLiteral(">"));
    EXPECT_EQ(callmem::CommandText(true), QStringLiteral("Yes"));
    EXPECT_EQ(callmem::CommandText(false), QStringLiteral("No"));
    EXPECT_EQ(callmem::ShortIdentText(QStringLiteral("Memory Ident")),
              QStringLiteral("The Memory Ident is not long enough.\rPlease ensure it has the same "
                             "number of tones\ras the number of predictive tones."));
}

TEST(GroupMembers, MovesFollowRoomAndMembersAndBoxesJoinTheirGroup) {
    QWidget parent;
    auto* add = new QPushButton(&parent);
    auto* remove = new QPushButton(&parent);
    members::EnableMoves(add, remove, 3, 5, 6);
    EXPECT_TRUE(add->isEnabled());
    EXPECT_TRUE(remove->isEnabled());
    members::EnableMoves(add, remove, 3, 6, 6); // full
    EXPECT_FALSE(add->isEnabled());
    members::EnableMoves(add, remove, 0, 0, 6); // nothing to add or remove
    EXPECT_FALSE(add->isEnabled());
    EXPECT_FALSE(remove->isEnabled());

    auto* first = new QCheckBox;
    auto* second = new QCheckBox;
    QGroupBox* group = controls::boxGroup(QStringLiteral("Options"), &parent, {first, second});
    EXPECT_EQ(group->parent(), &parent);
    EXPECT_EQ(first->parent(), group);
    EXPECT_EQ(second->parent(), group);
    EXPECT_EQ(group->layout()->indexOf(second), 1);
}

TEST(ChannelEditRules, InvertedDecodeOnlyForADcsTone) {
    QComboBox tones;
    tones.addItems({QStringLiteral("None"), QStringLiteral("67.0"), QStringLiteral("D023N")});
    QCheckBox invert;
    tones.setCurrentIndex(2);
    chanedit::EnableDcsInvert(&invert, &tones);
    EXPECT_TRUE(invert.isEnabled());
    tones.setCurrentIndex(1);
    chanedit::EnableDcsInvert(&invert, &tones);
    EXPECT_FALSE(invert.isEnabled());
}

TEST(FirmwareFile, RecordsLoadBackToTheImageAndErasedRunsAreLeftOut) {
    const std::vector<uint8_t> image = testsupport::EveryPageFirmware(srecord::FLASH_SIZE);
    std::vector<uint8_t> loaded(srecord::FLASH_SIZE);
    ASSERT_TRUE(srecord::Load(testsupport::SRecordFile(image), loaded.data()));
    EXPECT_EQ(loaded, image);
    for (size_t page = 0; page < image.size(); page += 256)
        EXPECT_FALSE(std::all_of(image.begin() + long(page), image.begin() + long(page) + 256,
                                 [](uint8_t b) { return b == 0xFF; }));

    std::vector<uint8_t> sparse(srecord::FLASH_SIZE, 0xFF);
    sparse[0x20] = 0x12;
    const QByteArray text = testsupport::SRecordFile(sparse);
    EXPECT_EQ(text.count("S2"), 1);
    EXPECT_TRUE(text.contains("S2240F002012FF"));
    ASSERT_TRUE(srecord::Load(text, loaded.data()));
    EXPECT_EQ(loaded, sparse);
}
