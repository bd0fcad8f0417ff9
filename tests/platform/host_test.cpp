#include "platform/Event.h"
#include "platform/Host.h"
#include "platform/QtHost.h"
#include "platform/RadioUpdate.h"
#include "platform/ScriptedHost.h"
#include "platform/SingleInstance.h"
#include "support/OddFiles.h"
#include "support/Waits.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <vector>

using namespace platform;

TEST(Host, ScriptedHostRecordsAndAnswersThenStepsAside) {
    {
        ScriptedHost scripted;
        EXPECT_EQ(&host(), &scripted);
        scripted.messageAnswers.enqueue(IDCANCEL);
        EXPECT_EQ(host().messageBox("All current data will be lost.", "Read from file?", 33),
                  IDCANCEL);
        EXPECT_EQ(host().messageBox("Again", "Caption", 48), IDOK) << "empty queue answers OK";
        ASSERT_EQ(scripted.messages.size(), 2);
        EXPECT_EQ(scripted.messages[0].caption, "Read from file?");
        EXPECT_EQ(scripted.messages[0].flags, 33);

        QString chosen = "unchanged";
        FileDialogRequest request;
        request.title = "Open Programming File...";
        EXPECT_FALSE(host().openFileDialog(request, chosen));
        EXPECT_EQ(chosen, "unchanged");
        scripted.fileAnswers.enqueue("/tmp/a.mem");
        EXPECT_TRUE(host().saveFileDialog(request, chosen));
        EXPECT_EQ(chosen, "/tmp/a.mem");
        EXPECT_EQ(scripted.fileRequests.size(), 2);
    }
    EXPECT_EQ(dynamic_cast<ScriptedHost*>(&host()), nullptr) << "the Qt host is back";
}

TEST(Host, FilterPairsBecomeQtFilters) {
    EXPECT_EQ(qtFilterFromPairs("Programming Files (*.mem)|*.mem|All Files (*.*)|*.*"),
              "Programming Files (*.mem);;All Files (*.*)");
    EXPECT_EQ(qtFilterFromPairs("Calibration|*.cal"), "Calibration (*.cal)");
}

TEST(Host, FileDialogsAddTheExtensionTheirFilterIsFor) {
    const struct {
        const char* filter;
        const char* defaultExt;
        int filterIndex;
        const char* suffix;
    } cases[] = {
        {"Motorola S file (*.mot)|*.mot", "*.mem", 0, "mot"},
        {"Programming Files (*.mem)|*.mem|All Files (*.*)|*.*", "", 0, "mem"},
        {"Programming Files (*.mem)|*.mem|All Files (*.*)|*.*", "*.mem", 1, "mem"},
        {"Calibration|*.cal;*.mem", "", 0, "cal"},
        {"All Files (*.*)|*.*", "", 0, ""},
        {"", "mem", 0, "mem"},
    };
    for (const auto& c : cases) {
        FileDialogRequest request;
        request.filter = c.filter;
        request.defaultExt = c.defaultExt;
        EXPECT_EQ(defaultSuffixFor(request, c.filterIndex), c.suffix) << c.filter;
    }
}

// "Print to File" starts from a file in the folder given, whatever the document's title holds.
TEST(Host, PrintToFileProposesAWritableFileInTheFolder) {
    QTemporaryDir folder;
    const struct {
        const char* title;
        const char* file;
    } cases[] = {
        {"Belmar/Dunrey PMR - Setup", "Belmar-Dunrey PMR - Setup.pdf"},
        {"Report", "Report.pdf"},
        {"../up/", "..-up-.pdf"},
        {"", "print.pdf"},
    };
    for (const auto& c : cases) {
        const QFileInfo proposed(pdfFileFor(c.title, folder.path()));
        EXPECT_EQ(proposed.absolutePath(), QFileInfo(folder.path()).absoluteFilePath()) << c.title;
        EXPECT_EQ(proposed.fileName(), c.file) << c.title;
        QFile pdf(proposed.filePath());
        EXPECT_TRUE(pdf.open(QIODevice::WriteOnly)) << c.title;
    }
}

namespace {
// Writes through a temporary file, as the programs' own writer does.
bool saveWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}
} // namespace

TEST(Host, ScriptedPrintingWritesARealPdf) {
    ScriptedHost scripted;
    QTemporaryDir dir;
    scripted.printToPdf = dir.filePath("out.pdf");
    QTextDocument document("Header line");
    EXPECT_TRUE(host().printDocument(document, "Title", saveWhole));
    QFile pdf(scripted.printToPdf);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray written = pdf.readAll();
    EXPECT_TRUE(written.startsWith("%PDF"));
    EXPECT_TRUE(written.trimmed().endsWith("%%EOF")) << "the whole file";
    scripted.printAccepted = false;
    EXPECT_FALSE(host().printDocument(document, "Title", saveWhole));
    EXPECT_EQ(scripted.printedTitles.size(), 2);
}

// Qt's own print dialog, printing to a file that is a named pipe: Print tells so and leaves
// the dialog open, and nothing opens the pipe.
TEST(Host, ThePrintDialogRefusesANamedPipeBeforeOpeningIt) {
    QTemporaryDir home;
    const QString pipe = pdfFileFor("Report", home.path());
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QByteArray userHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path())); // where the dialog proposes the file
    QtHost qt;
    QStringList told;
    bool stayedOpen = false;
    QTimer::singleShot(0, [&] { // runs inside the print dialog's own loop
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        auto* buttons = modal ? modal->findChild<QDialogButtonBox*>() : nullptr;
        if (!dialog || !buttons) {
            ADD_FAILURE() << "no print dialog";
            if (modal)
                modal->reject();
            return;
        }
        QTest::keyClick(dialog->findChild<QComboBox*>("printers"), Qt::Key_End); // to a file
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                told << box->text();
                box->accept();
            }
        });
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton); // Print
        stayedOpen = dialog->isVisible();
        dialog->reject();
    });
    QTextDocument document("Header line");
    bool printed = true;
    EXPECT_TRUE(testsupport::EndsWithoutWaiting(
        pipe, [&] { printed = qt.printDocument(document, "Report", saveWhole); }));
    qputenv("HOME", userHome);
    EXPECT_FALSE(printed);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(told, QStringList{"The document was not printed: " + pipe +
                                " is not a regular file (it is a named pipe, a device or a "
                                "folder).\nPrint to another file."});
}

// A short message under a long caption: the window manager would cut the caption.
TEST(Host, MessageBoxesAreAsWideAsTheirCaption) {
    QtHost qt;
    const QString caption = QStringLiteral("Serial Port Error.");
    int width = 0;
    QTimer::singleShot(0, [&] { // runs inside the box's own loop
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            width = box->width();
            box->accept();
        }
    });
    qt.messageBox(QStringLiteral("Unable to open COM1"), caption, MB_ICONEXCLAMATION);
    EXPECT_GE(width, titleBarWidth(caption));
}

TEST(Event, ManualResetAcrossThreads) {
    Event event;
    EXPECT_FALSE(event.wait(10));
    std::thread setter([&] { event.set(); });
    EXPECT_TRUE(event.wait(testsupport::WAIT_LIMIT_MS));
    setter.join();
    EXPECT_TRUE(event.wait(0)) << "stays set";
    event.reset();
    EXPECT_FALSE(event.isSet());
}

namespace {
struct Receiver : QObject {
    long w = -1, l = -1;
    bool event(QEvent* e) override {
        if (e->type() == RadioUpdateEvent::eventType()) {
            auto* update = static_cast<RadioUpdateEvent*>(e);
            w = update->wParam;
            l = update->lParam;
            return true;
        }
        return QObject::event(e);
    }
};
} // namespace

TEST(RadioUpdate, PostedFromAWorkerArrivesOnTheReceiversThread) {
    Receiver receiver;
    std::thread worker([&] { PostRadioUpdate(&receiver, 1, -1); });
    worker.join();
    EXPECT_EQ(receiver.w, -1) << "not delivered synchronously";
    QCoreApplication::processEvents();
    EXPECT_EQ(receiver.w, 1);
    EXPECT_EQ(receiver.l, -1);
    EXPECT_EQ(int(RadioUpdateEvent::eventType()), WM_RADIO_UPDATE);
}

TEST(RadioUpdate, PostedCallsRunInOrderOnTheUiThreadAndNotForAContextThatIsGone) {
    QObject context;
    auto gone = std::make_unique<QObject>();
    std::vector<int> ran;
    std::thread::id ranOn;
    std::thread worker([&] {
        PostCall(&context, [&] { ran.push_back(1); });
        PostCall(gone.get(), [&] { ran.push_back(2); });
        PostCall(&context, [&] {
            ran.push_back(3);
            ranOn = std::this_thread::get_id();
        });
        PostCall(nullptr, [&] { ran.push_back(4); });
    });
    worker.join();
    gone.reset();
    EXPECT_TRUE(ran.empty()) << "not run on the posting thread";
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, (std::vector<int>{1, 3}));
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(SingleInstance, SecondCopyIsRefusedAndRaisesTheFirst) {
    const QString name =
        QStringLiteral("KorvanTestGuard%1").arg(QCoreApplication::applicationPid());
    SingleInstance first(name);
    ASSERT_TRUE(first.acquire());
    QWidget window;
    first.setWindow(&window);
    SingleInstance second(name);
    EXPECT_FALSE(second.acquire());
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_FALSE(window.isVisible()) << "finding the first copy raises nothing yet";
    second.raiseRunningCopy();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isVisible(); }, testsupport::WAIT_LIMIT_MS))
        << "the first copy's window came forward";
}
