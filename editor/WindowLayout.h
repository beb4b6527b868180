#pragma once
// The window's layout: every frame, panel, label, box, arrow pair, list, check box and button
// created from one table of names, kinds, groups, positions in twips, texts, colours, lettering
// and visibility.
#include <QFont>
#include <QHash>
#include <QString>

class QWidget;

namespace sonavel {

constexpr int kTwipsPerPixelOfWindow = 15;
constexpr int kClientWidthTwips = 12255;
constexpr int kClientHeightTwips = 10035;
constexpr int Pixels(int twips) { return (twips + kTwipsPerPixelOfWindow / 2) / kTwipsPerPixelOfWindow; }

enum class Lettering {
    Normal,  // the default size
    Bold,    // bold 9.75 pt
    Row,     // regular 9.75 pt
    Large,   // regular 12 pt
};

// The name of a control array's member: "VScroll3" and 2 give "VScroll3_2".
inline QString MemberName(const QString& array, int index) { return array + "_" + QString::number(index); }

// The controls of one channel panel by role: array names, except the single invert box.
struct ChannelControlNames {
    QString frequencyBox, frequencyArrow, gainBox, gainArrow, qBox, qArrow, typeList, offBox, crossoverList,
        compressorBox, compressorArrow, invertBox;
};

// The names of channel 1 or 2.
const ChannelControlNames& ChannelControls(int channel);

// Creates the controls of the table on the window; returns them by name.
QHash<QString, QWidget*> BuildWindowLayout(QWidget* window);

// The window's lettering: the classic sans serif when it can be loaded, else a stand-in.
QFont WindowFont(Lettering lettering);

}  // namespace sonavel
