// The modeless find and replace dialogs of the main window. They only collect
// the find text, the replacement and the options and signal the button
// pressed; TFindReplaceController does the work. Both can be created on
// their own (no main window needed), e.g. for screenshots.
#pragma once

#include "data/findreplace.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace lexicana {

// One press of a dialog button: the texts as typed and the options.
struct TFindRequest {
    QString FindText;
    QString ReplaceText;
    TFindOptions Options;
};

class TFindDialog : public QDialog {
    Q_OBJECT

public:
    // The find dialog, caption "検索".
    explicit TFindDialog(QWidget* parent = nullptr);

    // The request the controls describe now (Options.ReplaceAll false).
    TFindRequest Request() const;
    void SetFindText(const QString& text);
    // All-cell mode offers only Down: an upward search would find nothing
    // in the cells it moves on to. Single-cell mode offers both again.
    void SetAllCellMode(bool allCells);
    bool AllCellMode() const { return allCells_; }

    QLabel* Label_Find;
    QLineEdit* Edit_Find;
    QCheckBox* CheckBox_WholeWord;
    QCheckBox* CheckBox_MatchCase;
    QGroupBox* GroupBox_Direction;
    QRadioButton* RadioButton_Up;
    QRadioButton* RadioButton_Down;
    QPushButton* Button_FindNext;
    QPushButton* Button_Cancel;

signals:
    void FindNextClicked(const TFindRequest& request);

protected:
    // For the replace dialog: the same controls, laid out with room for its own.
    TFindDialog(bool replaceLayout, QWidget* parent);
    // Buttons that need a find text follow it.
    virtual void UpdateButtons();

    QGridLayout* fields_;
    QVBoxLayout* buttons_;

private:
    void Build(bool replaceLayout);

    bool allCells_ = false;
    bool upChosen_ = false; // the user's choice, back in single-cell mode
};

class TReplaceDialog : public TFindDialog {
    Q_OBJECT

public:
    // The replace dialog, caption "置換".
    explicit TReplaceDialog(QWidget* parent = nullptr);

    // With ReplaceText and Options.ReplaceAll false.
    TFindRequest Request() const;
    void SetReplaceText(const QString& text);

    QLabel* Label_Replace = nullptr;
    QLineEdit* Edit_Replace = nullptr;
    QPushButton* Button_Replace = nullptr;
    QPushButton* Button_ReplaceAll = nullptr;

signals:
    // Replace and Replace All (Options.ReplaceAll set) of the controls' request.
    void ReplaceClicked(const TFindRequest& request);

protected:
    void UpdateButtons() override;
};

} // namespace lexicana
