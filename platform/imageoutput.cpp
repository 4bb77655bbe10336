#include "imageoutput.h"

#include "hekiraerror.h"
#include "rastersurface.h"

using namespace Qt::StringLiterals;

ImageOutput::ImageOutput(QSize size, FontFaces &faces) : m_size(size), m_faces(faces)
{
}

ImageOutput::~ImageOutput() = default;

void ImageOutput::begin()
{
    m_image = QImage();
    m_surface = std::make_unique<RasterSurface>(m_size.width(), m_size.height(), m_faces);
    m_pageGiven = false;
}

DrawingSurface &ImageOutput::nextPage()
{
    if (!m_surface || m_pageGiven) {
        throw HekiraError(u"画像には一ページしか描けません。"_s);
    }
    m_pageGiven = true;
    return *m_surface;
}

void ImageOutput::finish()
{
    if (!m_surface) {
        throw HekiraError(u"画像が開かれていません。"_s);
    }
    m_image = m_surface->image();
    m_surface.reset();
}

void ImageOutput::abort()
{
    m_surface.reset();
}
