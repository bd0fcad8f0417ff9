// The main window's "Read from Radio" and "Write to Radio" against a simulated radio.

#include "Link_fixture.h"

#include "Main.h"
#include "Radio_rw.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using platform::IDCANCEL;
using platform::IDOK;
using testsupport::FirstGenRadio;

namespace {

class RadioCommands : public LinkFixture {};

constexpr int WHOLE_JOB_LIMIT_MS = 60000;

} // namespace

TEST_F(RadioCommands, ReadFromRadioLoadsTheWholeImageAndShowsTheVersion) {
    QByteArray memory = pattern(20);
    memory[40] = char(0x80); // UHF
    radio.setMemory(memory);
    host.messageAnswers.enqueue(IDOK);
    const JobOutcome outcome = runJob([] { frmBelmar->btnReadRadioClick(); }, WHOLE_JOB_LIMIT_MS);
    EXPECT_FALSE(outcome.watchdog);
    EXPECT_TRUE(outcome.message.isEmpty()) << outcome.message.toStdString();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, "All current edit data will be lost");
    EXPECT_EQ(host.messages[0].caption, "Read from Radio?");
    EXPECT_EQ(host.messages[0].flags, 33);
    EXPECT_EQ(frmReadWrite->Mode, TfrmReadWrite::MODE_DONE);
    EXPECT_EQ(image(), memory);
    EXPECT_EQ(frmBelmar->lblVersion->text(), "V1.07A");
    EXPECT_EQ(frmBelmar->lblRadioType->text(), "Korvan UHF");
    EXPECT_EQ(frmBelmar->StatusText(0), "Current Radio data loaded");
    EXPECT_EQ(frmBelmar->RadioReadCount, 1);
    EXPECT_GE(radio.count(4), IMAGE_SIZE / 8);
}

// The radio's calibration block is read first: data made for a VHF radio is named before
// it goes to a UHF radio, which keeps its calibration.
TEST_F(RadioCommands, WriteToRadioSendsFrom48UpAndOnlyWhatDiffers) {
    QByteArray edited = pattern(21);
    edited[40] = char(0x00); // VHF
    QByteArray memory = edited;
    memory.replace(0, 48, pattern(22).left(48)); // the radio's own calibration
    memory[40] = char(0x80);                     // UHF
    int differing = 0;
    for (int block = 48; block < IMAGE_SIZE; block += 32, ++differing)
        memory[block + 3] = char(~memory[block + 3]);
    radio.setMemory(memory);
    setImage(edited);
    frmBelmar->CurrentFile = "/tmp/radio.mem";
    host.messageAnswers.enqueue(IDOK);
    const JobOutcome outcome = runJob([] { frmBelmar->btnWriteRadioClick(); }, WHOLE_JOB_LIMIT_MS);
    EXPECT_FALSE(outcome.watchdog);
    EXPECT_TRUE(outcome.message.isEmpty()) << outcome.message.toStdString();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text,
              "Radio has not been read.\n"
              "The data was made for a VHF radio; this radio is UHF.\n"
              "The radio keeps its own calibration block, so the channels will not be on the "
              "frequencies the data shows.\n"
              "All current radio data will be lost.");
    EXPECT_EQ(host.messages[0].caption, "Write to radio?");
    EXPECT_EQ(host.messages[0].flags, 49);
    EXPECT_EQ(frmReadWrite->Mode, TfrmReadWrite::MODE_DONE);
    EXPECT_EQ(radio.memory().mid(48), edited.mid(48));
    EXPECT_EQ(radio.memory().left(48), memory.left(48)) << "calibration untouched";
    EXPECT_EQ(image(), edited);
    EXPECT_GE(radio.count(5), differing) << "a block write repeats only after a time-out";
    EXPECT_LE(radio.count(5), differing + 3);
    EXPECT_EQ(frmBelmar->StatusText(0), "File loaded: /tmp/radio.mem");
}

TEST_F(RadioCommands, CancelledQuestionOrJobLeavesNothingLoaded) {
    QByteArray ours = pattern(23);
    ours[40] = char(0x00); // VHF, as the radio's
    QByteArray radioMemory = pattern(24);
    radioMemory[40] = char(0x00);
    radio.setMemory(radioMemory);
    setImage(ours);
    // The buttons and the menu entries are enabled and share the handlers.
    for (QPushButton* button : {frmBelmar->btnReadRadio, frmBelmar->btnWriteRadio})
        EXPECT_TRUE(button->isEnabled());
    for (QAction* entry : {frmBelmar->mnuReadRadio, frmBelmar->mnuWriteRadio})
        EXPECT_TRUE(entry->isEnabled());
    frmBelmar->lblRadioType->setText(QStringLiteral("Korvan VHF"));
    frmBelmar->lblVersion->setText(QStringLiteral("V1.06"));
    host.messageAnswers << IDCANCEL << IDCANCEL;
    frmBelmar->btnReadRadio->click();
    frmBelmar->mnuReadRadio->trigger();
    EXPECT_TRUE(radio.frames().isEmpty());
    frmBelmar->RadioReadCount = 2;
    host.messageAnswers << IDCANCEL << IDCANCEL;
    frmBelmar->btnWriteRadio->click();
    frmBelmar->mnuWriteRadio->trigger();
    ASSERT_EQ(host.messages.size(), 4);
    EXPECT_EQ(host.messages[1].caption, "Read from Radio?");
    EXPECT_EQ(host.messages[3].text, "All current radio data will be lost.");
    EXPECT_EQ(host.messages[3].caption, "Write to radio?");
    EXPECT_EQ(image(), ours);
    EXPECT_EQ(radio.count(5), 0) << "the radio was only read before the question";
    QCoreApplication::processEvents();
    EXPECT_EQ(frmBelmar->lblVersion->text(), "V1.06") << "a write not started keeps the labels";

    // A radio without a version fails the read before the question, which keeps them too.
    FirstGenRadio::Faults noVersion;
    noVersion.noVersion = true;
    radio.setFaults(noVersion);
    const int asked = host.messages.size();
    const JobOutcome probe =
        runJob([] { QTest::mouseClick(frmBelmar->btnWriteRadio, Qt::LeftButton); });
    EXPECT_EQ(probe.message, "Failed while trying to read radio version.");
    EXPECT_EQ(host.messages.size(), asked) << "nothing asked";
    QCoreApplication::processEvents();
    EXPECT_EQ(frmBelmar->lblVersion->text(), "V1.06");
    EXPECT_EQ(frmBelmar->lblRadioType->text(), "Korvan VHF");
    radio.setFaults(FirstGenRadio::Faults());

    // Cancel during the read: the image the user had comes back with its labels, the status
    // is empty and the radio on the line counts as never read.
    host.messageAnswers.enqueue(IDOK);
    runJob([] { frmBelmar->btnReadRadioClick(); }, WHOLE_JOB_LIMIT_MS,
           [&] {
               if (radio.count(4) >= 5)
                   frmReadWrite->btnCancel->click();
           });
    EXPECT_EQ(frmReadWrite->Mode, TfrmReadWrite::MODE_FAILED);
    EXPECT_EQ(image(), ours);
    EXPECT_EQ(frmBelmar->StatusText(0), "");
    EXPECT_EQ(frmBelmar->lblVersion->text(), "V1.06") << "the kept image's";
    EXPECT_EQ(frmBelmar->lblRadioType->text(), "Korvan VHF");
    EXPECT_EQ(frmBelmar->RadioReadCount, 0);
    host.messageAnswers.enqueue(IDCANCEL);
    frmBelmar->btnWriteRadioClick();
    EXPECT_EQ(host.messages.last().text,
              "Radio has not been read.\nAll current radio data will be lost.");

    // A failed write still shows the file in the status bar. The radio falls silent once the
    // write itself runs (at whichever of its steps), after the read before the question.
    FirstGenRadio::Faults silent;
    silent.silent = true;
    frmBelmar->CurrentFile = "x.mem";
    host.messageAnswers.enqueue(IDOK);
    const JobOutcome outcome = runJob([] { frmBelmar->btnWriteRadioClick(); }, 20000,
                                      [&] {
                                          if (frmReadWrite->Mode == TfrmReadWrite::MODE_WRITE)
                                              radio.setFaults(silent);
                                      });
    EXPECT_FALSE(outcome.message.isEmpty());
    EXPECT_EQ(frmReadWrite->Mode, TfrmReadWrite::MODE_FAILED);
    EXPECT_EQ(frmBelmar->StatusText(0), "File loaded: x.mem");
}
