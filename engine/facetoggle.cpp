#include "facetoggle.h"

QByteArray faceForDirection(QByteArray face, int direction)
{
    const bool vertical = face.startsWith('@');
    if (direction == 0 && !vertical) {
        face.prepend('@');
    } else if (direction == 1 && vertical) {
        face.remove(0, 1);
    }
    return face;
}
