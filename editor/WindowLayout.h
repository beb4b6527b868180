#pragma once
// The window's layout: every frame, panel, label, box, arrow pair, list, check box and button
// created from one table of names, kinds, groups, positions in twips, texts, colours, lettering
// and visibility.
#include <QFont>
#include <QString>
#include <array>

#include "model/ParameterStore.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
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

class ArrowPair;
class FrameBox;
class ListBox;
class PlotWidget;
class TextBox;

// The widgets of one channel panel by role, arrays as the channel's plain controls run.
struct ChannelWidgets {
    std::array<TextBox*, kBandCount> frequencyBoxes;
    std::array<ArrowPair*, kBandCount> frequencyArrows;
    std::array<TextBox*, kEqBandCount> gainBoxes;
    std::array<ArrowPair*, kEqBandCount> gainArrows;
    std::array<TextBox*, kEqBandCount> qBoxes;
    std::array<ArrowPair*, kEqBandCount> qArrows;
    std::array<ListBox*, kEqBandCount> typeLists;
    std::array<QCheckBox*, kEqBandCount> offBoxes;
    std::array<ListBox*, 2> crossoverLists;
    std::array<TextBox*, 4> compressorBoxes;
    std::array<ArrowPair*, 4> compressorArrows;
    TextBox *inputGainBox, *outputGainBox, *delayBox;
    ArrowPair *inputGain, *outputGain, *delay;
    QCheckBox *invert, *mute;
};

// Every widget a handler's control is shown on.
struct WindowWidgets {
    std::array<ChannelWidgets, kChannelCount> channels;
    std::array<QCheckBox*, 4> functionSwitches;
    PlotWidget* plot;
    QListWidget* files;
    QPushButton *load, *save, *browse;
    FrameBox* presetPanel;
    QLabel* presetTitle;
    TextBox* presetName;
    ListBox* presetList;
    QPushButton *enter, *remove, *exit;
    QPushButton *connect, *update, *recall, *loadToDsp;
    ListBox *ports, *addresses, *recallSlots, *loadSlots;
    QLabel *onlineLamp, *portLamp;
};

// Creates the controls of the table on the window, each with its name as objectName.
WindowWidgets BuildWindowLayout(QWidget* window);

// The window's lettering: the classic sans serif when it can be loaded, else a stand-in.
QFont WindowFont(Lettering lettering);

}  // namespace sonavel
