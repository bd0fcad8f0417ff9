#include "Baud_rate.h"
#include "Files.h"
#include "Form_globals.h"
#include "Frequency_edit.h"
#include "Main_window.h"
#include "String_grid.h"
#include "platform/Registry.h"

#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<int> destroyedOrder;

template <int N> struct Tracked : QWidget {
    explicit Tracked(QWidget* parent) : QWidget(parent) {}
    ~Tracked() override { destroyedOrder.push_back(N); }
};

Tracked<1>* first = nullptr;
Tracked<2>* second = nullptr;

} // namespace

TEST(FormGlobals, DestroyedLastMadeFirstAndGlobalsCleared) {
    destroyedOrder.clear();
    forms::Create(first, nullptr);
    forms::Create(second, first);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(second->parent(), first);
    forms::destroyAll();
    EXPECT_EQ(destroyedOrder, (std::vector<int>{2, 1}));
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(second, nullptr);
    forms::destroyAll(); // nothing left: a second call deletes nothing twice
    EXPECT_EQ(destroyedOrder.size(), 2u);
}

TEST(WholeFiles, ExactReadRefusesAShortFileAndTakesOnlyTheStartOfALongOne) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("cal.mem"));
    const uint8_t bytes[5] = {1, 2, 3, 4, 5};
    ASSERT_EQ(WriteWholeFile(name, bytes, 5), FileResult::Done);
    QByteArray read;
    EXPECT_EQ(ReadFileExactly(name, 6, read), FileResult::Failed);
    EXPECT_EQ(ReadFileExactly(name, 4, read), FileResult::Done);
    EXPECT_EQ(read, QByteArray("\x01\x02\x03\x04", 4));
    EXPECT_EQ(ReadFileExactly(dir.filePath(QStringLiteral("none.mem")), 4, read),
              FileResult::Missing);
    const QString empty = dir.filePath(QStringLiteral("empty.mem"));
    ASSERT_EQ(WriteWholeFile(empty, bytes, 0), FileResult::Done);
    EXPECT_EQ(ReadFileStart(empty, 4, read), FileResult::Failed) << "no image in it";
}

TEST(MainWindowSettings, PortValuesFallBackToComOneAndTheFirstRate) {
    const QString key = QStringLiteral("\\Tarq\\HelperTest\\Port");
    {
        platform::Registry registry;
        ASSERT_TRUE(registry.OpenKey(key, true));
        registry.WriteInteger(QStringLiteral("maxBdRate"), 12345);
        int port = 7, rate = 0;
        mainwindow::readPortValues(registry, port, rate);
        EXPECT_EQ(port, 1);
        EXPECT_EQ(rate, BaudRateTable[0]);
        mainwindow::writePortValues(registry, 4, 38400);
    }
    platform::Registry registry;
    ASSERT_TRUE(registry.OpenKey(key, false));
    int port = 0, rate = 0;
    mainwindow::readPortValues(registry, port, rate);
    EXPECT_EQ(port, 4);
    EXPECT_EQ(rate, 38400);
}

TEST(StringGrid, SetCellMakesReadOnlyCellsUnlessEditableAndKeepsTheFirstFlags) {
    QTableWidget table(2, 2);
    grid::SetCell(&table, 0, 0, QStringLiteral("1"), false);
    grid::SetCell(&table, 0, 1, QStringLiteral("A"), true);
    EXPECT_FALSE(table.item(0, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(table.item(0, 1)->flags() & Qt::ItemIsEditable);
    grid::SetCell(&table, 0, 0, QStringLiteral("2"), true);
    EXPECT_EQ(grid::Cell(&table, 0, 0), QStringLiteral("2"));
    EXPECT_FALSE(table.item(0, 0)->flags() & Qt::ItemIsEditable);
}

TEST(FrequencyEdit, ArrowsAndRoundingStayInsideTheRange) {
    EXPECT_EQ(freqedit::RoundToStep(477006250, 12500), 477012500u) << "a half rounds up";
    EXPECT_EQ(freqedit::RoundToStep(477006249, 12500), 477000000u);
    EXPECT_EQ(freqedit::RoundToStep(UINT32_MAX, 12500), UINT32_MAX / 12500 * 12500)
        << "never wraps to a tiny frequency";
    EXPECT_EQ(freqedit::RoundToStep(123, 0), 123u);
    EXPECT_EQ(freqedit::Step(0x80000000u | 1000, -5000, 2000000), 0u) << "bit 31 cleared";
    EXPECT_EQ(freqedit::Step(1999000, 5000, 2000000), 2000000u);
    uint32_t hz = 1;
    EXPECT_EQ(freqedit::Parse(QStringLiteral("-5"), hz), freqedit::Typed::Valid);
    EXPECT_EQ(hz, 0u) << "a negative number, which no box lets in, is 0 Hz";
}
