#pragma once
// The window's layout as data: every frame, panel, label, box, arrow pair, list, check box
// and button with its name, kind, parent group, position and size in twips (relative to the
// window's client area), design-time text, colours, lettering and visibility.
#include <QColor>
#include <QFont>
#include <QHash>
#include <QString>
#include <vector>

class QWidget;

namespace sonavel {

constexpr int kTwipsPerPixelOfWindow = 15;
constexpr int kClientWidthTwips = 12255;
constexpr int kClientHeightTwips = 10035;
constexpr int Pixels(int twips) { return (twips + kTwipsPerPixelOfWindow / 2) / kTwipsPerPixelOfWindow; }

enum class ControlKind { Frame, Panel, Label, Text, Arrow, List, Check, Button, Picture, FileList };

enum class Lettering {
    Normal,  // the default size
    Bold,    // bold 9.75 pt
    Row,     // regular 9.75 pt
    Large,   // regular 12 pt
};

struct ControlEntry {
    ControlKind kind;
    QString name;    // objectName: the control's name, array members as Name_Index
    QString parent;  // the group it sits in; empty for the window itself
    int left, top, width, height;  // twips, relative to the window's client area
    QString text;                  // caption or design-time text
    QColor back{};                 // invalid: the toolkit's default
    QColor fore{};
    Lettering lettering = Lettering::Normal;
    bool hidden = false;
    QString toolTip{};
};

// The name of a control array's member: "VScroll3" and 2 give "VScroll3_2".
inline QString MemberName(const QString& array, int index) { return array + "_" + QString::number(index); }

// Every control, parents before their children, in stacking order (later ones lie above).
const std::vector<ControlEntry>& WindowLayoutTable();

// Creates the controls of the table on the window; returns them by name.
QHash<QString, QWidget*> BuildWindowLayout(QWidget* window);

// The window's lettering: the classic sans serif when it can be loaded, else a stand-in.
QFont WindowFont(Lettering lettering);

}  // namespace sonavel
