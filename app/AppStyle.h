#pragma once
// The program's visual style: a Fusion base in dark red with white tab texts, the interface font
// (Tahoma 13 px bold, else DejaVu Sans) and the tab drawing with count badges.

class QApplication;
class QFont;

void applyVisualStyle(QApplication& app);
// A font of the given family list at a pixel size.
QFont pixelFont(const char* family, int pixels, bool bold);
