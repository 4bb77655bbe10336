#pragma once

#include "pageoutput.h"

#include <QImage>
#include <memory>

class FontFaces;
class RasterSurface;

/// One page drawn into a white RGB32 image of a given size.
class ImageOutput : public PageOutput {
public:
    /// Draws with a font cache that must outlive this output.
    ImageOutput(QSize size, FontFaces &faces);
    ~ImageOutput() override;

    /// Throws HekiraError when the image cannot be made (too large for memory).
    void begin() override;
    QSize pageSize() const override { return m_size; }
    /// The one page; asking for a second throws.
    DrawingSurface &nextPage() override;
    void finish() override;
    void abort() override;

    /// The page drawn, once finished.
    const QImage &image() const { return m_image; }

private:
    QSize m_size;
    FontFaces &m_faces;
    std::unique_ptr<RasterSurface> m_surface;
    bool m_pageGiven = false;
    QImage m_image;
};
