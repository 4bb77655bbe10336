#include "featureglyphs.h"

#include <hb-ot.h>
#include <hb.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {

struct FeatureTag {
    FeatureGlyphs::Feature feature;
    hb_tag_t tag;
};

// The OpenType features each of ours switches on.
constexpr std::array<FeatureTag, 3> FeatureTags{{
    {FeatureGlyphs::VerticalForms, HB_TAG('v', 'e', 'r', 't')},
    {FeatureGlyphs::VerticalForms, HB_TAG('v', 'r', 't', '2')},
    {FeatureGlyphs::RubyForms, HB_TAG('r', 'u', 'b', 'y')},
}};

hb_blob_t *referenceTable(hb_face_t *, hb_tag_t tag, void *userData)
{
    const auto *font = static_cast<const QRawFont *>(userData);
    const char name[5] = {char(tag >> 24), char(tag >> 16), char(tag >> 8), char(tag), '\0'};
    auto *table = new QByteArray(font->fontTable(name));
    if (table->isEmpty()) {
        delete table;
        return nullptr;
    }
    return hb_blob_create(table->constData(), static_cast<unsigned int>(table->size()),
                          HB_MEMORY_MODE_READONLY, table,
                          [](void *data) { delete static_cast<QByteArray *>(data); });
}

} // namespace

FeatureGlyphs::FeatureGlyphs(const QRawFont &font)
    : m_font(font), m_face(hb_face_create_for_tables(referenceTable, &m_font, nullptr)),
      m_hbFont(hb_font_create(m_face)), m_buffer(hb_buffer_create())
{
    unsigned int count =
        hb_ot_layout_table_get_feature_tags(m_face, HB_OT_TAG_GSUB, 0, nullptr, nullptr);
    std::vector<hb_tag_t> tags(count);
    hb_ot_layout_table_get_feature_tags(m_face, HB_OT_TAG_GSUB, 0, &count, tags.data());
    for (const FeatureTag &t : FeatureTags) {
        if (std::ranges::find(tags, t.tag) != tags.end()) {
            m_available |= t.feature;
        }
    }
}

FeatureGlyphs::~FeatureGlyphs()
{
    hb_buffer_destroy(m_buffer);
    hb_font_destroy(m_hbFont);
    hb_face_destroy(m_face);
}

bool FeatureGlyphs::has(Feature feature) const
{
    return m_available.testFlag(feature);
}

quint32 FeatureGlyphs::glyphIndex(QStringView character, Features features)
{
    std::array<hb_feature_t, FeatureTags.size()> on{};
    unsigned int count = 0;
    for (const FeatureTag &t : FeatureTags) {
        if (features.testFlag(t.feature)) {
            on[count++] = {t.tag, 1, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END};
        }
    }
    hb_buffer_clear_contents(m_buffer);
    hb_buffer_add_utf16(m_buffer, reinterpret_cast<const uint16_t *>(character.utf16()),
                        static_cast<int>(character.size()), 0, static_cast<int>(character.size()));
    // Laid out left to right like horizontal text; vertical text is turned by the caller.
    hb_buffer_set_direction(m_buffer, HB_DIRECTION_LTR);
    hb_buffer_set_language(m_buffer, hb_language_from_string("ja", -1));
    hb_buffer_guess_segment_properties(m_buffer);
    hb_shape(m_hbFont, m_buffer, on.data(), count);
    unsigned int glyphCount = 0;
    const hb_glyph_info_t *glyphs = hb_buffer_get_glyph_infos(m_buffer, &glyphCount);
    return glyphCount > 0 ? glyphs[0].codepoint : 0;
}
