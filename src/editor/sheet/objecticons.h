#pragma once
// The object tree's images, drawn in code: the icon list `objekticons` (24 x
// 12 pixels; icon k is image 2k plain and 2k + 1 for an object with
// switching behaviour) and the images `sym_objekte` of the property button
// below the tree, one per kind that has a property dialog.

#include <QIcon>
#include <cstdint>

namespace tavo {

class t_objekt;

inline constexpr int kObjectIconCount = 20;
inline constexpr int kObjectIconWidth = 24;
inline constexpr int kObjectIconHeight = 12;

// Image `index` of `objekticons` (0 .. 2 x kObjectIconCount - 1); a null
// icon outside.
QIcon ObjectIcon(int index);
// The image the tree shows for the object: 2 x its icon index, plus 1 when
// it has switching behaviour (a group when any of its members has).
int ObjectImageIndex(const t_objekt& object);

// The `sym_objekte` image of a kind's property button; -1 for the kinds
// without a property dialog (line, rectangle, circle, polygon, group).
int PropertyImageIndex(std::uint8_t kind);
// Image `index` of `sym_objekte` (16 x 16); a null icon for an index no
// kind uses.
QIcon PropertyImage(int index);
// The image of the switching behaviour button.
QIcon SwitchingImage();

}  // namespace tavo
