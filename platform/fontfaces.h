#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>

class FontFace;

/// Resolves the CP932 face names a worksheet asks for to real fonts.
///
/// The Windows faces "ＭＳ 明朝", "ＭＳ ゴシック", "ＭＳ Ｐ明朝" and "ＭＳ Ｐゴシック" are
/// drawn by their IPA stand-ins, the textbook face "教科書体" by Klee One (what it
/// lacks by IPAMincho) and the stroke-order face "筆順" by KanjiStrokeOrders; any
/// other face the system lacks by IPAMincho. A leading one-byte "@" names the
/// vertical variant of the rest of the name.
/// Resolved faces and their caches live as long as this object: share one
/// across the pages of a document. Needs a QGuiApplication.
class FontFaces {
public:
    FontFaces();
    ~FontFaces();
    FontFaces(const FontFaces &) = delete;
    FontFaces &operator=(const FontFaces &) = delete;

    /// Tells Qt's font matching about the stand-ins, so that a QFont of a Windows
    /// face name (in a widget, say) gets its IPA font. Once per process; later
    /// calls do nothing. Constructing a FontFaces calls it.
    static void install();
    /// The family that draws a face (a leading "@" ignored).
    static QString family(QByteArrayView face);
    /// The faces a sheet can be drawn in, each followed by its vertical "@" face:
    /// the Windows faces and the textbook face, then every installed family that
    /// holds Japanese and that CP932 can name. The stroke-order face is not one:
    /// only the stroke-order option draws with it.
    static QStringList choices();
    /// The face for a name as the surface holds it, "@" included.
    FontFace &face(const QByteArray &name);
    /// The face for a name, with another face drawing what it lacks (in place of
    /// its own fallback) and, vertical, what it has no vertical form of.
    FontFace &face(const QByteArray &name, const QByteArray &fallback);

private:
    static std::unique_ptr<FontFace> makeFace(const QByteArray &name, FontFace *fallback);

    std::map<QByteArray, std::unique_ptr<FontFace>> m_faces;
    std::map<std::pair<QByteArray, QByteArray>, std::unique_ptr<FontFace>> m_withFallbacks;
};
