#include "drawingsurface.h"

void DrawingSurface::MoveTo(int x, int y)
{
    m_state.currentX = x;
    m_state.currentY = y;
}

void DrawingSurface::LineTo(int x, int y)
{
    drawLine(m_state.currentX, m_state.currentY, x, y);
    MoveTo(x, y);
}
