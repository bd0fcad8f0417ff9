// Edit Channel, the vote group editor, the pickers and the zone dialogs of the second
// program, each built as the program builds it and driven through its controls.
#include "Bank_fixture.h"
#include "Help_pane.h"
#include "Up_down.h"
#include "support/ImageChanges.h"
#include "support/Typing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

class ChannelEditV2 : public BankFixture {
protected:
    void Show(uint8_t band, uint32_t tx, uint32_t rx) {
        eeprom.SetByte(40, band);
        record = ch_normal_struct{};
        record.flags = 0x81;
        record.flags1 = 0x80;
        record.txFreq = tx;
        record.rxFreq = rx;
        record.name = QStringLiteral("BASE");
        record.zone = 4;
        record.ext = 0x5A;
        frmEditChannel2->SetChannel(7, &record, frmChnlBank->Channels.get());
        frmEditChannel2->show();
        frmEditChannel2->setResult(0);
    }
    void TearDown() override {
        frmEditChannel2->hide();
        BankFixture::TearDown();
    }
    ch_normal_struct record;
};

TEST_F(ChannelEditV2, TypedFrequenciesAreSnappedOrRefused) {
    Show(0x80, 477000000, 477000000);
    EXPECT_FALSE(frmEditChannel2->rbTx_1->isVisibleTo(frmEditChannel2)) << "UHF: 6.25 kHz only";
    EXPECT_EQ(frmEditChannel2->lblZone->text(), "Zone 4");
    struct Case {
        const char* typed;
        bool valid;
        uint32_t hz;
    };
    for (const Case& c :
         {Case{"146.0025", true, 146000000}, Case{"", true, 0}, Case{"819.19", true, 819187500},
          Case{"14..5", false, 0}, Case{"819.2", false, 0}, Case{"819.199", false, 0},
          Case{"9999999999", false, 0}, Case{"4295", false, 0}}) {
        host.messages.clear();
        frmEditChannel2->chkTxDisable->setChecked(false);
        testsupport::TypeOver(frmEditChannel2->editTxFreq, QString::fromLatin1(c.typed));
        frmEditChannel2->OKBtnClick();
        if (c.valid) {
            EXPECT_TRUE(host.messages.isEmpty()) << c.typed;
            EXPECT_EQ(record.txFreq, c.hz) << c.typed;
            EXPECT_EQ(frmEditChannel2->result(), 1);
            frmEditChannel2->show();
            frmEditChannel2->setResult(0);
        } else {
            ASSERT_EQ(host.messages.size(), 1) << c.typed;
            EXPECT_EQ(host.messages[0].text, "Invalid Transmit Frequency");
            EXPECT_EQ(host.messages[0].caption, "Error");
            EXPECT_TRUE(frmEditChannel2->isVisible()) << c.typed;
            EXPECT_EQ(frmEditChannel2->result(), 0);
        }
    }
    host.messages.clear();
    testsupport::TypeOver(frmEditChannel2->editTxFreq, QStringLiteral("477"));
    testsupport::TypeOver(frmEditChannel2->editRxFreq, QStringLiteral("1..3"));
    frmEditChannel2->OKBtnClick();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Invalid Receive Frequency");
}

TEST_F(ChannelEditV2, StepsSpinAndEnter) {
    Show(0x00, 146005000, 146012500);
    EXPECT_TRUE(frmEditChannel2->rbTx_1->isChecked()) << "VHF, not on the 6.25 kHz raster";
    EXPECT_TRUE(frmEditChannel2->rbRx_2->isChecked());
    frmEditChannel2->udTxFreq->upButton()->click();
    EXPECT_EQ(frmEditChannel2->editTxFreq->text(), "146.01000");
    frmEditChannel2->udRxFreqClick(false);
    EXPECT_EQ(frmEditChannel2->editRxFreq->text(), "146.00625");
    frmEditChannel2->editRxFreq->setText(QStringLiteral("819.19"));
    frmEditChannel2->udRxFreqClick(true);
    frmEditChannel2->udRxFreqClick(true);
    EXPECT_EQ(frmEditChannel2->editRxFreq->text(), "819.19375") << "the arrows stop below 819.2";

    // Enter snaps the box to its own step and clicks nothing.
    frmEditChannel2->editTxFreq->setText(QStringLiteral("146.0074"));
    QTest::keyClick(frmEditChannel2->editTxFreq, Qt::Key_Return);
    EXPECT_EQ(frmEditChannel2->editTxFreq->text(), "146.00500");
    EXPECT_TRUE(frmEditChannel2->isVisible());
    frmEditChannel2->editChTag->clear();
    QTest::keyClicks(frmEditChannel2->editChTag, QStringLiteral("a%b"));
    EXPECT_EQ(frmEditChannel2->editChTag->text(), "AB");
}

TEST_F(ChannelEditV2, OkStoresBitsNameAndChangedTagOnly) {
    Show(0x80, 0, 477000000);
    EXPECT_TRUE(frmEditChannel2->chkTxDisable->isChecked());
    EXPECT_FALSE(frmEditChannel2->editTxFreq->isEnabled());
    EXPECT_FALSE(frmEditChannel2->chkChEnabled->isChecked()) << "visible";
    EXPECT_EQ(frmEditChannel2->editChTag->text(), "  ") << "two 0 bytes";
    frmEditChannel2->OKBtnClick();
    EXPECT_EQ(record.tag[0], 0) << "an unchanged tag keeps its 0 bytes";
    EXPECT_EQ(record.flags, 0x81);
    EXPECT_EQ(record.flags1, 0x80);
    EXPECT_EQ(record.ext, 0x5A);

    frmEditChannel2->show();
    testsupport::Tick(frmEditChannel2->chkChEnabled, true);
    // Talk around is greyed with the transmitter off: ticked while it is on.
    testsupport::Tick(frmEditChannel2->chkTxDisable, false);
    testsupport::Tick(frmEditChannel2->chkTaEnabled, true);
    testsupport::Tick(frmEditChannel2->chkTxDisable, true);
    testsupport::Tick(frmEditChannel2->chkCpuXtalOffset, true);
    testsupport::Choose(frmEditChannel2->cmbRxCtcss, 60);
    EXPECT_TRUE(frmEditChannel2->chkDcsInvertOK->isEnabled());
    testsupport::TypeOver(frmEditChannel2->editChTag, QStringLiteral("Q"));
    testsupport::TypeOver(frmEditChannel2->txtChannelAlpha, QStringLiteral("YARD"));
    frmEditChannel2->OKBtnClick();
    EXPECT_EQ(record.flags, 0x84) << "hidden, talk around, bit 7 kept";
    EXPECT_EQ(record.flags1, 0xA0);
    EXPECT_EQ(record.rxTone, 60);
    EXPECT_EQ(record.tag[0], 'Q');
    EXPECT_EQ(record.tag[1], 0);
    EXPECT_EQ(record.name, "YARD");

    HelpPane* help = frmEditChannel2->findChild<HelpPane*>();
    ASSERT_NE(help, nullptr);
    help->FocusHelp(frmEditChannel2->chkChEnabled);
    EXPECT_EQ(frmEditChannel2->HelpText->toPlainText(),
              "This channel can be selected by rotating the channel knob.");
    help->FocusHelp(frmEditChannel2->editChTag);
    EXPECT_EQ(frmEditChannel2->HelpText->toPlainText(), "");
}

class VoteGroupV2 : public BankFixture {
protected:
    void SetUp() override {
        BankFixture::SetUp();
        BlankImage();
        for (int i = 0; i < 12; ++i)
            PutChannel(i, i < 6 ? 3 : 4);
        PutChannel(20, 3, 0, 0);         // hidden, no RX: never available
        PutChannel(21, 3, 0, 146000000); // hidden with RX
        PutGroup(22, 3, {1});
        store.LoadFromImage(eeprom.data);
    }
    void Show(std::initializer_list<int> members) {
        group = ch_group_struct{};
        group.flags = 0x03;
        group.zone = 3;
        std::copy(members.begin(), members.end(), group.member);
        frmGrpEdit->SetGroupData(30, &store, &group);
        frmGrpEdit->show();
        frmGrpEdit->setResult(0);
    }
    std::vector<int> Rows(QTableWidget* list) const {
        std::vector<int> numbers;
        for (int row = 0; row < list->rowCount(); ++row)
            if (int n = grid::Cell(list, row, 0).toInt())
                numbers.push_back(n);
        return numbers;
    }
    void TearDown() override {
        frmGrpEdit->hide();
        BankFixture::TearDown();
    }
    ChData store{CH_COUNT};
    ch_group_struct group;
};

TEST_F(VoteGroupV2, AvailableChannelsFollowTheZone) {
    Show({});
    EXPECT_EQ(Rows(frmGrpEdit->sgMACList), std::vector<int>({1, 2, 3, 4, 5, 6, 22}));
    EXPECT_EQ(grid::Cell(frmGrpEdit->sgMACList, 6, 1), "( CH022 )");
    EXPECT_FALSE(frmGrpEdit->btnRemove->isEnabled());
    frmGrpEdit->chkSelectAllZones->click();
    EXPECT_EQ(Rows(frmGrpEdit->sgMACList).size(), 13u);
    EXPECT_TRUE(frmGrpEdit->chkSqlSwEnabled->isHidden());
}

// A member the radio does not have (505: its ext bit set) is refused like an empty channel
// until it is removed.
TEST_F(VoteGroupV2, RemoveTakesTheSelectedMemberOfAGroupWithGaps) {
    Show({0, 7, 0, 9, 0, 12, 0, 0});
    frmGrpEdit->btnOKClick();
    EXPECT_EQ(std::vector<int>(group.member, group.member + 8),
              std::vector<int>({0, 7, 0, 9, 0, 12, 0, 0}))
        << "an untouched group keeps its slots";

    Show({0, 7, 0, 9, 505, 12, 0, 0});
    EXPECT_EQ(Rows(frmGrpEdit->sgGroupList), std::vector<int>({7, 9, 505, 12}));
    EXPECT_EQ(grid::Cell(frmGrpEdit->sgGroupList, 2, 1), "") << "no channel 505";
    QTest::mouseClick(frmGrpEdit->btnOK, Qt::LeftButton);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "A vote group cannot list a channel the radio does not "
                                     "have.\nGroup CH31 lists CH505.");
    EXPECT_EQ(group.member[4], 505) << "the record as it was";
    grid::SelectRow(frmGrpEdit->sgGroupList, 2);
    QTest::mouseClick(frmGrpEdit->btnRemove, Qt::LeftButton);
    EXPECT_EQ(Rows(frmGrpEdit->sgGroupList), std::vector<int>({7, 9, 12}));
    QTest::mouseClick(frmGrpEdit->btnOK, Qt::LeftButton);
    EXPECT_EQ(std::vector<int>(group.member, group.member + 8),
              std::vector<int>({7, 9, 12, 0, 0, 0, 0, 0}));
}

TEST_F(VoteGroupV2, AddTakesEachChannelOnceUpToEight) {
    Show({1, 2, 3, 4, 5, 6, 22});
    auto addRow = [](int row) {
        grid::SelectRow(frmGrpEdit->sgMACList, row);
        frmGrpEdit->btnAddClick();
    };
    addRow(0);
    EXPECT_EQ(frmGrpEdit->MemberCount, 7) << "channel 1 is already a member";
    EXPECT_TRUE(frmGrpEdit->btnAdd->isEnabled());
    frmGrpEdit->chkSelectAllZones->click();
    addRow(7); // channel 8
    EXPECT_EQ(frmGrpEdit->MemberCount, 8);
    EXPECT_FALSE(frmGrpEdit->btnAdd->isEnabled());
    testsupport::Click(frmGrpEdit->rbSignalVoting);
    testsupport::Tick(frmGrpEdit->chkDisplayVoteChannel, true);
    testsupport::TypeOver(frmGrpEdit->editTag, QStringLiteral("VG"));
    frmGrpEdit->btnOKClick();
    EXPECT_EQ(group.flags, 0xA3);
    EXPECT_EQ(group.GetTag(), "VG");
    EXPECT_EQ(group.member[7], 8);

    // A tag shows up to an erased byte: untouched it keeps that byte, typed it is stored
    // as it shows.
    Show({1});
    group.tag[0] = 'V';
    group.tag[1] = 0xFF;
    frmGrpEdit->hide();
    frmGrpEdit->show();
    EXPECT_EQ(frmGrpEdit->editTag->text(), "V");
    frmGrpEdit->btnOKClick();
    EXPECT_EQ(group.tag[1], 0xFF);
    frmGrpEdit->hide();
    frmGrpEdit->show();
    testsupport::TypeOver(frmGrpEdit->editTag, QStringLiteral("V"));
    frmGrpEdit->btnOKClick();
    EXPECT_EQ(group.tag[1], 0x00);
}

class ZoneDialogsV2 : public BankFixture {};

TEST_F(ZoneDialogsV2, EditZonesShowsAndStoresOnlyWhatChanged) {
    frmEditZones->show();
    QTableWidget* grid = frmEditZones->StringGridZones;
    EXPECT_EQ(grid::Cell(grid, 0, 1), "ZONE 0   ");
    EXPECT_EQ(grid::Cell(grid, 50, 3), "N") << "erased: inactive";
    EXPECT_EQ(grid::Cell(grid, 50, 1), "");
    frmEditZones->hide();

    BankFixture::BlankImage();
    PutZone(2, QStringLiteral("ABC"));
    eeprom.SetByte(ZoneOffset(2) + 11, 0x00);
    const QByteArray before = Snapshot();
    frmEditZones->show();
    EXPECT_EQ(grid::Cell(grid, 2, 1), "ABC      ");
    EXPECT_EQ(grid::Cell(grid, 2, 3), "Y");
    frmEditZones->btnOkClick();
    EXPECT_EQ(Snapshot(), before);

    frmEditZones->show();
    ASSERT_TRUE(testsupport::TypeIntoCell(grid, 2, 3, QStringLiteral("y")));
    ASSERT_TRUE(testsupport::EditCell(grid, 3, 1, [](QLineEdit* editor) {
        editor->clear();
        testsupport::TypeEach(editor, QStringLiteral("dépôt"));
    }));
    ASSERT_TRUE(testsupport::TypeIntoCell(grid, 3, 3, QStringLiteral("Yes")));
    EXPECT_EQ(grid::Cell(grid, 3, 3), "Y") << "one character counts, one is taken";
    frmEditZones->btnOkClick();
    ZoneRecord zone;
    ZoneRead(zone, eeprom.data, ZoneOffset(2));
    EXPECT_FALSE(ZoneIsActive(zone)) << "only an upper-case Y";
    ZoneRead(zone, eeprom.data, ZoneOffset(3));
    EXPECT_TRUE(ZoneIsActive(zone));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(eeprom.data + ZoneOffset(3) + 2), 6),
              QByteArray("d\xE9p\xF4t\0", 6))
        << "stored as typed";

    // A name typed into a cell keeps its case and its "_".
    frmEditZones->show();
    grid->setCurrentCell(4, 1); // opens the cell's editor; the first cell's may still be closing
    const QRect cell = grid->visualRect(grid->model()->index(4, 1));
    QLineEdit* editor = nullptr;
    for (auto* open : grid->viewport()->findChildren<QLineEdit*>())
        if (open->geometry().intersects(cell))
            editor = open;
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("yard_b"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([grid] { return grid::Cell(grid, 4, 1) == "yard_b"; }, 10000));
    frmEditZones->btnOkClick();
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(eeprom.data + ZoneOffset(4) + 2), 9),
              QByteArray("yard_b\0\0\0", 9));

    // Over random bytes: a cell opened and left untyped keeps every byte; a cell typed in
    // stores what it shows, also the text it showed, and Active its bit alone.
    for (uint32_t seed : {1u, 2u}) {
        testsupport::FillFromSeed(eeprom.data, EEPROM::SIZE, seed);
        eeprom.SetByte(EEPROM::SIZE_BYTE, 16);
        eeprom.SetByte(ZoneOffset(5) + 2 + 2, 0xFF); // zone 5 shows two name characters
        eeprom.SetByte(ZoneOffset(6) + 11, 0x5A);
        const QByteArray random = Snapshot();
        frmEditZones->show();
        ASSERT_TRUE(testsupport::LeaveCellEditorUntyped(grid, 7, 1));
        ASSERT_TRUE(testsupport::LeaveCellEditorUntyped(grid, 7, 3));
        frmEditZones->btnOkClick();
        EXPECT_EQ(Snapshot(), random) << seed;
        frmEditZones->show();
        const QString shown = grid::Cell(grid, 5, 1);
        ASSERT_EQ(shown.size(), 2);
        ASSERT_TRUE(testsupport::TypeIntoCell(grid, 5, 1, shown));
        ASSERT_TRUE(testsupport::TypeIntoCell(grid, 6, 3, QStringLiteral("N")));
        ASSERT_TRUE(testsupport::TypeIntoCell(grid, 7, 2, QStringLiteral("ABC")));
        EXPECT_EQ(grid::Cell(grid, 7, 2), "AB");
        frmEditZones->btnOkClick();
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(eeprom.data + ZoneOffset(5) + 2), 9),
                  (shown.toLatin1() + QByteArray(7, '\0')));
        EXPECT_EQ(eeprom.data[ZoneOffset(6) + 11], 0xDA);
        EXPECT_EQ(eeprom.data[ZoneOffset(7)], 'A');
        EXPECT_EQ(eeprom.data[ZoneOffset(7) + 1], 'B');
        const auto changed = testsupport::ChangedOffsets(random, Snapshot());
        for (int offset : changed)
            EXPECT_TRUE((offset >= ZoneOffset(5) + 2 && offset < ZoneOffset(5) + 11) ||
                        offset == ZoneOffset(6) + 11 || offset == ZoneOffset(7) ||
                        offset == ZoneOffset(7) + 1)
                << "wrote " << offset;
    }

    // A radio of 8 KiB has no zone table: what lies there shows erased, and nothing is stored.
    eeprom.SetByte(EEPROM::SIZE_BYTE, 8);
    const QByteArray small = Snapshot();
    frmEditZones->show();
    EXPECT_EQ(grid::Cell(grid, 4, 1), "");
    EXPECT_EQ(grid::Cell(grid, 4, 3), "N");
    EXPECT_FALSE(grid->item(4, 1)->flags() & Qt::ItemIsEditable);
    frmEditZones->btnOkClick();
    EXPECT_EQ(Snapshot(), small);
}

TEST_F(ZoneDialogsV2, EscapeAndTheCloseBoxCancel) {
    frmAddZone->SetZoneList({4});
    for (Form* form : std::initializer_list<Form*>{frmEditZones, frmEditZone, frmAddZone}) {
        const QByteArray before = Snapshot();
        QTimer::singleShot(0, form, [form] { QTest::keyClick(form, Qt::Key_Escape); });
        EXPECT_EQ(form->exec(), Form::mrCancel) << form->windowTitle().toStdString();
        form->show();
        QApplication::processEvents();
        form->setResult(Form::mrOk);
        EXPECT_TRUE(form->close());
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(form->result(), Form::mrCancel) << form->windowTitle().toStdString();
        EXPECT_EQ(Snapshot(), before);
    }
}

TEST_F(ZoneDialogsV2, AddZoneAndPickersNeedASelection) {
    frmAddZone->SetZoneList({});
    frmAddZone->show();
    frmAddZone->setResult(0);
    frmAddZone->btnOkClick();
    EXPECT_TRUE(frmAddZone->isVisible());
    frmAddZone->hide();
    frmAddZone->SetZoneList({7, 9});
    frmAddZone->show();
    EXPECT_EQ(frmAddZone->editName->text(), "ZONE 7");
    EXPECT_EQ(frmAddZone->editTag->text(), "7");
    frmAddZone->cbZone->setCurrentIndex(1);
    frmAddZone->btnOkClick();
    EXPECT_EQ(frmAddZone->GetSelection(), 1);
    EXPECT_EQ(frmAddZone->result(), 1);

    frmChSelect->SetChannelList({});
    frmChSelect->show();
    frmChSelect->setResult(0);
    frmChSelect->btnOKClick();
    EXPECT_TRUE(frmChSelect->isVisible());
    frmChSelect->hide();
    frmSelectChannel->SetChannelList({4, 9});
    frmSelectChannel->show();
    EXPECT_EQ(frmSelectChannel->cbChannel->itemText(1), "10");
    EXPECT_EQ(frmSelectChannel->GetChannelType(), 0);
    frmSelectChannel->rbGroup->setChecked(true);
    frmSelectChannel->cbChannel->setCurrentIndex(1);
    frmSelectChannel->btnOkClick();
    EXPECT_EQ(frmSelectChannel->GetSelection(), 1);
    EXPECT_EQ(frmSelectChannel->GetChannelType(), 1);
}
