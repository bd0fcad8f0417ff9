// The habits every form keeps: one FormShow per opening (a window restored from minimised
// is no new opening, nor a page shown again or a box left), no button that Enter clicks
// unless the form names it, Escape's modal result, Enter in the edit boxes of the dialogs
// that talk to the radio, and Tab leaving grids.

#include "Chandata.h"
#include "Chanedit_p.h"
#include "Chselect.h"
#include "Com_port.h"
#include "Eng_edit.h"
#include "Form.h"
#include "Grpedit.h"
#include "Image_checks.h"
#include "Link_fixture.h"
#include "Main.h"
#include "Print.h"
#include "Radio_rw.h"
#include "String_grid.h"
#include "Tune_radio.h"
#include "Tuning_fixture.h"
#include "support/FormHabits.h"
#include "support/Typing.h"
#include "support/Waits.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <tuple>

namespace {

// What a window manager does when the user minimises a window and brings it back. On the
// offscreen platform showMinimized() and showNormal() deliver the same spontaneous hide and
// show events that a desktop sends (QTest cannot mark a show event spontaneous through
// sendEvent, which clears the flag).
void MinimiseAndRestore(QWidget* window) {
    window->showMinimized();
    QCoreApplication::processEvents();
    window->showNormal();
    QCoreApplication::processEvents();
}

void PressEnter(QWidget* box) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    QCoreApplication::processEvents();
}

// Closes any modal dialog that opens while it lives, and remembers its class: Enter that
// clicked a button would open one.
class ModalCatcher {
public:
    ModalCatcher() {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                opened << modal->metaObject()->className();
                modal->reject();
            }
        });
        timer.start(10);
    }
    QStringList opened;

private:
    QTimer timer;
};

class CountingForm : public Form {
public:
    explicit CountingForm(int cancelResult = mrNone) : Form(nullptr, cancelResult) {
        box = new QLineEdit(this);
        first = new QPushButton(QStringLiteral("First"), this);
        named = new QPushButton(QStringLiteral("Named"), this);
        buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        auto* layout = new QVBoxLayout(this);
        for (QWidget* w : std::initializer_list<QWidget*>{box, first, named, buttons})
            layout->addWidget(w);
        for (QPushButton* button : findChildren<QPushButton*>())
            connect(button, &QPushButton::clicked, this, [this, button] { clicked << button; });
    }
    void FormShow() override { ++openings; }
    void Name() { MakeDefault(named); }

    int openings = 0;
    QList<QPushButton*> clicked;
    QLineEdit* box;
    QPushButton* first;
    QPushButton* named;
    QDialogButtonBox* buttons;
};

// A form whose FormShow lengthens its text, as loading the image does.
class GrowingForm : public Form {
public:
    explicit GrowingForm(QWidget* owner) : Form(owner) {
        label = new QLabel(QStringLiteral("short"));
        (new QVBoxLayout(this))->addWidget(label);
    }
    void FormShow() override { label->setText(QString(40, QLatin1Char('W'))); }

    QLabel* label;
};

} // namespace

TEST(FormHabits, AFormIsPlacedAtTheSizeItsFormShowGaveIt) {
    QWidget owner;
    owner.setGeometry(100, 100, 700, 500);
    owner.show();
    for (int opening = 1; opening <= 2; ++opening) {
        SCOPED_TRACE(opening);
        GrowingForm form(&owner);
        form.show();
        EXPECT_GE(form.width(), form.label->sizeHint().width()) << "sized before it appears";
        QCoreApplication::processEvents();
        // Qt centres a dialog on its owner, less a guess at the frame of up to 10 pixels.
        const int offCentre = form.geometry().center().x() - owner.geometry().center().x();
        EXPECT_LE(std::abs(offCentre), 12);
        form.hide();
    }
}

TEST(FormHabits, FormShowRunsOncePerOpening) {
    CountingForm form;
    EXPECT_FALSE(forms::isOpen(&form));
    form.show();
    EXPECT_EQ(form.openings, 1);
    EXPECT_TRUE(forms::isOpen(&form));
    MinimiseAndRestore(&form);
    MinimiseAndRestore(&form);
    EXPECT_EQ(form.openings, 1) << "restoring is no opening";
    EXPECT_TRUE(forms::isOpen(&form)) << "minimised is still open";
    form.hide();
    EXPECT_FALSE(forms::isOpen(&form));
    form.show();
    EXPECT_EQ(form.openings, 2);
}

TEST(FormHabits, EnterClicksOnlyTheNamedDefaultOrTheFocusedButton) {
    QDialog bare;
    EXPECT_FALSE(forms::button(QStringLiteral("Made"), &bare)->autoDefault())
        << "at once, before any form's habits run";

    CountingForm plain;
    QCoreApplication::processEvents();
    for (QPushButton* button : plain.findChildren<QPushButton*>())
        EXPECT_FALSE(button->autoDefault()) << "made: " << button->text().toStdString();
    plain.show();
    QCoreApplication::processEvents();
    for (QPushButton* button : plain.findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->autoDefault()) << button->text().toStdString();
        EXPECT_FALSE(button->isDefault()) << "a button box's OK too";
    }
    PressEnter(plain.box);
    EXPECT_TRUE(plain.clicked.isEmpty());
    EXPECT_TRUE(plain.isVisible());
    PressEnter(plain.first);
    EXPECT_EQ(plain.clicked, QList<QPushButton*>{plain.first}) << "a focused button takes Enter";

    CountingForm named;
    named.Name();
    named.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(named.named->isDefault());
    EXPECT_FALSE(named.buttons->button(QDialogButtonBox::Ok)->isDefault());
    PressEnter(named.box);
    EXPECT_EQ(named.clicked, QList<QPushButton*>{named.named});
    MinimiseAndRestore(&named);
    EXPECT_TRUE(named.named->isDefault()) << "kept over a restore";
}

TEST(FormHabits, EscapeGivesTheFormsCancelResult) {
    CountingForm zero;
    zero.show();
    QTest::keyClick(zero.box, Qt::Key_Escape);
    EXPECT_FALSE(zero.isVisible());
    EXPECT_EQ(zero.result(), 0);
    CountingForm two(Form::mrCancel);
    two.show();
    QTest::keyClick(two.box, Qt::Key_Escape);
    EXPECT_FALSE(two.isVisible());
    EXPECT_EQ(two.result(), 2);
}

// A page's handlers run when pages change and the form opens or closes on the page; a
// box's exit handler when the focus moves to another box. Minimising runs none of them.
TEST(FormHabits, PageAndExitHandlersIgnoreMinimising) {
    CountingForm form;
    auto* pages = new QTabWidget(&form);
    auto* first = new QLineEdit;
    auto* second = new QLineEdit;
    pages->addTab(first, QStringLiteral("First"));
    pages->addTab(second, QStringLiteral("Second"));
    form.layout()->addWidget(pages);
    QStringList seen;
    forms::onPageShowHide(
        second, [&] { seen << "shown"; }, [&] { seen << "hidden"; });
    forms::onExit(form.box, [&] { seen << "left"; });

    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.box->setFocus();
    pages->setCurrentWidget(second);
    EXPECT_EQ(seen, QStringList{"shown"});
    MinimiseAndRestore(&form);
    EXPECT_EQ(seen, QStringList{"shown"}) << "minimising changes no page and leaves no box";
    QTest::keyClick(form.box, Qt::Key_Tab);
    EXPECT_EQ(seen, (QStringList{"shown", "left"}));
    pages->setCurrentWidget(first);
    form.hide();
    pages->setCurrentWidget(second);
    form.show();
    form.hide();
    EXPECT_EQ(seen, (QStringList{"shown", "left", "hidden", "shown", "hidden"}));
}

// Tab and Shift+Tab move from a grid, and from a cell being edited, to the next and
// previous control; the typed text stays in its cell.
TEST(FormHabits, TabLeavesGridsFromACellAndFromItsEditor) {
    CountingForm form;
    auto* table = new QTableWidget(3, 2, &form);
    grid::Setup(table, {{"Name", 80}, {"Tag", 40}}, 18, true);
    form.layout()->addWidget(table);
    form.setTabOrder(form.box, table);
    form.setTabOrder(table, form.first);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    table->setFocus();
    table->setCurrentCell(0, 0);
    QTest::keyClick(table, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.first);
    QTest::keyClick(form.first, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), table);
    QTest::keyClick(table, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), form.box);

    for (const auto& [key, modifiers, next] :
         {std::tuple{Qt::Key_Tab, Qt::NoModifier, static_cast<QWidget*>(form.first)},
          std::tuple{Qt::Key_Backtab, Qt::ShiftModifier, static_cast<QWidget*>(form.box)}}) {
        table->setFocus();
        table->edit(table->model()->index(1, 0));
        QPointer<QWidget> editor = QApplication::focusWidget();
        ASSERT_NE(editor, table) << "the cell's editor is open";
        QTest::keyClicks(editor, QStringLiteral("AB"));
        QTest::keyClick(editor, key, modifiers);
        EXPECT_EQ(QApplication::focusWidget(), next);
        EXPECT_EQ(grid::Cell(table, 1, 0), "AB");
        EXPECT_EQ(table->currentColumn(), 0) << "no next cell opened";
        EXPECT_TRUE(!editor || !editor->isVisible()) << "the editor closed";
        table->item(1, 0)->setText(QString());
    }
}

TEST_F(KorvanFixture, EveryFormKeepsTheKeyboardAndDrawingHabits) {
    testsupport::ExpectFormHabits(frmBelmar);
}

// Every form the program makes: no button is default or auto-default except the port
// dialog's OK, which is of the OK kind.
TEST_F(KorvanFixture, NoFormButtonTakesEnterButThePortDialogsOk) {
    QCoreApplication::processEvents();
    const QList<QPushButton*> buttons = frmBelmar->findChildren<QPushButton*>();
    ASSERT_GT(buttons.size(), 60) << "the dialogs belong to the main window";
    for (QPushButton* button : buttons) {
        const bool named = button == frmPorts->btnOK;
        EXPECT_EQ(button->autoDefault(), named)
            << button->window()->metaObject()->className() << " " << button->text().toStdString();
        EXPECT_EQ(button->isDefault(), named)
            << button->window()->metaObject()->className() << " " << button->text().toStdString();
    }
}

class EnterInBoxes : public TuningFixture {
protected:
    void TearDown() override {
        frmTuneRadio->hide();
        frmEngineering->hide();
        TuningFixture::TearDown();
    }
    void ExpectRadioHeardNothing() {
        Pump(300);
        EXPECT_EQ(radio.frames().size(), 0u);
        EXPECT_TRUE(host.messages.isEmpty());
    }
};

// On-line alignment: Enter in any box of any page reaches neither the radio nor the image,
// nor any other box (the S-meter buttons once took it).
TEST_F(EnterInBoxes, AlignmentBoxesSendNothing) {
    for (int i = 0; i < 48; ++i)
        frmBelmar->RadioData[i] = uint8_t(10 + i);
    ShowTuningDialog(true);
    const QByteArray image = imagecheck::Snapshot();
    QTabWidget* pages = frmTuneRadio->PageControl1;
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        Pump(50);
        radio.clearFrames();
        const QList<QLineEdit*> boxes = pages->widget(page)->findChildren<QLineEdit*>();
        QStringList texts;
        for (QLineEdit* box : boxes)
            texts << box->text();
        for (QLineEdit* box : boxes) {
            if (!box->isEnabled())
                continue;
            SCOPED_TRACE(pages->tabText(page).toStdString() + " " +
                         box->objectName().toStdString());
            PressEnter(box);
            ASSERT_TRUE(frmTuneRadio->isVisible());
        }
        SCOPED_TRACE(pages->tabText(page).toStdString());
        ExpectRadioHeardNothing();
        QStringList after;
        for (QLineEdit* box : boxes)
            after << box->text();
        EXPECT_EQ(after, texts);
    }
    EXPECT_EQ(imagecheck::Changes(image, imagecheck::Snapshot()),
              std::vector<imagecheck::Change>{});
}

// Enter in the location and data boxes neither reads nor writes a location.
TEST_F(EnterInBoxes, EngineeringDataBoxesSendNothing) {
    frmBelmar->RadioData[300] = 0x5A;
    frmEngineering->show();
    const QByteArray image = imagecheck::Snapshot();
    frmEngineering->txtLocation->setText("300");
    frmEngineering->txtData->setText("17");
    frmEngineering->PageControl1->setCurrentWidget(frmEngineering->tabEeprom);
    frmEngineering->btnWriteLocation->setFocus(); // tabbed through: no default left behind
    frmEngineering->btnReadLocation->setFocus();
    for (QLineEdit* box :
         {frmEngineering->txtLocation, frmEngineering->txtData, frmEngineering->txtDataHex}) {
        SCOPED_TRACE(box->objectName().toStdString());
        PressEnter(box);
        EXPECT_TRUE(frmEngineering->isVisible());
        EXPECT_TRUE(frmEngineering->btnReadLocation->isEnabled()) << "no exchange started";
    }
    ExpectRadioHeardNothing();
    EXPECT_EQ(frmEngineering->txtData->text(), "17");
    EXPECT_EQ(imagecheck::Changes(image, imagecheck::Snapshot()),
              std::vector<imagecheck::Change>{});
}

class ChannelForms : public KorvanFixture {
protected:
    void SetUp() override {
        KorvanFixture::SetUp();
        frmBelmar->RadioData[BAND_BYTE] = 0x80;
        ChData store(CH_COUNT);
        CH_NORMAL_STRUCT channel;
        channel.TxFreq = channel.RxFreq = 477012500;
        channel.TxTone = channel.RxTone = 50;
        channel.Flags6 = chflags::Enabled;
        for (int slot : {1, 2, 5})
            store.SetNormal(channel, slot);
        store.SaveToImage(frmBelmar->RadioData);
    }
    void TearDown() override {
        for (QWidget* form :
             std::initializer_list<QWidget*>{frmEditChannel2, frmGrpEdit, frmChannelData, frmPrint})
            form->hide();
        KorvanFixture::TearDown();
    }
    static QByteArray StoreBytes(const ChData& store) {
        QByteArray bytes(IMAGE_SIZE, '\0');
        store.SaveToImage(reinterpret_cast<uint8_t*>(bytes.data()));
        return bytes;
    }
};

TEST_F(ChannelForms, EnterInTheTableAndTheEditBoxesClicksNothing) {
    ModalCatcher catcher;
    frmChannelData->show();
    const QByteArray table = StoreBytes(*frmChannelData->Channels);
    const int rows = frmChannelData->listChannel->rowCount();
    PressEnter(frmChannelData->listChannel);
    QTest::qWait(50);
    EXPECT_TRUE(catcher.opened.isEmpty()) << catcher.opened.join(' ').toStdString();
    EXPECT_TRUE(frmChannelData->isVisible());
    EXPECT_EQ(frmChannelData->listChannel->rowCount(), rows);
    EXPECT_EQ(StoreBytes(*frmChannelData->Channels), table);

    int slot = 5;
    CH_NORMAL_STRUCT record;
    frmChannelData->Channels->GetNormal(record, slot);
    frmEditChannel2->SetChannelData(&slot, frmChannelData->Channels.get(), record);
    frmEditChannel2->show();
    for (QLineEdit* box : {frmEditChannel2->editChnl, frmEditChannel2->editTxFreq,
                           frmEditChannel2->editRxFreq, frmEditChannel2->txtChannelAlpha}) {
        SCOPED_TRACE(box->objectName().toStdString());
        PressEnter(box);
        EXPECT_TRUE(frmEditChannel2->isVisible());
    }
    EXPECT_EQ(frmEditChannel2->editChnl->text(), "5");
    EXPECT_EQ(slot, 5);
    EXPECT_EQ(StoreBytes(*frmChannelData->Channels), table) << "nothing stored";
    frmEditChannel2->hide();

    CH_GROUP_STRUCT group;
    frmGrpEdit->SetGroupData(&slot, frmChannelData->Channels.get(), 0, &group);
    frmGrpEdit->show();
    PressEnter(frmGrpEdit->txtChannelAlpha);
    EXPECT_TRUE(frmGrpEdit->isVisible());
    EXPECT_EQ(StoreBytes(*frmChannelData->Channels), table);
    QTest::qWait(50);
    EXPECT_TRUE(catcher.opened.isEmpty()) << catcher.opened.join(' ').toStdString();
    EXPECT_TRUE(host.messages.isEmpty());
}

// Random bytes: codes off the raster, tones past the list, member codes no slot has. The
// channel and group editors, opened from the table and closed with a click on OK, change
// nothing in the store.
TEST_F(ChannelForms, EditorsClosedWithOkKeepARandomStore) {
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [this] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (modal && !host.messages.isEmpty())
            modal->done(0);
        else if (modal == frmEditChannel2)
            QTest::mouseClick(frmEditChannel2->OKBtn, Qt::LeftButton);
        else if (modal == frmGrpEdit)
            QTest::mouseClick(frmGrpEdit->btnOK, Qt::LeftButton);
    });
    clicker.start(5);
    for (uint32_t seed : {21u, 22u, 23u}) {
        SCOPED_TRACE(seed);
        imagecheck::FillRandom(seed);
        frmChannelData->show();
        const QByteArray before = StoreBytes(*frmChannelData->Channels);
        int groups = 0;
        for (int row = 0; row < frmChannelData->listChannel->rowCount(); ++row) {
            grid::SelectRow(frmChannelData->listChannel, row);
            groups += frmChannelData->Channels->IsGroup(frmChannelData->SelectedSlot());
            frmChannelData->btnEditChannelClick();
        }
        EXPECT_GT(groups, 0);
        EXPECT_EQ(imagecheck::Changes(before, StoreBytes(*frmChannelData->Channels)),
                  std::vector<imagecheck::Change>{});
        EXPECT_TRUE(host.messages.isEmpty());
        host.messages.clear();
        frmChannelData->hide();
    }
}

// A box's character rule holds for whatever puts the text there: a character typed with
// Alt held is a shortcut and never text; a paste or a drop keeps only the characters the
// rule lets in, letters turned as typed ones are.
TEST_F(ChannelForms, CharacterRulesHoldForAltKeysPastesAndDrops) {
    frmChannelData->show();
    int slot = 5;
    CH_NORMAL_STRUCT record;
    frmChannelData->Channels->GetNormal(record, slot);
    frmEditChannel2->SetChannelData(&slot, frmChannelData->Channels.get(), record);
    frmEditChannel2->show();
    frmEditChannel2->chkAlphaTagEnabled->setChecked(true);
    const struct {
        QLineEdit* box;
        const char *withAlt, *pasted, *dropped, *shown;
    } cases[] = {
        {frmEditChannel2->txtChannelAlpha, "Tq#~1", "ab#~", "c!d", "ABCD"},
        {frmEditChannel2->txtChannelAlpha, "", "a\u00DF\u0131", "\uFB01\u017Fc9", "AC9"},
        {frmEditChannel2->editTxFreq, "4x.", "4x5y0", "-.5", "450.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box->objectName().toStdString());
        c.box->clear();
        testsupport::TypeWithAlt(c.box, c.withAlt);
        EXPECT_EQ(c.box->text(), "");
        testsupport::Paste(c.box, QString::fromUtf8(c.pasted));
        EXPECT_EQ(c.box->cursorPosition(), c.box->text().size()) << "after what was pasted";
        testsupport::Drop(c.box, QString::fromUtf8(c.dropped));
        EXPECT_EQ(c.box->text(), c.shown);
    }
    frmEditChannel2->OKBtnClick();
    EXPECT_TRUE(host.messages.isEmpty());
    frmChannelData->Channels->GetNormal(record, slot);
    EXPECT_EQ(record.Name, "AC9");
    EXPECT_EQ(record.TxFreq, 450500000u);
}

// The keyboard reaches OK from the channel table, and comes back.
TEST_F(ChannelForms, TabLeavesTheChannelTableForOk) {
    frmChannelData->show();
    frmChannelData->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frmChannelData));
    frmChannelData->listChannel->setFocus();
    QWidget* focused = frmChannelData->listChannel;
    for (int presses = 0; presses < 20 && focused != frmChannelData->OKBtn; ++presses) {
        QTest::keyClick(focused, Qt::Key_Tab);
        focused = QApplication::focusWidget();
        ASSERT_NE(focused, frmChannelData->listChannel) << "Tab stays in the table";
    }
    EXPECT_EQ(focused, frmChannelData->OKBtn);
    frmChannelData->listChannel->setFocus();
    QTest::keyClick(frmChannelData->listChannel, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_NE(QApplication::focusWidget(), frmChannelData->listChannel);
}

// Restoring a minimised channel table keeps its store and every unsaved change, so the
// edit and group dialogs still work on the store they were given.
TEST_F(ChannelForms, RestoredWindowsKeepTheirState) {
    frmChannelData->show();
    ChData* store = frmChannelData->Channels.get();
    store->ClearChannel(2);
    frmChannelData->LastEditedSlot = 5;
    frmChannelData->FillChannelList();
    const QByteArray changed = StoreBytes(*store);
    MinimiseAndRestore(frmChannelData);
    EXPECT_EQ(frmChannelData->Channels.get(), store) << "no new store";
    EXPECT_EQ(StoreBytes(*frmChannelData->Channels), changed) << "the deletion stays";
    EXPECT_EQ(frmChannelData->LastEditedSlot, 5);

    int slot = 5;
    CH_NORMAL_STRUCT record;
    store->GetNormal(record, slot);
    frmEditChannel2->SetChannelData(&slot, store, record);
    frmEditChannel2->show();
    testsupport::Tick(frmEditChannel2->chkAlphaTagEnabled, true);
    testsupport::TypeOver(frmEditChannel2->txtChannelAlpha, "TYPED");
    testsupport::TypeOver(frmEditChannel2->editTxFreq, "450.5");
    MinimiseAndRestore(frmEditChannel2);
    MinimiseAndRestore(frmChannelData);
    EXPECT_EQ(frmEditChannel2->txtChannelAlpha->text(), "TYPED");
    EXPECT_EQ(frmEditChannel2->editTxFreq->text(), "450.5");
    frmEditChannel2->OKBtnClick();
    store->GetNormal(record, 5);
    EXPECT_EQ(record.TxFreq, 450500000u) << "stored into the table's one store";
    EXPECT_EQ(record.Name, "TYPED");

    CH_GROUP_STRUCT group;
    frmGrpEdit->SetGroupData(&slot, store, 0, &group);
    frmGrpEdit->show();
    frmGrpEdit->txtChannelAlpha->setText("VOTE");
    frmGrpEdit->rbMAC_8->click();
    MinimiseAndRestore(frmGrpEdit);
    EXPECT_EQ(frmGrpEdit->txtChannelAlpha->text(), "VOTE");
    EXPECT_TRUE(frmGrpEdit->rbMAC_8->isChecked());
    EXPECT_EQ(frmGrpEdit->GroupSize, 8);
    frmGrpEdit->hide();

    int target = 0;
    TfrmChSelect select(frmChannelData, &target);
    select.show();
    select.cbChannel->setCurrentIndex(41);
    MinimiseAndRestore(&select);
    EXPECT_EQ(select.cbChannel->currentText(), "42");

    frmPrint->show();
    frmPrint->txtDate->setText("1 April");
    MinimiseAndRestore(frmPrint);
    EXPECT_EQ(frmPrint->txtDate->text(), "1 April");
    frmPrint->hide();
    frmPrint->show();
    EXPECT_NE(frmPrint->txtDate->text(), "1 April") << "a new opening shows today";
}

namespace {

QList<int> BlockReads(const testsupport::FirstGenRadio& radio) {
    QList<int> addresses;
    for (const testsupport::RadioFrame& frame : radio.frames())
        if (frame.sync == testsupport::FirstGenRadio::SYNC_CMD && frame.command == 4)
            addresses << frame.address();
    return addresses;
}

// A job that started again would connect again after its block reads had begun.
bool ConnectsOnlyBeforeTheBlocks(const testsupport::FirstGenRadio& radio) {
    bool blocksBegun = false;
    for (const testsupport::RadioFrame& frame : radio.frames()) {
        if (frame.sync != testsupport::FirstGenRadio::SYNC_CMD)
            continue;
        blocksBegun = blocksBegun || frame.command == 4;
        if (blocksBegun && frame.command == 1)
            return false;
    }
    return true;
}

} // namespace

class RestoredJob : public LinkFixture {};

// A read in progress, and a failed one on show, go on as they were when the progress
// dialog comes back from minimised.
TEST_F(RestoredJob, ProgressDialogDoesNotRestartItsJob) {
    radio.setMemory(pattern(11));
    int mode = 0;
    bool restored = false;
    const JobOutcome outcome =
        runJob([&] { mode = frmReadWrite->RunJob(0, 255, TfrmReadWrite::MODE_READ); }, 60000,
               [&] {
                   if (!restored && BlockReads(radio).size() >= 8) {
                       restored = true;
                       MinimiseAndRestore(frmReadWrite);
                   }
               });
    EXPECT_TRUE(restored);
    EXPECT_EQ(mode, TfrmReadWrite::MODE_DONE) << outcome.message.toStdString();
    EXPECT_TRUE(ConnectsOnlyBeforeTheBlocks(radio));
    // A reply later than its wait is asked for again (the same block); a restart would go
    // back to the first block.
    QList<int> reads = BlockReads(radio);
    EXPECT_TRUE(std::is_sorted(reads.begin(), reads.end())) << "never back to an earlier block";
    reads.erase(std::unique(reads.begin(), reads.end()), reads.end());
    QList<int> expected;
    for (int address = 0; address < 256; address += 8)
        expected << address;
    EXPECT_EQ(reads, expected) << "each block asked for in turn";
    EXPECT_EQ(image().left(256), pattern(11).left(256));

    // A failure stays on show with "Close".
    testsupport::FirstGenRadio::Faults faults;
    faults.wrongAddress = true;
    radio.setFaults(faults);
    radio.clearFrames();
    QString shown;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (!frmReadWrite->isVisible() || frmReadWrite->btnCancel->text() != "Close")
            return;
        watcher.stop();
        shown = frmReadWrite->lblAction->text();
        // The job ends with a disconnect: every request of it has been heard before that.
        EXPECT_TRUE(radio.waitForFrames(3, 1, testsupport::WAIT_LIMIT_MS));
        const int connects = radio.count(1);
        const int reads = BlockReads(radio).size();
        MinimiseAndRestore(frmReadWrite);
        QTest::qWait(300);
        EXPECT_EQ(frmReadWrite->btnCancel->text(), "Close");
        EXPECT_EQ(frmReadWrite->lblAction->text(), shown);
        EXPECT_EQ(radio.count(1), connects) << "no new job";
        EXPECT_EQ(BlockReads(radio).size(), reads);
        frmReadWrite->btnCancel->click();
    });
    watcher.start(10);
    mode = frmReadWrite->RunJob(0, 47, TfrmReadWrite::MODE_READ);
    EXPECT_EQ(mode, TfrmReadWrite::MODE_FAILED);
    EXPECT_EQ(shown, "Failed while trying to read data from the radio.");
}
