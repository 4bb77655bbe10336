#include "pngoutput.h"

#include "hekiraerror.h"
#include "rotater90.h"

#include <QBuffer>
#include <QImageWriter>

using namespace Qt::StringLiterals;

PngOutput::PngOutput(const QString &path, QSize size, FontFaces &faces, Turn turn)
    : ImageOutput(size, faces), m_file(path), m_turn(turn)
{
}

void PngOutput::begin()
{
    try {
        ImageOutput::begin();
    } catch (const HekiraError &error) {
        m_file.fail(error.message());
    }
    m_file.open();
}

void PngOutput::finish()
{
    ImageOutput::finish();
    QImage turned;
    if (m_turn == Turn::Clockwise) {
        turned = QImage(image().height(), image().width(), QImage::Format_RGB32);
        if (turned.isNull()) {
            m_file.fail(u"画像を回すメモリがありません。"_s);
        }
        RotateR90(image(), turned);
    }
    // Encoded in memory first: a PNG is small beside its image, and the file's own
    // error then says why a write failed.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(m_turn == Turn::Clockwise ? turned : image())) {
        m_file.fail(writer.errorString());
    }
    m_file.write(png);
    m_file.commit();
}

void PngOutput::abort()
{
    ImageOutput::abort();
    m_file.cancel();
}
