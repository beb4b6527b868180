#include "editor/WindowLayout.h"

#include <QCheckBox>
#include <QColor>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>
#include <QListWidget>
#include <QStringList>
#include <vector>

#include "editor/Controls.h"
#include "editor/PlotWidget.h"

namespace sonavel {
namespace {

// The controls of one channel panel by role: array names, except the single invert box.
struct ChannelControlNames {
    QString frequencyBox, frequencyArrow, gainBox, gainArrow, qBox, qArrow, typeList, offBox, crossoverList,
        compressorBox, compressorArrow, invertBox;
};

enum class ControlKind { Frame, Panel, Label, Text, Arrow, List, Check, Button, Picture, FileList };

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

const QColor kPanelBlue(128, 128, 255);
const QColor kEqualizerBlock(128, 64, 64);
const QColor kCrossoverBlock(0, 0, 64);
const QColor kLevelRow(64, 0, 64);
const QColor kStrip(192, 192, 255);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kYellow(255, 255, 0);

constexpr int kBoxHeight = 285;
constexpr int kListHeight = 315;
constexpr int kArrowWidth = 375;
constexpr int kArrowHeight = 255;
constexpr int kCaptionLabelHeight = 240;

// What differs between the two channel panels; everything else is shared.
struct ChannelColumns {
    int channel;
    QString panel, panelCaption;
    int panelLeft;
    ChannelControlNames names;
    // equalizer block: frame lefts and widths
    int freqFrame, gainFrame, gainFrameWidth, qFrame, typeFrame, typeFrameWidth, offFrame, offFrameWidth;
    // band rows
    int rowLabel, freqBox, gainBox, gainBoxWidth, qBox, qArrowLeft, qArrowHeight, typeLeft, typeWidth,
        offLeft;
    // crossover block
    int highFrame, highFrameWidth, lowFrame, lowFrameWidth;
    QString highCaption, lowCaption, frequencyCaption;
    int highBox, lowBox, highListLeft, lowListLeft, listWidth;
    // level row
    int gainRowFrame, gainRowFrameWidth, gainRowBox, gainRowBoxWidth;
    int delayFrame, delayFrameWidth, delayBox, delayBoxWidth;
    int invertPanel;
    int invertLeft, invertTop, invertWidth, invertHeight;
    int outputFrame, outputFrameWidth, muteLeft;
    // compressor block
    int compFrame;
    int compBox[4], compBoxWidth[4];
    int compOffLeft;
    QString bypassCaption;
};

const ChannelColumns kChannels[] = {
    {1, "Frame8", "Channel01", 0,
     {"Text1", "VScroll3", "Text4", "VScroll2", "Text2", "VScroll1", "Combo2", "Check2", "Combo1",
      "Text7", "VScroll6", "Check3"},
     120, 1800, 1215, 3000, 3960, 1335, 5280, 615,
     240, 600, 1920, 975, 3120, 3480, 285, 4080, 1095, 5400,
     120, 2895, 3000, 2895, "HightPass ", "LowPass ", "Frequeency",
     240, 3120, 1440, 4320, 1455,
     120, 1575, 240, 1215,
     1680, 1455, 1800, 1215,
     3120, 3240, 7080, 855, 375,
     4200, 1695, 4440,
     120, {240, 1320, 2640, 3960}, {855, 1095, 1095, 975},
     5160, "ByPass"},
    {2, "Frame29", "Channel02", 6120,
     {"Text3", "VScroll7", "Text8", "VScroll10", "Text11", "VScroll11", "Combo3", "Check4", "Combo6",
      "Text12", "VScroll12", "Check5"},
     6240, 7920, 1095, 9000, 9960, 1215, 11160, 855,
     6360, 6720, 8040, 855, 9120, 9480, 255, 10080, 975, 11520,
     6240, 2775, 9000, 3015, "HightPass", "LowPass", "Frequency",
     6360, 9120, 7560, 10440, 1335,
     6240, 1455, 6360, 1095,
     7680, 1335, 7800, 1095,
     9000, 9120, 7200, 735, 255,
     10080, 1935, 10320,
     6240, {6360, 7440, 8760, 10080}, {855, 1095, 1095, 855},
     11280, "BYPass"},
};

// A box with its arrow pair laid over the box's right end, both at the row's top.
void AddBoxWithArrows(std::vector<ControlEntry>& table, const QString& parent, const QString& box,
                      const QString& arrows, int left, int top, int width, const QString& text) {
    table.push_back({ControlKind::Text, box, parent, left, top, width, kBoxHeight, text});
    table.push_back({ControlKind::Arrow, arrows, parent, left + width - kArrowWidth, top, kArrowWidth, kArrowHeight, {}});
}

void AddChannelPanel(std::vector<ControlEntry>& t, const ChannelColumns& c) {
    using K = ControlKind;
    const QString n = QString::number(c.channel);
    t.push_back({K::Frame, c.panel, {}, c.panelLeft, 3360, 6015, 5655, c.panelCaption, kPanelBlue,
                 kYellow, Lettering::Bold});

    // Equalizer block: one row per band.
    const QString freq = "EqFrequencyFrame" + n, gain = "EqGainFrame" + n, q = "EqQFrame" + n,
                  type = "EqTypeFrame" + n, off = "EqOffFrame" + n;
    t.push_back({K::Frame, freq, c.panel, c.freqFrame, 3600, 1695, 2175, "Frequency", kEqualizerBlock, kWhite});
    t.push_back({K::Frame, gain, c.panel, c.gainFrame, 3600, c.gainFrameWidth, 2175, "Gain", kEqualizerBlock, kWhite});
    t.push_back({K::Frame, q, c.panel, c.qFrame, 3600, 975, 2175, "Q", kEqualizerBlock, kWhite});
    t.push_back({K::Frame, type, c.panel, c.typeFrame, 3600, c.typeFrameWidth, 2175, "Type", kEqualizerBlock, kWhite});
    t.push_back({K::Frame, off, c.panel, c.offFrame, 3600, c.offFrameWidth, 2175, "OFF", kEqualizerBlock, kWhite});
    for (int r = 0; r < 5; ++r) {
        const int top = 3840 + 360 * r;
        t.push_back({K::Label, MemberName("RowLabel" + n, r), freq, c.rowLabel, top, 345, kBoxHeight,
                     QString("0%1").arg(r + 1), {}, {}, Lettering::Row});
        AddBoxWithArrows(t, freq, MemberName(c.names.frequencyBox, r), MemberName(c.names.frequencyArrow, r),
                         c.freqBox, top, 1095, "1000Hz");
        AddBoxWithArrows(t, gain, MemberName(c.names.gainBox, r), MemberName(c.names.gainArrow, r), c.gainBox, top,
                         c.gainBoxWidth, "0dB");
        t.push_back({K::Text, MemberName(c.names.qBox, r), q, c.qBox, top, 735, kBoxHeight, "3"});
        t.push_back({K::Arrow, MemberName(c.names.qArrow, r), q, c.qArrowLeft, top, kArrowWidth, c.qArrowHeight, {}});
        t.push_back({K::List, MemberName(c.names.typeList, r), type, c.typeLeft, top, c.typeWidth, kListHeight, "Peak"});
        t.push_back({K::Check, MemberName(c.names.offBox, r), off, c.offLeft, top, 255, 255, {}});
    }

    // Crossover block: the high-pass slot (band 7) left, the low-pass slot (band 6) right.
    const QString high = "HighPassFrame" + n, low = "LowPassFrame" + n;
    t.push_back({K::Frame, high, c.panel, c.highFrame, 5880, c.highFrameWidth, 975, c.highCaption, kCrossoverBlock, kWhite});
    t.push_back({K::Label, "HighPassFrequencyLabel" + n, high, c.highBox, 6120, 1095, kCaptionLabelHeight, c.frequencyCaption});
    t.push_back({K::Label, "HighPassTypeLabel" + n, high, c.highListLeft, 6120, c.listWidth, kCaptionLabelHeight, "Type"});
    AddBoxWithArrows(t, high, MemberName(c.names.frequencyBox, 6), MemberName(c.names.frequencyArrow, 6), c.highBox,
                     6360, 1095, "1000Hz");
    t.push_back({K::List, MemberName(c.names.crossoverList, 1), high, c.highListLeft, 6360, c.listWidth, kListHeight, "ByPass"});
    t.push_back({K::Frame, low, c.panel, c.lowFrame, 5880, c.lowFrameWidth, 975, c.lowCaption, kCrossoverBlock, kWhite});
    t.push_back({K::Label, "LowPassFrequencyLabel" + n, low, c.lowBox, 6120, 1095, kCaptionLabelHeight, c.frequencyCaption});
    t.push_back({K::Label, "LowPassTypeLabel" + n, low, c.lowListLeft, 6120, c.listWidth, kCaptionLabelHeight, "Type"});
    AddBoxWithArrows(t, low, MemberName(c.names.frequencyBox, 5), MemberName(c.names.frequencyArrow, 5), c.lowBox,
                     6360, 1095, "1000Hz");
    t.push_back({K::List, MemberName(c.names.crossoverList, 0), low, c.lowListLeft, 6360, c.listWidth, kListHeight, "ByPass"});

    // Level row: gain, delay, invert, the hidden output gain and the mute box above it.
    const int i = c.channel - 1;
    const QString gainRow = "GainFrame" + n, delay = "DelayFrame" + n, invert = "InvertPanel" + n,
                  output = "OutputGainFrame" + n;
    t.push_back({K::Frame, gainRow, c.panel, c.gainRowFrame, 6960, c.gainRowFrameWidth, 615, "Gain", kLevelRow, kWhite});
    AddBoxWithArrows(t, gainRow, MemberName("Text6", i), MemberName("VScroll4", i), c.gainRowBox, 7200, c.gainRowBoxWidth, "0dB");
    t.push_back({K::Frame, delay, c.panel, c.delayFrame, 6960, c.delayFrameWidth, 615, "Delay", kLevelRow, kWhite});
    AddBoxWithArrows(t, delay, MemberName("Text9", i), MemberName("VScroll5", i), c.delayBox, 7200, c.delayBoxWidth, "0mS");
    t.push_back({K::Panel, invert, c.panel, c.invertPanel, 6960, 1095, 615, {}, kLevelRow, kWhite});
    t.push_back({K::Check, c.names.invertBox, invert, c.invertLeft, c.invertTop, c.invertWidth, c.invertHeight, "Invert"});
    t.push_back({K::Frame, output, c.panel, c.outputFrame, 6960, c.outputFrameWidth, 615, "Output Gain", kLevelRow,
                 kWhite, Lettering::Normal, true});
    AddBoxWithArrows(t, output, MemberName("Text10", i), MemberName("VScroll9", i), c.outputFrame + 120, 7200, 1215, "0dB");
    t.push_back({K::Check, MemberName("Check7", i), c.panel, c.muteLeft, 7080, 1335, 375,
                 QString("Mute Channel0%1").arg(c.channel)});

    // Compressor block.
    const QString comp = "CompressorFrame" + n;
    const char* compCaptions[] = {"Threshold", "Attacked", "Release", "Ratio"};
    const char* compTexts[] = {"0dB", "0mS", "1 dB/S", "1:1"};
    t.push_back({K::Frame, comp, c.panel, c.compFrame, 7680, 5775, 855, "Compressor", kBlack, kWhite});
    for (int k = 0; k < 4; ++k) {
        t.push_back({K::Label, MemberName("CompressorLabel" + n, k), comp, c.compBox[k], 7920, c.compBoxWidth[k],
                     kCaptionLabelHeight, compCaptions[k]});
        AddBoxWithArrows(t, comp, MemberName(c.names.compressorBox, k), MemberName(c.names.compressorArrow, k),
                         c.compBox[k], 8160, c.compBoxWidth[k], compTexts[k]);
    }
    t.push_back({K::Check, MemberName("Check1", i + 2), comp, c.compOffLeft, 8040, 615, 375, "OFF"});
    t.push_back({K::Check, MemberName("Check1", i), c.panel, c.compFrame, 8640, 1095, 255, c.bypassCaption, kBlack, kWhite});
}

// Every control, parents before their children, in stacking order (later ones lie above).
std::vector<ControlEntry> MakeTable() {
    using K = ControlKind;
    std::vector<ControlEntry> t;
    // Plot and preset files.
    t.push_back({K::Panel, "Frame30", {}, 0, 120, 10095, 3255, {}, QColor(64, 0, 64)});
    t.push_back({K::Picture, "Picture1", "Frame30", 120, 360, 9855, 2895, {}});
    t.push_back({K::FileList, "File1", {}, 10200, 120, 1935, 2625, {}});
    t.push_back({K::Button, "Command4", {}, 10200, 2880, 615, 375, "Load"});
    t.push_back({K::Button, "Command6", {}, 10800, 2880, 615, 375, "Save"});
    t.push_back({K::Button, "Command7", {}, 11400, 2880, 735, 375, "Browse"});

    for (const ChannelColumns& channel : kChannels) AddChannelPanel(t, channel);

    // The preset panel lies above the channel panels.
    t.push_back({K::Frame, "Frame9", {}, 4560, 3480, 3495, 1935, "Load  Preset", kPanelBlue, {}, Lettering::Bold});
    t.push_back({K::Label, "Label20", "Frame9", 4680, 3600, 3255, 255, {}, {}, kWhite, Lettering::Large});
    t.push_back({K::Text, "Text5", "Frame9", 5040, 4080, 2655, 450, {}, {}, {}, Lettering::Large});
    t.push_back({K::List, "Combo4", "Frame9", 5160, 4080, 2415, 420, {}, {}, {}, Lettering::Large});
    t.push_back({K::Button, "Command9", "Frame9", 4800, 4800, 735, 495, "Enter", {}, {}, Lettering::Bold});
    t.push_back({K::Button, "Command11", "Frame9", 5760, 4800, 855, 495, "Del", {}, {}, Lettering::Bold});
    t.push_back({K::Button, "Command10", "Frame9", 6840, 4800, 1095, 495, "Exit", {}, {}, Lettering::Bold});

    // Link strip.
    t.push_back({K::Panel, "Frame32", {}, 0, 9000, 6015, 1095, {}, kStrip});
    t.push_back({K::Label, "Label8", "Frame32", 120, 9240, 495, 135, {}, QColor(128, 128, 128)});
    t.push_back({K::Button, "Command12", "Frame32", 120, 9360, 1335, 375, "Connect", QColor(255, 128, 128), {},
                 Lettering::Bold});
    t.push_back({K::Button, "Command1_0", "Frame32", 3600, 9240, 1335, 375, "Load to DSP", {}, {},
                 Lettering::Normal, true});
    t.push_back({K::Button, "Command2", "Frame32", 1800, 9240, 1335, 375, "Recall From DSP", {}, {},
                 Lettering::Normal, true});
    t.push_back({K::List, "Combo8", "Frame32", 3600, 9600, 1335, kListHeight, {}, {}, {}, Lettering::Normal, true});
    t.push_back({K::List, "Combo9", "Frame32", 1800, 9600, 1335, kListHeight, {}, {}, {}, Lettering::Normal, true});
    t.push_back({K::Frame, "Frame33", {}, 6120, 9000, 2175, 1095, "Device Address", kStrip, {}, Lettering::Bold});
    t.push_back({K::List, "Combo7", "Frame33", 6600, 9360, 1215, kListHeight, "Addr=01", {}, {},
                 Lettering::Normal, false, "select the device address"});
    t.push_back({K::Frame, "Frame31", {}, 8280, 9000, 2175, 1095, "Communication", kStrip, {}, Lettering::Bold});
    t.push_back({K::List, "Combo5", "Frame31", 8520, 9360, 1455, kListHeight, "COM1", {}, {}, Lettering::Normal,
                 false, "select a valid COM"});
    t.push_back({K::Label, "Label30", "Frame31", 10080, 9360, 135, 315, {}, QColor(64, 64, 64)});
    t.push_back({K::Frame, "Update", {}, 10440, 9000, 1695, 1095, "Update", kStrip});
    t.push_back({K::Button, "Command8", "Update", 10560, 9360, 1215, 375, "Update", {}, {}, Lettering::Bold});
    return t;
}

QString LoadedSansFamily() {
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf"));
        const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QString() : families.first();
    }();
    return family;
}

QWidget* CreateControl(const ControlEntry& entry, QWidget* parent) {
    switch (entry.kind) {
        case ControlKind::Frame: return new FrameBox(parent, entry.text);
        case ControlKind::Panel: return new FrameBox(parent, QString());
        case ControlKind::Label: return new QLabel(entry.text, parent);
        case ControlKind::Text: {
            auto* box = new TextBox(parent);
            box->setText(entry.text);
            return box;
        }
        case ControlKind::Arrow: return new ArrowPair(parent);
        case ControlKind::List: {
            auto* list = new ListBox(parent);
            list->setDesignText(entry.text);
            return list;
        }
        case ControlKind::Check: return new QCheckBox(entry.text, parent);
        case ControlKind::Button: return new QPushButton(entry.text, parent);
        case ControlKind::Picture: return new PlotWidget(parent);
        case ControlKind::FileList: return new QListWidget(parent);
    }
    return nullptr;
}

}  // namespace

QFont WindowFont(Lettering lettering) {
    // The classic face is a bitmap font; it serves the sizes it really has a strike for, and a
    // scalable sans-serif stands in for the others (the bold captions, the preset panel).
    const double points = lettering == Lettering::Normal ? 8.25 : lettering == Lettering::Large ? 12 : 9.75;
    const int pixels = lettering == Lettering::Normal ? 13 : lettering == Lettering::Large ? 20 : 16;
    const bool bold = lettering == Lettering::Bold;
    const QString classic = LoadedSansFamily();
    if (!classic.isEmpty() && !bold) {
        QFont font(classic);
        font.setPixelSize(pixels);
        if (QFontInfo(font).pixelSize() == pixels) return font;
    }
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

namespace {

// The widgets by role, looked up once by name as the window is built.
class WidgetFinder {
public:
    explicit WidgetFinder(const QHash<QString, QWidget*>& controls) : controls_(controls) {}
    template <class T>
    void operator()(T*& widget, const QString& name) const {
        widget = qobject_cast<T*>(controls_.value(name));
        Q_ASSERT(widget);
    }
    template <class T, std::size_t N>
    void operator()(std::array<T*, N>& widgets, const QString& array, int first = 0) const {
        for (std::size_t i = 0; i < N; ++i) (*this)(widgets[i], MemberName(array, first + static_cast<int>(i)));
    }

private:
    const QHash<QString, QWidget*>& controls_;
};

WindowWidgets FindWidgets(const QHash<QString, QWidget*>& controls) {
    const WidgetFinder find(controls);
    WindowWidgets w{};
    for (const ChannelColumns& columns : kChannels) {
        ChannelWidgets& c = w.channels[columns.channel - 1];
        const ChannelControlNames& n = columns.names;
        const int i = columns.channel - 1;
        find(c.frequencyBoxes, n.frequencyBox);
        find(c.frequencyArrows, n.frequencyArrow);
        find(c.gainBoxes, n.gainBox);
        find(c.gainArrows, n.gainArrow);
        find(c.qBoxes, n.qBox);
        find(c.qArrows, n.qArrow);
        find(c.typeLists, n.typeList);
        find(c.offBoxes, n.offBox);
        find(c.crossoverLists, n.crossoverList);
        find(c.compressorBoxes, n.compressorBox);
        find(c.compressorArrows, n.compressorArrow);
        find(c.inputGainBox, MemberName("Text6", i));
        find(c.outputGainBox, MemberName("Text10", i));
        find(c.delayBox, MemberName("Text9", i));
        find(c.inputGain, MemberName("VScroll4", i));
        find(c.outputGain, MemberName("VScroll9", i));
        find(c.delay, MemberName("VScroll5", i));
        find(c.invert, n.invertBox);
        find(c.mute, MemberName("Check7", i));
    }
    find(w.functionSwitches, "Check1");
    find(w.plot, "Picture1");
    find(w.files, "File1");
    find(w.load, "Command4");
    find(w.save, "Command6");
    find(w.browse, "Command7");
    find(w.presetPanel, "Frame9");
    find(w.presetTitle, "Label20");
    find(w.presetName, "Text5");
    find(w.presetList, "Combo4");
    find(w.enter, "Command9");
    find(w.remove, "Command11");
    find(w.exit, "Command10");
    find(w.connect, "Command12");
    find(w.update, "Command8");
    find(w.recall, "Command2");
    find(w.loadToDsp, "Command1_0");
    find(w.ports, "Combo5");
    find(w.addresses, "Combo7");
    find(w.recallSlots, "Combo9");
    find(w.loadSlots, "Combo8");
    find(w.onlineLamp, "Label8");
    find(w.portLamp, "Label30");
    return w;
}

}  // namespace

WindowWidgets BuildWindowLayout(QWidget* window) {
    QHash<QString, QWidget*> controls;
    QHash<QString, QPoint> origins;  // twips position of every group on the client area
    window->setFont(WindowFont(Lettering::Normal));
    for (const ControlEntry& entry : MakeTable()) {
        QWidget* parent = entry.parent.isEmpty() ? window : controls.value(entry.parent);
        Q_ASSERT(parent);
        const QPoint origin = origins.value(entry.parent);
        QWidget* control = CreateControl(entry, parent);
        control->setObjectName(entry.name);
        control->setGeometry(Pixels(entry.left - origin.x()), Pixels(entry.top - origin.y()),
                             Pixels(entry.width), Pixels(entry.height));
        const QFont font = WindowFont(entry.lettering);
        if (auto* frame = qobject_cast<FrameBox*>(control)) {
            frame->setCaptionFont(font);  // the frame's lettering is its caption's only
            frame->setFont(WindowFont(Lettering::Normal));
            if (entry.fore.isValid()) frame->setCaptionColor(entry.fore);
        } else {
            control->setFont(font);
        }
        if (entry.back.isValid()) SetBackColor(control, entry.back);
        // A frame's caption colour carries over to what it holds only on a dark background.
        const bool darkGroup = qobject_cast<FrameBox*>(control) && entry.back.isValid() && entry.back.lightness() < 128;
        if (entry.fore.isValid() && (darkGroup || !qobject_cast<FrameBox*>(control)))
            SetForeColor(control, entry.fore);
        if (!entry.toolTip.isEmpty()) control->setToolTip(entry.toolTip);
        if (entry.hidden) control->hide();
        controls.insert(entry.name, control);
        origins.insert(entry.name, QPoint(entry.left, entry.top));
    }
    return FindWidgets(controls);
}

}  // namespace sonavel
