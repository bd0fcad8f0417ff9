#include "About.h"

#include "Radio_picture.h"
#include "platform/Host.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

TAboutBox* AboutBox = nullptr;

namespace {

const QString WebSite = QStringLiteral("https://www.tarq-radio.example/");
const QString SupportEmail = QStringLiteral("support@tarq-radio.example");

QColor WindowTextColour() {
    return QApplication::palette().color(QPalette::WindowText);
}

QLabel* NewLink(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setCursor(Qt::PointingHandCursor);
    label->setMouseTracking(true);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : Form(parent) {
    setWindowTitle(QStringLiteral("About..."));
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    BuildControls();
    FormCreate();
}

void TAboutBox::BuildControls() {
#if !KORVAN_V2
    QPalette maroon = palette();
    maroon.setColor(QPalette::Window, QColor(128, 0, 0));
    setPalette(maroon);
    setAutoFillBackground(true);
#endif
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    panel->setBackgroundRole(QPalette::Button);

    Image1 = new QLabel(panel);
    Image1->setPixmap(RadioPicture(80));
    Memo1 = new QPlainTextEdit(panel);
    Memo1->setFrameStyle(QFrame::NoFrame);
    Memo1->setReadOnly(true);
    Memo1->setPlainText(QStringLiteral("Korvan Radio Programmer\n"
                                       "Copyright 2024\n"
                                       "Tarq Radio Communications"));
    Memo1->setFixedHeight(Memo1->fontMetrics().lineSpacing() * 4);
    lblNiceVersion = new QLabel(panel);
    lblWebSite = NewLink(QStringLiteral("Click here to visit the Tarq web site"), panel);
    lblEmail = NewLink(QStringLiteral("Or click here for customer support via email"), panel);
    lblNiceVersion->setMouseTracking(true);
    setMouseTracking(true);
    for (QObject* watched : {static_cast<QObject*>(this), static_cast<QObject*>(lblNiceVersion),
                             static_cast<QObject*>(lblWebSite), static_cast<QObject*>(lblEmail)})
        watched->installEventFilter(this);

    auto* inner = new QGridLayout(panel);
    inner->addWidget(Image1, 0, 0, 4, 1, Qt::AlignTop);
    inner->addWidget(Memo1, 0, 1);
    inner->addWidget(lblNiceVersion, 1, 1);
    inner->addWidget(lblWebSite, 2, 1);
    inner->addWidget(lblEmail, 3, 1);

#if KORVAN_V2
    BitBtn1 = forms::button(QStringLiteral("&Close"), this);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
#else
    BitBtn1 = forms::button(QStringLiteral("&Close"), this);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::close);
#endif
    auto* layout = new QGridLayout(this);
    layout->addWidget(panel, 0, 0);
    layout->addWidget(BitBtn1, 1, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutBox::FormCreate() {
#if KORVAN_V2
    lblNiceVersion->setText(QStringLiteral("Program Version : RQ0341.2.02"));
#else
    lblNiceVersion->setText(QStringLiteral("Program Version : RQ0341.1.07"));
#endif
    SetLinkColours(WindowTextColour(), WindowTextColour());
}

void TAboutBox::lblWebSiteClick() {
    platform::host().shellOpen(WebSite);
}

void TAboutBox::lblEmailClick() {
    platform::host().shellOpen(QStringLiteral("mailto:") + SupportEmail +
                               QStringLiteral("?subject=Korvan dealer software support"));
}

void TAboutBox::lblWebSiteMouseMove() {
    SetLinkColours(Qt::red, WindowTextColour());
}

void TAboutBox::lblEmailMouseMove() {
    SetLinkColours(WindowTextColour(), Qt::red);
}

void TAboutBox::FormMouseMove() {
    SetLinkColours(WindowTextColour(), WindowTextColour());
}

void TAboutBox::lblNiceVersionMouseMove() {
    FormMouseMove();
}

void TAboutBox::SetLinkColours(const QColor& webSite, const QColor& email) {
    const auto paint = [](QLabel* label, const QColor& colour) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    };
    paint(lblWebSite, webSite);
    paint(lblEmail, email);
}

// Mouse movement and clicks of the labels are taken here, so that they do not reach the
// form's own handler as well.
bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    const bool link = watched == lblWebSite || watched == lblEmail;
    if (link && event->type() == QEvent::MouseButtonPress)
        return true; // the release that follows is the click
    const bool move = event->type() == QEvent::MouseMove;
    const bool click = event->type() == QEvent::MouseButtonRelease;
    if (!move && !click)
        return Form::eventFilter(watched, event);
    if (watched == lblWebSite)
        move ? lblWebSiteMouseMove() : lblWebSiteClick();
    else if (watched == lblEmail)
        move ? lblEmailMouseMove() : lblEmailClick();
    else if (move && watched == lblNiceVersion)
        lblNiceVersionMouseMove();
    else if (move && watched == this)
        FormMouseMove();
    else
        return Form::eventFilter(watched, event);
    return true;
}
