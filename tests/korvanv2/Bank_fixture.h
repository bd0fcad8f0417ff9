#pragma once
// Fixture for the channel bank and its dialogs: every form it opens made fresh, a scripted
// host, answers for the modal dialogs the bank opens, and images built channel by channel.

#include "Addzone.h"
#include "Cb_opts.h"
#include "Chanedit_p.h"
#include "Chdata.h"
#include "Chnlbank.h"
#include "Chselect.h"
#include "Editvote.h"
#include "Editzone.h"
#include "Editzones.h"
#include "Eeprom.h"
#include "Grpedit.h"
#include "Selectchnl.h"
#include "String_grid.h"
#include "Zones.h"
#include "platform/ScriptedHost.h"
#include "support/Waits.h"

#include <QApplication>
#include <QByteArray>
#include <QElapsedTimer>
#include <QTableWidget>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

class BankFixture : public ::testing::Test {
protected:
    void SetUp() override {
        EraseImage();
        frmEditChannel2 = new TfrmEditChannel2;
        frmGrpEdit = new TfrmGrpEdit;
        frmChnlBank = new TfrmChnlBank;
        frmEditZones = new TfrmEditZones;
        frmEditZone = new TfrmEditZone;
        frmAddZone = new TfrmAddZone;
        frmSelectChannel = new TfrmSelectChannel;
        frmChSelect = new TfrmChSelect;
        frmEditVote = new TfrmEditVote;
    }
    void TearDown() override {
        delete answers;
        for (QWidget* form : std::initializer_list<QWidget*>{
                 frmEditVote, frmChSelect, frmSelectChannel, frmAddZone, frmEditZone, frmEditZones,
                 frmChnlBank, frmGrpEdit, frmEditChannel2})
            delete form;
    }

    // The erased image of a radio of 16 KiB.
    static void EraseImage() {
        eeprom.Erase();
        eeprom.SetByte(EEPROM::SIZE_BYTE, EEPROM::SIZE >> 10);
    }

    // An image as the program itself writes one: no channels, zones on, no zone active.
    static void BlankImage() {
        EraseImage();
        ChData store(CH_COUNT);
        for (int i = 0; i < CH_COUNT; ++i) {
            store.SetZone(i, 0);
            store.SetTag(i, QString());
        }
        store.SaveToImage(eeprom.data);
        for (int z = 1; z <= ZONE_COUNT; ++z) {
            ZoneRecord zone;
            ZoneSetActive(zone, false);
            ZoneWrite(zone, eeprom.data, ZoneOffset(z));
        }
        for (int offset : {40, 71, 74, 76})
            eeprom.SetByte(offset, 0x80);
    }

    static void PutChannel(int i, int zone, uint8_t flags = 1, uint32_t hz = 477000000,
                           const QString& name = QString()) {
        ChData store(CH_COUNT);
        store.LoadFromImage(eeprom.data);
        ch_normal_struct channel;
        channel.flags = flags;
        channel.txFreq = channel.rxFreq = hz;
        channel.zone = uint8_t(zone);
        channel.name = name.isNull() ? DefaultChannelName(i) : name;
        channel.SetTag(DefaultChannelTag(i));
        store.SetNormal(channel, i);
        store.SaveToImage(eeprom.data);
    }

    static void PutGroup(int i, int zone, std::initializer_list<int> members) {
        ChData store(CH_COUNT);
        store.LoadFromImage(eeprom.data);
        ch_group_struct group;
        std::copy(members.begin(), members.end(), group.member);
        group.zone = uint8_t(zone);
        store.SetGroup(group, i);
        store.SaveToImage(eeprom.data);
    }

    static void PutZone(int z, const QString& name) {
        ZoneRecord zone;
        ZoneSetName(zone, name);
        ZoneSetTag(zone, QString::number(z));
        ZoneWrite(zone, eeprom.data, ZoneOffset(z));
    }

    static QByteArray Snapshot() {
        return QByteArray(reinterpret_cast<const char*>(eeprom.data), EEPROM::SIZE);
    }

    static void Open() {
        frmChnlBank->show();
        QApplication::processEvents();
    }

    // Channel numbers of the grid's rows.
    static std::vector<int> Listed() {
        std::vector<int> numbers;
        for (int row = 0; row < frmChnlBank->listChannel->rowCount(); ++row)
            if (int n = grid::Cell(frmChnlBank->listChannel, row, 0).toInt())
                numbers.push_back(n);
        return numbers;
    }

    static void SelectChannel(int number) {
        QTableWidget* list = frmChnlBank->listChannel;
        for (int row = 0; row < list->rowCount(); ++row)
            if (grid::Cell(list, row, 0).toInt() == number)
                grid::SelectRow(list, row);
    }

    static void ShowZone(int z) {
        for (int tab = 0; tab <= ZONE_COUNT; ++tab)
            if (frmChnlBank->TabZones[tab] == z && (z != 0 || tab == 0))
                frmChnlBank->TabControl1->setCurrentIndex(tab);
    }

    // Runs `act` on the next modal dialog of class D once it shows; fails (and closes
    // whatever is open) when none shows within the wait limit.
    template <class D> void WhenShown(std::function<void(D*)> act) {
        auto* timer = new QTimer(answers);
        auto waited = std::make_shared<QElapsedTimer>();
        waited->start();
        QObject::connect(timer, &QTimer::timeout, [timer, act, waited] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* dialog = qobject_cast<D*>(modal)) {
                timer->stop();
                act(dialog);
            } else if (waited->elapsed() > testsupport::WAIT_LIMIT_MS) {
                timer->stop();
                ADD_FAILURE() << "expected dialog " << D::staticMetaObject.className();
                if (auto* open = qobject_cast<QDialog*>(modal))
                    open->done(0);
            }
        });
        timer->start(5);
    }

    platform::ScriptedHost host;
    QObject* answers = new QObject;
};
