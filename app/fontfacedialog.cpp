#include "fontfacedialog.h"

#include "cp932.h"
#include "fontfaces.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize DialogSize(320, 420);
constexpr int FacePixels = 15;
constexpr int SamplePixels = 24;
const QString SampleText = u"永 あいう アイウ ｱｲｳ"_s;

QFont fontOf(const QString &face, int pixels)
{
    QFont font(FontFaces::family(Cp932::encode(face)));
    font.setPixelSize(pixels);
    return font;
}

} // namespace

FontFaceDialog::FontFaceDialog(const QString &current, QWidget *parent)
    : QDialog(parent), m_faces(new QListWidget(this)), m_sample(new QLabel(this))
{
    setWindowTitle(u"ﾌｫﾝﾄの設定"_s);
    m_faces->setObjectName(u"lstFace"_s);
    for (const QString &face : FontFaces::choices()) {
        auto *item = new QListWidgetItem(face, m_faces);
        item->setFont(fontOf(face, FacePixels));
        if (face == current) {
            m_faces->setCurrentItem(item);
        }
    }
    m_sample->setObjectName(u"lblSample"_s);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_sample->setMinimumHeight(SamplePixels * 2);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(u"OK"_s);
    buttons->button(QDialogButtonBox::Cancel)->setText(u"キャンセル"_s);

    auto *layout = new QVBoxLayout(this);
    auto *caption = new QLabel(u"書体(&F):"_s, this);
    caption->setBuddy(m_faces);
    layout->addWidget(caption);
    layout->addWidget(m_faces);
    layout->addWidget(m_sample);
    layout->addWidget(buttons);
    resize(DialogSize);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_faces, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(m_faces, &QListWidget::currentItemChanged, this, &FontFaceDialog::showSample);
    showSample();
    m_faces->setFocus();
}

QString FontFaceDialog::face() const
{
    const QListWidgetItem *item = m_faces->currentItem();
    return item ? item->text() : QString();
}

void FontFaceDialog::showSample()
{
    const QString chosen = face();
    m_ok->setEnabled(!chosen.isEmpty());
    m_sample->setText(chosen.isEmpty() ? QString() : SampleText);
    m_sample->setFont(fontOf(chosen, SamplePixels));
}
