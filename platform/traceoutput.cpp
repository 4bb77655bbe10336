#include "traceoutput.h"

#include "drawscale.h"

#include <charconv>

using namespace Qt::StringLiterals;

namespace {

QByteArray shortestDecimal(float value)
{
    char text[32];
    const auto result = std::to_chars(std::begin(text), std::end(text), value);
    return QByteArray(text, result.ptr - text);
}

} // namespace

TraceOutput::TraceOutput(const QString &path, QSize size) : m_file(path), m_size(size)
{
}

void TraceOutput::begin()
{
    m_file.open();
    m_surface.takeLines();
    m_open = true;
}

DrawingSurface &TraceOutput::nextPage()
{
    if (!m_open) {
        m_file.fail(u"文書が開かれていません。"_s);
    }
    writeCalls();
    m_file.write(
        "page " + QByteArray::number(m_size.width()) + ' ' + QByteArray::number(m_size.height()) +
        ' ' + shortestDecimal(DrawScale::ForPage(m_size.width(), m_size.height()).value()) + '\n');
    return m_surface;
}

void TraceOutput::finish()
{
    if (!m_open) {
        m_file.fail(u"文書が開かれていません。"_s);
    }
    writeCalls();
    m_open = false;
    m_file.commit();
}

void TraceOutput::abort()
{
    m_surface.takeLines();
    m_open = false;
    m_file.cancel();
}

void TraceOutput::writeCalls()
{
    QByteArray text;
    for (const QByteArray &line : m_surface.takeLines()) {
        text += line + '\n';
    }
    m_file.write(text);
}
