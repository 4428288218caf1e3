// The grid the property panels lay their controls on: two columns of label and field in
// the strip left of the panel's line at x 187, rows from the top. Six rows end above y 158:
// the main window keeps the "Selected:" line 20 pixels above the library, which puts it at
// y 162 of the panel when the window is as low as it gets.
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace PanelLayout {

inline constexpr int RowHeight = 21;
inline constexpr int RowPitch = 25;
inline constexpr int FirstRowY = 8;
// A wide field spans both columns; a narrow pair shares the row.
inline constexpr int LabelX = 6;
inline constexpr int FieldX = 44;
inline constexpr int WideFieldWidth = 138;
inline constexpr int FieldWidth = 50;
inline constexpr int Label2X = 98;
inline constexpr int Field2X = 136;
inline constexpr int Field2Width = 46;

inline constexpr int RowY(int row) { return FirstRowY + row * RowPitch; }

} // namespace PanelLayout

// The small dialog font the panels are measured for.
void ApplyPanelFont(QWidget* panel);

// A transparent label at (x, y), vertically centred on its row; `buddy` takes the focus
// on its mnemonic.
QLabel* MakeFieldLabel(QWidget* panel, const char* name, const QString& text, int x, int y,
                       QWidget* buddy);
