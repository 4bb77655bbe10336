#include "drawscale.h"

#include <algorithm>
#include <cmath>

DrawScale::DrawScale(float value) : m_value(value)
{
}

DrawScale DrawScale::ForPage(int pageWidth, int pageHeight)
{
    if (pageWidth < 1) {
        return DrawScale(1.0f);
    }
    const double byWidth = static_cast<double>(pageWidth) / ReferenceWidth;
    const double byHeight = static_cast<double>(pageHeight) / ReferenceHeight;
    return DrawScale(static_cast<float>(std::min(byWidth, byHeight)));
}

qint32 DrawScale::Scaled(double x) const
{
    // One rounding of the exact product; nearbyint rounds halves to even.
    const long double product = static_cast<long double>(m_value) * x;
    return static_cast<qint32>(std::nearbyint(product));
}
