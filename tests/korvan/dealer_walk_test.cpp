// The dealer walk over the channel table and its dialogs, the selcall idents, the
// user-defined buttons, the selcall and radio options, the code word, the group channel
// timers and the alignment boxes, Read from File and Write to Radio against a simulated radio,
// on fixed seeds.
#include "Link_fixture.h"
#include "Walk.h"

namespace {

class DealerWalk : public LinkFixture {
protected:
    // Each row: a seed, and what the image holds beyond what the program writes.
    void WalkRows(std::initializer_list<std::pair<uint32_t, unsigned>> rows) {
        for (auto [seed, odd] : rows) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << ", odd " << odd);
            walk::Dice image(seed), dice(seed + 1);
            walk::Walk(
                image, dice, odd, host, [](const std::string& broken) { ADD_FAILURE() << broken; },
                24, &radio);
            host.messages.clear();
        }
    }
};

} // namespace

TEST_F(DealerWalk, EveryCloseKeepsWhatTheUserDidNotTouch) {
    WalkRows({{1, walk::Tame},          {2, walk::Tame},          {3, walk::Tame},
              {6, walk::Tame},          {9, walk::Tame},          {10, walk::Tame},
              {11, walk::Tame},         {4, walk::OddMembers},    {5, walk::OddMembers},
              {7, walk::OddMembers},    {3, walk::ToneCodes},     {1, walk::OddSettings},
              {2, walk::OddSettings},   {15, walk::OffStepCodes}, {101, walk::OddTexts},
              {102, walk::OddTexts},    {103, walk::OddTexts},    {105, walk::Tame},
              {106, walk::Tame},        {107, walk::ToneCodes},   {108, walk::OddMembers},
              {109, walk::OddSettings}, {110, walk::OddSettings}, {111, walk::OffStepCodes},
              {112, walk::Tame},        {113, walk::Tame},        {114, walk::Tame},
              {115, walk::Tame},        {116, walk::Tame},        {117, walk::Tame},
              {100, walk::OddTexts},    {104, walk::OddTexts},    {118, walk::OddTexts},
              {124, walk::OddTexts},    {127, walk::OddSettings}, {138, walk::OddTexts},
              {144, walk::OddTexts},    {147, walk::OddTexts},    {152, walk::OddTexts},
              {154, walk::OddTexts},    {158, walk::OddTexts}});
}
