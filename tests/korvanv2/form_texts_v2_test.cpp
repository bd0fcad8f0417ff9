// Every form shows its captions, titles, column headers and grid cells whole, at the
// desktop's font and at a large one.
#include "Addzone.h"
#include "Chanedit_p.h"
#include "Chdata.h"
#include "Editzone.h"
#include "Form.h"
#include "Grpedit.h"
#include "Korvanv2_fixture.h"
#include "support/Text_fit.h"

TEST_F(Korvanv2Fixture, EveryFormShowsItsTextsWhole) {
    for (const qreal scale : testsupport::DesktopFontScales) {
        SCOPED_TRACE(scale);
        const testsupport::DesktopFont font(scale);
        frmBelmar->FormClose();
        DestroyForms();
        CreateForms();
        // The channel bank hands its dialogs a store, a record and the last channel's caption.
        ChData store(CH_COUNT);
        ch_group_struct group{};
        ch_normal_struct channel{};
        const QStringList cuts =
            testsupport::cutTextsOfProgram(frmBelmar, platform::titleBarWidth, [&] {
                // Every byte different: the grids show texts of every width.
                FillImage(3);
                frmGrpEdit->SetGroupData(CH_COUNT - 1, &store, &group);
                frmGrpEdit->SetCaption(QStringLiteral("Edit Group Channel %1").arg(CH_COUNT));
                frmEditChannel2->SetChannel(CH_COUNT - 1, &channel, &store);
                frmEditChannel2->SetCaption(QStringLiteral("Edit Channel %1").arg(CH_COUNT));
                frmAddZone->SetZoneList({ZONE_COUNT});
                frmEditZone->SetZoneNumber(ZONE_COUNT);
            });
        EXPECT_TRUE(cuts.isEmpty()) << cuts.join(QLatin1Char('\n')).toStdString();
    }
}
