#pragma once

#include "outputfile.h"
#include "pageoutput.h"
#include "recordingsurface.h"

/// The drawing calls of pages as text, one call a line, each page under a line
/// "page WIDTH HEIGHT SCALE"; written to the file page by page.
class TraceOutput : public PageOutput {
public:
    TraceOutput(const QString &path, QSize size);

    void begin() override;
    QSize pageSize() const override { return m_size; }
    DrawingSurface &nextPage() override;
    void finish() override;
    void abort() override;

private:
    void writeCalls();

    OutputFile m_file;
    QSize m_size;
    bool m_open = false;
    RecordingSurface m_surface;
};
