// The channel bank: opening, the channel and zone commands, Read Channels, vote setup's
// bytes and OK's checks, always against the image bytes and the messages shown.
#include "Bank_fixture.h"
#include "support/ImageChanges.h"
#include "support/OddFiles.h"
#include "support/Typing.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

class ChannelBank : public BankFixture {
protected:
    // Zones 1..n active, `perZone` channels in each, from channel index `first` up.
    void Zoned(int zones, int perZone, int first = 0) {
        BlankImage();
        for (int z = 1; z <= zones; ++z) {
            PutZone(z, QStringLiteral("Z%1").arg(z));
            for (int k = 0; k < perZone; ++k)
                PutChannel(first++, z);
        }
    }
    QStringList Messages() const {
        QStringList texts;
        for (const auto& m : host.messages)
            texts << m.caption + ": " + m.text;
        return texts;
    }
};

// The upper half of a radio of 8 KiB is never written, so it holds the channel records
// alone: its bank offers no zones or tags, names of 5 characters and members up to 255, and
// stores nothing above 8191, though its byte 76 asks for zones.
TEST_F(ChannelBank, ErasedAndHalfImagesOpenWithEveryChannelInZoneOne) {
    for (int size : {16384, 8192}) {
        SCOPED_TRACE(size);
        host.messages.clear();
        EraseImage();
        if (size == 8192) {
            eeprom.SetByte(EEPROM::SIZE_BYTE, 8);
            for (int i = 0; i < CH_COUNT; ++i) {
                uint8_t* record = eeprom.data + chlayout::Record(i);
                std::fill_n(record, chlayout::RECORD_SIZE, 0);
                record[0] = 1;
            }
        }
        const QByteArray before = Snapshot();
        Open();
        EXPECT_EQ(Listed().size(), size_t(CH_COUNT));
        EXPECT_EQ(grid::Cell(frmChnlBank->listChannel, 499, 16), "1");
        if (size == 16384) {
            EXPECT_TRUE(frmChnlBank->ZonesOn);
            ASSERT_EQ(frmChnlBank->TabControl1->count(), 2);
            EXPECT_EQ(frmChnlBank->TabControl1->tabText(0), "Unused");
            EXPECT_EQ(frmChnlBank->TabControl1->tabText(1), "Zone 1");
            EXPECT_EQ(frmChnlBank->CurrentZone, 1);
            EXPECT_TRUE(frmChnlBank->menuEnableZones->isChecked());
            // Every erased channel is a group of CH255: a fault the image came with.
            frmChnlBank->btnOKClick();
            EXPECT_TRUE(host.messages.isEmpty()) << Messages().join('\n').toStdString();
            EXPECT_EQ(frmChnlBank->result(), 1);
            // That is the radio's blank state, read in from a file without a word; a record
            // that is not wholly erased keeps the rule.
            Open();
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("blank.mem"));
            QByteArray blank(EEPROM::SIZE, char(0xFF));
            for (const char firstOfName : {char(0xFF), 'A'}) {
                blank[chlayout::Record(0) + chlayout::RECORD_FIELDS] = firstOfName;
                QFile file(path);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                file.write(blank);
                file.close();
                host.fileAnswers.enqueue(path);
                frmChnlBank->menuReadChannels->trigger();
            }
            EXPECT_EQ(Messages(), QStringList{"Read Channels: A vote group cannot list a group "
                                              "channel.\nGroup CH1 lists CH255."});
            frmChnlBank->done(0);
            continue;
        }
        EXPECT_FALSE(frmChnlBank->ZonesOn);
        EXPECT_FALSE(frmChnlBank->menuEnableZones->isEnabled());
        SelectChannel(300);
        WhenShown<TfrmEditChannel2>([](TfrmEditChannel2* edit) {
            EXPECT_FALSE(edit->editChTag->isEnabled());
            QTest::keyClicks(edit->txtChannelAlpha, QStringLiteral("abcdefghi"));
            edit->OKBtnClick();
        });
        frmChnlBank->btnEditChannelClick();
        SelectChannel(1);
        host.messageAnswers.enqueue(platform::IDOK);
        frmChnlBank->btnDeleteChannelClick();
        WhenShown<TfrmSelectChannel>([](TfrmSelectChannel* pick) {
            pick->rbGroup->setChecked(true);
            pick->btnOkClick();
        });
        WhenShown<TfrmGrpEdit>([](TfrmGrpEdit* group) {
            EXPECT_EQ(group->txtChannelAlpha->maxLength(), 5);
            EXPECT_FALSE(group->editTag->isEnabled());
            EXPECT_EQ(group->AvailableCount, 254) << "channels 2 to 255";
            group->btnOKClick();
        });
        frmChnlBank->btnAddChannelClick();
        host.messages.clear();
        frmChnlBank->btnOKClick();
        EXPECT_TRUE(host.messages.isEmpty()) << Messages().join('\n').toStdString();
        EXPECT_EQ(ChData::ReadName(eeprom.data, 299), "ABCDE");
        EXPECT_EQ(Snapshot().mid(8192), before.mid(8192));

        // A file made for 16 KiB whose group lists CH300 cannot be read into a radio that
        // numbers to 255.
        std::vector<uint8_t> file(eeprom.data, eeprom.data + EEPROM::SIZE);
        file[EEPROM::SIZE_BYTE] = 16;
        ChData other(CH_COUNT);
        other.LoadFromImage(file.data());
        ch_group_struct group;
        other.GetGroup(group, 1);
        group.member[0] = 300;
        other.SetGroup(group, 1);
        other.SaveToImage(file.data());
        QByteArray half = Snapshot().left(8192);
        half.replace(chlayout::Record(6) + chlayout::RECORD_FIELDS, 5, "SEVEN");
        QTemporaryDir dir;
        auto read = [this, &dir](const char* name, const QByteArray& bytes) {
            const QString path = dir.filePath(QString::fromLatin1(name));
            QFile out(path);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(bytes);
            out.close();
            host.fileAnswers.enqueue(path);
            frmChnlBank->btnImportClick();
        };
        host.messages.clear();
        Open();
        read("wide.mem", QByteArray(reinterpret_cast<const char*>(file.data()), int(file.size())));
        EXPECT_EQ(Messages(), QStringList{"Read Channels: Group CH2 lists CH300, which a radio of "
                                          "8192 bytes cannot hold.\nThe channels were not read."});
        // A file of 8192 bytes holds all that such a radio keeps.
        host.messages.clear();
        read("half.mem", half);
        EXPECT_TRUE(host.messages.isEmpty()) << Messages().join('\n').toStdString();
        EXPECT_EQ(grid::Cell(frmChnlBank->listChannel, 6, 1), "SEVEN");
        frmChnlBank->done(0);
    }
}

TEST_F(ChannelBank, RowsColumnsAndHeader) {
    Zoned(2, 0);
    PutChannel(0, 1, 1, 146012500, QStringLiteral("ONE"));
    PutChannel(1, 1, 0, 146000000, QStringLiteral("HID")); // hidden, listed
    PutChannel(2, 1, 0, 0);                                // hidden without RX: not listed
    PutGroup(3, 1, {1});
    PutChannel(4, 2);
    ch_data_struct raw;
    Open();
    ASSERT_EQ(Listed(), std::vector<int>({1, 2, 4}));
    QTableWidget* list = frmChnlBank->listChannel;
    EXPECT_EQ(grid::Cell(list, 0, 1), "ONE");
    EXPECT_EQ(grid::Cell(list, 0, 2), "01");
    EXPECT_EQ(grid::Cell(list, 0, 4), "146.01250");
    EXPECT_EQ(grid::Cell(list, 0, 5), "OFF");
    EXPECT_EQ(grid::Cell(list, 1, 1), "( HID )");
    EXPECT_EQ(grid::Cell(list, 2, 3), "Group");
    EXPECT_EQ(grid::Cell(list, 2, 4), "Channel");
    EXPECT_EQ(list->columnCount(), 17);
    EXPECT_TRUE(frmChnlBank->editZoneName->isVisibleTo(frmChnlBank));
    EXPECT_EQ(frmChnlBank->editZoneName->text(), "Z1       ");
    ShowZone(0);
    EXPECT_EQ(frmChnlBank->lblZone0->text(), "Channels not allocated to any zone.");
    EXPECT_TRUE(Listed().empty());

    // Zones off: every channel of zones 1..50, none of zone 0, and no tabs.
    frmChnlBank->Channels->GetRaw(raw, 4);
    frmChnlBank->Channels->SetZone(4, 0);
    frmChnlBank->menuEnableZonesClick();
    EXPECT_FALSE(frmChnlBank->TabControl1->isVisibleTo(frmChnlBank));
    EXPECT_EQ(frmChnlBank->lblZone0->text(), "CHANNEL DATA");
    EXPECT_EQ(Listed(), std::vector<int>({1, 2, 4}));
}

// A double-click on a row edits that row's channel or group; one on the zone's name or tag
// box edits the zone. Each dialog is cancelled.
TEST_F(ChannelBank, DoubleClickEditsWhatWasClicked) {
    Zoned(2, 3);
    PutGroup(9, 2, {4});
    Open();
    ShowZone(2);
    ASSERT_EQ(Listed(), std::vector<int>({4, 5, 6, 10}));
    QTableWidget* list = frmChnlBank->listChannel;
    auto rowCentre = [list](int row) { return list->visualItemRect(list->item(row, 1)).center(); };
    const struct {
        QWidget* target;
        QPoint at;
        QString opened;
    } cases[] = {
        {list->viewport(), rowCentre(1), "Edit Channel 5"},
        {list->viewport(), rowCentre(3), "Edit Group Channel 10"},
        {list->viewport(), rowCentre(0), "Edit Channel 4"},
        {frmChnlBank->editZoneName, QPoint(5, 5), "Edit Zone 2"},
        {frmChnlBank->editZoneTag, QPoint(5, 5), "Edit Zone 2"},
    };
    for (const auto& c : cases) {
        QString opened;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog && dialog != frmChnlBank) {
                answer.stop();
                opened = dialog->windowTitle();
                dialog->done(2);
            }
        });
        answer.start(5);
        // What a mouse sends: press and release, then the double-click and its release.
        QTest::mouseClick(c.target, Qt::LeftButton, {}, c.at);
        QTest::mouseDClick(c.target, Qt::LeftButton, {}, c.at);
        QTest::mouseRelease(c.target, Qt::LeftButton, {}, c.at);
        EXPECT_TRUE(QTest::qWaitFor([&opened] { return !opened.isEmpty(); }, 10000));
        EXPECT_EQ(opened, c.opened);
        EXPECT_TRUE(frmChnlBank->isVisible());
    }
}

TEST_F(ChannelBank, FullMemoryRefusesAddAndPaste) {
    Zoned(1, CH_COUNT);
    Open();
    frmChnlBank->btnAddChannelClick();
    SelectChannel(7);
    frmChnlBank->mnuCopyChannelClick();
    EXPECT_TRUE(frmChnlBank->mnuPasteChannel->isEnabled());
    frmChnlBank->mnuPasteChannelClick();
    EXPECT_EQ(Messages(), QStringList({"Add Channel.: Channel memory is full.",
                                       "Add Channel.: Channel memory is full."}));
}

TEST_F(ChannelBank, AddNormalAndGroupChannelsInTheCurrentZone) {
    Zoned(2, 1);
    Open();
    ShowZone(2);
    WhenShown<TfrmSelectChannel>([](TfrmSelectChannel* pick) {
        EXPECT_EQ(pick->windowTitle(), "Add new channel");
        EXPECT_EQ(pick->cbChannel->itemText(0), "3");
        pick->cbChannel->setCurrentIndex(2); // channel 5
        pick->btnOkClick();
    });
    WhenShown<TfrmEditChannel2>([](TfrmEditChannel2* edit) {
        EXPECT_EQ(edit->windowTitle(), "Add Channel 5");
        EXPECT_EQ(edit->txtChannelAlpha->text(), "CH005");
        EXPECT_EQ(edit->editChTag->text(), "05");
        EXPECT_EQ(edit->lblZone->text(), "Zone 2");
        EXPECT_EQ(edit->editTxFreq->text(), "477.00000");
        testsupport::TypeOver(edit->editRxFreq, QStringLiteral("470.5"));
        edit->OKBtnClick();
    });
    frmChnlBank->btnAddChannelClick();
    EXPECT_EQ(Listed(), std::vector<int>({2, 5}));
    EXPECT_EQ(frmChnlBank->listChannel->currentRow(), 1);
    EXPECT_EQ(frmChnlBank->NewNormal.rxFreq, 470500000u) << "the next add starts from it";

    WhenShown<TfrmSelectChannel>([](TfrmSelectChannel* pick) {
        pick->rbGroup->setChecked(true);
        pick->btnOkClick();
    });
    WhenShown<TfrmGrpEdit>([](TfrmGrpEdit* group) {
        EXPECT_EQ(group->windowTitle(), "Add Group Channel 3");
        group->btnOKClick();
    });
    frmChnlBank->btnAddChannelClick();
    EXPECT_TRUE(frmChnlBank->Channels->IsGroup(2));
    EXPECT_EQ(frmChnlBank->Channels->GetZone(2), 2);
}

TEST_F(ChannelBank, CutInZoneThreePasteOnZoneFive) {
    Zoned(5, 2);
    Open();
    ShowZone(3);
    ASSERT_EQ(Listed(), std::vector<int>({5, 6}));
    SelectChannel(6);
    frmChnlBank->mnuCutChannelClick();
    EXPECT_EQ(Listed(), std::vector<int>({5}));
    ShowZone(5);
    WhenShown<TfrmChSelect>([](TfrmChSelect* pick) {
        EXPECT_EQ(pick->windowTitle(), "Paste channel");
        EXPECT_EQ(pick->cbChannel->currentText(), "6") << "the cut channel is preselected";
        pick->btnOKClick();
    });
    frmChnlBank->mnuPasteChannelClick();
    EXPECT_EQ(Listed(), std::vector<int>({6, 9, 10}));
    EXPECT_EQ(frmChnlBank->Channels->GetZone(5), 5);
    EXPECT_TRUE(frmChnlBank->mnuPasteChannel->isEnabled());
}

// No group ever lists an empty channel or itself: a member cannot be emptied, and a group
// cannot be pasted back once a member has gone, nor into its own member's slot.
TEST_F(ChannelBank, GroupMembersCannotBeDeletedCutEmptiedOrLoseTheirZone) {
    Zoned(2, 10);
    PutGroup(40, 1, {0, 0, 0, 15});
    Open();
    ShowZone(2);
    SelectChannel(15);
    frmChnlBank->btnDeleteChannelClick();
    frmChnlBank->mnuCutChannelClick();
    host.messageAnswers.enqueue(platform::IDOK);
    frmChnlBank->mnuDeleteZoneClick();
    WhenShown<TfrmEditChannel2>([](TfrmEditChannel2* edit) {
        testsupport::Tick(edit->chkChEnabled, true);
        testsupport::TypeOver(edit->editRxFreq, QString());
        edit->OKBtnClick();
        EXPECT_TRUE(edit->isVisible());
        edit->CancelBtnClick();
    });
    frmChnlBank->btnEditChannelClick();
    const QString used = "Unable to delete CH15.\nChannel is used in Group CH41.";
    const QString emptied = "A vote group cannot list an empty channel.\nGroup CH41 lists CH15.";
    EXPECT_EQ(Messages(), QStringList({"Delete channel: " + used, "Delete channel: " + used,
                                       "Delete Zone: " + used, "Error: " + emptied}));
    EXPECT_EQ(Listed().size(), 10u);

    host.messages.clear();
    SelectChannel(14);
    host.messageAnswers.enqueue(platform::IDCANCEL);
    frmChnlBank->btnDeleteChannelClick();
    EXPECT_EQ(Messages(), QStringList({"Delete channel?: Delete CH14 ?"}));
    EXPECT_EQ(Listed().size(), 10u);
    host.messageAnswers.enqueue(platform::IDOK);
    frmChnlBank->btnDeleteChannelClick();
    EXPECT_EQ(Listed().size(), 9u);

    ShowZone(1);
    SelectChannel(41);
    frmChnlBank->mnuCutChannelClick();
    ShowZone(2);
    SelectChannel(15);
    host.messageAnswers.enqueue(platform::IDOK);
    frmChnlBank->btnDeleteChannelClick();
    host.messages.clear();
    for (const QString target : {"41", "15"}) {
        WhenShown<TfrmChSelect>([target](TfrmChSelect* pick) {
            pick->cbChannel->setCurrentIndex(pick->cbChannel->findText(target));
            pick->btnOKClick();
        });
        frmChnlBank->mnuPasteChannelClick();
    }
    EXPECT_EQ(Messages(), QStringList({"Paste channel: " + emptied,
                                       "Paste channel: A vote group cannot list itself.\nGroup "
                                       "CH15 lists CH15."}));
    EXPECT_TRUE(frmChnlBank->Channels->IsEmpty(40));
    EXPECT_TRUE(frmChnlBank->Channels->IsEmpty(14));
}

// A group that came with the image lists the empty CH15 and CH16: a channel added or pasted
// there joins it only when the user says so, and a member past channel 500 is refused like an
// empty one. The channel menu is opened by a right-click and its entry clicked.
TEST_F(ChannelBank, NoChannelJoinsAGroupUnseen) {
    Zoned(1, 10);
    PutGroup(40, 1, {3, 15, 16});
    PutGroup(41, 1, {41}); // a group listing a group, as the image came
    PutGroup(43, 1, {16});
    Open();
    auto choose = [](int number, QAction* entry) {
        SelectChannel(number);
        QTableWidget* list = frmChnlBank->listChannel;
        const QPoint at = list->visualItemRect(list->item(list->currentRow(), 1)).center();
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, at);
        QContextMenuEvent menuKey(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &menuKey);
        QMenu* menu = frmChnlBank->PopupMenuChannel;
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    };
    const QString asked = "Vote Group Member: CH%1 is a member of vote group CH41.\nA channel "
                          "put in CH%1 takes part in that group's voting.\nUse CH%1?";

    WhenShown<TfrmSelectChannel>([](TfrmSelectChannel* pick) {
        EXPECT_EQ(pick->cbChannel->currentText(), "11");
        for (int down = 0; down < 4; ++down)
            QTest::keyClick(pick->cbChannel, Qt::Key_Down);
        QTest::mouseClick(pick->btnOk, Qt::LeftButton);
    });
    WhenShown<TfrmEditChannel2>(
        [](TfrmEditChannel2* edit) { QTest::mouseClick(edit->OKBtn, Qt::LeftButton); });
    host.messageAnswers.enqueue(platform::IDOK);
    choose(1, frmChnlBank->popAddChannel);
    ASSERT_EQ(Messages(), QStringList{asked.arg(15)});
    EXPECT_EQ(host.messages[0].flags, 49);
    EXPECT_FALSE(frmChnlBank->Channels->IsEmpty(14));

    host.messages.clear();
    choose(1, frmChnlBank->mnuCopyChannel);
    WhenShown<TfrmChSelect>([](TfrmChSelect* pick) {
        for (int down = 0; down < 4; ++down) // 11, 12, 13, 14, 16
            QTest::keyClick(pick->cbChannel, Qt::Key_Down);
        EXPECT_EQ(pick->cbChannel->currentText(), "16");
        QTest::mouseClick(pick->btnOK, Qt::LeftButton);
    });
    host.messageAnswers.enqueue(platform::IDCANCEL);
    choose(1, frmChnlBank->mnuPasteChannel);
    EXPECT_EQ(Messages(), QStringList{"Vote Group Member: CH16 is a member of vote groups CH41 "
                                      "and CH44.\nA channel put in CH16 takes part in those "
                                      "groups' voting.\nUse CH16?"});
    EXPECT_TRUE(frmChnlBank->Channels->IsEmpty(15));

    // No group goes where a group lists it, nor is a group listing a group pasted.
    const QString nests = "A vote group cannot list a group channel.\nGroup CH%1 lists CH%2.";
    host.messages.clear();
    WhenShown<TfrmSelectChannel>([](TfrmSelectChannel* pick) {
        for (int down = 0; down < 4; ++down)
            QTest::keyClick(pick->cbChannel, Qt::Key_Down);
        QTest::mouseClick(pick->rbGroup, Qt::LeftButton);
        QTest::mouseClick(pick->btnOk, Qt::LeftButton);
    });
    choose(1, frmChnlBank->popAddChannel);
    choose(42, frmChnlBank->mnuCopyChannel);
    WhenShown<TfrmChSelect>([](TfrmChSelect* pick) {
        for (int down = 0; down < 4; ++down)
            QTest::keyClick(pick->cbChannel, Qt::Key_Down);
        QTest::mouseClick(pick->btnOK, Qt::LeftButton);
    });
    choose(1, frmChnlBank->mnuPasteChannel);
    EXPECT_EQ(Messages(), (QStringList{"Add Channel.: " + nests.arg(41).arg(16),
                                       "Paste channel: " + nests.arg(16).arg(41)}));
    EXPECT_TRUE(frmChnlBank->Channels->IsEmpty(15));

    // CH505: the low byte 249 with the member's ext bit set.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wide.mem"));
    const auto readChannelsOfTheImage = [&] {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Snapshot());
        file.close();
        host.messages.clear();
        host.fileAnswers.enqueue(path);
        frmChnlBank->menuReadChannels->trigger();
    };
    PutGroup(40, 1, {3, 505});
    readChannelsOfTheImage();
    EXPECT_EQ(Messages(), QStringList{"Read Channels: A vote group cannot list a channel the "
                                      "radio does not have.\nGroup CH41 lists CH505."});
    EXPECT_FALSE(frmChnlBank->Channels->IsEmpty(14)) << "the bank as it was";

    PutGroup(40, 1, {3});
    readChannelsOfTheImage();
    EXPECT_EQ(Messages(), QStringList{"Read Channels: " + nests.arg(42).arg(41)});
}

// Channel 15 of zone 2 listed by two groups: a group of another zone keeps zone 2 from
// being deleted wherever it stands; groups of zone 2 itself go with the zone.
TEST_F(ChannelBank, DeleteZoneLooksAtEveryGroupListingAChannel) {
    const QString used = "Delete Zone: Unable to delete CH15.\nChannel is used in Group CH%1.";
    const struct {
        int firstGroupZone, secondGroupZone;
        QString refusal; // empty: the zone is deleted
    } cases[] = {
        {2, 1, used.arg(41)},
        {1, 2, used.arg(31)},
        {2, 2, QString()},
    };
    for (const auto& c : cases) {
        host.messages.clear();
        Zoned(2, 10);
        PutGroup(30, c.firstGroupZone, {0, 15});
        PutGroup(40, c.secondGroupZone, {15});
        Open();
        ShowZone(2);
        host.messageAnswers.enqueue(platform::IDOK);
        frmChnlBank->mnuDeleteZoneClick();
        if (c.refusal.isEmpty()) {
            EXPECT_EQ(host.messages.size(), 1);
            for (int i : {14, 30, 40})
                EXPECT_TRUE(frmChnlBank->Channels->IsEmpty(i)) << i;
        } else {
            host.messageAnswers.clear();
            EXPECT_EQ(Messages(), QStringList{c.refusal});
            EXPECT_FALSE(frmChnlBank->Channels->IsEmpty(14));
            EXPECT_TRUE(ZoneIsActive(frmChnlBank->Zones[2]));
        }
        frmChnlBank->done(0);
    }
}

TEST_F(ChannelBank, DeleteZoneClearsItsChannels) {
    Zoned(3, 10);
    Open();
    ShowZone(2);
    host.messageAnswers.enqueue(platform::IDOK);
    frmChnlBank->mnuDeleteZoneClick();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "Delete Zone 2 ?\nAll Channels in zone will be erased!");
    EXPECT_EQ(host.messages[0].flags, 49);
    for (int i = 10; i < 20; ++i)
        EXPECT_TRUE(frmChnlBank->Channels->IsEmpty(i)) << i;
    EXPECT_FALSE(frmChnlBank->Channels->IsEmpty(20));
    EXPECT_EQ(frmChnlBank->TabControl1->count(), 3);
    EXPECT_EQ(frmChnlBank->CurrentZone, 3) << "the same tab position";
    EXPECT_FALSE(ZoneIsActive(frmChnlBank->Zones[2]));

    host.messages.clear();
    frmChnlBank->mnuDeleteZoneClick();
    ShowZone(1);
    frmChnlBank->mnuDeleteZoneClick();
    ASSERT_EQ(host.messages.size(), 2);
    EXPECT_EQ(host.messages[1].text, "Cannot delete zone.\nMust have at least one zone.");
    EXPECT_EQ(host.messages[1].flags, 0);
}

TEST_F(ChannelBank, ZonesOffListsAndCutsZonedChannelsAndGreysZoneCommands) {
    Zoned(2, 3);
    eeprom.SetByte(76, 0);
    Open();
    EXPECT_FALSE(frmChnlBank->ZonesOn);
    EXPECT_EQ(Listed().size(), 6u);
    SelectChannel(4);
    frmChnlBank->mnuCopyChannelClick();
    frmChnlBank->mnuCutChannelClick();
    EXPECT_TRUE(host.messages.isEmpty()) << Messages().join('\n').toStdString();
    EXPECT_TRUE(frmChnlBank->Channels->IsEmpty(3));
    frmChnlBank->PopupMenuZonesPopup();
    EXPECT_FALSE(frmChnlBank->popDeleteZone->isEnabled());
    EXPECT_FALSE(frmChnlBank->popEditZone->isEnabled());
    EXPECT_FALSE(frmChnlBank->mnuDeleteZone->isEnabled());
    frmChnlBank->PopupMenuChannelPopup();
    EXPECT_FALSE(frmChnlBank->mnuMovetoZone->isVisible());
    frmChnlBank->menuEnableZonesClick();
    frmChnlBank->PopupMenuChannelPopup();
    EXPECT_TRUE(frmChnlBank->mnuMovetoZone->isVisible());
    EXPECT_FALSE(frmChnlBank->mnuRemoveChannel->isVisible()) << "the Unused tab";
}

TEST_F(ChannelBank, DeleteInAnEmptyListWarnsOnlyWithZonesOn) {
    Zoned(1, 2);
    PutChannel(5, 0); // an unzoned channel: not listed with zones off
    eeprom.SetByte(76, 0);
    Open();
    frmChnlBank->Channels->ClearChannel(0);
    frmChnlBank->Channels->ClearChannel(1);
    frmChnlBank->Refresh();
    ASSERT_TRUE(Listed().empty());
    grid::SelectRow(frmChnlBank->listChannel, 1);
    frmChnlBank->btnDeleteChannelClick();
    EXPECT_TRUE(host.messages.isEmpty()) << Messages().join('\n').toStdString();
    EXPECT_FALSE(frmChnlBank->Channels->IsEmpty(5));

    frmChnlBank->menuEnableZonesClick();
    ShowZone(1);
    ASSERT_EQ(frmChnlBank->CurrentZone, 1);
    frmChnlBank->btnDeleteChannelClick();
    EXPECT_EQ(Messages(), QStringList({"Delete Channel: Zone 1 is empty."}));
    EXPECT_EQ(host.messages[0].flags, 48);
}

TEST_F(ChannelBank, MoveAddAndEditZones) {
    Zoned(2, 2);
    Open();
    SelectChannel(2);
    WhenShown<TfrmChSelect>([](TfrmChSelect* pick) {
        EXPECT_EQ(pick->windowTitle(), "Select zone.");
        pick->cbChannel->setCurrentText(QStringLiteral("2"));
        pick->btnOKClick();
    });
    frmChnlBank->mnuMovetoZoneClick();
    EXPECT_EQ(Listed(), std::vector<int>({1}));
    frmChnlBank->mnuRemoveChannelClick();
    EXPECT_EQ(frmChnlBank->Channels->GetZone(0), 0);

    WhenShown<TfrmAddZone>([](TfrmAddZone* add) {
        EXPECT_EQ(add->cbZone->itemText(0), "3");
        EXPECT_EQ(add->editName->text(), "ZONE 3");
        add->editName->setText(QStringLiteral("YARD"));
        add->btnOkClick();
    });
    frmChnlBank->mnuAddZoneClick();
    EXPECT_EQ(frmChnlBank->CurrentZone, 3);
    EXPECT_EQ(frmChnlBank->TabControl1->tabText(frmChnlBank->TabControl1->currentIndex()),
              "Zone 3");
    EXPECT_EQ(ZoneGetName(frmChnlBank->Zones[3]), "YARD     ");

    // OK in Edit Zone without changes keeps the stored 0 bytes.
    const ZoneRecord before = frmChnlBank->Zones[3];
    WhenShown<TfrmEditZone>([](TfrmEditZone* edit) {
        EXPECT_EQ(edit->windowTitle(), "Edit Zone 3");
        edit->btnOkClick();
    });
    frmChnlBank->mnuEditZoneClick();
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&frmChnlBank->Zones[3]), sizeof before),
              QByteArray(reinterpret_cast<const char*>(&before), sizeof before));
    // The name typed as it shows is stored so, spaces and all; the tag left alone stays.
    WhenShown<TfrmEditZone>([](TfrmEditZone* edit) {
        testsupport::TypeOver(edit->editZoneName, edit->editZoneName->text());
        edit->btnOkClick();
    });
    frmChnlBank->mnuEditZoneClick();
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(frmChnlBank->Zones[3].name), 9),
              QByteArray("YARD     "));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(frmChnlBank->Zones[3].tag), 2),
              QByteArray(reinterpret_cast<const char*>(before.tag), 2));
}

TEST_F(ChannelBank, OkChecksThenStores) {
    Zoned(2, 1);
    PutZone(3, QStringLiteral("EMPTY"));
    Open();
    const QByteArray before = Snapshot();
    frmChnlBank->btnOKClick();
    EXPECT_EQ(Messages(), QStringList({"Error: Zone3 has no channels."}));
    EXPECT_EQ(Snapshot(), before);
    EXPECT_TRUE(frmChnlBank->isVisible());

    host.messages.clear();
    frmChnlBank->menuEnableZonesClick();
    for (int i = 0; i < 2; ++i)
        frmChnlBank->Channels->SetZone(i, 0);
    frmChnlBank->btnOKClick();
    EXPECT_EQ(Messages(), QStringList({"Error: There are no visible channels.\nRadio requires "
                                       "at least one non-hidden channel."}));
    frmChnlBank->Channels->SetZone(1, 7);
    frmChnlBank->btnOKClick();
    EXPECT_EQ(frmChnlBank->result(), 1);
    EXPECT_EQ(eeprom.GetByte(76), 0x00);
    EXPECT_EQ(eeprom.GetByte(71), 0x80) << "bit 3 cleared";
    EXPECT_EQ(eeprom.GetByte(chlayout::Tag(1) + 3), 6);
}

TEST_F(ChannelBank, OkWithoutChangesKeepsEveryByte) {
    Zoned(3, 4);
    PutGroup(30, 2, {0, 5, 0, 300});
    PutChannel(299, 2, 1, 146012500, QStringLiteral("A"));
    eeprom.SetByte(chlayout::Tag(299), 0); // a tag of 0 bytes reads as two spaces
    eeprom.SetByte(chlayout::Tag(299) + 1, 0);
    eeprom.SetByte(ZoneOffset(2) + 11, 0x05); // zone flags the bank does not own
    eeprom.SetByte(71, 0x77);
    const QByteArray before = Snapshot();
    Open();
    ShowZone(2);
    for (int n : {31, 300}) {
        SelectChannel(n);
        WhenShown<TfrmGrpEdit>([](TfrmGrpEdit* group) { group->btnOKClick(); });
        WhenShown<TfrmEditChannel2>([](TfrmEditChannel2* edit) { edit->OKBtnClick(); });
        frmChnlBank->btnEditChannelClick();
        QApplication::processEvents();
        delete answers;
        answers = new QObject;
    }
    frmChnlBank->btnOKClick();
    EXPECT_TRUE(host.messages.isEmpty());
    const QByteArray after = Snapshot();
    for (int i = 0; i < after.size(); ++i)
        EXPECT_EQ(int(uint8_t(after[i])), int(uint8_t(before[i]))) << "byte " << i;

    // Random bytes: codes off every raster, tones past the list. The channel and group
    // editors, opened and closed with a click on OK, and the bank's OK change nothing.
    for (uint32_t seed : {11u, 12u, 13u}) {
        SCOPED_TRACE(seed);
        testsupport::FillFromSeed(eeprom.data, EEPROM::SIZE, seed);
        eeprom.SetByte(EEPROM::SIZE_BYTE, 16);
        eeprom.SetByte(74, eeprom.GetByte(74) & ~0x10); // no renumbering of tags
        for (int i = 0; i < CH_COUNT; ++i)              // zone bytes the store reads as they stand
            eeprom.data[chlayout::Tag(i) + 3] %= ZONE_COUNT;
        const QByteArray random = Snapshot();
        Open();
        ShowZone(0);
        const std::vector<int> listed = Listed();
        for (size_t k = 0; k < listed.size() && k < 6; ++k) {
            SelectChannel(listed[k]);
            WhenShown<TfrmGrpEdit>(
                [](TfrmGrpEdit* group) { QTest::mouseClick(group->btnOK, Qt::LeftButton); });
            WhenShown<TfrmEditChannel2>(
                [](TfrmEditChannel2* edit) { QTest::mouseClick(edit->OKBtn, Qt::LeftButton); });
            frmChnlBank->btnEditChannelClick();
            delete answers;
            answers = new QObject;
        }
        QTest::mouseClick(frmChnlBank->btnOK, Qt::LeftButton);
        EXPECT_EQ(testsupport::Changes(random, Snapshot()), std::vector<testsupport::Change>{})
            << Messages().join('\n').toStdString();
        host.messages.clear();
    }
}

TEST_F(ChannelBank, UntouchedNamesKeepTheirBytesAndEditedNamesAreStoredAsTyped) {
    Zoned(1, 3);
    const uint8_t odd[CH_NAME_LENGTH] = {0xC1, 'a', 0x80, '[', 0xFE, 0x1F, 0, 0xE9, 0x01};
    const uint8_t other[CH_NAME_LENGTH] = {0xC4, 'B', 0xA0, 0, 0, 0, 0, 0, 0};
    auto putName = [](int i, const uint8_t(&bytes)[CH_NAME_LENGTH]) {
        std::copy_n(bytes, 5, eeprom.data + chlayout::Record(i) + chlayout::RECORD_FIELDS);
        std::copy_n(bytes + 5, 4, eeprom.data + chlayout::NameTail(i));
    };
    auto nameBytes = [](int i) {
        QByteArray bytes(reinterpret_cast<const char*>(eeprom.data) + chlayout::Record(i) +
                             chlayout::RECORD_FIELDS,
                         5);
        return bytes +
               QByteArray(reinterpret_cast<const char*>(eeprom.data) + chlayout::NameTail(i), 4);
    };
    putName(1, odd);
    putName(2, other);
    putName(3, odd);                                // an erased channel outside any listed zone
    eeprom.SetByte(chlayout::Record(4) + 12, 0xFF); // erased bytes in a name stay erased
    const QByteArray before = Snapshot();
    Open();
    frmChnlBank->btnOKClick();
    EXPECT_TRUE(host.messages.isEmpty()) << Messages().join('\n').toStdString();
    const QByteArray after = Snapshot();
    for (int i = 0; i < after.size(); ++i)
        EXPECT_EQ(int(uint8_t(after[i])), int(uint8_t(before[i]))) << "byte " << i;

    // An edited name is stored as it reads; the untouched one keeps its bytes.
    Open();
    ch_normal_struct channel;
    frmChnlBank->Channels->GetNormal(channel, 2);
    channel.name = channel.name + QStringLiteral("x");
    frmChnlBank->Channels->SetNormal(channel, 2);
    frmChnlBank->btnOKClick();
    EXPECT_EQ(nameBytes(2), QByteArray("\xC4"
                                       "B\xA0x\0\0\0\0\0",
                                       9));
    EXPECT_EQ(nameBytes(1), QByteArray(reinterpret_cast<const char*>(odd), 9));

    // A deleted channel takes a new name with nothing of the old bytes.
    Open();
    SelectChannel(2);
    frmChnlBank->btnDeleteChannelClick();
    EXPECT_TRUE(frmChnlBank->Channels->IsEmpty(1));
    frmChnlBank->btnOKClick();
    EXPECT_EQ(nameBytes(1), QByteArray(9, '\0'));
}

// Names typed in the bank's dialogs reach the image as the key filters let them in ("_"
// kept, letters typed in upper case); tags keep the character rule.
TEST_F(ChannelBank, TypedNamesAreStoredAsTyped) {
    Zoned(2, 3);
    PutGroup(9, 2, {4});
    Open();
    ShowZone(2);
    auto type = [](QLineEdit* edit, const QString& text) {
        edit->clear();
        QTest::keyClicks(edit, text);
    };
    auto bytes = [](int offset, int count) {
        return QByteArray(reinterpret_cast<const char*>(eeprom.data) + offset, count);
    };
    auto channelName = [bytes](int i) {
        return bytes(chlayout::Record(i) + chlayout::RECORD_FIELDS, 5) +
               bytes(chlayout::NameTail(i), 4);
    };
    auto zoneName = [bytes](int z) { return bytes(ZoneOffset(z) + 2, 9); };
    const struct {
        std::function<void()> edit;
        std::function<QByteArray()> stored;
        QByteArray typed;
    } cases[] = {
        {[&] {
             SelectChannel(5);
             WhenShown<TfrmEditChannel2>([&](TfrmEditChannel2* edit) {
                 type(edit->txtChannelAlpha, QStringLiteral("ab_1 +"));
                 type(edit->editChTag, QStringLiteral("t_"));
                 edit->OKBtnClick();
             });
             frmChnlBank->btnEditChannelClick();
         },
         [&] { return channelName(4); }, QByteArray("AB_1 +\0\0\0", 9)},
        {[&] {
             SelectChannel(10);
             WhenShown<TfrmGrpEdit>([&](TfrmGrpEdit* group) {
                 type(group->txtChannelAlpha, QStringLiteral("vote_a"));
                 group->btnOKClick();
             });
             frmChnlBank->btnEditChannelClick();
         },
         [&] { return channelName(9); }, QByteArray("VOTE_A\0\0\0", 9)},
        {[&] {
             WhenShown<TfrmEditZone>([&](TfrmEditZone* zone) {
                 type(zone->editZoneName, QStringLiteral("north_2"));
                 zone->btnOkClick();
             });
             frmChnlBank->mnuEditZoneClick();
         },
         [&] { return zoneName(2); }, QByteArray("NORTH_2\0\0", 9)},
        {[&] {
             WhenShown<TfrmAddZone>([&](TfrmAddZone* add) {
                 type(add->editName, QStringLiteral("yard_3"));
                 add->btnOkClick();
             });
             frmChnlBank->mnuAddZoneClick();
             frmChnlBank->Channels->SetZone(0, 3); // a zone needs a channel for OK
         },
         [&] { return zoneName(3); }, QByteArray("YARD_3\0\0\0", 9)},
    };
    for (const auto& c : cases)
        c.edit();
    frmChnlBank->btnOKClick();
    ASSERT_TRUE(host.messages.isEmpty()) << Messages().join('\n').toStdString();
    for (const auto& c : cases)
        EXPECT_EQ(c.stored(), c.typed);
    EXPECT_EQ(eeprom.GetByte(chlayout::Tag(4)), 'T');
    EXPECT_EQ(eeprom.GetByte(chlayout::Tag(4) + 1), ' ') << "a tag keeps the character rule";
}

TEST_F(ChannelBank, ReadChannelsThenCancelLeavesTheImageAndOkStoresTheFile) {
    QTemporaryDir dir;
    Zoned(1, 3);
    const QByteArray original = Snapshot();

    // A 16 KiB file with two zones; a 4 KiB file holds only the start of the records.
    Zoned(2, 5, 100);
    eeprom.SetByte(76, 0x00);
    QByteArray full = Snapshot();
    const QString fullPath = dir.filePath(QStringLiteral("full.mem"));
    const QString shortPath = dir.filePath(QStringLiteral("short.mem"));
    for (const auto& [path, bytes] :
         {std::pair{fullPath, full}, std::pair{shortPath, full.left(4096)}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    std::copy(original.begin(), original.end(), eeprom.data);
    for (const QString& path : {fullPath, shortPath}) {
        host.messages.clear();
        Open();
        host.fileAnswers.enqueue(path);
        frmChnlBank->btnImportClick();
        EXPECT_EQ(Snapshot(), original) << path.toStdString();
        if (path == fullPath) {
            EXPECT_FALSE(frmChnlBank->ZonesOn);
            EXPECT_EQ(Listed(),
                      std::vector<int>({101, 102, 103, 104, 105, 106, 107, 108, 109, 110}));
        } else {
            EXPECT_EQ(Messages(), QStringList{"File Error: There is a problem reading the file"});
            EXPECT_TRUE(frmChnlBank->ZonesOn) << "the bank as it was";
            EXPECT_EQ(Listed(), std::vector<int>({1, 2, 3}));
        }
        frmChnlBank->btnCancelClick();
        EXPECT_EQ(frmChnlBank->result(), 1);
        EXPECT_EQ(Snapshot(), original);
    }

    Open();
    host.fileAnswers.enqueue(fullPath);
    frmChnlBank->btnImportClick();
    frmChnlBank->btnOKClick();
    QByteArray expected = original;
    for (const auto& [offset, length] : {std::pair{692, 7500}, std::pair{8192, 2000},
                                         std::pair{11132, 2000}, std::pair{13132, 600}})
        expected.replace(offset, length, full.mid(offset, length));
    expected[71] = char(original[71] & ~0x08);
    expected[76] = 0;
    EXPECT_EQ(Snapshot(), expected);

    host.messages.clear();
    Open();
    host.fileAnswers.enqueue(dir.path());
    frmChnlBank->btnImportClick();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].caption, "File Error");
}

// A file made for 8 KiB that still carries old bytes above 8191 (CH1's name tail "AME9" and
// zone 8, CH5's tag "QQ", the bits that make group CH10's CH2 and CH3 into CH258 and CH259):
// Read Channels, clicked in the menu, and OK take its own records alone, into a radio of
// either size, and ask nothing. Its first 8192 bytes alone are as good.
TEST_F(ChannelBank, ReadChannelsTakesNothingAboveTheSizeTheFileDeclares) {
    QByteArray file(EEPROM::SIZE, 0);
    testsupport::FillFromSeed(reinterpret_cast<uint8_t*>(file.data()), EEPROM::SIZE, 33);
    for (int i = 0; i < CH_COUNT; ++i) // visible normal channels
        file[chlayout::Record(i)] = char((file[chlayout::Record(i)] | 0x01) & ~0x02);
    file[EEPROM::SIZE_BYTE] = 8;
    file[76] = char(file[76] & 0x7F);
    file.replace(chlayout::Record(0) + chlayout::RECORD_FIELDS, 5, "SMALL");
    file.replace(chlayout::NameTail(0), 4, "AME9");
    file[chlayout::Tag(0) + 3] = 7;
    file.replace(chlayout::Tag(4), 2, "QQ");
    file[chlayout::Record(9)] = char(file[chlayout::Record(9)] | 0x03);
    file.replace(chlayout::Record(9) + 2, 8, QByteArray("\x02\x03\0\0\0\0\0\0", 8));
    file[chlayout::Tag(9) + 2] = 0x03;
    file[chlayout::Tag(9) + 3] = 0;
    QTemporaryDir dir;
    QStringList paths;
    for (const int length : {EEPROM::SIZE, EEPROM::SMALL_SIZE}) {
        paths << dir.filePath(QStringLiteral("small%1.mem").arg(length));
        QFile out(paths.last());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(file.left(length));
    }

    for (const auto& [bankSizeByte, path] :
         {std::pair{16, paths[0]}, std::pair{16, paths[1]}, std::pair{8, paths[0]}}) {
        SCOPED_TRACE(path.toStdString() + " into " + std::to_string(bankSizeByte));
        EraseImage();
        eeprom.SetByte(EEPROM::SIZE_BYTE, uint8_t(bankSizeByte));
        const QByteArray before = Snapshot();
        host.messages.clear();
        Open();
        QMenuBar* bar = frmChnlBank->MainMenu;
        QMenu* fileMenu = bar->actions().first()->menu();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(fileMenu->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitFor([fileMenu] { return fileMenu->isVisible(); }));
        host.fileAnswers.enqueue(path);
        QTest::mouseClick(fileMenu, Qt::LeftButton, {},
                          fileMenu->actionGeometry(frmChnlBank->menuReadChannels).center());
        QTest::mouseClick(frmChnlBank->btnOK, Qt::LeftButton);
        EXPECT_TRUE(host.messages.isEmpty()) << Messages().join('\n').toStdString();
        EXPECT_EQ(frmChnlBank->result(), 1);

        QByteArray expected = before;
        expected.replace(chlayout::RECORDS, 7500, file.mid(chlayout::RECORDS, 7500));
        expected[71] = char(before[71] & ~0x08);
        expected[74] = char(before[74] & ~0x10);
        if (bankSizeByte == 16) {
            // Names end at 5 characters, tags are empty, ext 0 and every channel in zone 1.
            expected.replace(chlayout::NAME_TAIL, 2000, QByteArray(2000, char(0xFF)));
            for (int i = 0; i < CH_COUNT; ++i)
                expected.replace(chlayout::Tag(i), 4, QByteArray("\xFF\xFF\0\0", 4));
            expected[76] = char(before[76] & 0x7F);
        }
        EXPECT_EQ(Snapshot(), expected);
    }
}

// Read Channels takes any regular file that holds what it reads; anything else is refused
// at once.
TEST_F(ChannelBank, ReadChannelsRefusesWhatIsNoFileAndKeepsTheChannels) {
    QTemporaryDir dir;
    Zoned(2, 5, 100);
    const QByteArray file = Snapshot();
    Zoned(1, 3);
    const QByteArray original = Snapshot();
    for (const auto& [kind, name] : testsupport::ODD_FILES) {
        SCOPED_TRACE(name);
        const QString folder = dir.filePath(QString::fromLatin1(name));
        QDir().mkpath(folder);
        const QString path = folder + QStringLiteral("/bank.mem");
        ASSERT_TRUE(testsupport::MakeOddFile(path, kind, file.left(4096), file + file));
        host.messages.clear();
        Open();
        host.fileAnswers.enqueue(path);
        EXPECT_TRUE(testsupport::EndsWithoutWaiting(path, [] { frmChnlBank->btnImportClick(); }));
        const bool usable = kind == testsupport::OddFile::TooBig;
        if (usable)
            EXPECT_TRUE(host.messages.isEmpty()) << Messages().join('\n').toStdString();
        else
            EXPECT_EQ(Messages(), QStringList{"File Error: There is a problem reading the file"});
        EXPECT_EQ(frmChnlBank->Channels->IsEmpty(0), usable);
        EXPECT_EQ(frmChnlBank->Channels->IsEmpty(100), !usable);
        frmChnlBank->btnCancelClick();
        EXPECT_EQ(Snapshot(), original);
    }
}

TEST_F(ChannelBank, RenumberRequestSurvivesVoteSetupAndCancel) {
    Zoned(1, 3);
    eeprom.SetByte(74, 0x10);
    Open();
    EXPECT_EQ(frmChnlBank->Channels->GetZone(0), 1);
    ch_normal_struct channel;
    frmChnlBank->Channels->GetNormal(channel, 2);
    EXPECT_EQ(channel.GetTag(), "03");
    WhenShown<TfrmEditVote>([](TfrmEditVote* vote) {
        EXPECT_EQ(eeprom.GetByte(74) & 0x10, 0x10) << "the image's own request";
        vote->btnCancelClick();
    });
    frmChnlBank->editVoteOptionsClick();
    frmChnlBank->btnCancelClick();
    EXPECT_EQ(eeprom.GetByte(74), 0x10);
    Open();
    frmChnlBank->btnOKClick();
    EXPECT_EQ(eeprom.GetByte(74), 0x00);
}
