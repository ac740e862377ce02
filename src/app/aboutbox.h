// TAboutBox: the modal about box of the help menu. It shows the product
// name, icon, version and legal notice, and links to the support web page
// and the support e-mail address.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTabWidget;

namespace lexicana {

class THTLabel;

// The support e-mail address shown in the about box.
inline constexpr const char* kSupportMailAddress = "support@lexicana.example.org";

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // "Version " + the product version (Shift_JIS version text decoded).
    static QString VersionCaption();

    QTabWidget* PageControl;
    QWidget* VersionPage; // "バージョン情報"
    QLabel* ProductName;
    QLabel* ProgramIcon;
    QLabel* Version;
    QLabel* Copyright; // the legal notice, right-aligned
    THTLabel* SupportPage;
    THTLabel* SupportMail;
    QPushButton* OKButton;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace lexicana
