#pragma once
// The about box: program name and version, the maker's web site and support e-mail.
// Shared by both programs.

#include "Form.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TAboutBox : public Form {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    void lblWebSiteClick();
    void lblEmailClick();
    // Hover: the link under the mouse turns red, the other goes back to the text colour.
    void lblWebSiteMouseMove();
    void lblEmailMouseMove();
    void FormMouseMove();
    void lblNiceVersionMouseMove();

    QPlainTextEdit* Memo1;
    QLabel* lblNiceVersion;
    QLabel* lblWebSite;
    QLabel* lblEmail;
    QLabel* Image1;
    QPushButton* BitBtn1; // closes the box

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void BuildControls();
    void SetLinkColours(const QColor& webSite, const QColor& email);
};

extern TAboutBox* AboutBox;
