// Opens the channel bank on a full 500-channel image, shows each of 50 zone tabs and closes
// with OK; prints the times. Aim: under 100 ms to open, under 20 ms a tab.
#include "Chanedit_p.h"
#include "Chdata.h"
#include "Chnlbank.h"
#include "Eeprom.h"
#include "Zones.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabBar>
#include <cstdio>

namespace {

void FullImage() {
    eeprom.Erase();
    ChData store(CH_COUNT);
    for (int i = 0; i < CH_COUNT; ++i) {
        ch_normal_struct channel;
        channel.flags = 1;
        channel.txFreq = channel.rxFreq = 477000000 + 12500u * uint32_t(i);
        channel.txTone = channel.rxTone = i % 155;
        channel.name = DefaultChannelName(i);
        channel.SetTag(DefaultChannelTag(i));
        channel.zone = uint8_t(i / 10 + 1);
        store.SetNormal(channel, i);
    }
    store.SaveToImage(eeprom.data);
    for (int z = 1; z <= ZONE_COUNT; ++z) {
        ZoneRecord zone;
        ZoneSetName(zone, QStringLiteral("ZONE %1").arg(z));
        ZoneWrite(zone, eeprom.data, ZoneOffset(z));
    }
    eeprom.SetByte(76, 0x80);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FullImage();
    frmEditChannel2 = new TfrmEditChannel2;
    frmChnlBank = new TfrmChnlBank;
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer timer;
        timer.start();
        frmChnlBank->show();
        QApplication::processEvents();
        const double open = timer.nsecsElapsed() / 1e6;
        double slowest = 0;
        timer.restart();
        for (int tab = 1; tab <= ZONE_COUNT; ++tab) {
            QElapsedTimer one;
            one.start();
            frmChnlBank->TabControl1->setCurrentIndex(tab);
            QApplication::processEvents();
            slowest = std::max(slowest, one.nsecsElapsed() / 1e6);
        }
        const double tabs = timer.nsecsElapsed() / 1e6;
        timer.restart();
        frmChnlBank->btnOKClick();
        const double ok = timer.nsecsElapsed() / 1e6;
        std::printf("round %d: open %.1f ms, 50 tabs %.1f ms (%.2f ms a tab, slowest %.2f), "
                    "OK %.1f ms\n",
                    round + 1, open, tabs, tabs / ZONE_COUNT, slowest, ok);
    }
    delete frmChnlBank;
    delete frmEditChannel2;
    return 0;
}
