#pragma once

#include "lineoperations.h"

#include <QDialog>

class RadioGroup;
class QLineEdit;
class MemoLines;
class QPushButton;
class QScrollBar;

/// "データの加工": the modeless dialog that rewrites all lines of the main window's
/// memo at once. Created once and hidden; OK applies the chosen rewrite and hides,
/// Cancel, Esc and the close box only hide. The controls keep their state between
/// showings.
class TFEditLine : public QDialog {
    Q_OBJECT

public:
    explicit TFEditLine(MemoLines &exMoji, QWidget *parent = nullptr);

private:
    void sbLineChange();
    void rgEditOptionClick();
    void BitBtn1Click();
    void BitBtn2Click();
    /// The rewrite the controls ask for.
    LineOperations::Edit chosenEdit() const;

    MemoLines &m_exMoji;
    // Object names are the controls' names: rgEditOption, sbLine, edtLineNum,
    // BitBtn1, BitBtn2, rgMojiNum.
    RadioGroup *m_editOption = nullptr;
    QScrollBar *m_line = nullptr;
    QLineEdit *m_lineNum = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    RadioGroup *m_mojiNum = nullptr;
};
