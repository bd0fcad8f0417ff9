// Every form shows its captions, titles, column headers and grid cells whole, at the
// desktop's font and at a large one.
#include "Chandata.h"
#include "Chdata.h"
#include "Form.h"
#include "Grpedit.h"
#include "Korvan_fixture.h"
#include "support/Pty.h"
#include "support/Text_fit.h"

TEST_F(KorvanFixture, EveryFormShowsItsTextsWhole) {
    for (int port = 1; port <= 4; ++port)
        testsupport::mapComPort(port, FilePath(QStringLiteral("no-such-port")));
    for (const qreal scale : testsupport::DesktopFontScales) {
        SCOPED_TRACE(scale);
        const testsupport::DesktopFont font(scale);
        DestroyForms();
        CreateForms();
        // The group editor opens from the channel table, which hands it its store and a group.
        ChData store(CH_COUNT);
        int slot = 0;
        const QStringList cuts =
            testsupport::cutTextsOfProgram(frmBelmar, platform::titleBarWidth, [&] {
                // Every byte different: the grids show texts of every width.
                for (int i = 0; i < IMAGE_SIZE; ++i)
                    frmBelmar->RadioData[i] = uint8_t(i * 7 + 3);
                frmGrpEdit->SetGroupData(&slot, &store, 0, &frmChannelData->DefaultGroupChannel);
            });
        EXPECT_TRUE(cuts.isEmpty()) << cuts.join(QLatin1Char('\n')).toStdString();
    }
}
