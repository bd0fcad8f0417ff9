// The habits every form of the second program keeps: scroll bars in the Tab order, Tab
// leaving every grid, readable progress texts and a dialog's title bar on every dialog.

#include "Korvanv2_fixture.h"
#include "support/FormHabits.h"

TEST_F(Korvanv2Fixture, EveryFormKeepsTheKeyboardAndDrawingHabits) {
    testsupport::ExpectFormHabits(frmBelmar);
}
