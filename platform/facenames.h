#pragma once

#include <string_view>

/// Names of faces the program draws with fonts of its own choosing, as the
/// engine asks for them and the fonts resolve them.
namespace FaceNames {
/// The textbook face: strokes as the school textbooks teach them.
inline constexpr std::u16string_view Textbook = u"教科書体";
/// Numbered strokes, for the model characters of a stroke-order sheet.
inline constexpr std::u16string_view StrokeOrder = u"筆順";
} // namespace FaceNames
