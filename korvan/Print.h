#pragma once
// The "Print Setup" dialog: customer details, a choice of report sections, and the
// printed setup report of the memory image.

#include "Form.h"
#include <QStringList>
#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

constexpr char SETUP_REPORT_TITLE[] = "Belmar/Dunrey PMR - Setup";

// The customer part of the report, as typed.
struct CustomerDetails {
    QString name;
    QString date;
    QString serial;
    QStringList comments;
};

// The optional sections of the report.
struct ReportSections {
    bool channels = true;
    bool selcall = false;
    bool options = false;
    bool buttons = false;
};

// The report of an image, line by line: header, code word, then the chosen sections.
QStringList SetupReportLines(const uint8_t* image, const CustomerDetails& customer,
                             const ReportSections& sections);
// Selcall receive and transmit are both on: only then can the selcall section be printed.
bool SelcallFullyEnabled(const uint8_t* image);

class TfrmPrint : public Form {
    Q_OBJECT
public:
    explicit TfrmPrint(QWidget* parent = nullptr);

    void FormShow() override;
    void btnPrintClick();
    // The report of the main window's image with the dialog's details and sections.
    QStringList ReportLines() const;

    QGroupBox* grpCustomer;
    QLabel* lblName;
    QLineEdit* txtName;
    QLabel* lblDate;
    QLineEdit* txtDate;
    QLabel* lblSerial;
    QLineEdit* txtSerial;
    QLabel* lblComments;
    QPlainTextEdit* memoComments;
    QGroupBox* grpSections;
    QCheckBox* chkChannel;
    QCheckBox* chkSelcall;
    QCheckBox* chkOptions;
    QCheckBox* chkButtons;
    QTextEdit* memoPrint; // hidden: holds the report while it prints
    QPushButton* btnPrint;
    QPushButton* btnCancel;

protected:
private:
    void buildCustomerGroup();
    void buildSectionsGroup();
    CustomerDetails customer() const;
    ReportSections sections() const;
};

extern TfrmPrint* frmPrint;
