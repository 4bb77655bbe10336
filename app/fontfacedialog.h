#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

/// "ﾌｫﾝﾄの設定": the faces a sheet can be drawn in (FontFaces::choices()), each
/// shown in its own font, with a sample of the selected one, OK and キャンセル.
class FontFaceDialog : public QDialog {
    Q_OBJECT

public:
    /// Opens on `current` when the list holds it, else with nothing selected.
    explicit FontFaceDialog(const QString &current, QWidget *parent = nullptr);

    /// The selected face; empty while none is.
    QString face() const;

private:
    void showSample();

    QListWidget *m_faces;
    QLabel *m_sample;
    QPushButton *m_ok;
};
