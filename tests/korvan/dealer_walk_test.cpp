// The dealer walk over the channel table and its dialogs, the selcall idents, the
// user-defined buttons and the alignment boxes, on fixed seeds.
#include "Korvan_fixture.h"
#include "Walk_editors.h"

namespace {

struct Row {
    uint32_t seed;
    unsigned odd; // what the image holds beyond what the program writes
};

class DealerWalk : public KorvanFixture {
protected:
    void WalkRows(std::initializer_list<Row> rows) {
        for (const Row& row : rows) {
            SCOPED_TRACE(testing::Message() << "seed " << row.seed << ", odd " << row.odd);
            walk::Dice image(row.seed), dice(row.seed + 1);
            walk::Walk(image, dice, row.odd, host,
                       [](const std::string& broken) { ADD_FAILURE() << broken; }, 12);
            host.messages.clear();
        }
    }
};

} // namespace

TEST_F(DealerWalk, EveryOkKeepsWhatTheUserDidNotTouch) {
    WalkRows({{1, walk::Tame}, {2, walk::Tame}, {3, walk::OddMembers}});
}
