#pragma once
// Forms as the program makes them, a UHF image, and answers for the modal dialogs that
// the channel dialogs open.

#include "Chdata.h"
#include "Korvan_fixture.h"
#include "support/Waits.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <memory>

class ChannelFixture : public KorvanFixture {
protected:
    void SetUp() override {
        KorvanFixture::SetUp();
        frmBelmar->RadioData[BAND_BYTE] = 0x80;
    }
    void TearDown() override {
        delete answers;
        KorvanFixture::TearDown();
    }

    // Runs `act` on the next modal dialog of class D once it is shown; fails (and closes
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
                    open->reject();
            }
        });
        timer->start(5);
    }

    // Writes channels straight into the image, as a programming file would hold them.
    void PutNormal(int slot, uint32_t hz, uint8_t flags6 = chflags::Enabled,
                   const QString& name = QString()) {
        ChData store(CH_COUNT);
        store.SetVhfCodec(frmBelmar->RadioData[BAND_BYTE] & 0x80 ? 0 : 1);
        store.LoadFromImage(frmBelmar->RadioData);
        CH_NORMAL_STRUCT channel;
        channel.TxFreq = channel.RxFreq = hz;
        channel.TxTone = channel.RxTone = 50;
        channel.Flags6 = flags6;
        channel.Name = name;
        store.SetNormal(channel, slot);
        store.SaveToImage(frmBelmar->RadioData);
    }

    void PutGroup(int slot, std::initializer_list<int> members, bool eight = false) {
        ChData store(CH_COUNT);
        store.LoadFromImage(frmBelmar->RadioData);
        CH_GROUP_STRUCT group;
        int p = 0;
        for (int member : members)
            group.Member[p++] = uint32_t(member);
        group.Flags6 = eight ? chflags::Group8 : 0;
        store.SetGroup(group, slot);
        store.SaveToImage(frmBelmar->RadioData);
    }

    QObject* answers = new QObject;
};
