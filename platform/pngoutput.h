#pragma once

#include "imageoutput.h"
#include "outputfile.h"

/// One page as a PNG file, upright or turned clockwise as the preview box shows
/// it. The file replaces an older one only once the image is written whole.
class PngOutput : public ImageOutput {
public:
    enum class Turn { None, Clockwise };

    PngOutput(const QString &path, QSize size, FontFaces &faces, Turn turn = Turn::None);

    void begin() override;
    void finish() override;
    void abort() override;

private:
    OutputFile m_file;
    Turn m_turn;
};
