#include "editor/MainWindow.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

#include "editor/Controls.h"
#include "editor/PlotWidget.h"
#include "editor/WindowLayout.h"
#include "model/BulkChange.h"
#include "model/ListEntries.h"
#include "model/ValueScales.h"

namespace sonavel {
namespace {

constexpr int kTimerIntervalMs = 20;

}  // namespace

MainWindow::MainWindow(SerialPort& port, Sleeper& sleeper, QWidget* parent)
    : QWidget(parent),
      port_(port),
      session_(store_, port, sleeper, clock_, [this] { PumpEvents(); }, {}),
      plot_([this](int channel, int band) { SendBand(channel, band); }) {
    setWindowTitle(QStringLiteral("Form1"));
    setFixedSize(Pixels(kClientWidthTwips), Pixels(kClientHeightTwips));
    controls_ = BuildWindowLayout(this);
    messageBox_ = [this](MessageIcon icon, const QString& title, const QString& text) {
        const QMessageBox::Icon shown = icon == MessageIcon::Stop      ? QMessageBox::Critical
                                        : icon == MessageIcon::Warning ? QMessageBox::Warning
                                                                       : QMessageBox::NoIcon;
        // The first line is the message itself; a reason on further lines shows below it.
        const qsizetype cut = text.indexOf('\n');
        QMessageBox box(shown, title, cut < 0 ? text : text.left(cut), QMessageBox::Ok, this);
        if (cut >= 0) box.setInformativeText(text.mid(cut + 1));
        box.exec();
    };
    folderChooser_ = [this](const QString& title, const QString& startFolder) {
        return QFileDialog::getExistingDirectory(this, title, startFolder);
    };
    FormLoad();
    ConnectHandlers();
    timer1_.start();
}

MainWindow::~MainWindow() = default;

// Start-up: the store and the controls get their start values (the link state, the window
// state and the band curves are already at theirs); nothing is selected, drawn or sent. The
// controls keep their design-time contents until Timer1 runs the first refresh.
void MainWindow::FormLoad() {
    for (const char* name : {"Frame9", "Command9", "Command10", "Combo4", "Label20", "Text5"})
        control(name)->hide();
    control<QLabel>("Label20")->clear();

    for (const char* name : {"Combo8", "Combo9"}) {
        auto* slotList = control<ListBox>(name);
        for (int slot = 1; slot <= kSlotCount; ++slot) slotList->addItem(QString("User%1").arg(slot, 2, 10, QChar('0')));
        slotList->setCurrentIndex(0);
        slotList->setEnabled(false);
    }
    control<QPushButton>("Command1_0")->setEnabled(false);
    control<QPushButton>("Command2")->setEnabled(false);

    ShowLinkOff();
    timer1_.setInterval(kTimerIntervalMs);
    timer2_.setInterval(kTimerIntervalMs);
    timer2_.start();

    state_.RefreshRequest = 1;
    port_.SetCommPort(1);  // Connect before any port is chosen opens COM1

    InitDSPPremeter(store_);
    BringStoreInLine(store_);  // the derived fields and output levels the first refresh shows

    for (int channel = 1; channel <= kChannelCount; ++channel) {
        for (int i = 0; i < kBandCount; ++i) {
            FrequencyArrow(channel, i)->setMaximum(kFrequencyArrowMax);
            FrequencyArrow(channel, i)->setMinimum(kFrequencyArrowMin);
        }
        for (int i = 0; i < kEqBandCount; ++i) {
            GainArrow(channel, i)->setMaximum(kGainArrowMax);
            QArrow(channel, i)->setMaximum(kQArrowMax);
            for (const char* entry : kEqTypeListEntries) TypeList(channel, i)->addItem(entry);
            TypeList(channel, i)->setCurrentIndex(-1);
        }
        for (int i = 0; i < 2; ++i) {
            for (const char* entry : kCrossoverListEntries) CrossoverList(channel, i)->addItem(entry);
            CrossoverList(channel, i)->setCurrentIndex(-1);
        }
    }

    // Design-time bounds of the level arrow pairs: Max, then the Value that shows the default.
    struct Bounds {
        int max, value;
    };
    const auto setBounds = [](ArrowPair* arrows, Bounds bounds) {
        arrows->setMaximum(bounds.max);
        arrows->setValue(bounds.value);
    };
    for (int i = 0; i < 2; ++i) {
        setBounds(control<ArrowPair>(MemberName("VScroll4", i)), {145, 24});  // input gain
        setBounds(control<ArrowPair>(MemberName("VScroll9", i)), {145, 24});  // output gain
        setBounds(control<ArrowPair>(MemberName("VScroll5", i)), {150, 150});  // delay
    }
    const Bounds compressorBounds[] = {{100, 0}, {200, 200}, {999, 999}, {21, 21}};  // threshold .. ratio
    for (int channel = 1; channel <= kChannelCount; ++channel)
        for (int k = 0; k < 4; ++k) setBounds(CompressorArrow(channel, k), compressorBounds[k]);
    for (int i = 0; i < kEqBandCount; ++i) QArrow(1, i)->setValue(kQArrowMax);

    auto* ports = control<ListBox>("Combo5");
    for (int number = 1; number <= kMaxPortNumber; ++number) ports->addItem(QString("COM%1").arg(number));
    ports->setCurrentIndex(-1);
    auto* addresses = control<ListBox>("Combo7");
    for (int address = 1; address <= kMaxAddress; ++address)
        addresses->addItem(QString("Addr=%1").arg(address, 2, 10, QChar('0')));
    addresses->setCurrentIndex(-1);
}

// Handlers are attached after start-up, which sets bounds without raising any of them.
void MainWindow::ConnectHandlers() {
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        for (int i = 0; i < kBandCount; ++i) {
            connect(FrequencyArrow(channel, i), &QScrollBar::valueChanged, this,
                    [=, this] { FrequencyArrow_Change(channel, i); });
            connect(FrequencyBox(channel, i), &TextBox::Click, this, [=, this] { FrequencyBox_Click(channel, i); });
            connect(FrequencyBox(channel, i), &TextBox::KeyPress, this,
                    [=, this](int code) { FrequencyBox_KeyPress(channel, i, code); });
        }
        for (int i = 0; i < kEqBandCount; ++i) {
            connect(GainArrow(channel, i), &QScrollBar::valueChanged, this, [=, this] { GainArrow_Change(channel, i); });
            connect(QArrow(channel, i), &QScrollBar::valueChanged, this, [=, this] { QArrow_Change(channel, i); });
            connect(TypeList(channel, i), &ListBox::Click, this, [=, this] { TypeList_Click(channel, i); });
            connect(OffBox(channel, i), &QCheckBox::toggled, this, [=, this] { OffBox_Click(channel, i); });
        }
        for (int i = 0; i < 2; ++i)
            connect(CrossoverList(channel, i), &ListBox::Click, this, [=, this] { CrossoverList_Click(channel, i); });
        for (int k = 0; k < 4; ++k)
            connect(CompressorArrow(channel, k), &QScrollBar::valueChanged, this,
                    [=, this] { Compressor_Change(channel, k); });
        connect(control<QCheckBox>(ChannelControls(channel).invertBox), &QCheckBox::toggled, this,
                [=, this] { Invert_Click(channel); });
    }
    for (int i = 0; i < 2; ++i) {
        connect(control<ArrowPair>(MemberName("VScroll4", i)), &QScrollBar::valueChanged, this,
                [=, this] { InputGain_Change(i); });
        connect(control<ArrowPair>(MemberName("VScroll9", i)), &QScrollBar::valueChanged, this,
                [=, this] { OutputGain_Change(i); });
        connect(control<ArrowPair>(MemberName("VScroll5", i)), &QScrollBar::valueChanged, this,
                [=, this] { Delay_Change(i); });
        connect(control<QCheckBox>(MemberName("Check7", i)), &QCheckBox::toggled, this, [=, this] { Mute_Click(i); });
    }
    for (int i = 0; i < 4; ++i)
        connect(control<QCheckBox>(MemberName("Check1", i)), &QCheckBox::toggled, this,
                [=, this] { FunctionSwitch_Click(i); });

    connect(control<QPushButton>("Command12"), &QPushButton::clicked, this, &MainWindow::Command12_Click);
    connect(control<ListBox>("Combo5"), &ListBox::Click, this, &MainWindow::Combo5_Click);
    connect(control<ListBox>("Combo7"), &ListBox::Click, this, &MainWindow::Combo7_Click);
    connect(control<QPushButton>("Command8"), &QPushButton::clicked, this, &MainWindow::Command8_Click);
    connect(control<QPushButton>("Command10"), &QPushButton::clicked, this, &MainWindow::Command10_Click);
    connect(control<QPushButton>("Command2"), &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(control<QPushButton>("Command1_0"), &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(control<QPushButton>("Command7"), &QPushButton::clicked, this, &MainWindow::Command7_Click);
    connect(control<QPushButton>("Command4"), &QPushButton::clicked, this, &MainWindow::Command4_Click);
    connect(control<QPushButton>("Command6"), &QPushButton::clicked, this, &MainWindow::Command6_Click);
    connect(control<QPushButton>("Command9"), &QPushButton::clicked, this, &MainWindow::Command9_Click);
    // The Enter key in the name box works as the panel's "Enter" button.
    connect(control<TextBox>("Text5"), &TextBox::KeyPress, this, [this](int code) {
        if (code == '\r') Command9_Click();
    });
    connect(&timer1_, &QTimer::timeout, this, &MainWindow::Timer1_Timer);
    connect(&timer2_, &QTimer::timeout, this, &MainWindow::Timer2_Timer);
    connect(Picture1(), &PlotWidget::PaintRequested, this, &MainWindow::Picture1_Paint);
    session_.SetView(this);
}

void MainWindow::ShowMessage(const QString& title, const QString& text, MessageIcon icon) {
    if (messageBox_) messageBox_(icon, title, text);
}

// The plot.

void MainWindow::DoEQFFTDraw(int channel, int band) {
    plot_.DoEQFFTDraw(store_, state_.EditEnabled, channel, band);
    ShowPlot();
}

// Called by the plot after a band was rebuilt and drawn: show the drawing, then send the band.
void MainWindow::SendBand(int channel, int band) {
    ShowPlot();
    if (band == kLowPassBand || band == kHighPassBand)
        session_.Sender().LoadLPHPPrameter(channel, band);
    else
        session_.Sender().LoadEQPrameter(channel, band);
}

void MainWindow::ShowPlot() {
    if (plot_.drawCount() == shownDrawing_) return;
    shownDrawing_ = plot_.drawCount();
    Picture1()->ShowSegments(plot_.segments());
}

// An uncovered plot asks Timer1 for a redraw two ticks later.
void MainWindow::Picture1_Paint() {
    state_.RedrawPending = true;
    state_.RedrawTicks = 0;
}

// A resized window asks for the same redraw.
void MainWindow::Form_Resize() { Picture1_Paint(); }

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

// An uncovered window is put back on screen from its backing store without painting the plot,
// so the window system's expose is watched on the native window itself.
void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (QWindow* native = windowHandle()) native->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed())
        Picture1_Paint();
    return QWidget::eventFilter(watched, event);
}

// Controls by role.

TextBox* MainWindow::FrequencyBox(int channel, int index) const {
    return control<TextBox>(MemberName(ChannelControls(channel).frequencyBox, index));
}
ArrowPair* MainWindow::FrequencyArrow(int channel, int index) const {
    return control<ArrowPair>(MemberName(ChannelControls(channel).frequencyArrow, index));
}
TextBox* MainWindow::GainBox(int channel, int index) const {
    return control<TextBox>(MemberName(ChannelControls(channel).gainBox, index));
}
ArrowPair* MainWindow::GainArrow(int channel, int index) const {
    return control<ArrowPair>(MemberName(ChannelControls(channel).gainArrow, index));
}
TextBox* MainWindow::QBox(int channel, int index) const {
    return control<TextBox>(MemberName(ChannelControls(channel).qBox, index));
}
ArrowPair* MainWindow::QArrow(int channel, int index) const {
    return control<ArrowPair>(MemberName(ChannelControls(channel).qArrow, index));
}
ListBox* MainWindow::TypeList(int channel, int index) const {
    return control<ListBox>(MemberName(ChannelControls(channel).typeList, index));
}
QCheckBox* MainWindow::OffBox(int channel, int index) const {
    return control<QCheckBox>(MemberName(ChannelControls(channel).offBox, index));
}
ListBox* MainWindow::CrossoverList(int channel, int index) const {
    return control<ListBox>(MemberName(ChannelControls(channel).crossoverList, index));
}
ArrowPair* MainWindow::CompressorArrow(int channel, int control) const {
    return this->control<ArrowPair>(MemberName(ChannelControls(channel).compressorArrow, control));
}
TextBox* MainWindow::CompressorBox(int channel, int control) const {
    return this->control<TextBox>(MemberName(ChannelControls(channel).compressorBox, control));
}
PlotWidget* MainWindow::Picture1() const { return control<PlotWidget>("Picture1"); }

}  // namespace sonavel
