#include "fontfaces.h"

#include "cp932.h"
#include "facenames.h"
#include "fontface.h"

#include <QFont>
#include <QFontDatabase>
#include <array>
#include <mutex>
#include <string_view>

namespace {

struct StandIn {
    std::u16string_view face;
    std::u16string_view family;
    // Qt counts a font as Japanese only when it holds every character fontconfig
    // asks of Japanese; one that lacks a few is taken as it is, for any script.
    QFontDatabase::WritingSystem writingSystem;
    // The face that draws what the family lacks; empty: Qt's font fallback.
    std::u16string_view fallback;
    // Offered to write a sheet in. Numbered strokes are for model characters only,
    // an option of their own, so neither that face nor its family is offered.
    bool sheetFace;
};

// The faces drawn with their stand-ins, all to the one-em cells of the Windows faces.
constexpr std::array<StandIn, 6> StandIns{{
    {u"ＭＳ 明朝", u"IPAMincho", QFontDatabase::Japanese, {}, true},
    {u"ＭＳ ゴシック", u"IPAGothic", QFontDatabase::Japanese, {}, true},
    {u"ＭＳ Ｐ明朝", u"IPAPMincho", QFontDatabase::Japanese, {}, true},
    {u"ＭＳ Ｐゴシック", u"IPAPGothic", QFontDatabase::Japanese, {}, true},
    {FaceNames::Textbook, u"Klee One", QFontDatabase::Any, u"ＭＳ 明朝", true},
    {FaceNames::StrokeOrder, u"KanjiStrokeOrders", QFontDatabase::Japanese, {}, false},
}};

constexpr std::u16string_view FallbackFamily = u"IPAMincho";

QString toQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar *>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

QByteArrayView withoutVerticalMark(QByteArrayView face)
{
    return face.startsWith('@') ? face.sliced(1) : face;
}

const StandIn *standInFor(const QString &face)
{
    for (const StandIn &standIn : StandIns) {
        if (QStringView(standIn.face.data(), static_cast<qsizetype>(standIn.face.size())) == face) {
            return &standIn;
        }
    }
    return nullptr;
}

} // namespace

FontFaces::FontFaces()
{
    install();
}

FontFaces::~FontFaces() = default;

void FontFaces::install()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (const StandIn &standIn : StandIns) {
            QFont::insertSubstitution(toQString(standIn.face), toQString(standIn.family));
        }
    });
}

QString FontFaces::family(QByteArrayView face)
{
    const QString name = Cp932::decode(withoutVerticalMark(face));
    if (const StandIn *standIn = standInFor(name)) {
        return toQString(standIn->family);
    }
    if (!name.isEmpty() && QFontDatabase::families().contains(name, Qt::CaseInsensitive)) {
        return name;
    }
    return toQString(FallbackFamily);
}

QStringList FontFaces::choices()
{
    QStringList faces;
    QStringList withheld;
    for (const StandIn &standIn : StandIns) {
        if (standIn.sheetFace) {
            faces << toQString(standIn.face);
        } else {
            withheld << toQString(standIn.family);
        }
    }
    for (const QString &family : QFontDatabase::families(QFontDatabase::Japanese)) {
        // A face is kept as CP932 bytes, where "@" marks the vertical one.
        bool lossless = false;
        Cp932::encode(family, &lossless);
        if (lossless && !family.startsWith(u'@') && !faces.contains(family) &&
            !withheld.contains(family)) {
            faces << family;
        }
    }
    QStringList withVertical;
    withVertical.reserve(faces.size() * 2);
    for (const QString &face : std::as_const(faces)) {
        withVertical << face << QChar(u'@') + face;
    }
    return withVertical;
}

FontFace &FontFaces::face(const QByteArray &name)
{
    auto found = m_faces.find(name);
    if (found == m_faces.end()) {
        const StandIn *standIn = standInFor(Cp932::decode(withoutVerticalMark(name)));
        FontFace *fallback = nullptr;
        if (standIn && !standIn->fallback.empty()) {
            fallback = &face((name.startsWith('@') ? QByteArray("@") : QByteArray()) +
                             Cp932::encode(toQString(standIn->fallback)));
        }
        found = m_faces.emplace(name, makeFace(name, fallback)).first;
    }
    return *found->second;
}

FontFace &FontFaces::face(const QByteArray &name, const QByteArray &fallback)
{
    const std::pair key(name, fallback);
    auto found = m_withFallbacks.find(key);
    if (found == m_withFallbacks.end()) {
        found = m_withFallbacks.emplace(key, makeFace(name, &face(fallback))).first;
    }
    return *found->second;
}

std::unique_ptr<FontFace> FontFaces::makeFace(const QByteArray &name, FontFace *fallback)
{
    const StandIn *standIn = standInFor(Cp932::decode(withoutVerticalMark(name)));
    QFont font(family(name));
    // Unhinted, so that glyphs keep the shapes and places the design gives them
    // at every size, on screen as on paper.
    font.setHintingPreference(QFont::PreferNoHinting);
    return std::make_unique<FontFace>(
        font, name.startsWith('@'),
        standIn ? FontFace::CellRule::EmCell : FontFace::CellRule::FontAscentDescent,
        standIn ? standIn->writingSystem : QFontDatabase::Japanese, fallback);
}
