#pragma once

class QFont;
class QWidget;

namespace varlo
{

// The window layouts store their fonts as the original desktop knew them: a face
// name and a size in points, read on a 96 pixels per inch grid ("MS Sans Serif"
// 8 and 10, "Times New Roman" 18 bold). These faces are missing here, and
// fractional pixel sizes would blur the layout, so each stored font is turned
// into the one the window really uses: the same face when it is installed,
// otherwise a metric-close substitute, at the whole pixel height the original
// desktop gave it.

// Pixel height (character height without internal leading) of a font of
// `pointSize` points on the 96 pixels per inch grid, rounded to the nearest pixel:
// 8 -> 11, 10 -> 13, 18 -> 24.
int LayoutPixelSize(int pointSize);

// The font a widget shows for a stored font: the stored face first, its
// substitute second, sized by LayoutPixelSize. A font already given in pixels,
// or of another face, keeps its size and gains no substitute.
QFont LayoutFont(const QFont &stored);

// Applies LayoutFont to `window` and to every widget inside it that has a font
// of its own. A window constructor calls it once, right after setupUi.
void ApplyLayoutFonts(QWidget *window);

} // namespace varlo
