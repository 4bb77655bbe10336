#pragma once

#include <QtGlobal>

/// Device pixels per unit of the 320 x 441 reference page, and the one rounding
/// by which a reference length becomes a device length.
class DrawScale {
public:
    static constexpr int ReferenceWidth = 320;
    static constexpr int ReferenceHeight = 441;

    explicit DrawScale(float value = 1.0f);
    /// The largest scale at which the reference page fits the page, kept in single
    /// precision. Only the width is tested: a width below 1 gives 1.
    static DrawScale ForPage(int pageWidth, int pageHeight);

    float value() const { return m_value; }
    /// The device length nearest to the scaled reference length x, halves to even.
    qint32 Scaled(double x) const;

private:
    float m_value;
};
