#pragma once

#include <QByteArray>

/// The face kept in step with the writing direction: vertical writing (0) puts the
/// one-byte "@" of a vertical face in front, horizontal writing (1) takes it off;
/// any other direction leaves the face alone. An empty face becomes "@" for
/// vertical writing.
QByteArray faceForDirection(QByteArray face, int direction);
